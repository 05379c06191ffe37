#pragma once
// Every message box of the programs goes through here. The programs install a
// service that shows QMessageBox; tests install RecordingMessageService and
// assert what would have been shown, so a modal box never blocks a test.
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

// The service in use. Until one is installed, messages go to standard error
// and are answered with the first button.
MessageService& Messages();
// Installs a service (not owned); nullptr restores the default.
void SetMessageService(MessageService* service);

// Milliseconds spent so far inside ShowMessage, on a monotonic clock: the time
// boxes waited for the user, which a stopwatch of the program's work leaves out.
qint64 MessageWaitMilliseconds();

// Convenience for the common call.
MessageAnswer ShowMessage(const QString& text, const QString& title,
                          MessageIcon icon = MessageIcon::Information,
                          MessageButtons buttons = MessageButtons::Ok);

// Records every request and answers from a queue (default: the first button).
class RecordingMessageService : public MessageService {
public:
    RecordingMessageService();           // installs itself
    ~RecordingMessageService() override; // restores the previous service
    MessageAnswer Show(const MessageRequest& request) override;

    QList<MessageRequest> shown;
    QList<MessageAnswer> answers; // consumed front first

private:
    MessageService* previous_;
};
