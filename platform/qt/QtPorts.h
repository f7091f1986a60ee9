#pragma once
// The Qt implementation of every port, owned in one place. Made after the QApplication and
// destroyed before it.

#include "platform/Ports.h"
#include "platform/qt/QtApplication.h"
#include "platform/qt/QtClock.h"
#include "platform/qt/QtFileDialogs.h"
#include "platform/qt/QtGraphics.h"
#include "platform/qt/QtMessageBoxes.h"
#include "platform/qt/QtPointer.h"
#include "platform/qt/QtRandom.h"
#include "platform/qt/QtResourceLibrary.h"

#include <memory>

namespace kst {

class QtPorts {
public:
    // Sound is off when asked for here (--no-sound) or when KESTRANE_NO_SOUND is set; then no
    // multimedia object is ever made.
    explicit QtPorts(bool soundOff = false);
    ~QtPorts();
    QtPorts(const QtPorts&) = delete;
    QtPorts& operator=(const QtPorts&) = delete;

    Ports ports();

    bool soundIsOff() const { return m_soundOff; }
    QtResourceLibrary& resourceLibrary() { return m_resources; }
    QtGraphics& graphics() { return m_graphics; }

private:
    QtMessageBoxes m_messages;
    QtClock m_clock;
    QtEventPump m_events;
    QtRandom m_random;
    bool m_soundOff;
    std::unique_ptr<SoundPlayer> m_sound;
    QtResourceLibrary m_resources;
    QtFileDialogs m_dialogs;
    QtGraphics m_graphics;
    QtPointer m_pointer;
    QtApplication m_app;
    LocaleFormat m_locale;
};

} // namespace kst
