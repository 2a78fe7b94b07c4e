#pragma once

#include <memory>

#include "platform/MessageBoxPort.h"

class QMessageBox;
class QWidget;

namespace vrel {

// The box that Show runs modally, for callers that show or picture it themselves.
std::unique_ptr<QMessageBox> NewMessageBox(const MessageRequest& request, QWidget* parent);

class QtMessageBox final : public MessageBoxPort {
public:
    MessageAnswer Show(const MessageRequest& request) override;
};

}  // namespace vrel
