#include "rules/journal/journallisting.h"

#include "store/amounts.h"
#include "store/figures.h"
#include "store/ledger.h"
#include "store/periods.h"
#include "store/session.h"

namespace Journal {

namespace {

const QString checkedMark = QStringLiteral("#勾選標記");
const QString uncheckedMark = QStringLiteral("#未勾選標記");

quint32 dayNumber(const QDate& d) {
    return quint32(d.year() * 10000 + d.month() * 100 + d.day());
}

// True when lower-casing a text can neither make nor break a match of `lower`: each of its
// characters lowers to itself and is what no other character lowers to (Han characters, and
// ASCII but for letters). A keyword of such characters is found in the texts as they are,
// which saves lower-casing every text of the listing.
bool lowerCaseless(const QString& lower) {
    for (QChar c : lower) {
        if (c.unicode() < 0x80) {
            if (c.isLetter()) return false;
        } else if (c.script() != QChar::Script_Han) {
            return false;
        }
    }
    return true;
}

// The keyword's tests, prepared once per listing.
class KeywordTest {
public:
    KeywordTest(const QString& keyword, const Session& session)
        : m_keyword(keyword), m_lower(keyword.toLower()), m_session(session) {
        m_tick = keyword == checkedMark ? 1 : keyword == uncheckedMark ? 2 : 0;
        // Only a text of digits, sign and point can equal an amount without its commas.
        m_amountLike = !keyword.isEmpty();
        for (QChar c : keyword)
            if (!(c.isDigit() || c == QLatin1Char('-') || c == QLatin1Char('.')))
                m_amountLike = false;
        m_caseless = lowerCaseless(m_lower);
        // The invoice digits' 8 bytes decode to 4 characters at least (2 bytes at most per
        // character): a keyword shorter than that cannot end with them.
        m_invoiceLike = m_keyword.size() >= 4 && m_keyword.size() <= 10;
    }

    bool operator()(const Ledger& ledger, int i) const {
        const EntryCore& e = ledger.Entries[size_t(i)];
        if (holds(e.Detail.trimmed())) return true;
        // The whole note: the note row when there is one (also untrimmed), else the field.
        const QString row = ledger.noteRow(i);
        if (row.isEmpty()) {
            if (holds(ledger.EntryNotes[size_t(i)].Note.trimmed())) return true;
        } else if (holds(row)) {
            return true;
        }
        const EntryInvoice& invoice = ledger.EntryInvoices[size_t(i)];
        if (m_invoiceLike) {
            const QString digits = invoice.InvoiceDigits.text();
            if (m_keyword.endsWith(digits)) {
                const QString letters = ledger.EntryStyles[size_t(i)].InvoiceLetters.text();
                // The keyword is the digits, or the letters followed by the digits.
                if (m_keyword.size() == digits.size() ||
                    (m_keyword.size() == letters.size() + digits.size() &&
                     m_keyword.startsWith(letters)))
                    return true;
            }
        }
        if (m_amountLike && m_keyword == FormatAmount(e.Amount, m_session).remove(QLatin1Char(',')))
            return true;
        return (m_tick == 1 && invoice.Checked != 0) || (m_tick == 2 && invoice.Checked == 0);
    }

private:
    // The text, lower-cased, holds the lower-cased keyword.
    bool holds(QString text) const {
        return m_caseless ? text.contains(m_lower) : std::move(text).toLower().contains(m_lower);
    }

