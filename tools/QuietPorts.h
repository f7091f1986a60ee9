#pragma once
// Message boxes and sound for kestrane-cli: nobody is there to answer or to listen. Every
// question gets its cancelling answer, so no script stops on a box; the last error is kept for
// the verb to report on standard error.

#include "platform/MessageBoxes.h"
#include "platform/Sound.h"

#include <string>

namespace kst::cli {

class QuietMessageBoxes : public MessageBoxes {
public:
    void information(std::string_view, std::string_view) override {}
    bool warningYesNo(std::string_view, std::string_view) override { return false; }
    Answer question(std::string_view, std::string_view) override { return Answer::Cancel; }
    bool confirmOkCancel(std::string_view, std::string_view) override { return false; }
    void error(std::string_view text, std::string_view) override { m_lastError = text; }
    bool advice(std::string_view, int) override { return false; }
    void beep() override {}

    const std::string& lastError() const { return m_lastError; }

private:
    std::string m_lastError;
};

class SilentSound : public SoundPlayer {
public:
    void play(const std::string&, PlayMode) override {}
    void stop() override {}
};

} // namespace kst::cli
