#include "store/StringList.h"

#include "env/FSOHelper.h"
#include "store/ListControl.h"

namespace {

const QString kLineEnd = QStringLiteral("\r\n");

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
    bool wordTaken = false;
    if (split_) {
        QString s = newItem;
        s.replace(QChar(0x3001), QLatin1Char(',')); // 、
        s.replace(QChar(0x3000), QLatin1Char(' ')); // ideographic space
        QStringList pieces;
        if (!s.contains(QLatin1Char(','))) {
            pieces = s.split(QLatin1Char(' '));
        } else {
            s.remove(QLatin1Char(' '));
            pieces = s.split(QLatin1Char(','));
        }
        for (const QString& piece : pieces) {
            if (piece.isEmpty())
                continue;
            AddEntry(piece);
            wordTaken = true;
        }
    }
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
