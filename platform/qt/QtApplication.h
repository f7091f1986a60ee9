#pragma once
// The application as a whole: the fatal end and the repaint of the main window.

#include "platform/Application.h"

namespace kst {

class QtApplication : public Application {
public:
    // Flushes the output streams and ends the process at once; nothing else runs, as the
    // program must not go on after a fatal message.
    [[noreturn]] void terminate(int exitCode) override;
    // Repaints the active main window, else the first visible one, at once.
    void repaintMainWindow() override;
};

} // namespace kst
