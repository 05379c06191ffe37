#pragma once
// Every message box of the programs goes through here. The programs install a
// service that shows QMessageBox; tests install one that records the requests
// and asserts what would have been shown, so a modal box never blocks a test.
#include <QList>
#include <QString>

enum class MessageIcon { None, Information, Warning, Critical, Question };
enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessageRequest {
    QString text;
    QString title;
    MessageIcon icon = MessageIcon::None;
    MessageButtons buttons = MessageButtons::Ok;
};

class MessageService {
public:
    virtual ~MessageService() = default;
    virtual MessageAnswer Show(const MessageRequest& request) = 0;
};

// The answer of a box closed without a choice: its first button.
MessageAnswer FirstButton(MessageButtons buttons);

// The service in use. Until one is installed, messages go to standard error
// and are answered with the first button.
MessageService& Messages();
// Installs a service (not owned); nullptr restores the default.
void SetMessageService(MessageService* service);

// Convenience for the common call. The time the box waits for the user is left
// out of every running Timer.
MessageAnswer ShowMessage(const QString& text, const QString& title,
                          MessageIcon icon = MessageIcon::Information,
                          MessageButtons buttons = MessageButtons::Ok);
