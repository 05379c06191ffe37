#pragma once
#include <QHash>
#include <QString>
#include <QStringList>

class ListControl;

// An ordered list of distinct texts, compared without regard to letter case
// (Unicode case folding, so full-width letters fold as well). Used for the
// category keywords ("category.list"), the search history ("string.list") and
// the terms of a search condition.
class StringList {
public:
    // Split: Add cuts a text into keywords. TextFileMode: Add also keeps the whole
    // text. Both are true by default (the category list).
    bool Split() const { return split_; }
    void SetSplit(bool split) { split_ = split; }
    bool TextFileMode() const { return textFileMode_; }
    void SetTextFileMode(bool textFileMode) { textFileMode_ = textFileMode; }

    // Adds every complete line (ended by CR LF) unchanged, without cutting; lines
    // already present apart from letter case are skipped. A missing file is
    // created empty.
    void LoadFromFile(const QString& filePath);
    // One line per entry, each ended by CR LF. False when the file could not be
    // written (the old file is then kept).
    bool SaveToFile(const QString& filePath) const;
    // Hides the control, clears it, adds every entry in order, shows it again.
    void FillListBox(ListControl& target) const;

    // The entry stored under the key (as first added), or an empty text.
    QString Item(const QString& key) const;
    bool Has(const QString& key) const;
    // Adds the text and, depending on Split and TextFileMode, its keywords:
    // "、" reads as ",", U+3000 as a blank; with a comma present the blanks are
    // dropped and the text is cut at the commas, otherwise at the blanks.
    void Add(const QString& newItem);
    void Clear();
    qsizetype Count() const { return items_.size(); }

    const QStringList& Items() const { return items_; }
    QStringList::const_iterator begin() const { return items_.cbegin(); }
    QStringList::const_iterator end() const { return items_.cend(); }

    // The terms a search condition or a record's category stands for: Add with
    // Split on and TextFileMode off, into an empty list.
    static QStringList Terms(const QString& condition);
    // Whether every key is the key of one of a text's terms, without cutting
    // the text into a list.
    static bool HasTerms(const QString& text, const QStringList& keys);
    // The form under which texts are compared: the text case-folded.
    static QString Key(const QString& text);

private:
    // False when an entry with the same key was there already.
    bool AddEntry(const QString& text);

    QStringList items_;
    QHash<QString, qsizetype> index_; // folded text -> position in items_
    bool split_ = true;
    bool textFileMode_ = true;
};
