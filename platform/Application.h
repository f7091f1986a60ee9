#pragma once
// Port: the few things the core asks of the running application as a whole.

namespace kst {

class Application {
public:
    virtual ~Application() = default;
    // Ends the program at once with the exit code (after a fatal message has been shown).
    virtual void terminate(int exitCode) = 0;
    // Repaints the main window, if there is one.
    virtual void repaintMainWindow() = 0;
};

} // namespace kst
