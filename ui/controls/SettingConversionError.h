#pragma once
// A stored setting whose text is not of the kind the caller needs (a number, a
// truth value). The caller decides what to skip; what was applied before stays.
#include <QString>

#include <stdexcept>

class SettingConversionError : public std::runtime_error {
public:
    SettingConversionError(const QString& section, const QString& key, const QString& text)
        : std::runtime_error(QStringLiteral("[%1] %2=%3 cannot be converted")
                                 .arg(section, key, text)
                                 .toStdString()),
          section_(section), key_(key), text_(text)
    {
    }

    const QString& Section() const { return section_; }
    const QString& Key() const { return key_; }
    const QString& Text() const { return text_; }

private:
    QString section_;
    QString key_;
    QString text_;
};
