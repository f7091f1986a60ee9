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

// Names the program to the toolkit. It sets no display name: the toolkit would append that to
// every window's caption, and the captions are the program's own, to the letter.
void nameApplication();

} // namespace kst
