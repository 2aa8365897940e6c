#pragma once
#include <QDate>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "rules/online/paynumfile.h"

struct Ledger;
struct Session;

// The rules of the invoice lottery window, free of widgets: the two-month periods, the
// year box, the winning-numbers reply and the prize check.
namespace Lottery {

// The six periods of the period list, index 0 to 5 ("01-02月" .. "11-12月").
QStringList periodTexts();

// The period a window opened on `today` starts with: the previous two-month period.
struct PeriodChoice {
    int rocYear = 0;
    int period = 0;
};
PeriodChoice defaultPeriod(const QDate& today);

int currentRocYear(const QDate& today);
// The year box's value: a whole number from 1 to 8088 (blanks around it and leading zeros
// allowed); 0 for
// any other text, which the window then replaces by the current year.
int yearBoxValue(const QString& text);

// First and last day of period `period` of the ROC year `rocYear` (a valid year box value).
struct DateRange {
    QDate first;
    QDate last;
};
DateRange periodRange(int rocYear, int period);

// Path of the winning numbers of a period on the service, as "/qivo/99-01-02.txt": the
// year as the year box holds it (a valid value, blanks around it dropped).
QString winningNumbersPath(const QString& yearBoxText, int period);

// The service's reply for one period: the special prize, the four grand prizes and the
// eight first prizes. Lines end at LF, one CR before it is dropped, values are trimmed.
struct WinningNumbers {
    enum class Result { Empty, NotAvailable, Numbers };
    Result result = Result::Empty;
    std::array<QString, 5> special; // special prize, then the four grand prizes
    std::array<QString, 8> first;   // first prizes
};
WinningNumbers parseWinningNumbers(const QString& reply);

// A prize box counts only when its trimmed text is all digits; otherwise it is emptied.
bool isPrizeNumber(const QString& text);
// What the check reads from a prize box (and leaves in it): the trimmed number, or empty.
QString prizeBoxValue(const QString& text);

// One row of the result list.
struct ResultRow {
    QString date;   // "yyyy/mm/dd"
    QString number; // invoice number as text
    QString prize;  // empty or the prize name
    QString amount; // empty or the prize amount, "," grouped
};

// The invoices of the range (both ends included): the ledger's entries with invoice
// digits, then the paper invoices; one row per number, sorted by date.
std::vector<ResultRow> collectInvoices(const Ledger& ledger, const std::vector<PaperInvoice>& paper,
                                       const QDate& first, const QDate& last);

// Sets the prize of every row matched by a box. `special` holds the special prize and the
// four grand prizes, `first` the first prizes; both as the boxes hold them after the
// check emptied the boxes that are not numbers. A row keeps the highest prize it wins.
void checkPrizes(std::vector<ResultRow>& rows, const std::array<QString, 5>& special,
                 const std::array<QString, 8>& first);

// The status line after a check.
QString resultLine(const std::vector<ResultRow>& rows, const Session& session);

} // namespace Lottery
