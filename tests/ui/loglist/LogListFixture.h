#pragma once
// A record list window on a throw-away program folder, with the program's
// pictures, a fixed time-zone suffix, recorded messages and a host that
// remembers what the window asked of the main window.
#include "env/DateTime.h"
#include "env/Folders.h"
#include "env/INIFileManager.h"
#include "env/MessageService.h"
#include "env/System.h"
#include "store/LogList.h"
#include "support/ProgramPictures.h"
#include "support/RecordingMessageService.h"
#include "support/TempFolder.h"
#include "ui/loglist/LogListHost.h"
#include "ui/loglist/frmLogList.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QStringList>
#include <QStringListModel>
#include <QTest>
#include <QToolButton>

#include <memory>

class RecordingHost : public LogListHost {
public:
    void ShowLog(const QString& logDate) override { shown << logDate; }
    void ReturnToWritingMode() override { ++returns; }
    void RefillCategories() override { ++refills; }
    void HighlightWords(const QStringList& words) override { highlighted << words.join(u'|'); }

    QStringList shown;
    QStringList highlighted;
    int returns = 0;
    int refills = 0;
};

class LogListWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetTimeZoneOffsetForTesting(9 * 60);
        CopyProgramPictures();
        book_ = std::make_unique<LogList>(DataFolderPath());
    }
    void TearDown() override { SetTimeZoneOffsetForTesting(std::nullopt); }

    static DateTime At(int year, int month, int day, int hour, int minute = 0, int second = 0)
    {
        return DateTime::FromParts(year, month, day, hour, minute, second);
    }
    void Record(const DateTime& at, const QString& category, const QString& text)
    {
        ASSERT_TRUE(book_->Log(at, category, {}, text));
    }
    // The five entries the date-range steps are best shown on (indexes 0 to 4).
    void RecordFiveEntries()
    {
        Record(At(2001, 10, 5, 9), QStringLiteral("仕事"), QStringLiteral("朝 meeting"));
        Record(At(2001, 10, 5, 21), QStringLiteral("家"), QStringLiteral("夜"));
        Record(At(2001, 10, 7, 8), QStringLiteral("仕事 会議"), QStringLiteral("meeting again"));
        Record(At(2001, 10, 7, 10), {}, QStringLiteral("昼"));
        Record(At(2001, 11, 2, 12), QStringLiteral("家"), QStringLiteral("November"));
    }
    frmLogList& Open()
    {
        window_ = std::make_unique<frmLogList>(*book_, &host_);
        return *window_;
    }
    void Reopen()
    {
        window_->close();
        window_.reset();
        Open();
    }

    template <class T> T* Find(const char* name) const
    {
        T* found = window_->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    QComboBox* Begin() const { return Find<QComboBox>("lstLogDateBegin"); }
    QComboBox* End() const { return Find<QComboBox>("lstLogDateEnd"); }
    QComboBox* Category() const { return Find<QComboBox>("lstCategory"); }
    QComboBox* Search() const { return Find<QComboBox>("lstString"); }
    QListView* Results() const { return Find<QListView>("lstLogs"); }
    QString CountText() const { return Find<QLabel>("lblLogListCount")->text(); }
    QAction* Action(const char* name) const { return Find<QAction>(name); }
    void Click(const char* button) const { Find<QToolButton>(button)->click(); }

    QStringList ResultLines() const
    {
        auto* model = qobject_cast<QStringListModel*>(Results()->model());
        return model ? model->stringList() : QStringList{};
    }
    static QStringList Entries(QComboBox* box)
    {
        QStringList entries;
        for (int i = 0; i < box->count(); ++i)
            entries << box->itemText(i);
        return entries;
    }
    QString Setting(const QString& key) const
    {
        return ReadSetting(SettingsFilePath(), QStringLiteral("LogList"), key,
                           QStringLiteral("<none>"));
    }

    TempFolder folder_;
    RecordingMessageService messages_;
    RecordingHost host_;
    std::unique_ptr<LogList> book_;
    std::unique_ptr<frmLogList> window_;
};
