#pragma once
// Benchmarks of windows and of Qt drawing need an application object; they run without a display.

#include <QApplication>

#include <memory>

namespace kst {

inline void ensureApplication()
{
    static std::unique_ptr<QApplication> app;
    if (QApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kst_bench";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QApplication>(argc, argv);
}

} // namespace kst
