#include "env/MessageService.h"

#include <cstdio>

namespace {

MessageAnswer FirstButton(MessageButtons buttons)
{
    switch (buttons) {
    case MessageButtons::Ok:
    case MessageButtons::OkCancel:
        return MessageAnswer::Ok;
    case MessageButtons::YesNo:
    case MessageButtons::YesNoCancel:
        return MessageAnswer::Yes;
    }
    return MessageAnswer::Ok;
}

class StderrMessageService : public MessageService {
public:
    MessageAnswer Show(const MessageRequest& request) override
    {
        std::fprintf(stderr, "%s: %s\n", request.title.toUtf8().constData(),
                     request.text.toUtf8().constData());
        return FirstButton(request.buttons);
    }
};

StderrMessageService defaultService;
MessageService* current = nullptr;

} // namespace

MessageService& Messages()
{
    return current ? *current : defaultService;
}

void SetMessageService(MessageService* service)
{
    current = service;
}

MessageAnswer ShowMessage(const QString& text, const QString& title, MessageIcon icon,
                          MessageButtons buttons)
{
    return Messages().Show(MessageRequest{text, title, icon, buttons});
}

RecordingMessageService::RecordingMessageService() : previous_(current)
{
    SetMessageService(this);
}

RecordingMessageService::~RecordingMessageService()
{
    SetMessageService(previous_);
}

MessageAnswer RecordingMessageService::Show(const MessageRequest& request)
{
    shown.append(request);
    if (!answers.isEmpty())
        return answers.takeFirst();
    return FirstButton(request.buttons);
}
