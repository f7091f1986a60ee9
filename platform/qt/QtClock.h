#pragma once
// The clock, the message pump and the user's locale on Qt.

#include "platform/Clock.h"

#include <QElapsedTimer>
#include <QString>

namespace kst {

class QtClock : public Clock {
public:
    QtClock();
    std::uint64_t tickMs() override;
    DateTime now() override;

private:
    QElapsedTimer m_started;
};

// Runs the pending messages, then naps briefly when there were none, so that a busy wait on
// the tick counter lets the window repaint without keeping a core busy.
class QtEventPump : public EventPump {
public:
    void processPendingEvents(int maxWaitMs) override;
};

// The decimal point and the time separator of the system's locale, as Windows-1252 texts.
LocaleFormat systemLocaleFormat();

// The separator between hours and minutes in a Qt time format ("HH:mm" gives ":"); ":" when
// the format has none.
QString timeSeparatorOf(const QString& timeFormat);

} // namespace kst
