#pragma once
// Single values of the settings file, read and written the way the Windows
// profile functions do it (sections and keys without regard to case, blanks
// trimmed, one pair of enclosing quotes removed, at most 255 bytes), in an
// INI file of CR LF lines in code page 932.
#include <QString>

#include <optional>
#include <utility>
#include <vector>

// A typed default or value: text is stored in double quotes, truth values as
// "True"/"False", numbers as decimal text.
class SettingValue {
public:
    enum class Kind { Text, Truth, Number };

    SettingValue(const QString& text) : kind_(Kind::Text), text_(text) {}
    SettingValue(const char* text) : kind_(Kind::Text), text_(QString::fromUtf8(text)) {}
    SettingValue(bool truth) : kind_(Kind::Truth), text_(truth ? "True" : "False") {}
    SettingValue(int number) : kind_(Kind::Number), text_(QString::number(number)) {}
    SettingValue(double number);

    Kind GetKind() const { return kind_; }
    // The value as text, without the quotes a text value gets in the file.
    const QString& Text() const { return text_; }

private:
    Kind kind_;
    QString text_;
};

// The value as text; the default's text when the file, section or key is missing.
QString ReadSetting(const QString& file, const QString& section, const QString& key,
                    const SettingValue& defaultValue);
// Creates the file, section and key as needed; failures are not reported.
void WriteSetting(const QString& file, const QString& section, const QString& key,
                  const SettingValue& value);
// Several keys of one section in a single rewrite of the file, giving the same
// file as writing them one after another.
void WriteSettings(const QString& file, const QString& section,
                   const std::vector<std::pair<QString, SettingValue>>& values);

// "True"/"False" in any case, or a number (0 is false, anything else true).
std::optional<bool> SettingToTruth(const QString& text);
// Decimal text with an optional sign, fraction and exponent; blanks around it allowed.
std::optional<double> SettingToNumber(const QString& text);
