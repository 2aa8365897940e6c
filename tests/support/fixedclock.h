#pragma once
#include "platform/clock.h"

// Today and now as the test sets them; starts at 2024/01/15 12:00:00.
class FixedClock : public Clock {
public:
    QDate today() const override { return m_now.date(); }
    QDateTime now() const override { return m_now; }
    void setToday(const QDate& date) { m_now.setDate(date); } // keeps the time of day
    void setNow(const QDateTime& now) { m_now = now; }

private:
    QDateTime m_now{QDate(2024, 1, 15), QTime(12, 0, 0)};
};
