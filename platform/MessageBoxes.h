#pragma once
// Port: the modal boxes through which the program tells and asks the user.
// Every text is a Windows-1252 byte string; the implementation converts at the edge.

#include <string>
#include <string_view>

namespace kst {

enum class Answer { Ok, Cancel, Yes, No };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;

    // Information box with one OK button.
    virtual void information(std::string_view text, std::string_view caption = {}) = 0;
    // Warning box with Yes and No; true for Yes. No is the answer that cancels.
    virtual bool warningYesNo(std::string_view text, std::string_view caption = {}) = 0;
    // Question box with Yes and No; true for Yes (the default button).
    virtual bool questionYesNo(std::string_view text, std::string_view caption = {}) = 0;
    // Question box with Yes, No and Cancel.
    virtual Answer question(std::string_view text, std::string_view caption = {}) = 0;
    // Confirmation with OK and Cancel; true for OK.
    virtual bool confirmOkCancel(std::string_view text, std::string_view caption = {}) = 0;
    // Error box with OK.
    virtual void error(std::string_view text, std::string_view caption) = 0;
    // The advisory dialog: caption "Information", the text beside a picture (page 0 colour depth,
    // page 1 screen size), a "don't show again" check box and OK. True when the box was ticked.
    virtual bool advice(std::string_view text, int picturePage) = 0;
    // The default system beep, the only answer to an illegal action.
    virtual void beep() = 0;
};

} // namespace kst
