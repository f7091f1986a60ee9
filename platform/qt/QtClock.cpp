#include "platform/qt/QtClock.h"

#include "platform/qt/QtText.h"

#include <QAbstractEventDispatcher>
#include <QDateTime>
#include <QLocale>
#include <QTimer>

#include <algorithm>

namespace kst {

QtClock::QtClock()
{
    m_started.start();
}

std::uint64_t QtClock::tickMs()
{
    return std::uint64_t(m_started.elapsed());
}

DateTime QtClock::now()
{
    const QDateTime t = QDateTime::currentDateTime();
    const QDate d = t.date();
    const QTime time = t.time();
    return {d.year(), d.month(), d.day(), time.hour(), time.minute(), time.second(), time.msec()};
}

void QtEventPump::processPendingEvents(int maxWaitMs)
{
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    if (!dispatcher)
        return;
    const bool handledSome = dispatcher->processEvents(QEventLoop::AllEvents);
    const int nap = std::min(maxWaitMs, 5);
    if (handledSome || nap <= 0)
        return;
    // Sleep until the next message arrives or the nap is over, whichever comes first.
    QTimer wakeUp;
    wakeUp.setSingleShot(true);
    wakeUp.start(nap);
    dispatcher->processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
}

QString timeSeparatorOf(const QString& timeFormat)
{
    qsizetype i = 0;
    while (i < timeFormat.size() && timeFormat[i] != QLatin1Char('h') && timeFormat[i] != QLatin1Char('H'))
        ++i;
    while (i < timeFormat.size() && (timeFormat[i] == QLatin1Char('h') || timeFormat[i] == QLatin1Char('H')))
        ++i;
    // Up to the next format letter; a quoted letter ("HH 'h' mm") is part of the separator.
    QString separator;
    bool quoted = false;
    for (; i < timeFormat.size(); ++i) {
        const QChar c = timeFormat[i];
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (c.isLetter() && !quoted)
            break;
        separator += c;
    }
    separator = separator.trimmed();
    return separator.isEmpty() ? QStringLiteral(":") : separator;
}

LocaleFormat systemLocaleFormat()
{
    const QLocale locale = QLocale::system();
    LocaleFormat format;
    if (const auto point = toProgramText(locale.decimalPoint()); point && !point->empty())
        format.decimalSeparator = *point;
    if (const auto separator = toProgramText(timeSeparatorOf(locale.timeFormat(QLocale::ShortFormat))))
        format.timeSeparator = *separator;
    return format;
}

} // namespace kst
