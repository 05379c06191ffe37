#pragma once
// Text in the code page the data files of the Windows program use (932, the
// Microsoft flavour of Shift_JIS), converted through glibc iconv.
#include <QByteArray>
#include <QString>

// Characters code page 932 cannot hold become '?'; *lossless tells whether any did.
QByteArray EncodeAnsi(const QString& text, bool* lossless = nullptr);
// Bytes that are not valid code page 932 read as U+FFFD; never fails.
QString DecodeAnsi(const QByteArray& bytes);
bool CanEncodeAnsi(const QString& text);

// The form of every text file: code page 932 when it holds the text whole,
// otherwise UTF-8 behind a byte-order mark, so no character is ever lost.
QByteArray EncodeTextFile(const QString& text);
// A byte-order mark means UTF-8; anything else is code page 932.
QString DecodeTextFile(const QByteArray& bytes);
