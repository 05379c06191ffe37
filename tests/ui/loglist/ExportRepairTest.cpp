#include "LogListFixture.h"

#include <QApplication>
#include <QFile>
#include <QWidget>

#include <sys/stat.h>

#include "support/ModalDriverScope.h"
#include "support/RecordingMessageService.h"
#include "ui/controls/CheckedFileDialog.h"
#include "ui/controls/FileSelectDialog.h"

using ExportTest = LogListWindowTest;

TEST_F(ExportTest, ThreeFoundRecordsGiveTheExactFile)
{
    RecordFiveEntries();
    Open();
    Search()->lineEdit()->setText(QStringLiteral("e"));
    QTest::keyClick(Search()->lineEdit(), Qt::Key_Return);
    ASSERT_EQ(ResultLines(),
              (QStringList{"2001/10/05 09:00:00", "2001/10/07 08:00:00", "2001/11/02 12:00:00"}));
    const QString path = folder_.file(QStringLiteral("out/found.xml"));
    QDir().mkpath(folder_.file(QStringLiteral("out")));
    const mode_t mask = ::umask(022);
    ASSERT_TRUE(window_->ExportFoundDates(path));
    ::umask(mask);
    EXPECT_TRUE(messages_.shown.isEmpty());
    // The user's to pass on, unlike the files of the data folder.
    EXPECT_EQ(QFileInfo(path).permissions() & 0x0FFF,
              QFile::ReadUser | QFile::WriteUser | QFile::ReadGroup | QFile::ReadOther);
    // Oldest first, each element as a month file holds it.
    EXPECT_EQ(TempFolder::ReadBytes(path),
              QByteArray("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\r\n<diary>"
                         "<log date=\"2001-10-05T09:00:00+09:00\" category=\"\x8e\x64\x8e\x96\">"
                         "\x92\xa9 meeting</log>"
                         "<log date=\"2001-10-07T08:00:00+09:00\" "
                         "category=\"\x8e\x64\x8e\x96 \x89\xef\x8b\x63\">meeting again</log>"
                         "<log date=\"2001-11-02T12:00:00+09:00\" category=\"\x89\xc6\">"
                         "November</log></diary>\r\n"));
}

TEST_F(ExportTest, FoundDatesWithoutRecordsAreCounted)
{
    Record(At(2001, 10, 5, 9), {}, QStringLiteral("a"));
    Record(At(2001, 10, 7, 9), {}, QStringLiteral("b"));
    // Dates the list names though no month file holds them.
    folder_.write(QStringLiteral("%1/logdate.list").arg(CurrentUserName()),
                  "2001/10/05 09:00:00\r\n2001/10/06 09:00:00\r\n2001/10/07 09:00:00\r\n"
                  "2001/12/01 09:00:00\r\n");
    book_->Initialize(DataFolderPath());
    Open();
    ASSERT_EQ(ResultLines().size(), 4);
    const QString path = folder_.file(QStringLiteral("found.xml"));
    ASSERT_TRUE(window_->ExportFoundDates(path));
    EXPECT_EQ(TempFolder::ReadBytes(path).count("<log "), 2);
    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(messages_.shown[0].text.startsWith(
        QStringLiteral("検索結果の 4 件のうち 2 件は記録が見つからないため")))
        << messages_.shown[0].text.toStdString();
    EXPECT_TRUE(messages_.shown[0].text.contains(path));
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Warning);
}

TEST_F(ExportTest, FileThatCannotBeWrittenTellsTheUser)
{
    RecordFiveEntries();
    Open();
    const QString path = folder_.file(QStringLiteral("missing-folder/found.xml"));
    EXPECT_FALSE(window_->ExportFoundDates(path));
    EXPECT_FALSE(QFile::exists(path));
    ASSERT_EQ(messages_.shown.size(), 1);
    EXPECT_TRUE(messages_.shown[0].text.contains(path));
    EXPECT_EQ(messages_.shown[0].title, "Quillmere");
    EXPECT_EQ(messages_.shown[0].icon, MessageIcon::Warning);
}

// Answers like the recording service and notes the window's state while a box is up.
class StateRecordingMessages : public RecordingMessageService {
public:
    MessageAnswer Show(const MessageRequest& request) override
    {
        enabled << (window && window->isEnabled());
        hourglass << (QApplication::overrideCursor() &&
                      QApplication::overrideCursor()->shape() == Qt::WaitCursor);
        return RecordingMessageService::Show(request);
    }
    QWidget* window = nullptr;
    QList<bool> enabled;
    QList<bool> hourglass;
};

using RepairTest = LogListWindowTest;

