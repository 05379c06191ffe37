#include "store/StringList.h"

#include "env/FSOHelper.h"
#include "store/ListControl.h"

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
        QString joined;
        if (commas && std::any_of(piece.begin(), piece.end(), blank)) {
            for (QChar c : piece)
                if (!blank(c))
                    joined.append(c);
            piece = joined;
        }
        if (piece.isEmpty())
            continue;
        any = true;
        take(piece);
    }
    return any;
}

} // namespace

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
    const QString folded = Key(text);
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
