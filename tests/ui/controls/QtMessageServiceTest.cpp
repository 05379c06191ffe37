#include "ui/controls/QtMessageService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
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
