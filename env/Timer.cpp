#include "env/Timer.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace {

qint64 userWait = 0;

// The low 32 bits of a monotonic millisecond count; differences are taken
// modulo 2^32, so a wrap between BeginCount and EndCount still measures right.
qint32 Tick()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now).count();
    return static_cast<qint32>(static_cast<std::uint32_t>(ms));
}

} // namespace

void CountUserWait(qint64 milliseconds)
{
    userWait += milliseconds;
}

void Timer::BeginCount()
{
    begin_ = Tick();
    waitedAtBegin_ = userWait;
}

void Timer::EndCount()
{
    const auto elapsed = static_cast<qint32>(static_cast<std::uint32_t>(Tick()) -
                                             static_cast<std::uint32_t>(begin_));
    time_ = std::max<qint32>(0, elapsed - static_cast<qint32>(userWait - waitedAtBegin_));
}
