#include "ui/controls/JapaneseInterface.h"

#include "ui/controls/DesignFonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <cstring>

namespace {

const QLocale& Japanese()
{
    static const QLocale locale(QLocale::Japanese, QLocale::Japan);
    return locale;
}

// Texts that Qt 6 moved to a new context and that Debian's translation has not
// followed yet; the file dialog shows them in its type column.
struct MissingText {
    const char* context;
    const char* source;
    const char16_t* japanese;
};

constexpr MissingText kMissingTexts[] = {
    {"QAbstractFileIconProvider", "Folder", u"フォルダ"},
    {"QAbstractFileIconProvider", "Drive", u"ドライブ"},
    {"QAbstractFileIconProvider", "Shortcut", u"ショートカット"},
    {"QAbstractFileIconProvider", "Unknown", u"不明"},
};

class QtTranslation : public QTranslator {
public:
    QString translate(const char* context, const char* sourceText, const char* disambiguation,
                      int n) const override
    {
        QString text = QTranslator::translate(context, sourceText, disambiguation, n);
        if (!text.isEmpty() || !context || !sourceText)
            return text;
        for (const MissingText& missing : kMissingTexts) {
            if (std::strcmp(context, missing.context) == 0 &&
                std::strcmp(sourceText, missing.source) == 0)
                return QString::fromUtf16(missing.japanese);
        }
        return text;
    }
};

} // namespace

QStringList QtTranslationFolders()
{
    return {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

std::unique_ptr<QTranslator> LoadQtTranslation()
{
    auto translator = std::make_unique<QtTranslation>();
    for (const QString& folder : QtTranslationFolders()) {
        if (translator->load(Japanese(), QStringLiteral("qtbase"), QStringLiteral("_"), folder))
            return translator;
    }
    return nullptr;
}

bool UseJapaneseInterface()
{
    // Dates and numbers in Qt's dialogs follow the interface, not the system.
    QLocale::setDefault(Japanese());
    QApplication::setFont(DesignFonts::WindowFont());
    std::unique_ptr<QTranslator> translator = LoadQtTranslation();
    if (!translator)
        return false;
    QCoreApplication::installTranslator(translator.get());
    translator.release()->setParent(qApp);
    return true;
}
