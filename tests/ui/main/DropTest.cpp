#include "ui/main/InputAreaHandler.h"

#include "support/QtPrinters.h"

#include <QDir>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QUrl>
#include <QVBoxLayout>
#include <gtest/gtest.h>

#include <memory>

namespace {

class DropTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        input = new QTextEdit(&window);
        input->setObjectName("txtLog");
        layout->addWidget(input);
        window.resize(400, 300);
        handler = std::make_unique<InputAreaHandler>(input, InputAreaHandler::BuildMenu(&window));
        handler->SetEditLink([this](const QString& path) { edited << path; });
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        input->setPlainText("abcdef");
    }

    // Drags the data over the input area and lets it go at the point;
    // returns whether the input area took the drop.
    bool DropOn(const QMimeData& data, QPoint at = {10, 10})
    {
        QWidget* viewport = input->viewport();
        QDragEnterEvent enter(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &enter);
        if (!enter.isAccepted())
            return false;
        QDragMoveEvent move(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &move);
        QDropEvent drop(at, Qt::CopyAction | Qt::MoveAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(viewport, &drop);
        QCoreApplication::processEvents();
        return drop.isAccepted();
    }
    static std::unique_ptr<QMimeData> Text(const QString& text)
    {
        auto data = std::make_unique<QMimeData>();
        data->setText(text);
        return data;
    }
    void PutCaret(int position, int selected = 0)
    {
        QTextCursor cursor = input->textCursor();
        cursor.setPosition(position);
        cursor.setPosition(position + selected, QTextCursor::KeepAnchor);
        input->setTextCursor(cursor);
    }

    QWidget window;
    QTextEdit* input = nullptr;
    std::unique_ptr<InputAreaHandler> handler;
    QStringList edited;
    QTemporaryDir dir;
};

TEST_F(DropTest, DroppedFilesOpenTheLinkWithTheFirstAndInsertNothing)
{
    const QString first = QDir(dir.path()).filePath("報告書 2024.txt");
    const QString second = QDir(dir.path()).filePath("b.txt");
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(first), QUrl::fromLocalFile(second)});
    // File managers put the names in as text as well.
    files.setText(first + "\n" + second);
    EXPECT_TRUE(DropOn(files));
    EXPECT_EQ(edited, QStringList{first});
    EXPECT_EQ(input->toPlainText(), "abcdef");

    QMimeData folder;
    folder.setUrls({QUrl::fromLocalFile(dir.path())});
    EXPECT_TRUE(DropOn(folder));
    EXPECT_EQ(edited.last(), dir.path());
}

TEST_F(DropTest, AUrlOpensTheLinkButTheSchemeMustMatchInCase)
{
    EXPECT_TRUE(DropOn(*Text("http://example.org/page")));
    EXPECT_EQ(edited, QStringList{"http://example.org/page"});
    EXPECT_EQ(input->toPlainText(), "abcdef");

    PutCaret(3);
    EXPECT_TRUE(DropOn(*Text("HTTP://example.org/page")));
    EXPECT_EQ(edited.size(), 1);
    EXPECT_EQ(input->toPlainText(), "abcHTTP://example.org/pagedef");

    // A link a browser hands over is a URL list and text; the text decides.
    QMimeData web;
    web.setUrls({QUrl("https://example.org/")});
    web.setText("https://example.org/");
    EXPECT_TRUE(DropOn(web));
    EXPECT_EQ(edited.last(), "https://example.org/");
    // Qt reads a list of remote URLs as their text.
    QMimeData remoteOnly;
    remoteOnly.setUrls({QUrl("ftp://example.org/x")});
    EXPECT_TRUE(DropOn(remoteOnly));
    EXPECT_EQ(edited.last(), "ftp://example.org/x");
}

TEST_F(DropTest, TextGoesInAtTheCaretReplacingTheSelectionNotAtTheDropPoint)
{
    PutCaret(1, 2); // "bc"
    const QPoint farAway = input->cursorRect(input->document()->find("f")).center();
    EXPECT_TRUE(DropOn(*Text("一行目\r\n二行目"), farAway));
    EXPECT_EQ(input->toPlainText(), "a一行目\n二行目def");
    EXPECT_TRUE(edited.isEmpty());
}

TEST_F(DropTest, DataWithoutFilesOrTextChangesNothing)
{
    QMimeData picture;
    picture.setData("image/png", QByteArray("\x89PNG", 4));
    EXPECT_FALSE(DropOn(picture));
    EXPECT_EQ(input->toPlainText(), "abcdef");
    EXPECT_TRUE(edited.isEmpty());
}

TEST_F(DropTest, TheReadOnlyBoxOfBrowsingModeIsLeftToItself)
{
    input->setReadOnly(true);
    QMimeData files;
    files.setUrls({QUrl::fromLocalFile(dir.path())});
    DropOn(files);
    DropOn(*Text("http://example.org/"));
    DropOn(*Text("plain"));
    EXPECT_TRUE(edited.isEmpty());
    EXPECT_EQ(input->toPlainText(), "abcdef");

    input->setReadOnly(false);
    EXPECT_TRUE(DropOn(files));
    EXPECT_EQ(edited.size(), 1);
}

} // namespace