    QString m_keyword;
    QString m_lower;
    const Session& m_session;
    int m_tick = 0;
    bool m_amountLike = false;
    bool m_caseless = false;
    bool m_invoiceLike = false;
};

bool passesDate(const DateTest& test, const FixedText<10>& date) {
    switch (test.kind) {
    case DateTest::Everything:
        return true;
    case DateTest::Nothing:
        return false;
    case DateTest::YearPrefix:
        return date.bytes().startsWith(test.year);
    case DateTest::Between: {
        const quint32 n = Periods::dateNumber(date.bytes());
        return n >= test.first && n <= test.last;
    }
    }
    return false;
}

} // namespace

PeriodChoice periodChoice(int index, const QString& yearText, const QString& dayState,
                          const QString& dayState2) {
    PeriodChoice c;
    if (index <= Periods::All || index > Periods::LastMonth) return c;
    const std::optional<int> year = Periods::yearFromText(yearText);
    if (!year) {
        c.test.kind = DateTest::Nothing;
        return c;
    }
    const Periods::Bounds b = Periods::periodBounds(index, *year, Periods::monthStartDay(dayState),
                                                    dayState2 != QLatin1String("0"));
    c.pickerStart = b.first;
    c.pickerEnd = QDate::fromString(b.end, QStringLiteral("yyyyMMdd"));
    if (index == Periods::WholeYear) {
        // The calendar year, whatever the month start: every date that begins with Y.
        c.test.kind = DateTest::YearPrefix;
        c.test.year = QByteArray::number(*year);
    } else {
        // A period that would end in year 10000 ends with 9999/12/31.
        c.test.kind = DateTest::Between;
        c.test.first = Periods::dateNumber(b.start);
        c.test.last = Periods::dateNumber(b.end);
    }
    return c;
}

DateTest rangeTest(const QDate& start, const QDate& end) {
    DateTest t;
    t.kind = DateTest::Between;
    t.first = dayNumber(start);
    t.last = dayNumber(end);
    return t;
}

bool passesType(const Ledger& ledger, int entry, int type) {
    const EntryCore& e = ledger.Entries[size_t(entry)];
    auto either = [&](int kind) {
        return PrefixKindCode(e.Account1, false) == kind ||
               PrefixKindCode(e.Account2, false) == kind;
    };
    switch (type) {
    case TypeTransfer:
        return IsAssetOrLiabilityName(e.Account1) && IsAssetOrLiabilityName(e.Account2);
    case TypeAsset:
        return either(KindAsset);
    case TypeLiability:
        return either(KindLiability);
    case TypeIncome:
        return PrefixKindCode(e.Account1, true) == KindIncome;
    case TypeExpense:
        return PrefixKindCode(e.Account1, true) == KindExpense;
    default:
        return true;
    }
}

bool passesKeyword(const Ledger& ledger, const Session& session, int entry,
                   const QString& keyword) {
    return keyword.isEmpty() || KeywordTest(keyword, session)(ledger, entry);
}

Listing listEntries(const Ledger& ledger, const Session& session, const DateTest& dates, int type,
                    const QString& keyword) {
    Listing out;
    if (dates.kind == DateTest::Nothing) return out;
    const KeywordTest matches(keyword, session);
    const bool anyKeyword = !keyword.isEmpty();
    for (int i = 1; i < ledger.EntryCount; ++i) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        if (!passesDate(dates, e.Date) || !passesType(ledger, i, type)) continue;
        if (anyKeyword && !matches(ledger, i)) continue;
        out.entries.push_back(i);
        const double amount = e.Amount.value();
        const int kind = PrefixKindCode(e.Account1, true);
        if (kind == KindAsset || kind == KindLiability)
            out.transfer += amount;
        else if (kind == KindIncome)
            out.income += amount;
        else if (kind == KindExpense)
            out.expense += amount;
    }
    return out;
}

QString sumsLine(const Listing& listing, int type, const Session& session) {
    QString line = QStringLiteral("共 %1 筆記錄").arg(listing.entries.size());
    auto part = [&](const char* label, double figure) {
        line += QString::fromUtf8(label) + FormatAmount(figure, session);
    };
    if (type <= TypeLiability) part("，資產轉移 ", listing.transfer);
    if (type == TypeAll || type == TypeIncome) part("，收入總計 ", listing.income);
    if (type == TypeAll || type == TypeExpense) part("，支出總計 ", listing.expense);
    if (type == TypeAll) part("，結餘 ", listing.income - listing.expense);
    return line;
}

QString periodTitle(const QString& ledgerName, const QString& yearText, const QString& choice) {
    return ledgerName + QLatin1Char('_') + yearText + QStringLiteral("年") + choice;
}

QString rangeTitle(const QString& ledgerName, const QDate& start, const QDate& end) {
    return ledgerName + QLatin1Char('_') + Periods::dateKey(start) + QLatin1Char('-') +
           Periods::dateKey(end);
}

} // namespace Journal
