#include "ui/controls/QtMessageService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QScreen>

#include <algorithm>

namespace {

// QMessageBox wraps its text at about this width and grows to whatever height
// the text needs; half the screen's height is left for the text.
constexpr int kWrapWidth = 500;

} // namespace

QtMessageService::QtMessageService(QWidget* parent) : parent_(parent) {}

QMessageBox::Icon QtMessageService::IconFor(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::None:
        return QMessageBox::NoIcon;
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Critical:
        return QMessageBox::Critical;
    case MessageIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons QtMessageService::ButtonsFor(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
        return QMessageBox::Ok;
    case MessageButtons::OkCancel:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MessageButtons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case MessageButtons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    }
    return QMessageBox::Ok;
}

MessageAnswer QtMessageService::AnswerFor(QMessageBox::StandardButton button,
                                          MessageButtons buttons)
{
    switch (button) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Cancel:
        return MessageAnswer::Cancel;
    default:
        break;
    }
    // A box closed without a button (Escape, the title bar's close) counts as its
    // most cautious answer, never as consent.
    switch (buttons) {
    case MessageButtons::Ok:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
        return MessageAnswer::No;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
        return MessageAnswer::Cancel;
    }
    return MessageAnswer::Cancel;
}

QString QtMessageService::FittedText(const QString& text, const QFontMetrics& metrics, int width,
                                     int height)
{
    const int rowsLeft = std::max(1, height / std::max(1, metrics.lineSpacing()));
    int rows = 0;
    QStringList kept;
    for (const QString& line : text.split(u'\n')) {
        const int advance = metrics.horizontalAdvance(line);
        // Wrapping at word boundaries leaves part of each row empty.
        const int needed = std::max(1, (advance * 5 / 4 + width - 1) / width);
        if (rows + needed > rowsLeft) {
            const int room = (rowsLeft - rows) * width * 4 / 5;
            kept.append(room > 0 ? metrics.elidedText(line, Qt::ElideRight, room)
                                 : QStringLiteral("…"));
            return kept.join(u'\n');
        }
        rows += needed;
        kept.append(line);
    }
    return text;
}

void QtMessageService::Prepare(QMessageBox& box, const MessageRequest& request)
{
    box.setTextFormat(Qt::PlainText);
    const QScreen* screen = box.screen() ? box.screen() : QGuiApplication::primaryScreen();
    const QSize available = screen ? screen->availableGeometry().size() : QSize(800, 600);
    const QString fitted =
        FittedText(request.text, QFontMetrics(box.font()),
                   std::min(kWrapWidth, available.width() / 2), available.height() / 2);
    box.setText(fitted);
    box.setDetailedText(fitted == request.text ? QString() : request.text);
    box.setWindowTitle(request.title);
    box.setIcon(IconFor(request.icon));
    box.setStandardButtons(ButtonsFor(request.buttons));
    // The first button is the default, as in the Windows boxes the programs were designed for.
    switch (request.buttons) {
    case MessageButtons::Ok:
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setDefaultButton(QMessageBox::Ok);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MessageButtons::YesNo:
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
}

MessageAnswer QtMessageService::Show(const MessageRequest& request)
{
    QWidget* parent = parent_ ? parent_ : QApplication::activeWindow();
    QMessageBox box(parent);
    Prepare(box, request);
    box.exec();
    const auto clicked = box.standardButton(box.clickedButton());
    return AnswerFor(clicked, request.buttons);
}
