#pragma once
#include <QString>
#include <QStringList>

#include <random>

// Category texts as years of real use produce them: a quarter of the records
// have none, many reuse a handful of habitual keywords ("仕事", "home"), and the
// rest follow topics that come and go (a person, a customer, a case number)
// whose keywords are new when they appear, are used for a while and then fade.
// Over 146,000 records that gives a category list of about 44,000 entries.
class CategoryGenerator {
public:
    explicit CategoryGenerator(std::mt19937& random);

    QString Next();

private:
    QString Habitual();
    QString Topical();
    QString FreshTopicWord();
    // A recent entry of the list: the newest is the likeliest.
    QString Recent(const QStringList& list, double p);
    QString Join(const QStringList& words);

    std::mt19937& random_;
    QStringList habitWords_; // ~200 keywords used all along
    QStringList topicWords_; // ~45,000 keywords, shuffled
    qsizetype nextTopicWord_ = 0;
    QStringList habitTexts_; // category texts built from habit words, oldest first
    QStringList topicTexts_; // topical category texts, oldest first
    QStringList usedTopicWords_;
};
