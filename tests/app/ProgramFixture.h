#pragma once
// A program run against a throw-away program folder: StartUp through its test
// seam, ShutDown at the end of every test, and the windows found by name.
#include "app/MainModule.h"
#include "env/Folders.h"
#include "env/INIFileManager.h"
#include "env/MessageService.h"
#include "support/RecordingMessageService.h"
#include "ui/loglist/frmLogList.h"
#include "ui/main/frmIcon.h"
#include "ui/main/frmMain.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QToolButton>
#include <QWidget>

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        SetEndHandler([this] { ++ends; });
    }
    void TearDown() override
    {
        ShutDown();
        SetEndHandler({});
        FlushDeletes();
    }

    void Start() { ASSERT_TRUE(StartUpForTesting(dir.path())); }
    // The end of one run and the start of the next in the same folder.
    void Restart()
    {
        ShutDown();
        FlushDeletes();
        Start();
    }

    // Closed windows are deleted later; tests that count windows delete them now.
    static void FlushDeletes()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    template <class Window> static int CountWindows()
    {
        FlushDeletes();
        int count = 0;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qobject_cast<Window*>(widget))
                ++count;
        }
        return count;
    }
    static QList<QWidget*> VisibleWindows()
    {
        QList<QWidget*> visible;
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible())
                visible.append(widget);
        }
        return visible;
    }

    static QString Iconize()
    {
        return ReadSetting(SettingsFilePath(), QStringLiteral("Quillmere"),
                           QStringLiteral("Iconize"), QStringLiteral("(none)"));
    }

    template <class Child> static Child* Find(QWidget* window, const char* name)
    {
        Child* child = window ? window->findChild<Child*>(QString::fromLatin1(name)) : nullptr;
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static void Click(QWidget* window, const char* name)
    {
        if (auto* button = Find<QToolButton>(window, name))
            button->click();
    }
    static void Trigger(QWidget* window, const char* name)
    {
        if (auto* action = Find<QAction>(window, name))
            action->trigger();
    }

    // Text as an input method commits it, the way Japanese arrives from the keyboard.
    static void Type(QWidget* target, const QString& text)
    {
        QInputMethodEvent event;
        event.setCommitString(text);
        QCoreApplication::sendEvent(target, &event);
    }
    static QString InputText()
    {
        frmMain* main = LoadedMainWindow();
        auto* txtLog = Find<QPlainTextEdit>(main, "txtLog");
        return txtLog ? txtLog->toPlainText() : QString();
    }

    QTemporaryDir dir;
    RecordingMessageService messages;
    int ends = 0;
};
