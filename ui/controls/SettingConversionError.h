#pragma once
// A stored setting whose text is not of the kind the caller needs (a number, a
// truth value). Returned, not thrown: a damaged settings file is to be expected,
// and what was applied before the setting stays.
#include <QString>

class SettingConversionError {
public:
    SettingConversionError(const QString& section, const QString& key, const QString& text)
        : section_(section), key_(key), text_(text)
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