TEST_F(RepairTest, RebuildsLostListsIntoTheWindowAndTheMainWindow)
{
    RecordFiveEntries();
    // The lists are lost while the program is not running.
    book_.reset();
    QFile::remove(DataFolderPath() + QStringLiteral("logdate.list"));
    QFile::remove(DataFolderPath() + QStringLiteral("category.list"));
    book_ = std::make_unique<LogList>(DataFolderPath());
    Open();
    ASSERT_EQ(Begin()->count(), 0);
    WriteSetting(SettingsFilePath(), QStringLiteral("LogList"), QStringLiteral("Category"),
                 QStringLiteral("家"));

    StateRecordingMessages messages;
    messages.window = window_.get();
    messages.answers = {MessageAnswer::Yes, MessageAnswer::Ok};
    Action("mnuToolCollectLogList")->trigger();

    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_EQ(messages.shown[0].text, "記録されたデータから、日時リストと分類キーワードリストを"
                                      "再構築します。\r\n実行しますか？");
    EXPECT_EQ(messages.shown[0].title, "Quillmere データ修復ツール");
    EXPECT_EQ(messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(messages.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(messages.shown[1].text, "修正が完了しました。");
    EXPECT_EQ(messages.shown[1].title, "Quillmere データ修復ツール");
    EXPECT_EQ(messages.shown[1].buttons, MessageButtons::Ok);
    // Asked with the window usable; told of the end while it still waits.
    EXPECT_EQ(messages.enabled, (QList<bool>{true, false}));
    EXPECT_EQ(messages.hourglass, (QList<bool>{false, true}));
    EXPECT_TRUE(window_->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    const QStringList all{"2001/10/05 09:00:00", "2001/10/05 21:00:00", "2001/10/07 08:00:00",
                          "2001/10/07 10:00:00", "2001/11/02 12:00:00"};
    EXPECT_EQ(Entries(Begin()), all);
    EXPECT_EQ(Entries(End()), all);
    EXPECT_EQ(End()->currentIndex(), 4);
    EXPECT_EQ(Category()->currentText(), "家");
    EXPECT_EQ(ResultLines(), (QStringList{"2001/10/05 21:00:00", "2001/11/02 12:00:00"}));
    QStringList categories = Entries(Category());
    EXPECT_EQ(categories, (QStringList{"仕事", "仕事 会議", "会議", "家"}));
    EXPECT_EQ(host_.refills, 1);
    EXPECT_EQ(TempFolder::ReadBytes(DataFolderPath() + QStringLiteral("logdate.list")).count('\n'),
              5);
}

TEST_F(RepairTest, AListThatCannotBeWrittenIsNotReportedAsRepaired)
{
    RecordFiveEntries();
    const QString dates = DataFolderPath() + QStringLiteral("logdate.list");
    ASSERT_TRUE(QFile::setPermissions(dates, QFile::ReadOwner));
    Open();
    StateRecordingMessages messages;
    messages.answers = {MessageAnswer::Yes, MessageAnswer::Ok};
    Action("mnuToolCollectLogList")->trigger();
    QFile::setPermissions(dates, QFile::ReadOwner | QFile::WriteOwner);

    ASSERT_EQ(messages.shown.size(), 2);
    EXPECT_NE(messages.shown[1].text, "修正が完了しました。");
    EXPECT_TRUE(messages.shown[1].text.contains(dates)) << messages.shown[1].text.toStdString();
    EXPECT_EQ(messages.shown[1].icon, MessageIcon::Warning);
    EXPECT_EQ(messages.shown[1].title, "Quillmere データ修復ツール");
    EXPECT_TRUE(window_->isEnabled());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(RepairTest, NoChangesNothing)
{
    RecordFiveEntries();
    Open();
    StateRecordingMessages messages;
    messages.answers = {MessageAnswer::No};
    const int searches = window_->SearchCount();
    Action("mnuToolCollectLogList")->trigger();
    EXPECT_EQ(messages.shown.size(), 1);
    EXPECT_EQ(window_->SearchCount(), searches);
    EXPECT_EQ(host_.refills, 0);
}

TEST_F(ExportTest, MenuAsksForTheFileAndAddsTheExtension)
{
    RecordFiveEntries();
    Open();
    Search()->lineEdit()->setText(QStringLiteral("November"));
    QTest::keyClick(Search()->lineEdit(), Qt::Key_Return);
    const QString folder = folder_.file(QStringLiteral("out"));
    QDir().mkpath(folder);
    QString title;
    QStringList filters;
    {
        ModalDriverScope<CheckedFileDialog> driver([&](CheckedFileDialog& dialog) {
            title = dialog.windowTitle();
            filters = dialog.nameFilters();
            dialog.setDirectory(folder);
            dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QStringLiteral("結果"));
            dialog.accept();
        });
        Action("mnuToolExport")->trigger();
    }
    EXPECT_EQ(title, "エクスポート先ファイル名を設定");
    EXPECT_EQ(filters.size(), 2);
    const QByteArray written = TempFolder::ReadBytes(folder + QStringLiteral("/結果.xml"));
    EXPECT_EQ(written.count("<log "), 1);
    EXPECT_TRUE(written.contains("November"));
    EXPECT_TRUE(messages_.shown.isEmpty());

    // A canceled dialog writes nothing.
    {
        ModalDriverScope<CheckedFileDialog> driver([&](CheckedFileDialog& dialog) {
            dialog.setDirectory(folder);
            dialog.findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QStringLiteral("other"));
            dialog.reject();
        });
        Action("mnuToolExport")->trigger();
    }
    EXPECT_FALSE(QFile::exists(folder + QStringLiteral("/other.xml")));
    EXPECT_EQ(QDir(folder).entryList(QDir::Files).size(), 1);
}
