#pragma once
#include <QStringList>

// Shows, one box each, the messages of the data files the store could not read.
void ShowLoadErrors(const QStringList& errors);
