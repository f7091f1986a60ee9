#include "platform/qt/QtRandom.h"

#include <QDateTime>

namespace kst {

void QtRandom::seedFromClock()
{
    m_engine.seed(std::uint32_t(QDateTime::currentMSecsSinceEpoch()));
}

std::uint32_t QtRandom::below(std::uint32_t n)
{
    if (n == 0)
        return 0;
    return std::uniform_int_distribution<std::uint32_t>(0, n - 1)(m_engine);
}

} // namespace kst
