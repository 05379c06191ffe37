#include "store/XMLFile.h"

#include "env/AtomicFile.h"
#include "env/MessageService.h"
#include "store/XmlNode.h"
#include "support/QtPrinters.h"
#include "support/TempFolder.h"

#include <QDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

const QByteArray kDeclaration("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n");
const QString kHeading = QString::fromUtf8("XML データファイルの操作中に不具合が生じました。");
const QString kReason = QString::fromUtf8("内容を XML として読み取れません。理由（英語）：");

QString DataPath(const QString& name)
{
    return QStringLiteral(QUILLMERE_TEST_DATA) + u'/' + name;
}

xmlNodePtr FirstLog(const XMLFile& file)
{
    const QList<xmlNodePtr> logs = ChildElements(RootElement(file.Document()), "log");
    return logs.isEmpty() ? nullptr : logs.first();
}

class DataFile : public ::testing::Test {
protected:
    void TearDown() override { SetAtomicWriteFaultForTesting(std::nullopt); }

    // A new month file with one record element holding the text and a link.
    QByteArray SaveRecord(const QString& text, const QString& href = {})
    {
        XMLFile file;
        file.Initialize(path, "Shift_JIS", "diary");
        xmlNodePtr log = AppendElement(RootElement(file.Document()), "log");
        SetAttribute(log, "date", "2001-10-13T12:34:56+09:00");
        if (!href.isEmpty())
            SetAttribute(log, "href", href);
        SetTextContent(log, text);
        EXPECT_TRUE(file.SaveToFile(path));
        return TempFolder::ReadBytes(path);
    }

    // Loads the file, expecting no error, and gives back the first record's text.
    QString LoadedText(QString* href = nullptr)
    {
        XMLFile file;
        EXPECT_TRUE(file.LoadFromFile(path)) << file.LoadError().toStdString();
        xmlNodePtr log = FirstLog(file);
        if (href)
            *href = GetAttribute(log, "href");
        return TextContent(log);
    }

    TempFolder folder;
    QString path = folder.dataFile("10.diary");
};

TEST_F(DataFile, InitializeWritesNothingAndMakesTheDeclarationAndRoot)
{
    XMLFile file;
    file.Initialize(path, "Shift_JIS", "diary");
    EXPECT_EQ(file.Path(), path);
    EXPECT_TRUE(file.HasRootElement());
    EXPECT_EQ(ElementName(RootElement(file.Document())), "diary");
    EXPECT_FALSE(QFileInfo::exists(path));
    EXPECT_EQ(file.Serialize(), kDeclaration + "<diary/>\r\n");
}

TEST_F(DataFile, EmptyEncodingGivesTheVersionAlone)
{
    XMLFile file;
    file.Initialize(path, QString(), "diary");
    EXPECT_EQ(file.Serialize(), QByteArray("<?xml version=\"1.0\"?>\r\n<diary/>\r\n"));
}

TEST_F(DataFile, SaveAndReloadKeepTheDeclarationAndRootExactly)
{
    const QByteArray saved = SaveRecord("本文");
    EXPECT_TRUE(saved.startsWith(kDeclaration + "<diary><log date="));
    XMLFile file;
    EXPECT_TRUE(file.LoadFromFile(path));
    EXPECT_EQ(file.Path(), path);
    EXPECT_TRUE(file.SaveToFile(path));
    EXPECT_EQ(TempFolder::ReadBytes(path), saved);
}

TEST_F(DataFile, WindowsFileLoadsRightAndSavesBackTheSameBytes)
{
    const QByteArray original = TempFolder::ReadBytes(DataPath("windows-cp932.diary"));
    ASSERT_FALSE(original.isEmpty());
    TempFolder::WriteBytes(path, original);
    XMLFile file;
    file.LoadFromFile(path);
    ASSERT_FALSE(file.LoadFailed()) << file.LoadError().toStdString();
    xmlNodePtr log = FirstLog(file);
    EXPECT_EQ(GetAttribute(log, "href"), QString::fromUtf8("C:\\Documents\\メモ～.txt"));
    EXPECT_EQ(GetAttribute(log, "category"), QString::fromUtf8("仕事 ①"));
    EXPECT_EQ(TextContent(log), QString::fromUtf8("～①髙ｶﾀｶﾅ\n二行目 C:\\temp\\ & <tag>"));
    EXPECT_EQ(ChildElements(RootElement(file.Document()), "log").size(), 2);
    EXPECT_TRUE(file.SaveToFile(path));
    EXPECT_EQ(TempFolder::ReadBytes(path), original);
}

TEST_F(DataFile, EveryShiftJisNameMeansCodePage932)
{
    for (const char* name : {"Shift_JIS", "shift_jis", "SJIS", "MS_Kanji", "Windows-31J"}) {
        TempFolder::WriteBytes(path,
                               QByteArray("<?xml version=\"1.0\" encoding=\"") + name +
                                   "\"?>\r\n<diary><log>\x87\x40\xFB\xFC\x5C</log></diary>\r\n");
        EXPECT_EQ(LoadedText(), QString::fromUtf8("①髙\\")) << name;
    }
}

