#include "env/Ansi.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace {

const QByteArray kUtf8Bom("\xEF\xBB\xBF");

// One converter per direction for the whole run; everything is on one thread.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter()
    {
        if (cd_ != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can. On a sequence it cannot convert it calls
    // skip(in, left, out) which must consume input and may append output.
    template <typename Skip> QByteArray Run(const QByteArray& input, Skip skip)
    {
        QByteArray output;
        if (!Valid())
            return output;
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        output.reserve(input.size() * 2 + 16);
        char* in = const_cast<char*>(input.constData());
        size_t left = static_cast<size_t>(input.size());
        char buffer[4096];
        while (left > 0) {
            char* out = buffer;
            size_t room = sizeof buffer;
            const size_t result = iconv(cd_, &in, &left, &out, &room);
            output.append(buffer, out - buffer);
            if (result != static_cast<size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            // EILSEQ or EINVAL (a sequence cut off at the end).
            skip(in, left, output);
        }
        char* out = buffer;
        size_t room = sizeof buffer;
        iconv(cd_, nullptr, nullptr, &out, &room);
        output.append(buffer, out - buffer);
        return output;
    }

private:
    iconv_t cd_;
};

Converter& ToCp932()
{
    static Converter converter("CP932", "UTF-8");
    return converter;
}

Converter& FromCp932()
{
    static Converter converter("UTF-8", "CP932");
    return converter;
}

// Length of the UTF-8 sequence that starts with this byte (1 for a stray byte).
size_t Utf8SequenceLength(unsigned char lead)
{
    if (lead >= 0xF0 && lead < 0xF8)
        return 4;
    if (lead >= 0xE0)
        return 3;
    if (lead >= 0xC0)
        return 2;
    return 1;
}

} // namespace

QByteArray EncodeAnsi(const QString& text, bool* lossless)
{
    bool whole = true;
    const QByteArray result =
        ToCp932().Run(text.toUtf8(), [&](char*& in, size_t& left, QByteArray& out) {
            const size_t length =
                std::min(left, Utf8SequenceLength(static_cast<unsigned char>(*in)));
            in += length;
            left -= length;
            out.append('?');
            whole = false;
        });
    if (lossless)
        *lossless = whole;
    return result;
}

QString DecodeAnsi(const QByteArray& bytes)
{
    const QByteArray utf8 = FromCp932().Run(bytes, [](char*& in, size_t& left, QByteArray& out) {
        ++in;
        --left;
        out.append("\xEF\xBF\xBD");
    });
    return QString::fromUtf8(utf8);
}

bool CanEncodeAnsi(const QString& text)
{
    bool lossless = true;
    EncodeAnsi(text, &lossless);
    return lossless;
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
