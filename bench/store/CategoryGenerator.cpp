#include "CategoryGenerator.h"

#include <algorithm>

namespace {

const char* const kHabitRoots[] = {
    "仕事", "家庭", "趣味",  "買い物", "健康",   "旅行",  "読書",  "映画",   "料理",  "勉強",
    "work", "home", "hobby", "travel", "health", "study", "music", "sports", "money", "idea",
};
const char* const kHabitSuffixes[] = {"", "A", "B", "メモ", "予定", "記録", "log", "2", "案", "済"};

const char* const kSurnames[] = {
    "佐藤", "鈴木", "高橋",   "田中", "伊藤", "渡辺", "山本", "中村", "小林", "加藤",
    "吉田", "山田", "佐々木", "山口", "松本", "井上", "木村", "林",   "斎藤", "清水",
    "山崎", "森",   "池田",   "橋本", "阿部", "石川", "山下", "中島", "石井", "小川",
    "前田", "岡田", "長谷川", "藤田", "後藤", "近藤", "村上", "遠藤", "青木", "坂本",
};
const char* const kGivenNames[] = {
    "一郎", "健一", "誠",   "大輔", "翔太",   "拓也", "直樹", "浩",   "修",   "学",
    "陽子", "恵子", "裕子", "美穂", "真由美", "花子", "彩",   "舞",   "愛",   "明美",
    "和也", "達也", "亮",   "剛",   "隆",     "茂",   "智子", "由美", "京子", "幸子",
};
const char* const kCompanyNames[] = {
    "東洋", "日本", "中央", "北斗", "大和", "平和", "旭",   "三栄", "光陽", "富士",
    "太平", "明治", "昭和", "東邦", "関東", "関西", "九州", "北海", "丸山", "新星",
    "青空", "朝日", "共栄", "協和", "三和", "第一", "国際", "東京", "大阪", "名古屋",
    "横浜", "神戸", "京都", "広島", "仙台", "札幌", "福岡", "千葉", "埼玉", "静岡",
};
const char* const kCompanyKinds[] = {
    "商事", "電機", "工業", "物産", "建設",   "製薬", "印刷", "運輸", "食品", "不動産",
    "銀行", "証券", "保険", "化学", "製作所", "技研", "産業", "通信", "出版", "観光",
};
const char* const kPlaces[] = {
    "渋谷", "新宿",   "池袋",   "品川", "上野",   "秋葉原", "銀座",   "有楽町", "浜松町",
    "田町", "目黒",   "恵比寿", "中野", "吉祥寺", "立川",   "町田",   "川崎",   "大宮",
    "浦和", "柏",     "船橋",   "松戸", "藤沢",   "鎌倉",   "小田原", "横須賀", "八王子",
    "府中", "調布",   "三鷹",   "梅田", "難波",   "天王寺", "三宮",   "元町",   "栄",
    "金山", "博多",   "天神",   "小倉", "札幌",   "仙台",   "新潟",   "金沢",   "富山",
    "長野", "岐阜",   "浜松",   "奈良", "和歌山", "岡山",   "高松",   "松山",   "高知",
    "熊本", "鹿児島", "那覇",   "函館", "盛岡",   "秋田",
};
const char* const kFacilities[] = {
    "駅",   "店",   "支店",   "営業所", "工場",   "倉庫",     "病院", "図書館",
    "教室", "会場", "ホテル", "事務所", "出張所", "センター", "本社",
};
const char* const kSubjects[] = {
    "英語",   "数学",   "物理", "化学",   "生物",   "歴史",   "地理",     "簿記",
    "統計",   "経済",   "法律", "会計",   "中国語", "韓国語", "ドイツ語", "フランス語",
    "ピアノ", "ギター", "書道", "茶道",   "料理",   "写真",   "水彩",     "将棋",
    "囲碁",   "ヨガ",   "水泳", "テニス", "剣道",   "陶芸",
};
const char* const kLevels[] = {"入門", "初級", "中級", "上級", "講座", "検定", "試験"};
const char* const kEvents[] = {
    "定例会", "勉強会", "読書会", "同窓会", "忘年会", "発表会", "説明会", "研修", "面談", "展示会",
};
const char* const kCodeNames[] = {
    "Apollo",  "Borealis", "Cobalt",  "Delta",  "Ember",    "Falcon", "Granite", "Helix",
    "Iris",    "Juniper",  "Kestrel", "Lumen",  "Meridian", "Nimbus", "Onyx",    "Polaris",
    "Quartz",  "Raven",    "Sierra",  "Tundra", "Umbra",    "Vega",   "Willow",  "Xenon",
    "Yukon",   "Zephyr",   "Aurora",  "Beacon", "Cedar",    "Dune",   "Echo",    "Fjord",
    "Glacier", "Harbor",   "Indigo",  "Jade",   "Krypton",  "Lotus",  "Mosaic",  "Nova",
};

QString Text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Every family of topic keywords, all distinct apart from letter case and
// free of the blanks and commas that would cut them.
QStringList TopicVocabulary()
{
    QStringList words;
    for (const char* surname : kSurnames) {
        for (const char* given : kGivenNames)
            words << Text(surname) + Text(given);
    }
    for (const char* name : kCompanyNames) {
        for (const char* kind : kCompanyKinds)
            words << Text(name) + Text(kind);
    }
    for (const char* place : kPlaces) {
        for (const char* facility : kFacilities)
            words << Text(place) + Text(facility);
    }
    for (const char* subject : kSubjects) {
        for (const char* level : kLevels)
            words << Text(subject) + Text(level);
    }
    for (const char* event : kEvents) {
        for (int n = 1; n <= 300; ++n)
            words << QStringLiteral("第%1回").arg(n) + Text(event);
    }
    for (const char* code : kCodeNames) {
        for (int n = 1; n <= 250; ++n)
            words << Text(code) + QString::number(n);
    }
    for (int n = 1; n <= 9999; ++n) {
        words << QStringLiteral("案件%1").arg(n, 4, 10, QLatin1Char('0'));
        words << QStringLiteral("BUG-%1").arg(n);
    }
    for (char a = 'A'; a <= 'Z'; ++a) {
        for (char b = 'A'; b <= 'Z'; ++b) {
            for (int n = 100; n <= 2000; n += 100)
                words << QStringLiteral("%1%2-%3").arg(QLatin1Char(a)).arg(QLatin1Char(b)).arg(n);
        }
    }
    return words;
}

constexpr qsizetype kTopicVocabularySize = 45000;

} // namespace

