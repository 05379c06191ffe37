#pragma once
// A running program on a temporary program folder with its main window shown,
// and the controls of the main window found by object name.
#include "app/MainModule.h"
#include "env/DateTime.h"
#include "env/Folders.h"
#include "env/MessageService.h"
#include "store/LogList.h"
#include "ui/main/frmMain.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        SetEndHandler({});
        Start();
    }
    void TearDown() override
    {
        if (IsRunning())
            ShutDown();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    // Starts the program on the fixture's folder and finds the main window's
    // controls, unless it started iconized.
    void Start()
    {
        window = nullptr;
        ASSERT_TRUE(StartUpForTesting(dir.path()));
        if (LoadedMainWindow())
            Find(*LoadedMainWindow());
    }
    // Ends the program and starts it again on the same folder.
    void Restart()
    {
        ShutDown();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        Start();
    }

    void Find(frmMain& main)
    {
        window = &main;
        if (!window->isVisible())
            window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        txtLog = window->findChild<QPlainTextEdit*>("txtLog");
        txtDate = window->findChild<QLineEdit*>("txtDate");
        lstCategory = window->findChild<QComboBox*>("lstCategory");
        imgLink = window->findChild<QLabel*>("imgLink");
        tmrDate = window->findChild<QTimer*>("tmrDate");
        btnLog = window->findChild<QToolButton*>("btnLog");
        btnView = window->findChild<QToolButton*>("btnView");
        btnIconize = window->findChild<QToolButton*>("btnIconize");
        ASSERT_TRUE(txtLog && txtDate && lstCategory && imgLink && tmrDate && btnLog && btnView &&
                    btnIconize);
    }

    QAction* Action(const char* name) const
    {
        auto* action = window->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(action, nullptr) << name;
        return action;
    }

    // Types text as a person would, Japanese included (key clicks take ASCII only).
    // Like the platform, the input method serves only widgets that take its input:
    // read-only boxes would accept a commit sent to them directly.
    static void Type(QWidget* target, const QString& text)
    {
        if (!target->testAttribute(Qt::WA_InputMethodEnabled))
            return;
        QInputMethodEvent commit;
        commit.setCommitString(text);
        QCoreApplication::sendEvent(target, &commit);
    }
    void TypeCategory(const QString& text) { Type(lstCategory->lineEdit(), text); }

    void Click(QToolButton* button) { QTest::mouseClick(button, Qt::LeftButton); }

    // A record written straight into the record book.
    DateTime Store(const QString& listText, const QString& category, const QString& link,
                   const QString& text)
    {
        const DateTime when = *DateTime::Parse(listText);
        EXPECT_TRUE(GetLogList().Log(when, category, link, text));
        return when;
    }

    QStringList CategoryItems() const
    {
        QStringList items;
        for (int i = 0; i < lstCategory->count(); ++i)
            items << lstCategory->itemText(i);
        return items;
    }

    QString InputAreaPath() const { return DataFolderPath() + "inputarea.txt"; }

    QTemporaryDir dir;
    frmMain* window = nullptr;
    QPlainTextEdit* txtLog = nullptr;
    QLineEdit* txtDate = nullptr;
    QComboBox* lstCategory = nullptr;
    QLabel* imgLink = nullptr;
    QTimer* tmrDate = nullptr;
    QToolButton* btnLog = nullptr;
    QToolButton* btnView = nullptr;
    QToolButton* btnIconize = nullptr;
};
