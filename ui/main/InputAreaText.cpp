#include "ui/main/InputAreaText.h"

#include "env/Folders.h"

namespace InputAreaText {

QString FilePath()
{
    return DataFolderPath() + QStringLiteral("inputarea.txt");
}

QString ToRecordText(const QString& inputText)
{
    QString text = inputText;
    // Paragraph and line separators of the text box, and plain LF, all become CR LF.
    text.replace(QChar::ParagraphSeparator, u'\n');
    text.replace(QChar::LineSeparator, u'\n');
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return text;
}

QString ToInputText(const QString& recordText)
{
    QString text = recordText;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(u'\r', u'\n');
    return text;
}

QString FileContent(const QString& text, const QString& category, const QString& link)
{
    return text + QChar(0) + category + QChar(0) + link;
}

} // namespace InputAreaText