CategoryGenerator::CategoryGenerator(std::mt19937& random) : random_(random)
{
    for (const char* root : kHabitRoots) {
        for (const char* suffix : kHabitSuffixes)
            habitWords_ << Text(root) + Text(suffix);
    }
    topicWords_ = TopicVocabulary();
    std::shuffle(topicWords_.begin(), topicWords_.end(), random_);
    topicWords_.resize(std::min(topicWords_.size(), kTopicVocabularySize));
}

QString CategoryGenerator::Next()
{
    const int roll = std::uniform_int_distribution<int>(0, 99)(random_);
    if (roll < 25)
        return {};
    if (roll < 60)
        return Habitual();
    return Topical();
}

// People mostly pick a category text they used before from the category box,
// so new combinations of the habitual keywords are rare.
QString CategoryGenerator::Habitual()
{
    std::uniform_int_distribution<int> roll(0, 99);
    if (!habitTexts_.isEmpty() && roll(random_) < 97)
        return habitTexts_[std::min<qsizetype>(std::geometric_distribution<int>(0.01)(random_),
                                               habitTexts_.size() - 1)];
    std::geometric_distribution<int> which(0.04);
    const int count = std::discrete_distribution<int>({0, 50, 35, 15})(random_);
    QStringList chosen;
    for (int i = 0; i < count; ++i)
        chosen << habitWords_[std::min<qsizetype>(which(random_), habitWords_.size() - 1)];
    habitTexts_ << Join(chosen);
    return habitTexts_.last();
}

// A topic's text is reused while it is current; a new one mostly brings a new
// keyword, sometimes with one of the last topics or a habitual keyword.
QString CategoryGenerator::Topical()
{
    std::uniform_int_distribution<int> roll(0, 99);
    if (!topicTexts_.isEmpty() && roll(random_) < 45) {
        QString text = Recent(topicTexts_, 0.05);
        // Typed by hand now and then: the list keeps the first spelling.
        if (roll(random_) < 2)
            text = text.toLower();
        return text;
    }
    QStringList words;
    if (usedTopicWords_.isEmpty() || roll(random_) < 65)
        words << FreshTopicWord();
    else
        words << Recent(usedTopicWords_, 0.01);
    if (roll(random_) < 30) {
        const QString other = Recent(usedTopicWords_, 0.02);
        if (!words.contains(other))
            words << other;
    }
    if (roll(random_) < 55) {
        const QString habit = habitWords_[std::min<qsizetype>(
            std::geometric_distribution<int>(0.04)(random_), habitWords_.size() - 1)];
        if (roll(random_) < 50)
            words.prepend(habit);
        else
            words << habit;
    }
    topicTexts_ << Join(words);
    return topicTexts_.last();
}

QString CategoryGenerator::FreshTopicWord()
{
    // Past the end of the vocabulary, old topics come back.
    const QString word = nextTopicWord_ < topicWords_.size()
                             ? topicWords_[nextTopicWord_++]
                             : topicWords_[std::uniform_int_distribution<qsizetype>(
                                   0, topicWords_.size() - 1)(random_)];
    usedTopicWords_ << word;
    return word;
}

QString CategoryGenerator::Recent(const QStringList& list, double p)
{
    const qsizetype back =
        std::min<qsizetype>(std::geometric_distribution<int>(p)(random_), list.size() - 1);
    return list[list.size() - 1 - back];
}

QString CategoryGenerator::Join(const QStringList& words)
{
    static const QString separators[] = {QStringLiteral(" "), QStringLiteral(", "),
                                         QStringLiteral("、"), QStringLiteral("\u3000")};
    return words.join(separators[std::uniform_int_distribution<int>(0, 3)(random_)]);
}
