#pragma once
#include <QDialog>

class QCalendarWidget;
class QDate;

// A small calendar that only shows dates: it opens on the given day and changes nothing.
class CalendarForm : public QDialog {
    Q_OBJECT
public:
    explicit CalendarForm(const QDate& today, QWidget* parent = nullptr);
    QCalendarWidget* MonthView1 = nullptr;
};