TEST_F(DataFile, LineBreaksAreRawCrLfInTheFileAndLfInTheTree)
{
    const QByteArray saved = SaveRecord("一行目\r\n二行目\n三行目");
    EXPECT_TRUE(saved.contains("\r\n\x93\xF1\x8D\x73\x96\xDA\r\n\x8E\x4F"));
    EXPECT_FALSE(saved.contains("&#13;"));
    EXPECT_FALSE(saved.contains("\r\r"));
    EXPECT_EQ(LoadedText(), QString::fromUtf8("一行目\n二行目\n三行目"));
}

TEST_F(DataFile, LoneCarriageReturnSurvives)
{
    SaveRecord("a\rb");
    EXPECT_EQ(LoadedText(), "a\rb");
}

TEST_F(DataFile, CharactersCodePage932CannotHoldBecomeReferencesAndReadBack)
{
    const QString text = QString::fromUtf8("絵文字😀 한국어 𠮷野家 ～");
    const QString href = QString::fromUtf8("https://例え.jp/😀?a=1&b=한");
    const QByteArray saved = SaveRecord(text, href);
    EXPECT_TRUE(saved.contains("&#128512;"));
    EXPECT_TRUE(saved.contains("&#134071;"));
    QString loadedHref;
    EXPECT_EQ(LoadedText(&loadedHref), text);
    EXPECT_EQ(loadedHref, href);
}

TEST_F(DataFile, RecordsOverTenMegabytesLoadBack)
{
    // Double-byte characters at odd offsets also meet every boundary of the
    // pieces the parser converts.
    const QString text = QString::fromUtf8("あa").repeated(11 * 512 * 1024);
    const QString link(11 * 1024 * 1024, u'b');
    SaveRecord(text, link);
    QString href;
    EXPECT_EQ(LoadedText(&href), text);
    EXPECT_EQ(href, link);
}

TEST_F(DataFile, MarkupCharactersStayText)
{
    const QString text = "A & B <b>bold</b> ]]> &amp; \"'";
    const QString href = "http://x/?a=1&b=\"2\"<>";
    const QByteArray saved = SaveRecord(text, href);
    EXPECT_TRUE(saved.contains("A &amp; B &lt;b&gt;"));
    QString loadedHref;
    EXPECT_EQ(LoadedText(&loadedHref), text);
    EXPECT_EQ(loadedHref, href);
}

TEST_F(DataFile, ControlCharactersNeverMakeAFileThatDoesNotParse)
{
    const QString bell =
        "ring" + QString(QChar(7)) + "bell" + QString(QChar(0)) + QString(QChar(0xFFFF));
    const QByteArray saved = SaveRecord(bell, "x" + QString(QChar(0x1B)) + "y");
    EXPECT_FALSE(saved.contains('\x07'));
    QString href;
    EXPECT_EQ(LoadedText(&href), "ringbell");
    EXPECT_EQ(href, "xy");
}

TEST_F(DataFile, SyntaxErrorTellsReasonLineColumnAndSourceText)
{
    // Column 7 counts characters: the two double-byte characters before it are two columns.
    TempFolder::WriteBytes(path,
                           kDeclaration + "<diary>\r\n<a>\xFB\xFC\x87\x40<<</a>\r\n</diary>\r\n");
    XMLFile file;
    EXPECT_FALSE(file.LoadFromFile(path, {}, DataFolderPath()));
    const QString expected = kHeading + QString::fromUtf8("\r\nファイル：10.diary\r\n") + kReason +
                             "StartTag: invalid element name\r\n3" + QString::fromUtf8("行 ") +
                             "7" + QString::fromUtf8("桁：<a>髙①<<</a>");
    EXPECT_EQ(file.LoadError(), expected);
    EXPECT_TRUE(file.LoadFailed());
    EXPECT_FALSE(file.HasRootElement());
    EXPECT_EQ(file.Path(), path);
}

TEST_F(DataFile, FirstErrorIsReportedNotItsConsequences)
{
    TempFolder::WriteBytes(path, kDeclaration + "<diary>\r\n<log date=1/>\r\n</diary>\r\n");
    XMLFile file;
    EXPECT_FALSE(file.LoadFromFile(path));
    EXPECT_TRUE(file.LoadError().contains(kReason + "AttValue: \" or ' expected\r\n3"))
        << file.LoadError().toStdString();
}

