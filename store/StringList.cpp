#include "store/StringList.h"

#include "env/FSOHelper.h"
#include "store/ListControl.h"

#include <QVarLengthArray>

#include <algorithm>

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

// Hands every non-empty piece of a text to take, cut as Add describes;
// false when there was none.
template <typename Take> bool ForEachPiece(QStringView text, Take&& take)
{
    const auto comma = [](QChar c) { return c == QLatin1Char(',') || c == QChar(0x3001); };
    const auto blank = [](QChar c) { return c == QLatin1Char(' ') || c == QChar(0x3000); };
    const bool commas = std::any_of(text.begin(), text.end(), comma);
    bool any = false;
    qsizetype start = 0;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        if (i < text.size() && !(commas ? comma(text[i]) : blank(text[i])))
            continue;
        QStringView piece = text.sliced(start, i - start);
        start = i + 1;
        // On the stack: a search cuts every category text of the book.
        QVarLengthArray<QChar, 64> joined;
        if (commas && std::any_of(piece.begin(), piece.end(), blank)) {
            for (QChar c : piece)
                if (!blank(c))
                    joined.append(c);
            piece = QStringView(joined.data(), joined.size());
        }
        if (piece.isEmpty())
            continue;
        any = true;
        take(piece);
    }
    return any;
}

// Kana, the CJK ideographs and their punctuation, half-width katakana: no
// character of these ranges changes when folded.
bool IsCaseless(char16_t c)
{
    return (c >= 0x3000 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x4DBF) ||
           (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xFF61 && c <= 0xFF9F);
}

// The text case-folded into out (room for its size) without Qt's tables,
// which look every character up: false when a character needs them. Most
// texts here are ASCII and Japanese.
bool FoldSimple(QStringView text, char16_t* out)
{
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u >= 0x80 && !IsCaseless(u))
            return false;
        *out++ = u >= u'A' && u <= u'Z' ? static_cast<char16_t>(u + (u'a' - u'A')) : u;
    }
    return true;
}

} // namespace

QString StringList::Key(const QString& text)
{
    QVarLengthArray<char16_t, 64> folded(text.size());
    if (!FoldSimple(text, folded.data()))
        return text.toCaseFolded();
    const QStringView view(folded.data(), folded.size());
    return view == text ? text : view.toString();
}

bool StringList::AddEntry(const QString& text)
{
    QString key = Key(text);
    if (index_.contains(key))
        return false;
    index_.insert(std::move(key), items_.size());
    items_.append(text);
    return true;
}

void StringList::Add(const QString& newItem)
{
    if (newItem.isEmpty())
        return;
    const bool wordTaken =
        split_ && ForEachPiece(newItem, [&](QStringView piece) { AddEntry(piece.toString()); });
    if (textFileMode_ || !wordTaken)
        AddEntry(newItem);
}

QStringList StringList::Terms(const QString& condition)
{
    StringList terms;
    terms.SetTextFileMode(false);
    terms.Add(condition);
    return terms.items_;
}

bool StringList::HasTerms(const QString& text, const QStringList& keys)
{
    // Folding goes code point by code point and leaves the separators as
    // they are, so the pieces of the folded text are the keys of its terms.
    // Folded on the stack where it can be: a search checks every category
    // text of the book.
    QVarLengthArray<char16_t, 64> buffer(text.size());
    QString general;
    QStringView folded(buffer.data(), buffer.size());
    if (!FoldSimple(text, buffer.data())) {
        general = Key(text);
        folded = general;
    }
    for (const QString& key : keys) {
        bool found = false;
        const bool any =
            ForEachPiece(folded, [&](QStringView piece) { found = found || piece == key; });
        if (!any)
            found = !folded.isEmpty() && folded == key;
        if (!found)
            return false;
    }
    return true;
}

QString StringList::Item(const QString& key) const
{
    const auto found = index_.constFind(Key(key));
    return found == index_.cend() ? QString() : items_.at(found.value());
}

bool StringList::Has(const QString& key) const
{
    return index_.contains(Key(key));
}

void StringList::Clear()
{
    items_.clear();
    index_.clear();
}

void StringList::LoadFromFile(const QString& filePath)
{
    const QString text = ReadTextFile(filePath, true);
    QStringList lines = text.split(kLineEnd);
    // What follows the last CR LF is no complete line.
    lines.removeLast();
    for (const QString& line : std::as_const(lines)) {
        // The program never writes an empty entry; one in the file is not offered.
        if (!line.isEmpty())
            AddEntry(line);
    }
}

bool StringList::SaveToFile(const QString& filePath) const
{
    QString text;
    qsizetype length = 0;
    for (const QString& item : items_)
        length += item.size() + 2;
    text.reserve(length);
    for (const QString& item : items_) {
        text += item;
        text += kLineEnd;
    }
    return WriteTextFile(filePath, text, true);
}

void StringList::FillListBox(ListControl& target) const
{
    target.SetVisible(false);
    target.Clear();
    for (const QString& item : items_)
        target.AddItem(item);
    target.SetVisible(true);
}
