#include "mainwin/entrylisting.h"

#include <QByteArrayView>
#include <QDate>
#include <QHash>
#include <algorithm>

#include "store/amounts.h"
#include "store/balances.h"
#include "store/figures.h"
#include "store/ledger.h"
#include "store/periods.h"
#include "store/session.h"

namespace EntryListing {

namespace {
const QString checkedMark = QStringLiteral("#勾選標記");
const QString uncheckedMark = QStringLiteral("#未勾選標記");

// A fixed field's text, trimmed; a field of blanks and NULs needs no decoding.
template <int N> QString fieldText(const FixedText<N>& field) {
    for (char c : field.bytes())
        if (c != ' ' && c != '\0') return field.trimmed();
    return QString();
}

double signedAmount(const Ledger& ledger, const EntryListRow& row) {
    return row.sign * ledger.Entries[size_t(row.entry)].Amount.value();
}
} // namespace

QString cellText(const Ledger& ledger, const Session& session, const EntryListRow& row,
                 int column) {
    if (!row.fixedTexts.isEmpty()) return row.fixedTexts.value(column);
    const int i = row.entry;
    const EntryCore& e = ledger.Entries[size_t(i)];
    switch (column) {
    case EntryListModel::Date: {
        const quint32 key = row.date;
        const bool valid = QDate::isValid(int(key / 10000), int(key / 100 % 100), int(key % 100));
        // A valid stored date is exactly "yyyy/mm/dd" in ASCII already.
        return valid ? QString::fromLatin1(e.Date.bytes()) : e.Date.trimmed();
    }
    case EntryListModel::Other:
        return (row.firstSide ? e.Account2 : e.Account1).trimmed();
    case EntryListModel::Amount:
        return row.sign == 0 ? QString() : FormatAmount(signedAmount(ledger, row), session);
    case EntryListModel::Running:
        return row.runningShown ? FormatAmount(row.running, session) : QStringLiteral("--");
    case EntryListModel::Detail:
        return fieldText(e.Detail);
    case EntryListModel::Note:
        return fieldText(ledger.EntryNotes[size_t(i)].Note);
    case EntryListModel::Invoice:
        return fieldText(ledger.EntryStyles[size_t(i)].InvoiceLetters) +
               fieldText(ledger.EntryInvoices[size_t(i)].InvoiceDigits);
    case EntryListModel::Index:
        return QString::number(i);
    default:
        return QString();
    }
}

Result listAccount(const Ledger& ledger, const Session& session, const Request& request) {
    const AccountRecord& account = ledger.Accounts[size_t(request.account)];
    const int kind = account.Kind;
    const bool wholeUnits = session.DotState == QLatin1String("0");
    // A prefix compared from the first byte is a whole-character match in cp950.
    const QByteArray subPrefix = Ansi::encode(account.Name.trimmed() + QLatin1Char('.'));
    const QString& filter = request.filter;
    const QString filterLower = filter.toLower();
    auto passesFilter = [&](int i) {
        if (filter.isEmpty()) return true;
        const EntryCore& e = ledger.Entries[size_t(i)];
        if (e.Detail.text().toLower().contains(filterLower) ||
            ledger.EntryNotes[size_t(i)].Note.text().toLower().contains(filterLower) ||
            ledger.noteRow(i).toLower().contains(filterLower))
            return true;
        const EntryInvoice& inv = ledger.EntryInvoices[size_t(i)];
        const QString digits = inv.InvoiceDigits.text();
        if (filter == digits ||
            filter == ledger.EntryStyles[size_t(i)].InvoiceLetters.text() + digits)
            return true;
        if (filter == FormatAmount(e.Amount, session).remove(QLatin1Char(','))) return true;
        return (filter == checkedMark && inv.Checked != 0) ||
               (filter == uncheckedMark && inv.Checked == 0);
    };

    Result result;
    std::vector<EntryListRow>& rows = result.rows;
    // Rows name few distinct accounts: the kind of each is looked up once per listing.
    QHash<QByteArrayView, int> kindOf;
    auto otherKindOf = [&](const FixedText<32>& other) {
        auto it = kindOf.find(other.bytes());
        if (it == kindOf.end()) it = kindOf.insert(other.bytes(), PrefixKindCode(other, true));
        return *it;
    };
    auto addRow = [&](int i, bool firstSide, quint32 dateKey) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        EntryListRow row;
        row.entry = i;
        row.date = dateKey;
        row.firstSide = firstSide;
        row.sign =
            qint8(ListRowSign(kind, firstSide, otherKindOf(firstSide ? e.Account2 : e.Account1)));
        rows.push_back(std::move(row));
    };
    for (int i = 1; i < ledger.EntryCount; ++i) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        const bool first = e.Account1 == account.Name ||
                           (request.subAccounts && e.Account1.bytes().startsWith(subPrefix));
        const bool second = e.Account2 == account.Name;
        if (!first && !second) continue;
        const quint32 key = Periods::dateNumber(e.Date.bytes());
        if (request.bounded && (key < request.fromKey || key >= request.nextKey)) continue;
        if (!passesFilter(i)) continue;
        if (first) addRow(i, true, key);
        if (second) addRow(i, false, key);
    }

    // Row order: by the text of the sort column without regard to letter case, equal texts
    // in the order added. Rows come in date order already when that column is the date.
    const int column = request.sortColumn;
    if (column != EntryListModel::Running) {
        std::vector<QString> keys;
        keys.reserve(rows.size());
        for (const EntryListRow& row : rows)
            keys.push_back(cellText(ledger, session, row, column));
        std::vector<size_t> order(rows.size());
        for (size_t k = 0; k < order.size(); ++k)
            order[k] = k;
        auto less = [&](size_t a, size_t b) {
            return QString::compare(keys[a], keys[b], Qt::CaseInsensitive) < 0;
        };
        if (request.descending)
            std::stable_sort(order.begin(), order.end(),
                             [&](size_t a, size_t b) { return less(b, a); });
        else
            std::stable_sort(order.begin(), order.end(), less);
        std::vector<EntryListRow> sorted;
        sorted.reserve(rows.size());
        for (size_t k : order)
            sorted.push_back(std::move(rows[k]));
        rows = std::move(sorted);
    }

    // The running total, and the figure.
    double t = request.start;
    double u = request.start;
    for (EntryListRow& row : rows) {
        row.runningShown = request.runningShown;
        if (!request.runningShown) continue;
        const double a = row.sign == 0 ? 0.0 : signedAmount(ledger, row);
        t += wholeUnits ? WholeUnitsAmount(a) : a;
        row.running = t;
        if (request.stopAtToday && row.date <= request.todayKey) u = t;
    }
    for (auto it = rows.rbegin(); it != rows.rend(); ++it)
        if (it->date <= request.todayKey) {
            it->runningBlue = true;
            break;
        }
    result.figure = request.stopAtToday ? u : t;
    return result;
}

} // namespace EntryListing
