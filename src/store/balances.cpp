#include "store/balances.h"

#include <QtEndian>

#include <array>
#include <cstring>
#include <limits>

#include "store/amounts.h"

QString EntryDateKey(const FixedText<10>& date) {
    const QString d = date.text();
    return d.mid(0, 4) + d.mid(5, 2) + d.mid(8, 2);
}

namespace {
std::array<char, 8> dateKeyBytes(const char* date) {
    return {date[0], date[1], date[2], date[3], date[5], date[6], date[8], date[9]};
}
} // namespace

quint64 DateKeyNumber(const char* date) {
    return qFromBigEndian<quint64>(dateKeyBytes(date).data());
}

std::optional<quint64> DateKeyNumber(const QByteArray& key) {
    if (key.size() != 8) return std::nullopt;
    return qFromBigEndian<quint64>(key.constData());
}

int CompareDateKey(const char* date, const QByteArray& key) {
    const std::array<char, 8> k = dateKeyBytes(date);
    const qsizetype n = qMin<qsizetype>(8, key.size());
    const int c = std::memcmp(k.data(), key.constData(), size_t(n));
    if (c != 0) return c;
    return n == key.size() ? (key.size() < 8 ? 1 : 0) : -1;
}

namespace {

// The type tag the sum of the counted amounts takes: Empty while none counted, then the
// widest of Int16, Int32 and Double met so far.
quint16 widerTag(quint16 sum, quint16 amount) {
    if (sum == TaggedNumber::Double || amount == TaggedNumber::Double) return TaggedNumber::Double;
    if (sum == TaggedNumber::Int32 || amount == TaggedNumber::Int32) return TaggedNumber::Int32;
    return TaggedNumber::Int16;
}

double balance(const Ledger& ledger, int accountIndex, const QString& dateKey, bool includeDay,
               bool wholeUnits, quint16* sumTag = nullptr) {
    const AccountRecord& account = ledger.Accounts.at(size_t(accountIndex));
    const int k = account.Kind;
    const FixedText<32>& name = account.Name;
    const QByteArray key = dateKey.toLatin1();
    quint16 tag = TaggedNumber::Empty;

    double b = 0;
    int t = 0; // kind code of the other side; kept from the last recognised side
    for (int i = 1; i < ledger.EntryCount; ++i) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        const bool first = e.Account1 == name;
        const bool second = e.Account2 == name;
        if (!first && !second) continue;
        const int c = CompareDateKey(e.Date.data(), key);
        if (includeDay ? c > 0 : c >= 0) continue;
        const double a = wholeUnits ? WholeUnitsAmount(e.Amount.value()) : e.Amount.value();
        tag = widerTag(tag, e.Amount.tag());
        if (first) {
            const int code = PrefixKindCode(e.Account2, false);
            if (code >= 0) t = code;
            b += EntrySign(k, t, true) * a;
        }
        if (second) {
            const int code = PrefixKindCode(e.Account1, true);
            if (code >= 0) t = code;
            b += EntrySign(k, t, false) * a;
        }
    }
    if (sumTag) *sumTag = tag;
    return b;
}

bool wholeUnitsShown(const Session& session) {
    return session.DotState == QLatin1String("0");
}

} // namespace

double AccountBalanceTo(const Ledger& ledger, const Session& session, int accountIndex,
                        const QString& dateKey) {
    return balance(ledger, accountIndex, dateKey, true, wholeUnitsShown(session));
}

double AccountBalanceBefore(const Ledger& ledger, const Session& session, int accountIndex,
                            const QString& dateKey) {
    return balance(ledger, accountIndex, dateKey, false, wholeUnitsShown(session));
}

TaggedNumber ExactBalanceTo(const Ledger& ledger, int accountIndex, const QString& dateKey) {
    quint16 tag = TaggedNumber::Empty;
    const double b = balance(ledger, accountIndex, dateKey, true, false, &tag);
    if (tag == TaggedNumber::Empty) return TaggedNumber::fromInt16(0);
    // A whole-number sum that outgrows its type is kept exactly as a wider one.
    if (tag == TaggedNumber::Int16 && b >= std::numeric_limits<qint16>::min() &&
        b <= std::numeric_limits<qint16>::max())
        return TaggedNumber::fromInt16(qint16(b));
    if (tag != TaggedNumber::Double && b >= std::numeric_limits<qint32>::min() &&
        b <= std::numeric_limits<qint32>::max())
        return TaggedNumber::fromInt32(qint32(b));
    return TaggedNumber::fromDouble(b);
}
