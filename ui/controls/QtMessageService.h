#pragma once
// The message service of the running programs: each request becomes a modal
// QMessageBox. The text is always shown as plain text, since it often carries a
// record's text or a file's content.
#include "env/MessageService.h"

#include <QMessageBox>

class QWidget;

class QtMessageService : public MessageService {
public:
    // parent: the window the boxes are centred on (may be null: then the active window).
    explicit QtMessageService(QWidget* parent = nullptr);

    MessageAnswer Show(const MessageRequest& request) override;

    // The Qt side of a request, kept apart so it can be checked without showing a box.
    static QMessageBox::Icon IconFor(MessageIcon icon);
    static QMessageBox::StandardButtons ButtonsFor(MessageButtons buttons);
    static MessageAnswer AnswerFor(QMessageBox::StandardButton button, MessageButtons buttons);
    // Fills a box for the request (text format, icon, buttons, default and escape buttons).
    static void Prepare(QMessageBox& box, const MessageRequest& request);

private:
    QWidget* parent_;
};
