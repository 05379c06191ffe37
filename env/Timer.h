#pragma once
// A millisecond stopwatch on a monotonic clock.
#include <QtGlobal>

class Timer {
public:
    void BeginCount();
    void EndCount();
    // Milliseconds between the last BeginCount and the last EndCount; 0 before that.
    qint32 Time() const { return time_; }

private:
    qint32 begin_ = 0;
    qint32 time_ = 0;
};
