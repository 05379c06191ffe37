#pragma once
// Text in the code page the data files of the Windows program use (932, the
// Microsoft flavour of Shift_JIS), read and written through the tables of
// Cp932Table. A character counts as storable only when its code reads back as
// that same character: the neighbours a converter may substitute (〜 for ～,
// ¥ for a backslash, …) count as characters the code page does not hold.
#include <QByteArray>
#include <QString>

// Characters code page 932 cannot hold become '?'; *lossless tells whether any did.
QByteArray EncodeAnsi(const QString& text, bool* lossless = nullptr);
// Bytes that are not valid code page 932 read as U+FFFD; never fails.
QString DecodeAnsi(const QByteArray& bytes);
// The length of the text as the Windows program counted it, converting with
// substitutes: a character the code page only approximates takes its
// neighbour's bytes, one it cannot hold at all takes one '?'.
qsizetype AnsiLength(const QString& text);

// The form of every text file: code page 932 when it holds the text whole,
// otherwise UTF-8 behind a byte-order mark, so no character is ever lost.
QByteArray EncodeTextFile(const QString& text);
// A byte-order mark means UTF-8; anything else is code page 932.
QString DecodeTextFile(const QByteArray& bytes);

// Writes the code page 932 bytes of c (one or two) as the conversions below
// write them and returns their count; 0 when the code page has no code for c.
int WriteAnsiCharacter(char32_t c, char* out);

// Conversions of one piece of a longer stream, for the XML parser and writer
// (the contract of libxml2's conversion functions). *inlen and *outlen give
// the room and return what was consumed and produced. Results: 0 all done,
// -1 out of room, -2 a sequence that cannot be converted (it starts at the
// returned *inlen), -3 the input ends inside a character.
int Cp932ToUtf8(unsigned char* out, int* outlen, const unsigned char* in, int* inlen);
int Utf8ToCp932(unsigned char* out, int* outlen, const unsigned char* in, int* inlen);
