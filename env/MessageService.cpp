#include "env/MessageService.h"

#include <chrono>
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
qint64 waited = 0;

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
    const auto begin = std::chrono::steady_clock::now();
    const MessageAnswer answer = Messages().Show(MessageRequest{text, title, icon, buttons});
    waited += std::chrono::duration_cast<std::chrono::milliseconds>(
                  std::chrono::steady_clock::now() - begin)
                  .count();
    return answer;
}

qint64 MessageWaitMilliseconds()
{
    return waited;
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
