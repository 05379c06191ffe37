#include "DataGenerator.h"

#include "CategoryGenerator.h"

#include "env/DateTime.h"
#include "store/DataFormat.h"
#include "store/DateList.h"
#include "store/Log.h"
#include "store/LogList.h"
#include "store/StringList.h"
#include "store/XMLFile.h"

#include <QDate>
#include <QDir>
#include <QStringList>

#include <algorithm>
#include <random>

namespace {

const char* const kJapaneseWords[] = {
    "会議",           "打ち合わせ", "資料",
    "作成",           "確認",       "連絡",
    "予定",           "変更",       "今日は",
    "明日",           "昨日の",     "電話",
    "メール",         "返信",       "報告",
    "相談",           "提出",       "修正",
    "完了",           "開始",       "買い物",
    "散歩",           "読書",       "映画",
    "料理",           "掃除",       "洗濯",
    "病院",           "銀行",       "郵便局",
    "雨が降った",     "晴れ",       "寒い",
    "暑い",           "疲れた",     "楽しかった",
    "忘れないように", "メモ",       "東京",
    "大阪",           "新幹線",     "駅前",
    "喫茶店",         "図書館",     "公園",
    "友人と",         "家族で",     "久しぶりに",
    "について",       "ことにした", "しなければならない",
    "を見直す",       "の件",       "①",
    "髙橋さん",       "〜",
};
const char* const kAsciiWords[] = {
    "meeting", "report", "draft",
    "review",  "build",  "release",
    "fix",     "bug",    "test",
    "deploy",  "server", "client",
    "design",  "plan",   "budget",
    "invoice", "call",   "email",
    "todo",    "done",   "Project",
    "Alpha",   "Beta",   "v1.2",
    "2.0",     "OK",     "NG",
    "TODO:",   "C++",    "Qt",
    "XML",     "PDF",    "http://example.com/",
    "a&b",     "<note>", "x = y * 2",
    "50%",     "#42",    "\\\\server\\share",
};
QString Pick(std::mt19937& random, const char* const* words, size_t count)
{
    return QString::fromUtf8(words[std::uniform_int_distribution<size_t>(0, count - 1)(random)]);
}

template <size_t N> QString Pick(std::mt19937& random, const char* const (&words)[N])
{
    return Pick(random, words, N);
}

QString MakeText(std::mt19937& random)
{
    const int length = std::uniform_int_distribution<int>(20, 400)(random);
    QString text;
    std::uniform_int_distribution<int> roll(0, 99);
    while (text.size() < length) {
        const int r = roll(random);
        if (r < 55)
            text += Pick(random, kJapaneseWords);
        else if (r < 85)
            text += Pick(random, kAsciiWords) + QLatin1Char(' ');
        else if (r < 93)
            text += QStringLiteral("。");
        else
            text += QStringLiteral("\r\n");
    }
    text.truncate(length);
    if (text.endsWith(QLatin1Char('\r')))
        text.chop(1);
    return text;
}

QString MakeLink(std::mt19937& random)
{
    switch (std::uniform_int_distribution<int>(0, 19)(random)) {
    case 0:
        return QStringLiteral("https://example.com/page/%1").arg(random() % 10000);
    case 1:
        return QStringLiteral("/home/user/文書/report-%1.pdf").arg(random() % 1000);
    case 2:
        return QStringLiteral("/home/user/projects/");
    default:
        return {};
    }
}

} // namespace

GeneratedFolder GenerateDataFolder(const GeneratorOptions& options, QString* error)
{
    RegisterShiftJisAliases();
    QString folder = options.folder;
    if (!folder.endsWith(QLatin1Char('/')))
        folder += QLatin1Char('/');
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot create %1").arg(folder);
        return {};
    }
    std::mt19937 random(options.seed);
    CategoryGenerator categoryGenerator(random);
    // The data ends in the month before the current one, so a record written
    // now opens a month of its own and "the newest month" is a full one.
    const QDate today = QDate::currentDate();
    const QDate last = QDate(today.year(), today.month(), 1).addDays(-1);
    const QDate first = QDate(last.year() - options.years, last.month(), 1).addMonths(1);

    DateList dates;
    StringList categories;
    qint64 written = 0;
    for (QDate month = first; month <= last; month = month.addMonths(1)) {
        XMLFile file;
        const QString yearFolder = folder + QString::number(month.year()) + QLatin1Char('/');
        QDir().mkpath(yearFolder);
        const QString path =
            yearFolder + QStringLiteral("%1.diary").arg(month.month(), 2, 10, QLatin1Char('0'));
        file.Initialize(path, DataFormat::CharacterEncoding, DataFormat::RootElementName);
        for (QDate day = month; day.month() == month.month() && day <= last; day = day.addDays(1)) {
            // Distinct seconds of the waking day, in order.
            std::vector<int> seconds;
            while (static_cast<int>(seconds.size()) < options.perDay) {
                const int s = std::uniform_int_distribution<int>(7 * 3600, 24 * 3600 - 1)(random);
                if (std::find(seconds.begin(), seconds.end(), s) == seconds.end())
                    seconds.push_back(s);
            }
            std::sort(seconds.begin(), seconds.end());
            for (int s : seconds) {
                const DateTime when = DateTime::FromParts(day.year(), day.month(), day.day(),
                                                          s / 3600, s / 60 % 60, s % 60);
                Log log;
                log.Initialize(when, categoryGenerator.Next(), MakeLink(random),
                               Log::StoredText(MakeText(random)));
                log.SaveToXMLDocument(file.Document());
                dates.Add(when);
                categories.Add(log.Category());
                ++written;
            }
        }
        if (!file.SaveToFile(path)) {
            *error = QStringLiteral("cannot write %1").arg(path);
            return {};
        }
    }
    if (!dates.SaveToFile(folder + QStringLiteral("logdate.list")) ||
        !categories.SaveToFile(folder + QStringLiteral("category.list"))) {
        *error = QStringLiteral("cannot write the lists in %1").arg(folder);
        return {};
    }
    return {written, categories.Count()};
}
