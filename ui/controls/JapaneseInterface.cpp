#include "ui/controls/JapaneseInterface.h"

#include "ui/controls/DesignFonts.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

const QLocale& Japanese()
{
    static const QLocale locale(QLocale::Japanese, QLocale::Japan);
    return locale;
}

} // namespace

QStringList QtTranslationFolders()
{
    return {QCoreApplication::applicationDirPath() + QStringLiteral("/translations"),
            QLibraryInfo::path(QLibraryInfo::TranslationsPath)};
}

std::unique_ptr<QTranslator> LoadQtTranslation()
{
    auto translator = std::make_unique<QTranslator>();
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
    QApplication::setFont(DesignFonts::DesignFont(9.75));
    std::unique_ptr<QTranslator> translator = LoadQtTranslation();
    if (!translator)
        return false;
    QCoreApplication::installTranslator(translator.get());
    translator.release()->setParent(qApp);
    return true;
}
