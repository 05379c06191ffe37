#include "ui/main/InputAreaHandler.h"

#include "LinkTestSupport.h"
#include "support/QtPrinters.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>

namespace {

// The input area may be either kind of Qt text box; both must behave alike.
class HyperlinkMenuTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override
    {
        window.setObjectName("frmMain");
        auto* layout = new QVBoxLayout(&window);
        if (GetParam())
            input = new QPlainTextEdit(&window);
        else
            input = new QTextEdit(&window);
        input->setObjectName("txtLog");
        layout->addWidget(input);
        window.resize(500, 300);
        handler = std::make_unique<InputAreaHandler>(input, InputAreaHandler::BuildMenu(&window));
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        folder = QDir(dir.path()).filePath("資料 folder");
        ASSERT_TRUE(QDir().mkpath(folder));
    }

    void SetText(const QString& text)
    {
        if (auto* edit = qobject_cast<QTextEdit*>(input))
            edit->setPlainText(text);
        else
            static_cast<QPlainTextEdit*>(input)->setPlainText(text);
    }
    QTextCursor Cursor() const
    {
        if (auto* edit = qobject_cast<QTextEdit*>(input))
            return edit->textCursor();
        return static_cast<QPlainTextEdit*>(input)->textCursor();
    }
    void SetCursor(const QTextCursor& cursor)
    {
        if (auto* edit = qobject_cast<QTextEdit*>(input))
            edit->setTextCursor(cursor);
        else
            static_cast<QPlainTextEdit*>(input)->setTextCursor(cursor);
    }
    QRect CaretRect() const
    {
        if (auto* edit = qobject_cast<QTextEdit*>(input))
            return edit->cursorRect();
        return static_cast<QPlainTextEdit*>(input)->cursorRect();
    }
    // Selects the given part of the text as a program would.
    void Select(const QString& part)
    {
        const int start = Cursor().document()->toPlainText().indexOf(part);
        ASSERT_GE(start, 0);
        QTextCursor cursor = Cursor();
        cursor.setPosition(start);
        cursor.setPosition(start + part.size(), QTextCursor::KeepAnchor);
        SetCursor(cursor);
    }
    // Where the character at the position is drawn, in viewport coordinates.
    QPoint PointAt(int position)
    {
        QTextCursor cursor = Cursor();
        cursor.setPosition(position);
        SetCursor(cursor);
        return CaretRect().center();
    }
    // Selects with the mouse from the start of the part to its end.
    QPoint DragSelect(const QString& part)
    {
        const int start = Cursor().document()->toPlainText().indexOf(part);
        const QPoint from = PointAt(start) + QPoint(1, 0);
        const QPoint to = PointAt(start + part.size()) + QPoint(1, 0);
        QWidget* viewport = input->viewport();
        QTest::mousePress(viewport, Qt::LeftButton, {}, from);
        QTest::mouseMove(viewport, to);
        QTest::mouseRelease(viewport, Qt::LeftButton, {}, to);
        return to;
    }
    void Settle() { QCoreApplication::processEvents(); }

    QWidget window;
    QAbstractScrollArea* input = nullptr;
    std::unique_ptr<InputAreaHandler> handler;
    QTemporaryDir dir;
    QString folder;
};

TEST_P(HyperlinkMenuTest, MouseSelectionOfAFolderOffersTheMenuWhereTheMouseWasReleased)
{
    MenuPerson person;
    SetText("資料は " + folder + " にある");
    const QPoint released = DragSelect(folder);
    EXPECT_EQ(Cursor().selectedText(), folder);
    EXPECT_TRUE(person.menus.empty()) << "the menu waits until the box has the release";
    Settle();
    ASSERT_EQ(person.menus.size(), 1u);
    const auto& shown = person.menus[0];
    EXPECT_EQ(shown.menu, "mnuHyperLink");
    EXPECT_EQ(shown.at, input->viewport()->mapToGlobal(released));
    EXPECT_EQ(shown.captions,
              QStringList({"開く(&O)", "クリップボードにコピー(&C)", "-", "キャンセル"}));
    EXPECT_EQ(handler->SelectedLink(), folder);
    // Gone afterwards, the caret left where the selection began.
    EXPECT_FALSE(Cursor().hasSelection());
    EXPECT_EQ(Cursor().position(), 4);
}

