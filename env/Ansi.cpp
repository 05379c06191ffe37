#include "env/Ansi.h"

#include "env/Cp932Table.h"

#include <array>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

using cp932::kNone;
using cp932::kTrailCount;

unsigned char LeadByte(int index)
{
    return static_cast<unsigned char>(index <= 0x9F - 0x81 ? 0x81 + index
                                                           : 0xE0 + index - (0x9F - 0x81 + 1));
}

// The code of every storable BMP character (kNone for the others).
const std::array<unsigned short, 0x10000>& EncodeTable()
{
    static std::array<unsigned short, 0x10000> table;
    static const bool built = [] {
        table.fill(kNone);
        for (int byte = 0; byte < 256; ++byte) {
            const char16_t c = cp932::kSingle[byte];
            if (c != kNone && table[c] == kNone)
                table[c] = static_cast<unsigned short>(byte);
        }
        for (int lead = 0; lead < cp932::kLeadCount; ++lead) {
            for (int trail = 0; trail < kTrailCount; ++trail) {
                const char16_t c = cp932::kDouble[lead * kTrailCount + trail];
                if (c != kNone && table[c] == kNone)
                    table[c] = static_cast<unsigned short>(LeadByte(lead) << 8 | (trail + 0x40));
            }
        }
        for (int i = 0; i < cp932::kPreferredCount; ++i)
            table[cp932::kPreferred[i].character] = cp932::kPreferred[i].code;
        return true;
    }();
    Q_UNUSED(built);
    return table;
}

// The character at the start of the bytes: its length, 0 when the bytes end
// inside it, -1 when they are no character.
int ReadCharacter(const unsigned char* in, qsizetype left, char16_t* c)
{
    const unsigned char byte = in[0];
    if (cp932::kSingle[byte] != kNone) {
        *c = cp932::kSingle[byte];
        return 1;
    }
    const int lead = cp932::LeadIndex(byte);
    if (lead < 0)
        return -1;
    if (left < 2)
        return 0;
    const unsigned char trail = in[1];
    if (trail < 0x40 || trail >= 0x40 + kTrailCount)
        return -1;
    const char16_t found = cp932::kDouble[lead * kTrailCount + trail - 0x40];
    if (found == kNone)
        return -1;
    *c = found;
    return 2;
}

// Appends the code of c (a single byte or a pair); false when c is not storable.
template <typename Put> bool WriteCharacter(char32_t c, Put put)
{
    const unsigned short code = c < 0x10000 ? EncodeTable()[c] : kNone;
    if (code == kNone)
        return false;
    if (code > 0xFF)
        put(static_cast<char>(code >> 8));
    put(static_cast<char>(code & 0xFF));
    return true;
}

// The code point of a UTF-8 sequence from libxml2 (well-formed) and its length;
// 0 when the input ends inside it.
int ReadUtf8(const unsigned char* in, int left, char32_t* c)
{
    const unsigned char lead = in[0];
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (length > left)
        return 0;
    if (length == 1) {
        *c = lead;
        return 1;
    }
    char32_t value = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i)
        value = value << 6 | (in[i] & 0x3F);
    *c = value;
    return length;
}

} // namespace

QByteArray EncodeAnsi(const QString& text, bool* lossless)
{
    bool whole = true;
    QByteArray result;
    result.reserve(text.size() * 2);
    const auto put = [&](char byte) { result.append(byte); };
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i].unicode();
        // A character outside the BMP (or a stray surrogate) is never storable.
        if (QChar::isHighSurrogate(c) && i + 1 < size &&
            QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;
        else if (!QChar::isSurrogate(c) && WriteCharacter(c, put))
            continue;
        result.append('?');
        whole = false;
    }
    if (lossless)
        *lossless = whole;
    return result;
}

QString DecodeAnsi(const QByteArray& bytes)
{
    QString result(bytes.size(), Qt::Uninitialized);
    char16_t* out = reinterpret_cast<char16_t*>(result.data());
    const auto* in = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype size = bytes.size();
    qsizetype i = 0;
    qsizetype written = 0;
    while (i < size) {
        char16_t c = 0xFFFD;
        const int length = ReadCharacter(in + i, size - i, &c);
        out[written++] = length > 0 ? c : char16_t(0xFFFD);
        i += length > 0 ? length : 1;
    }
    result.truncate(written);
    return result;
}

