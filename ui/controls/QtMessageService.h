#pragma once
// The message service of the running programs: each request becomes a modal
// QMessageBox. The text is always shown as plain text, since it often carries a
// record's text or a file's content.
#include "env/MessageService.h"

#include <QMessageBox>

class QFontMetrics;
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
    // A text too tall for the screen shows its beginning, and the whole of it as
    // the detailed text, which scrolls: the box and its buttons stay on screen.
    static void Prepare(QMessageBox& box, const MessageRequest& request);
    // The lines of text that fit in height pixels when wrapped at width pixels,
    // the last one cut with "…"; the text itself when it all fits.
    static QString FittedText(const QString& text, const QFontMetrics& metrics, int width,
                              int height);

private:
    QWidget* parent_;
};
