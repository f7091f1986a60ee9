#pragma once
// Message boxes, sound and pointer for kestrane-cli: nobody is there to answer, to listen or to
// watch. Every question gets its cancelling answer, so no script stops on a box; the last error
// and the information texts are kept for the verb to report on standard error.

#include "platform/MessageBoxes.h"
#include "platform/Pointer.h"
#include "platform/Sound.h"

#include <string>
#include <vector>

namespace kst::cli {

class QuietMessageBoxes : public MessageBoxes {
public:
    void information(std::string_view text, std::string_view) override { m_told.emplace_back(text); }
    bool warningYesNo(std::string_view, std::string_view) override { return false; }
    bool questionYesNo(std::string_view, std::string_view) override { return false; }
    Answer question(std::string_view, std::string_view) override { return Answer::Cancel; }
    bool confirmOkCancel(std::string_view, std::string_view) override { return false; }
    void error(std::string_view text, std::string_view) override { m_lastError = text; }
    bool advice(std::string_view, int) override { return false; }
    void beep() override {}

    const std::string& lastError() const { return m_lastError; }
    // The information boxes shown, in order.
    const std::vector<std::string>& told() const { return m_told; }

private:
    std::string m_lastError;
    std::vector<std::string> m_told;
};

class StillPointer : public PointerShapes {
public:
    void showBusy() override {}
    void restore() override {}
};

class SilentSound : public SoundPlayer {
public:
    void play(const std::string&, PlayMode) override {}
    void stop() override {}
};

} // namespace kst::cli
