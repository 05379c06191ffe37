#pragma once
// Records every message box request and answers from a queue, so a test
// asserts what would have been shown and no modal box ever blocks it.
#include "env/MessageService.h"

#include <QList>

class RecordingMessageService : public MessageService {
public:
    RecordingMessageService() : previous_(&Messages()) { SetMessageService(this); }
    ~RecordingMessageService() override { SetMessageService(previous_); }
    RecordingMessageService(const RecordingMessageService&) = delete;
    RecordingMessageService& operator=(const RecordingMessageService&) = delete;

    MessageAnswer Show(const MessageRequest& request) override
    {
        shown.append(request);
        if (!answers.isEmpty())
            return answers.takeFirst();
        return FirstButton(request.buttons);
    }

    QList<MessageRequest> shown;
    QList<MessageAnswer> answers; // consumed front first (default: the first button)

private:
    MessageService* previous_;
};
