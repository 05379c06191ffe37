#pragma once
// The text of the main window's input area as a record keeps it, and the
// content of the file that keeps the unsent input.
#include <QString>

namespace InputAreaText {

// Line breaks of the input area (LF, or the text box's paragraph and line
// separators) as a record keeps them (CR LF), and back.
QString ToRecordText(const QString& inputText);
QString ToInputText(const QString& recordText);
// The input-area file in the user's data folder.
QString FilePath();
// The content of the input-area file: text, U+0000, category, U+0000, link.
QString FileContent(const QString& text, const QString& category, const QString& link);

} // namespace InputAreaText
