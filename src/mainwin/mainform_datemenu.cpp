// The date item of the menu bar and its calendar.
#include "mainwin/mainform.h"

#include <QDate>

#include "mainwin/calendarform.h"
#include "platform/clock.h"
#include "platform/modalrunner.h"
#include "store/appcontext.h"

QString MainFormMenus::dateMenuCaption(const QDate& date) {
    static const char16_t* const days[] = {u"日", u"一", u"二", u"三", u"四", u"五", u"六"};
    return date.toString(QStringLiteral("yyyy/MM/dd")) + QStringLiteral(" (星期") +
           QString::fromUtf16(days[date.dayOfWeek() % 7]) + QStringLiteral(")");
}

void MainForm::Menu_Date_Click() {
    // No timer keeps the caption current; a click brings it up to date before the calendar.
    setDateMenuCaption();
    CalendarForm calendar(m_ctx.services.clock().today(), this);
    m_ctx.services.modal().run(calendar);
}
