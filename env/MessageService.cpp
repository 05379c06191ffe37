#include "env/MessageService.h"

#include "env/Timer.h"

#include <chrono>
#include <cstdio>

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

namespace {

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
    const auto begin = std::chrono::steady_clock::now();
    const MessageAnswer answer = Messages().Show(MessageRequest{text, title, icon, buttons});
    CountUserWait(std::chrono::duration_cast<std::chrono::milliseconds>(
                      std::chrono::steady_clock::now() - begin)
                      .count());
    return answer;
}
