#include "ui/controls/QtMessageService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <gtest/gtest.h>

#include "support/QtPrinters.h"

TEST(QtMessageServiceTest, BoxShowsTextPlainWithMappedIconAndButtons)
{
    QMessageBox box;
    QtMessageService::Prepare(box, MessageRequest{QStringLiteral("<b>txtLog</b> & 1"),
                                                  QStringLiteral("frmMain"), MessageIcon::Critical,
                                                  MessageButtons::YesNoCancel});
    EXPECT_EQ(box.textFormat(), Qt::PlainText);
    EXPECT_EQ(box.text(), QStringLiteral("<b>txtLog</b> & 1"));
    EXPECT_EQ(box.windowTitle(), QStringLiteral("frmMain"));
    EXPECT_EQ(box.icon(), QMessageBox::Critical);
    EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    EXPECT_EQ(static_cast<QAbstractButton*>(box.defaultButton()), box.button(QMessageBox::Yes));
    EXPECT_EQ(box.escapeButton(), box.button(QMessageBox::Cancel));

    EXPECT_EQ(QtMessageService::IconFor(MessageIcon::None), QMessageBox::NoIcon);
    EXPECT_EQ(QtMessageService::IconFor(MessageIcon::Information), QMessageBox::Information);
    EXPECT_EQ(QtMessageService::IconFor(MessageIcon::Warning), QMessageBox::Warning);
    EXPECT_EQ(QtMessageService::IconFor(MessageIcon::Question), QMessageBox::Question);
    EXPECT_EQ(QtMessageService::ButtonsFor(MessageButtons::OkCancel),
              QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(QtMessageService::ButtonsFor(MessageButtons::YesNo),
              QMessageBox::Yes | QMessageBox::No);
}

TEST(QtMessageServiceTest, ClosingWithoutAButtonNeverCountsAsYes)
{
    using B = QMessageBox;
    EXPECT_EQ(QtMessageService::AnswerFor(B::Yes, MessageButtons::YesNo), MessageAnswer::Yes);
    EXPECT_EQ(QtMessageService::AnswerFor(B::NoButton, MessageButtons::YesNo), MessageAnswer::No);
    EXPECT_EQ(QtMessageService::AnswerFor(B::NoButton, MessageButtons::YesNoCancel),
              MessageAnswer::Cancel);
    EXPECT_EQ(QtMessageService::AnswerFor(B::NoButton, MessageButtons::OkCancel),
              MessageAnswer::Cancel);
    EXPECT_EQ(QtMessageService::AnswerFor(B::NoButton, MessageButtons::Ok), MessageAnswer::Ok);
}

TEST(QtMessageServiceTest, ShowReturnsTheClickedButton)
{
    QtMessageService service;
    // Click "No" on the box once it is up, so the modal loop ends.
    QTimer::singleShot(0, [] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
                box->button(QMessageBox::No)->click();
        }
    });
    const MessageAnswer answer =
        service.Show(MessageRequest{QStringLiteral("保存しますか?"), QStringLiteral("frmMain"),
                                    MessageIcon::Question, MessageButtons::YesNo});
    EXPECT_EQ(answer, MessageAnswer::No);
}

TEST(QtMessageServiceTest, BoxForAnEndlessTextStaysOnScreenWithItsButton)
{
    QtMessageService service;
    const QString text =
        QStringLiteral("XML データファイル\r\n") +
        QStringLiteral("<log date=\"2001-01-01T00:00:00+09:00\">あ</log>").repeated(700);
    QRect frame;
    QRect screen;
    QString detailed;
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                frame = box->frameGeometry();
                screen = box->screen()->availableGeometry();
                detailed = box->detailedText();
                box->button(QMessageBox::Ok)->click();
            }
        }
    });
    service.Show(MessageRequest{text, QStringLiteral("Quillmere"), MessageIcon::Information,
                                MessageButtons::Ok});
    ASSERT_FALSE(frame.isEmpty());
    EXPECT_LE(frame.height(), screen.height());
    EXPECT_LE(frame.width(), screen.width());
    EXPECT_EQ(detailed, QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    // The details hold the whole text; the box itself shows its start.
    // A text that fits is shown whole and has no details.
    QMessageBox box;
    QtMessageService::Prepare(box, MessageRequest{QStringLiteral("a\r\nb"), {}});
    EXPECT_EQ(box.text(), QStringLiteral("a\r\nb"));
    EXPECT_TRUE(box.detailedText().isEmpty());
}