TEST_P(HyperlinkMenuTest, OrdinaryWordsOfferNothingAndKeepTheSelection)
{
    MenuPerson person;
    SetText("今日は晴れ, no link here");
    DragSelect("no link");
    Settle();
    EXPECT_TRUE(person.menus.empty());
    EXPECT_TRUE(Cursor().hasSelection());
    // Nor does a click without a selection.
    QTest::mouseClick(input->viewport(), Qt::LeftButton, {}, PointAt(2));
    Settle();
    EXPECT_TRUE(person.menus.empty());
}

TEST_P(HyperlinkMenuTest, KeyboardSelectionOffersTheMenuAtTheCaretButEscapeNever)
{
    DesktopRecorder desktop;
    MenuPerson person("mnuHyperLinkOpen");
    SetText("go https://example.org/a?b=1&c");
    QTextCursor cursor = Cursor();
    cursor.setPosition(3);
    SetCursor(cursor);
    QTest::keyClick(input, Qt::Key_End, Qt::ShiftModifier);
    const QPoint caret = input->viewport()->mapToGlobal(CaretRect().topLeft());
    Settle();
    ASSERT_EQ(person.menus.size(), 1u);
    EXPECT_EQ(person.menus[0].at, caret);
    EXPECT_EQ(desktop.opened, QStringList{"https://example.org/a?b=1&c"});
    EXPECT_FALSE(Cursor().hasSelection());
    EXPECT_EQ(Cursor().position(), 3);

    // The release of Shift came after the menu closed: nothing selected then.
    EXPECT_EQ(handler->SelectedLink(), "");

    Select("https://example.org");
    QTest::keyClick(input, Qt::Key_Escape);
    Settle();
    EXPECT_EQ(person.menus.size(), 1u);
    EXPECT_TRUE(Cursor().hasSelection());
}

TEST_P(HyperlinkMenuTest, WhichSelectionsCountAsLinks)
{
    const QString file = QDir(dir.path()).filePath("メモ.txt");
    QFile(file).open(QIODevice::WriteOnly);
    struct Case {
        QString text;
        bool offered;
    } cases[] = {
        {folder, true},
        {"  " + folder + " ", true}, // a folder is tested trimmed
        {file, true},
        {file + " ", false}, // a file is not
        {"mailto:someone@example.org", true},
        {"ftp:x", true},
        {"file:///etc", true},
        {"HTTP://example.org", false}, // schemes are case-sensitive
        {"http://例え.jp", false},     // double-byte characters
        {"Http://example.org", false},
        {folder + "/missing", false},
        {"   ", false},
    };
    for (const Case& c : cases) {
        MenuPerson person;
        SetText("[" + c.text + "]");
        Select(c.text);
        handler->ShowHyperLinkMenu({5, 5});
        EXPECT_EQ(person.menus.size(), c.offered ? 1u : 0u) << c.text.toStdString();
    }
}

TEST_P(HyperlinkMenuTest, OpenHandsTheSelectionToTheDesktopAndCopyToTheClipboard)
{
    DesktopRecorder desktop;
    MenuPerson person("mnuHyperLinkOpen");
    SetText("see " + folder);
    Select(folder);
    QTest::keyClick(input, Qt::Key_Shift);
    Settle();
    EXPECT_EQ(desktop.opened, QStringList{folder});

    person.Choose("mnuHyperLinkCopy");
    QApplication::clipboard()->setText("before");
    Select(folder);
    QTest::keyClick(input, Qt::Key_Shift);
    Settle();
    EXPECT_EQ(QApplication::clipboard()->text(), folder);
    EXPECT_EQ(desktop.opened.size(), 1);

    person.Choose("mnuHyperLinkCancel");
    Select(folder);
    QTest::keyClick(input, Qt::Key_Shift);
    Settle();
    EXPECT_EQ(desktop.opened.size(), 1);
    EXPECT_FALSE(Cursor().hasSelection());
}

TEST_P(HyperlinkMenuTest, WorksInTheReadOnlyBoxOfBrowsingMode)
{
    MenuPerson person;
    if (auto* edit = qobject_cast<QTextEdit*>(input))
        edit->setReadOnly(true);
    else
        static_cast<QPlainTextEdit*>(input)->setReadOnly(true);
    SetText("記録 " + folder);
    DragSelect(folder);
    Settle();
    EXPECT_EQ(person.menus.size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(TextBoxes, HyperlinkMenuTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Plain" : "Rich"; });

} // namespace
