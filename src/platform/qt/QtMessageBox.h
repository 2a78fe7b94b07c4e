#pragma once

#include "platform/MessageBoxPort.h"

namespace vrel {

class QtMessageBox final : public MessageBoxPort {
public:
    MessageAnswer Show(const MessageRequest& request) override;
};

}  // namespace vrel
