#include "mainwin/calendarform.h"

#include <QCalendarWidget>
#include <QDate>

#include "platform/runtime.h"

CalendarForm::CalendarForm(const QDate& today, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("CalendarForm"));
    setWindowTitle(QStringLiteral("日曆"));
    MonthView1 = new QCalendarWidget(this);
    MonthView1->setObjectName(QStringLiteral("MonthView1"));
    MonthView1->setGridVisible(true);
    const int margin = Runtime::twipsToPixels(120);
    MonthView1->move(margin, margin);
    MonthView1->resize(MonthView1->sizeHint());
    MonthView1->setSelectedDate(today);
    MonthView1->setCurrentPage(today.year(), today.month());
    // As wide as the calendar and its margins, at least the designed height.
    setFixedSize(MonthView1->width() + Runtime::twipsToPixels(300),
                 std::max(Runtime::twipsToPixels(3060), MonthView1->height() + 2 * margin));
}
