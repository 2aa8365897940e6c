#include "store/treefigures.h"

#include <QtEndian>
#include <cstring>

#include "store/amounts.h"
#include "store/balances.h"
#include "store/figures.h"
#include "store/ledger.h"
#include "store/session.h"

namespace {

EntryAccountCache::Name nameWords(const FixedText<32>& name) {
    EntryAccountCache::Name n;
    std::memcpy(n.w, name.data(), sizeof n.w);
    return n;
}

size_t nameHash(const EntryAccountCache::Name& n) {
    quint64 h = n.w[0] * 0x9E3779B97F4A7C15ull;
    h ^= (n.w[1] + (h >> 29)) * 0xC2B2AE3D27D4EB4Full;
    h ^= (n.w[2] + (h >> 31)) * 0x165667B19E3779F9ull;
    h ^= (n.w[3] + (h >> 27)) * 0x27D4EB2F165667C5ull;
    return size_t(h ^ (h >> 32));
}

// A stored date "yyyy/mm/dd" as a number that orders as the dates do (its eight digits
// as big-endian bytes); 0 when the bytes are not of that form, as Periods::dateNumber.
quint64 dateOrderKey(const char* d) {
    const quint64 head = qFromLittleEndian<quint64>(d);
    const quint16 tail = qFromLittleEndian<quint16>(d + 8);
    if (((head >> 32) & 0xFF) != '/' || (head >> 56) != '/') return 0;
    const quint64 digits =
        (head & 0xFFFFFFFFull) | (((head >> 40) & 0xFFFFull) << 32) | (quint64(tail) << 48);
    // Every byte '0' to '9': high half 3, and still 3 after adding 6.
    constexpr quint64 high = 0xF0F0F0F0F0F0F0F0ull;
    constexpr quint64 threes = 0x3030303030303030ull;
    if ((digits & high) != threes || ((digits + 0x0606060606060606ull) & high) != threes) return 0;
    return qbswap(digits);
}

// v when keep, else +0.0, without a branch (v may be any value, infinities included).
inline double keptOrZero(double v, bool keep) {
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    bits &= quint64(0) - quint64(keep);
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

// The same order key for a number of at most eight digits (the period bounds).
quint64 numberOrderKey(quint32 n) {
    if (n == 0) return 0;
    quint64 key = 0;
    for (int i = 0; i < 8; ++i, n /= 10)
        key |= quint64('0' + n % 10) << (8 * i);
    return key;
}

} // namespace

void EntryAccountCache::syncAccounts(const Ledger& ledger) {
    const int count = std::max(ledger.AccountCount, 1);
    bool same = count == m_accountCount;
    for (int i = 1; same && i < count; ++i)
        same = nameWords(ledger.Accounts[size_t(i)].Name) == m_names[size_t(i)];
    if (same) return;

    m_accountCount = count;
    m_names.assign(size_t(count), Name{});
    m_kinds.assign(size_t(count), -1);
    size_t slotCount = 16;
    while (slotCount < size_t(count) * 2)
        slotCount *= 2;
    m_slots.assign(slotCount, 0);
    for (int i = 1; i < count; ++i) {
        const FixedText<32>& stored = ledger.Accounts[size_t(i)].Name;
        m_names[size_t(i)] = nameWords(stored);
        m_kinds[size_t(i)] = qint8(PrefixKindCode(stored, true));
        // The first account of a name wins, as a search from the start of the table finds it.
        if (!find(m_names[size_t(i)])) {
            size_t s = nameHash(m_names[size_t(i)]) & (slotCount - 1);
            while (m_slots[s])
                s = (s + 1) & (slotCount - 1);
            m_slots[s] = quint16(i);
        }
    }
    // Remembered entries may now name another first account of their name.
    m_entries.clear();
}

int EntryAccountCache::find(const Name& name) const {
    const size_t mask = m_slots.size() - 1;
    for (size_t s = nameHash(name) & mask; m_slots[s]; s = (s + 1) & mask)
        if (m_names[m_slots[s]] == name) return m_slots[s];
    return 0;
}

std::array<int, 2> EntryAccountCache::entryAccounts(const EntryCore& e, int i) {
    if (m_entries.size() <= size_t(i)) m_entries.resize(size_t(i) + 1, {0, 0});
    std::array<quint16, 2>& known = m_entries[size_t(i)];
    if (!known[0] || !sameName(e.Account1.data(), m_names[known[0]]))
        known[0] = quint16(find(nameWords(e.Account1)));
    if (!known[1] || !sameName(e.Account2.data(), m_names[known[1]]))
        known[1] = quint16(find(nameWords(e.Account2)));
    return {known[0], known[1]};
}

TreeFigures ComputeTreeFigures(const Ledger& ledger, const Session& session,
                               const Periods::Bounds& bounds, const QString& todayDate,
                               EntryAccountCache* cache) {
    EntryAccountCache fresh;
    EntryAccountCache& cached = cache ? *cache : fresh;
    cached.syncAccounts(ledger);
    const int entryCount = std::max(ledger.EntryCount, 1);
    if (cached.m_entries.size() < size_t(entryCount))
        cached.m_entries.resize(size_t(entryCount), {0, 0});

    TreeFigures f;
    const size_t accounts = size_t(std::max(ledger.AccountCount, 1));
    f.account.assign(accounts, 0.0);
    double* figure = f.account.data(); // slot 0 takes what belongs to no account

    // By the kind codes + 1 of both accounts (6 x 6): the factors of the amount for both
    // sides, and whether each side counts only within the period (income, expense).
    struct Rule {
        double first;
        double second;
        bool firstInPeriod;
        bool secondInPeriod;
    };
    std::array<Rule, 36> rules;
    for (int kx = -1; kx <= 4; ++kx)
        for (int ky = -1; ky <= 4; ++ky) {
            const EntryChange c = TreeEntryChange(kx, ky);
            rules[size_t((kx + 1) * 6 + ky + 1)] = {double(c.first), double(c.second),
                                                    kx == KindIncome || kx == KindExpense,
                                                    ky == KindIncome || ky == KindExpense};
        }

    const bool wholeUnits = session.DotState == QLatin1String("0");
    const QByteArray today = todayDate.toLatin1();
    const bool todayComparable = today.size() == 10;
    const quint64 todayHead = todayComparable ? qFromUnaligned<quint64>(today.constData()) : 0;
    const quint16 todayTail = todayComparable ? qFromUnaligned<quint16>(today.constData() + 8) : 0;
    const quint64 start =
        bounds.start.isEmpty() ? 0 : numberOrderKey(Periods::dateNumber(bounds.start));
    const quint64 end = numberOrderKey(Periods::dateNumber(bounds.end));

    const EntryCore* entries = ledger.Entries.data();
    std::array<quint16, 2>* known = cached.m_entries.data();
    const EntryAccountCache::Name* names = cached.m_names.data();
    const qint8* kinds = cached.m_kinds.data();
    for (int i = 1; i < entryCount; ++i) {
        const EntryCore& e = entries[i];
        // The remembered accounts while the names still match, else looked up again
        // (index 0, not known, always looks up).
        int x = known[i][0];
        if (!x || !EntryAccountCache::sameName(e.Account1.data(), names[x]))
            known[i][0] = quint16(x = cached.find(nameWords(e.Account1)));
        int y = known[i][1];
        if (!y || !EntryAccountCache::sameName(e.Account2.data(), names[y]))
            known[i][1] = quint16(y = cached.find(nameWords(e.Account2)));
        const int kx = x ? kinds[x] : PrefixKindCode(e.Account1, true);
        const int ky = y ? kinds[y] : PrefixKindCode(e.Account2, true);
        const Rule& rule = rules[size_t((kx + 1) * 6 + ky + 1)];

        const double stored = e.Amount.value();
        const double a = wholeUnits ? WholeUnitsAmount(stored) : stored;
        const quint64 key = dateOrderKey(e.Date.data());
        const bool upToEnd = key <= end;
        const bool fromStart = key >= start;
        // Without branches: a side that does not count adds +0.0, which changes no sum
        // (slot 0 takes the sides that have no account).
        figure[x] += keptOrZero(rule.first * a,
                                (rule.first != 0.0) & upToEnd & (!rule.firstInPeriod | fromStart));
        figure[y] += keptOrZero(rule.second * a, (rule.second != 0.0) & upToEnd &
                                                     (!rule.secondInPeriod | fromStart));
        if (todayComparable && qFromUnaligned<quint64>(e.Date.data()) == todayHead &&
            qFromUnaligned<quint16>(e.Date.data() + 8) == todayTail) {
            if (kx == KindIncome)
                f.todayIncome += a;
            else if (kx == KindExpense)
                f.todayExpense += a;
        }
    }
    figure[0] = 0;

    for (size_t i = 1; i < accounts; ++i) {
        const int k = cached.kind(int(i));
        if (k >= KindAsset && k <= KindExpense) f.kindTotal[size_t(k)] += f.account[i];
    }
    return f;
}

DayFigures StoredDayFigures(const Ledger& ledger, const QString& date) {
    DayFigures d;
    const QByteArray day = date.toLatin1();
    for (int i = 1; i < ledger.EntryCount; ++i) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        if (e.Date.bytes() != QByteArrayView(day)) continue;
        const int kind = PrefixKindCode(e.Account1, true);
        if (kind == KindIncome)
            d.income += e.Amount.value();
        else if (kind == KindExpense)
            d.expense += e.Amount.value();
    }
    return d;
}
