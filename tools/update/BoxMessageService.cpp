#include "BoxMessageService.h"

#include <QMessageBox>

namespace update {

MessageAnswer BoxMessageService::Show(const MessageRequest& request)
{
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    switch (request.icon) {
    case MessageIcon::Information: icon = QMessageBox::Information; break;
    case MessageIcon::Warning: icon = QMessageBox::Warning; break;
    case MessageIcon::Critical: icon = QMessageBox::Critical; break;
    case MessageIcon::Question: icon = QMessageBox::Question; break;
    case MessageIcon::None: break;
    }
    // The tool only ever asks for OK.
    QMessageBox box(icon, request.title, request.text, QMessageBox::Ok);
    box.exec();
    return MessageAnswer::Ok;
}

}  // namespace update
