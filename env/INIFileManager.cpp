#include "env/INIFileManager.h"

#include "env/Ansi.h"
#include "env/AtomicFile.h"
#include "env/FSOHelper.h"
#include "env/StringManager.h"

#include <QStringList>

#include <cmath>

namespace {

// The profile reader hands back at most this many bytes (a 256-byte buffer with its NUL).
constexpr qsizetype kMaxValueBytes = 255;

bool IsBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

QString TrimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsBlank(text[begin]))
        ++begin;
    while (end > begin && IsBlank(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
}

QStringList ReadLines(const QString& file)
{
    QByteArray bytes;
    if (!ReadRegularFile(file, bytes))
        return {};
    const QString text = DecodeTextFile(bytes);
    QStringList lines = text.split(u'\n');
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    for (QString& line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }
    return lines;
}

// The section name of a "[name]" line; nullopt for any other line.
std::optional<QString> SectionName(const QString& line)
{
    const QString trimmed = TrimBlanks(line);
    if (!trimmed.startsWith(u'['))
        return std::nullopt;
    qsizetype end = trimmed.indexOf(u']');
    if (end < 0)
        end = trimmed.size();
    return TrimBlanks(trimmed.mid(1, end - 1));
}

// The key of a "key=value" line; nullopt for any other line.
std::optional<QString> KeyName(const QString& line)
{
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0)
        return std::nullopt;
    const QString key = TrimBlanks(line.left(equals));
    if (key.startsWith(u';'))
        return std::nullopt;
    return key;
}

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index range [begin, end) of the lines of the first section with this name.
std::optional<std::pair<qsizetype, qsizetype>> FindSection(const QStringList& lines,
                                                           const QString& section)
{
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const std::optional<QString> name = SectionName(lines[i]);
        if (!name || !SameName(*name, section))
            continue;
        qsizetype end = i + 1;
        while (end < lines.size() && !SectionName(lines[end]))
            ++end;
        return std::make_pair(i + 1, end);
    }
    return std::nullopt;
}

qsizetype FindKey(const QStringList& lines, qsizetype begin, qsizetype end, const QString& key)
{
    for (qsizetype i = begin; i < end; ++i) {
        const std::optional<QString> name = KeyName(lines[i]);
        if (name && SameName(*name, key))
            return i;
    }
    return -1;
}

QString Unquote(const QString& value)
{
    if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') &&
        value.back() == value.front())
        return value.mid(1, value.size() - 2);
    return value;
}

// Cuts the text to what fits in 255 bytes of code page 932, never inside a character.
QString LimitBytes(const QString& text)
{
    qsizetype bytes = 0;
    qsizetype i = 0;
    while (i < text.size()) {
        const qsizetype length = text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const qsizetype size = AnsiLength(text.mid(i, length));
        if (bytes + size > kMaxValueBytes)
            break;
        bytes += size;
        i += length;
    }
    return text.left(i);
}

// One line per value, section and key: a line break would start a new key.
QString OneLine(const QString& text)
{
    QString line = text;
    KeepBeforeFirst(line, QChar(0));
    line.replace(u'\r', u' ');
    line.replace(u'\n', u' ');
    return line;
}

std::optional<QString> FindValue(const QString& file, const QString& section, const QString& key)
{
    const QStringList lines = ReadLines(file);
    const auto range = FindSection(lines, section);
    if (!range)
        return std::nullopt;
    const qsizetype at = FindKey(lines, range->first, range->second, key);
    if (at < 0)
        return std::nullopt;
    const QString& line = lines[at];
    return Unquote(TrimBlanks(line.mid(line.indexOf(u'=') + 1)));
}

} // namespace

SettingValue::SettingValue(double number) : kind_(Kind::Number)
{
    if (std::isfinite(number) && number == std::trunc(number) && std::fabs(number) < 1e15)
        text_ = QString::number(static_cast<qint64>(number));
    else
        // Seven significant digits: what a single-precision value shows.
        text_ = QString::number(number, 'g', 7);
}

QString ReadSetting(const QString& file, const QString& section, const QString& key,
                    const SettingValue& defaultValue)
{
    QString value = FindValue(file, section, key).value_or(defaultValue.Text());
    value = LimitBytes(value);
    KeepBeforeFirst(value, QChar(0));
    if (defaultValue.GetKind() == SettingValue::Kind::Text) {
        DropThroughFirst(value, u'"');
        KeepBeforeLast(value, u'"');
    }
    return value;
}

namespace {

void PutSetting(QStringList& lines, const QString& section, const QString& key,
                const SettingValue& value)
{
    const QString name = TrimBlanks(OneLine(key));
    const QString group = TrimBlanks(OneLine(section));
    if (name.isEmpty())
        return;
    QString stored = OneLine(value.Text());
    if (value.GetKind() == SettingValue::Kind::Text)
        stored = u'"' + stored + u'"';
    const QString entry = name + u'=' + stored;

    const auto range = FindSection(lines, group);
    if (!range) {
        lines.append(u'[' + group + u']');
        lines.append(entry);
    } else {
        const qsizetype at = FindKey(lines, range->first, range->second, name);
        if (at >= 0) {
            lines[at] = entry;
        } else {
            // After the section's last non-blank line, so blank separators stay between sections.
            qsizetype insert = range->second;
            while (insert > range->first && TrimBlanks(lines[insert - 1]).isEmpty())
                --insert;
            lines.insert(insert, entry);
        }
    }
}

void WriteLines(const QString& file, const QStringList& lines)
{
    WriteFileAtomically(
        file, EncodeTextFile(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")));
}

} // namespace

void WriteSetting(const QString& file, const QString& section, const QString& key,
                  const SettingValue& value)
{
    if (TrimBlanks(OneLine(key)).isEmpty())
        return;
    QStringList lines = ReadLines(file);
    PutSetting(lines, section, key, value);
    WriteLines(file, lines);
}

void WriteSettings(const QString& file, const QString& section,
                   const std::vector<std::pair<QString, SettingValue>>& values)
{
    QStringList lines = ReadLines(file);
    bool any = false;
    for (const auto& [key, value] : values) {
        if (TrimBlanks(OneLine(key)).isEmpty())
            continue;
        PutSetting(lines, section, key, value);
        any = true;
    }
    if (any)
        WriteLines(file, lines);
}

std::optional<bool> SettingToTruth(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (const std::optional<double> number = SettingToNumber(trimmed))
        return *number != 0;
    return std::nullopt;
}

std::optional<double> SettingToNumber(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    for (const QChar c : trimmed) {
        if (!(c.isDigit() && c.unicode() < 128) && c != u'.' && c != u'-' && c != u'+' &&
            c != u'e' && c != u'E')
            return std::nullopt;
    }
    bool ok = false;
    const double number = trimmed.toDouble(&ok);
    if (!ok || !std::isfinite(number))
        return std::nullopt;
    return number;
}
