#pragma once
// The message-box port on QMessageBox. Boxes are modal over the active window; a box without a
// caption is captioned with the program's title.

#include "platform/MessageBoxes.h"

namespace kst {

class QtMessageBoxes : public MessageBoxes {
public:
    void information(std::string_view text, std::string_view caption = {}) override;
    bool warningYesNo(std::string_view text, std::string_view caption = {}) override;
    bool questionYesNo(std::string_view text, std::string_view caption = {}) override;
    Answer question(std::string_view text, std::string_view caption = {}) override;
    bool confirmOkCancel(std::string_view text, std::string_view caption = {}) override;
    void error(std::string_view text, std::string_view caption) override;
    bool advice(std::string_view text, int picturePage) override;
    void beep() override;
};

} // namespace kst
