#include "platform/qt/QtPorts.h"

#include "platform/qt/QtSound.h"

namespace kst {

QtPorts::QtPorts(bool soundOff)
    : m_soundOff(soundOff || soundOffByEnvironment()),
      m_sound(m_soundOff ? std::unique_ptr<SoundPlayer>(std::make_unique<SilentSound>())
                         : std::make_unique<QtSound>(m_events)),
      m_locale(systemLocaleFormat())
{
}

QtPorts::~QtPorts() = default;

Ports QtPorts::ports()
{
    return Ports{m_messages, m_clock, m_events, m_random, *m_sound, m_resources, m_dialogs,
                 m_graphics, m_pointer, m_app, m_locale};
}

} // namespace kst
