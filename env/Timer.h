#pragma once
// A millisecond stopwatch on a monotonic clock. Time spent waiting for the user
// (see CountUserWait) between BeginCount and EndCount is not counted: it is the
// user's, not the work's.
#include <QtGlobal>

class Timer {
public:
    void BeginCount();
    void EndCount();
    // Milliseconds between the last BeginCount and the last EndCount; 0 before that.
    qint32 Time() const { return time_; }

private:
    qint32 begin_ = 0;
    qint64 waitedAtBegin_ = 0;
    qint32 time_ = 0;
};

// Adds to the time spent waiting for the user (a message box open), which
// every stopwatch leaves out. Called by whatever waits.
void CountUserWait(qint64 milliseconds);