qsizetype AnsiLength(const QString& text)
{
    qsizetype length = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = text[i].unicode();
        unsigned short code = QChar::isSurrogate(c) ? kNone : EncodeTable()[c];
        for (int b = 0; code == kNone && b < cp932::kBestFitCount; ++b) {
            if (cp932::kBestFit[b].character == c)
                code = cp932::kBestFit[b].code;
        }
        if (QChar::isHighSurrogate(c) && i + 1 < size &&
            QChar::isLowSurrogate(text[i + 1].unicode()))
            ++i;
        length += code != kNone && code > 0xFF ? 2 : 1;
    }
    return length;
}

QByteArray EncodeTextFile(const QString& text)
{
    bool lossless = true;
    const QByteArray ansi = EncodeAnsi(text, &lossless);
    if (lossless)
        return ansi;
    return kUtf8Bom + text.toUtf8();
}

QString DecodeTextFile(const QByteArray& bytes)
{
    if (bytes.startsWith(kUtf8Bom))
        return QString::fromUtf8(bytes.constData() + kUtf8Bom.size(),
                                 bytes.size() - kUtf8Bom.size());
    return DecodeAnsi(bytes);
}

int WriteAnsiCharacter(char32_t c, char* out)
{
    int count = 0;
    WriteCharacter(c, [&](char byte) { out[count++] = byte; });
    return count;
}

int Cp932ToUtf8(unsigned char* out, int* outlen, const unsigned char* in, int* inlen)
{
    const int room = *outlen;
    const int size = in ? *inlen : 0;
    int read = 0;
    int written = 0;
    int result = 0;
    while (read < size) {
        // Runs of ASCII that reads as itself, as the markup and much of the
        // text are, go byte by byte without the general steps.
        while (read < size && written < room && in[read] < 0x80 &&
               cp932::kSingle[in[read]] == in[read])
            out[written++] = in[read++];
        if (read == size)
            break;
        char16_t c = 0;
        const int length = ReadCharacter(in + read, size - read, &c);
        if (length <= 0) {
            result = length == 0 ? -3 : -2;
            break;
        }
        const int need = c < 0x80 ? 1 : c < 0x800 ? 2 : 3;
        if (written + need > room) {
            result = -1;
            break;
        }
        if (need == 1) {
            out[written] = static_cast<unsigned char>(c);
        } else if (need == 2) {
            out[written] = static_cast<unsigned char>(0xC0 | c >> 6);
            out[written + 1] = static_cast<unsigned char>(0x80 | (c & 0x3F));
        } else {
            out[written] = static_cast<unsigned char>(0xE0 | c >> 12);
            out[written + 1] = static_cast<unsigned char>(0x80 | (c >> 6 & 0x3F));
            out[written + 2] = static_cast<unsigned char>(0x80 | (c & 0x3F));
        }
        written += need;
        read += length;
    }
    *inlen = read;
    *outlen = written;
    return result;
}

int Utf8ToCp932(unsigned char* out, int* outlen, const unsigned char* in, int* inlen)
{
    const int room = *outlen;
    const int size = in ? *inlen : 0;
    int read = 0;
    int written = 0;
    int result = 0;
    while (read < size) {
        char32_t c = 0;
        const int length = ReadUtf8(in + read, size - read, &c);
        if (length == 0) {
            result = -3;
            break;
        }
        unsigned char bytes[2];
        int count = 0;
        if (!WriteCharacter(
                c, [&](char byte) { bytes[count++] = static_cast<unsigned char>(byte); })) {
            result = -2;
            break;
        }
        if (written + count > room) {
            result = -1;
            break;
        }
        for (int i = 0; i < count; ++i)
            out[written++] = bytes[i];
        read += length;
    }
    *inlen = read;
    *outlen = written;
    return result;
}
