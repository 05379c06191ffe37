#pragma once
// Shows the tool's messages as real message boxes.
#include "env/MessageService.h"

namespace update {

class BoxMessageService : public MessageService {
public:
    MessageAnswer Show(const MessageRequest& request) override;
};

}  // namespace update
