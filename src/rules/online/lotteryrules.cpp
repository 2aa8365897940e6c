#include "rules/online/lotteryrules.h"

#include <algorithm>
#include <set>

#include "store/amounts.h"
#include "store/ledger.h"
#include "store/session.h"

namespace Lottery {

namespace {

constexpr int MaxRocYear = 9999 - 1911; // the last year a date can hold

bool allDigits(const QString& text) {
    if (text.isEmpty()) return false;
    for (QChar c : text)
        if (c < u'0' || c > u'9') return false;
    return true;
}

QDate readDate(const QString& text) {
    return QDate::fromString(text, QStringLiteral("yyyy/MM/dd"));
}

struct Prize {
    const char16_t* name;
    const char16_t* amount;
    qint64 value;
    int length; // characters compared from the end
};

// First prizes, longest suffix first; then the special and the grand prize.
constexpr Prize FirstPrizes[] = {
    {u"頭獎", u"200,000", 200000, 8}, {u"二獎", u"40,000", 40000, 7},
    {u"三獎", u"10,000", 10000, 6},   {u"四獎", u"4,000", 4000, 5},
    {u"五獎", u"1,000", 1000, 4},     {u"六獎", u"200", 200, 3},
};
constexpr Prize SpecialPrize = {u"特別獎", u"10,000,000", 10000000, 8};
constexpr Prize GrandPrize = {u"特獎", u"2,000,000", 2000000, 8};

qint64 amountValue(const QString& amount) {
    return QString(amount).remove(u',').toLongLong();
}

// Both numbers must be at least as long as the level, so a short number never wins a
// level longer than itself.
bool matches(const QString& number, const QString& box, int length) {
    return number.size() >= length && box.size() >= length &&
           number.right(length) == box.right(length);
}

void award(ResultRow& row, const Prize& prize) {
    // The higher prize wins: a later, smaller match never replaces a larger one.
    if (!row.amount.isEmpty() && amountValue(row.amount) >= prize.value) return;
    row.prize = QString::fromUtf16(prize.name);
    row.amount = QString::fromUtf16(prize.amount);
}

} // namespace

QStringList periodTexts() {
    return {QStringLiteral("01-02月"), QStringLiteral("03-04月"), QStringLiteral("05-06月"),
            QStringLiteral("07-08月"), QStringLiteral("09-10月"), QStringLiteral("11-12月")};
}

int currentRocYear(const QDate& today) {
    return today.year() - 1911;
}

PeriodChoice defaultPeriod(const QDate& today) {
    const int m = today.month();
    if (m <= 2) return {today.year() - 1912, 5};
    return {currentRocYear(today), (m - 1) / 2 - 1};
}

int yearBoxValue(const QString& text) {
    QString t = text.trimmed();
    if (!allDigits(t)) return 0;
    // Leading zeros are part of how a year may be typed, not a larger year.
    while (t.size() > 1 && t.startsWith(u'0'))
        t.remove(0, 1);
    if (t.size() > 4) return 0;
    const int v = t.toInt();
    return v >= 1 && v <= MaxRocYear ? v : 0;
}

DateRange periodRange(int rocYear, int period) {
    const int y = rocYear + 1911;
    const int m = 2 * period + 1;
    const QDate first(y, m, 1);
    const QDate last = period == 5 ? QDate(y, 12, 31) : QDate(y, m + 2, 1).addDays(-1);
    return {first, last};
}

QString winningNumbersPath(const QString& yearBoxText, int period) {
    return QStringLiteral("/qivo/") + yearBoxText.trimmed() + u'-' +
           periodTexts().value(period).left(5) + QStringLiteral(".txt");
}

WinningNumbers parseWinningNumbers(const QString& reply) {
    WinningNumbers w;
    if (reply.isEmpty()) return w;
    QStringList lines = reply.split(u'\n');
    for (QString& line : lines)
        if (line.endsWith(u'\r')) line.chop(1);
    if (lines.first() != QStringLiteral("Qivo")) {
        w.result = WinningNumbers::Result::NotAvailable;
        return w;
    }
    w.result = WinningNumbers::Result::Numbers;
    for (int i = 0; i < 5; ++i)
        w.special[size_t(i)] = lines.value(1 + i).trimmed();
    for (int i = 0; i < 8; ++i)
        w.first[size_t(i)] = lines.value(6 + i).trimmed();
    return w;
}

bool isPrizeNumber(const QString& text) {
    return allDigits(text.trimmed());
}

QString prizeBoxValue(const QString& text) {
    return isPrizeNumber(text) ? text.trimmed() : QString();
}

std::vector<ResultRow> collectInvoices(const Ledger& ledger, const std::vector<PaperInvoice>& paper,
                                       const QDate& first, const QDate& last) {
    std::vector<ResultRow> rows;
    std::set<QString> seen; // one row per number: the first one found stays
    auto add = [&](const QDate& date, const QString& number) {
        if (!date.isValid() || date < first || date > last) return;
        if (!seen.insert(number).second) return;
        rows.push_back({date.toString(QStringLiteral("yyyy/MM/dd")), number, {}, {}});
    };
    for (int i = 1; i < ledger.EntryCount; ++i) {
        const QString digits =
            ledger.EntryInvoices[size_t(i)].InvoiceDigits.text().remove(u'\0').trimmed();
        if (digits.isEmpty()) continue;
        QString letters = ledger.EntryStyles[size_t(i)].InvoiceLetters.text();
        letters.remove(u'\0').remove(u' ');
        add(readDate(ledger.Entries[size_t(i)].Date.text()), letters + digits);
    }
    for (const PaperInvoice& p : paper)
        add(readDate(p.Date), p.Number);
    std::stable_sort(rows.begin(), rows.end(),
                     [](const ResultRow& a, const ResultRow& b) { return a.date < b.date; });
    return rows;
}

void checkPrizes(std::vector<ResultRow>& rows, const std::array<QString, 5>& special,
                 const std::array<QString, 8>& first) {
    for (const QString& box : first) {
        if (box.isEmpty()) continue;
        for (ResultRow& row : rows)
            for (const Prize& p : FirstPrizes)
                if (matches(row.number, box, p.length)) {
                    award(row, p);
                    break;
                }
    }
    for (size_t b = 0; b < special.size(); ++b) {
        if (special[b].isEmpty()) continue;
        const Prize& p = b == 0 ? SpecialPrize : GrandPrize;
        for (ResultRow& row : rows)
            if (matches(row.number, special[b], p.length)) award(row, p);
    }
}

QString resultLine(const std::vector<ResultRow>& rows, const Session& session) {
    int n = 0;
    qint64 total = 0;
    for (const ResultRow& row : rows) {
        if (row.amount.isEmpty()) continue;
        ++n;
        total += amountValue(row.amount);
    }
    if (n == 0) return QStringLiteral("很遺憾，沒有中獎的發票");
    return QStringLiteral("恭喜中獎，共有 ") + QString::number(n) +
           QStringLiteral(" 張發票中獎，總獎金 ") + FormatAmount(double(total) * 100, session) +
           QStringLiteral(" 元");
}

} // namespace Lottery
