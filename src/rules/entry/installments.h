#pragma once
#include <QDate>
#include <QString>
#include <functional>
#include <optional>

#include "rules/entry/storeentry.h"

// The schedule the installment window adds to the entry window's fields.
struct InstallmentSchedule {
    QString unit = QStringLiteral("月");           // "年", "月" or "日"
    QString count = QStringLiteral("1");           // number of installments, as typed
    QString interval = QStringLiteral("1");        // units between two installments, as typed
    bool mondayForSaturdayAndSunday = false;       // 週六日順延至週一
    bool fridayForSaturdayAndSunday = false;       // 週六日提前至週五
    bool fridayForSaturdayMondayForSunday = false; // 週六提前，週日延後
};

struct InstallmentResult {
    enum class Status { Refused, Failed, Done };
    Status status = Status::Refused;
    EntryMessage message;
    int written = 0;    // installments written
    int feeEntries = 0; // fee entries written
};

namespace Installments {

QString failureMessage(); // "分期付款功能發生錯誤!"

// The stored date of an installment: the running date moved by the first ticked rule.
QDate movedForWeekend(const QDate& running, const InstallmentSchedule& s);
// The next running date: whole units added to the previous one (a month or year end
// that does not exist gives the last day of the month).
QDate nextRunningDate(const QDate& running, const QString& unit, qint64 interval);
// Detail of installment i: detail " (分期付款 " i "/" count ")", cut to 60 bytes.
QString detailOf(const QString& detail, int i, const QString& countText);

// The checks of the window in their order, with the silent corrections of the rate, the
// lead days, the fee amount and the invoice written back to f.
std::optional<EntryMessage> check(const Ledger& ledger, EntryFields& f,
                                  const InstallmentSchedule& s);

// Checks, works out every installment (dates up to 9999/12/31, accounts, amounts) and
// only then writes them with their fee entries. afterEach(index, feeIndex) runs after
// each installment is written (feeIndex 0 without fee). On success the unsaved-changes
// flag is set.
InstallmentResult generate(Ledger& ledger, EntryFields& f, const InstallmentSchedule& s,
                           const std::function<void(int, int)>& afterEach = {});

} // namespace Installments
