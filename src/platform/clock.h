#pragma once
#include <QDate>
#include <QDateTime>
#include <QString>

// Today's date and the time come from here, so that tests can fix them.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDate today() const = 0;
    virtual QDateTime now() const = 0;
};

class SystemClock : public Clock {
public:
    QDate today() const override { return QDate::currentDate(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

// The one short form of a date for texts the user reads (the export foot, chart labels):
// "2024/3/10", whatever the machine's locale.
inline QString shortDate(const QDate& date) {
    return date.toString(QStringLiteral("yyyy/M/d"));
}