TEST_F(DataFile, LongSourceLineIsCutAroundTheColumn)
{
    // As the program writes a month: every record on the line after the declaration.
    const QByteArray records = QByteArray("<log date=\"x\">").repeated(40);
    const struct {
        QByteArray before, after;
        QString shown;
    } cases[] = {
        {"<diary>" + records + "<a b=1>", records + "</diary>",
         QString::fromUtf8("…") + QString(QLatin1String(records.right(55))) + "<a b=1>" +
             QString(QLatin1String(records.left(58))) + QString::fromUtf8("…")},
        {"<diary><a b=1>", records + "</diary>",
         "<diary><a b=1>" + QString(QLatin1String(records.left(106))) + QString::fromUtf8("…")},
        // A double-byte character on the cut is kept whole.
        {"<diary>" + records + "<a b=1>", records.left(57) + "\xF0\x9F\x98\x80" + records,
         QString::fromUtf8("…") + QString(QLatin1String(records.right(55))) + "<a b=1>" +
             QString(QLatin1String(records.left(57))) + QString::fromUtf8("😀…")},
    };
    for (const auto& c : cases) {
        TempFolder::WriteBytes(path, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n" + c.before +
                                         c.after);
        XMLFile file;
        ASSERT_FALSE(file.LoadFromFile(path, {}, folder.path()));
        const QString text = file.LoadError();
        EXPECT_TRUE(text.contains(
            QString::fromUtf8("\r\nファイル：") +
            QString::fromUtf8(QDir(folder.path()).relativeFilePath(path).toUtf8()) + "\r\n"))
            << text.toStdString();
        EXPECT_EQ(text.mid(text.indexOf(QString::fromUtf8("桁：")) + 2).toStdString(),
                  c.shown.toStdString());
    }
}

TEST_F(DataFile, MissingFileIsALoadError)
{
    XMLFile file;
    EXPECT_FALSE(file.LoadFromFile(path));
    EXPECT_TRUE(file.LoadError().startsWith(kHeading + "\r\n"));
    EXPECT_TRUE(file.LoadFailed());
    EXPECT_FALSE(file.HasRootElement());
    EXPECT_EQ(file.Path(), path);
}

TEST_F(DataFile, NoErrorWithoutALoadOrAfterAGoodOne)
{
    XMLFile file;
    EXPECT_FALSE(file.LoadFailed());
    file.Initialize(path, "Shift_JIS", "diary");
    EXPECT_TRUE(file.SaveToFile(path));
    EXPECT_TRUE(file.LoadFromFile(path));
    EXPECT_TRUE(file.LoadError().isEmpty());
    EXPECT_TRUE(file.SaveToFile(path));
}

TEST_F(DataFile, BadFilesFailToLoadAndAreNeverOverwritten)
{
    const QStringList names = QDir(DataPath("bad")).entryList({"*.diary"}, QDir::Files, QDir::Name);
    ASSERT_GE(names.size(), 10);
    for (const QString& name : names) {
        const QByteArray bytes = TempFolder::ReadBytes(DataPath("bad/" + name));
        TempFolder::WriteBytes(path, bytes);
        XMLFile file;
        ASSERT_FALSE(file.LoadFromFile(path)) << name.toStdString();
        EXPECT_TRUE(file.LoadError().startsWith(kHeading + "\r\n")) << name.toStdString();
        EXPECT_FALSE(file.LoadError().contains("root:")) << name.toStdString();
        EXPECT_TRUE(file.LoadFailed()) << name.toStdString();
        EXPECT_FALSE(file.HasRootElement()) << name.toStdString();
        EXPECT_FALSE(file.SaveToFile(path)) << name.toStdString();
        EXPECT_EQ(TempFolder::ReadBytes(path), bytes) << name.toStdString();
    }
}

TEST_F(DataFile, DocumentTypeDeclarationIsRefused)
{
    TempFolder::WriteBytes(path, TempFolder::ReadBytes(DataPath("bad/entity-bomb.diary")));
    XMLFile file;
    EXPECT_FALSE(file.LoadFromFile(path));
    EXPECT_EQ(file.LoadError(),
              kHeading + QString::fromUtf8("\r\nファイル：") + path + "\r\n" + kReason +
                  "a document type declaration is not allowed in a data file\r\n2" +
                  QString::fromUtf8("行 ") + "17" + QString::fromUtf8("桁：<!DOCTYPE diary ["));
}

TEST_F(DataFile, ReadOnlyFileIsNotReplacedEvenForRoot)
{
    const QByteArray saved = SaveRecord("old");
    ::chmod(QFile::encodeName(path).constData(), 0444);
    XMLFile file;
    file.LoadFromFile(path);
    SetTextContent(FirstLog(file), "new");
    EXPECT_FALSE(file.SaveToFile(path));
    EXPECT_EQ(TempFolder::ReadBytes(path), saved);
}

TEST_F(DataFile, InterruptedSaveLeavesTheOldFile)
{
    const QByteArray saved = SaveRecord("old");
    XMLFile file;
    file.LoadFromFile(path);
    SetTextContent(FirstLog(file), "a much longer new text than before");
    const qsizetype size = file.Serialize().size();
    for (qint64 n = 0; n < size; n += 7) {
        SetAtomicWriteFaultForTesting(
            AtomicWriteFault{n, AtomicWriteFault::Action::Abandon, false});
        EXPECT_FALSE(file.SaveToFile(path));
        ASSERT_EQ(TempFolder::ReadBytes(path), saved) << n;
    }
    SetAtomicWriteFaultForTesting(std::nullopt);
    EXPECT_TRUE(file.SaveToFile(path));
    EXPECT_EQ(LoadedText(), "a much longer new text than before");
    EXPECT_EQ(QDir(DataFolderPath()).entryList(QDir::Files | QDir::Hidden),
              QStringList({"10.diary"}));
}

} // namespace
