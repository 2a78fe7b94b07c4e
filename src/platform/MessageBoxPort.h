#pragma once

#include <optional>
#include <string>

namespace vrel {

enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageIcon { None, Critical, Question, Exclamation, Information };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// Text and title are display text (UTF-8). Lines are broken with carriage returns, as the
// program's messages have always been written; the window side turns them into line breaks.
struct MessageRequest {
    std::string text;
    std::string title;
    MessageButtons buttons = MessageButtons::Ok;
    MessageIcon icon = MessageIcon::None;
    std::optional<MessageAnswer> defaultAnswer;
};

class MessageBoxPort {
public:
    virtual ~MessageBoxPort() = default;
    // Shows the message modally and returns the button the user chose.
    virtual MessageAnswer Show(const MessageRequest& request) = 0;
};

}  // namespace vrel
