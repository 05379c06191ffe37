#pragma once
// Small in-place text helpers. A missing marker leaves the text unchanged.
#include <QChar>
#include <QString>

bool IsEmptyString(const QString& text);
// Removes every trailing copy of the marker.
void RemoveTrailing(QString& text, QChar marker);
// Removes the text up to and including the first marker.
void DropThroughFirst(QString& text, QChar marker);
// Keeps only what precedes the last marker.
void KeepBeforeLast(QString& text, QChar marker);
// Keeps only what precedes the first marker.
void KeepBeforeFirst(QString& text, QChar marker);
