#include "rules/entry/installments.h"

#include "platform/codec.h"
#include "platform/runtime.h"

#include <cmath>
#include <vector>

namespace Installments {

namespace {

EntryMessage warning(const QString& text) {
    return {EntryMessage::Kind::Warning, text};
}

const QDate lastDate(9999, 12, 31);

} // namespace

QString failureMessage() {
    return QStringLiteral("分期付款功能發生錯誤!");
}

QDate movedForWeekend(const QDate& running, const InstallmentSchedule& s) {
    const int day = Runtime::weekday(running); // Sunday 0, Saturday 6
    if (day != 0 && day != 6) return running;
    if (s.mondayForSaturdayAndSunday) return running.addDays(day == 6 ? 2 : 1);
    if (s.fridayForSaturdayAndSunday) return running.addDays(day == 6 ? -1 : -2);
    if (s.fridayForSaturdayMondayForSunday) return running.addDays(day == 6 ? -1 : 1);
    return running;
}

QDate nextRunningDate(const QDate& running, const QString& unit, qint64 interval) {
    if (unit == QStringLiteral("年"))
        return interval > 10000 ? QDate() : running.addYears(int(interval));
    if (unit == QStringLiteral("日"))
        return interval > 4000000 ? QDate() : running.addDays(interval);
    return interval > 120000 ? QDate() : running.addMonths(int(interval));
}

QString detailOf(const QString& detail, int i, const QString& countText) {
    const QString full =
        detail + QStringLiteral(" (分期付款 ") + QString::number(i) + u'/' + countText + u')';
    return Ansi::cutToBytes(full, 60);
}

std::optional<EntryMessage> check(const Ledger& ledger, EntryFields& f,
                                  const InstallmentSchedule& s) {
    if (ledger.EntryCount > Ledger::EntryCapacity)
        return warning(QStringLiteral("記錄筆數已經到達") + QString::number(Ledger::EntryCapacity) +
                       QStringLiteral("筆上限，請使用結帳功能清除舊資料!"));
    const auto n = EntryRules::typedNumber(s.count);
    const auto k = EntryRules::typedNumber(s.interval);
    if (!n || !k) return warning(QStringLiteral("分期期數及每期分隔請輸入數字"));
    if (*n < 1) return warning(QStringLiteral("分期期數請輸入1以上(含)的數字"));
    if (*k < 1) return warning(QStringLiteral("每期分隔請輸入1以上(含)的數字"));
    // Room for the entries that will actually be written (a fractional count runs the
    // whole numbers up to it).
    const double toAdd = std::floor(*n) * (f.fee ? 2 : 1);
    if (double(ledger.EntryCount - 1) + toAdd > Ledger::EntryCapacity)
        return warning(
            QStringLiteral("剩下的資料筆數不足以容納這次的新增數量，請使用結帳功能清除舊資料!"));
    if (!Runtime::isDate(f.date)) return warning(QStringLiteral("不是正確的日期格式"));
    if (f.account1 == f.account2) return warning(QStringLiteral("選擇的科目不能重複"));
    if (!f.account2Chosen || !f.account1Chosen) return warning(QStringLiteral("您還沒選擇科目"));
    if (f.fee && (!f.fee2Chosen || !f.fee1Chosen))
        return warning(QStringLiteral("您還沒選擇手續費的科目"));
    if (!Runtime::isNumeric(f.amount)) return warning(QStringLiteral("金額部分不是數字格式"));

    if (!Runtime::isNumeric(f.rate)) f.rate = QStringLiteral("1");
    f.remindDays = EntryRules::correctedRemindDays(f.remindDays);
    if (!Runtime::isNumeric(f.feeAmount)) f.feeAmount = QStringLiteral("0");
    f.invoice = f.invoice.trimmed();

    if (!f.invoice.isEmpty() && f.invoice.size() != 8 && f.invoice.size() != 10)
        return warning(QStringLiteral("不正確的發票格式"));
    return std::nullopt;
}

InstallmentResult generate(Ledger& ledger, EntryFields& f, const InstallmentSchedule& s,
                           const std::function<void(int, int)>& afterEach) {
    InstallmentResult result;
    const Ledger::ChangeScope scope(ledger);
    if (const auto refusal = check(ledger, f, s)) {
        result.message = *refusal;
        return result;
    }
    result.status = InstallmentResult::Status::Failed;
    result.message = warning(failureMessage());

    const int count = int(std::floor(*EntryRules::typedNumber(s.count)));
    // A fractional interval counts its whole units.
    const double k = std::floor(*EntryRules::typedNumber(s.interval));
    if (k > 1e7) return result;
    const qint64 interval = qint64(k);
    const double rate = EntryRules::rateOf(f.rate);

    // Work out every entry first, so that a failure leaves the tables untouched.
    struct Planned {
        LedgerEntry entry;
        std::optional<LedgerEntry> fee;
    };
    std::vector<Planned> plan;
    plan.reserve(size_t(count));
    QDate running = *Runtime::parseDate(f.date);
    for (int i = 1; i <= count; ++i) {
        if (i > 1) running = nextRunningDate(running, s.unit, interval);
        const QDate stored = movedForWeekend(running, s);
        if (!running.isValid() || running > lastDate || !stored.isValid() || stored > lastDate)
            return result;
        auto entry = StoreEntry::mainEntry(ledger, f, Runtime::dateText(stored),
                                           detailOf(f.detail, i, s.count), f.note, rate);
        if (!entry) return result;
        Planned p{*entry, std::nullopt};
        if (f.fee) {
            // The fee keeps the running date itself.
            p.fee = StoreEntry::feeEntry(ledger, f, Runtime::dateText(running));
            if (!p.fee) return result;
        }
        plan.push_back(std::move(p));
    }

    for (const Planned& p : plan) {
        // The room for every planned entry was checked above.
        const int idx = ledger.EntryCount;
        if (!ledger.addEntry(p.entry)) break;
        int feeIdx = 0;
        if (p.fee) {
            feeIdx = ledger.EntryCount;
            if (!ledger.addEntry(*p.fee)) break;
            ++result.feeEntries;
        }
        ++result.written;
        if (afterEach) afterEach(idx, feeIdx);
    }
    ledger.markChanged();
    result.status = InstallmentResult::Status::Done;
    result.message = {};
    return result;
}

} // namespace Installments
