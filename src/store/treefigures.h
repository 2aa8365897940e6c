#pragma once
#include <QString>
#include <QtEndian>
#include <QtGlobal>
#include <array>
#include <cstring>
#include <vector>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "store/figures.h"
#include "store/periods.h"

struct EntryCore;
struct Ledger;
struct Session;

// The figures of the account tree for one period, from one pass over the entries.
struct TreeFigures {
    // By account index (slot 0 unused): balance at the period end for asset, liability
    // and equity accounts, total of the period for income and expense accounts.
    std::vector<double> account;
    // By kind code 1 asset, 2 liability, 3 income, 4 expense (slot 0 unused).
    std::array<double, 5> kindTotal{};
    // Counted amounts of the entries dated `today` whose first account is income/expense.
    double todayIncome = 0;
    double todayExpense = 0;
};

// Which account each entry names, remembered between passes so that a pass compares 32
// bytes per name instead of looking the name up. It never needs to be told about changes:
// every pass first compares the account names with the table (any difference drops all
// it knows), and an entry's remembered account counts only while the entry's stored name
// bytes equal that account's.
class EntryAccountCache {
public:
    // The stored 32 name bytes as four words.
    struct Name {
        quint64 w[4];
        bool operator==(const Name& o) const {
            return ((w[0] ^ o.w[0]) | (w[1] ^ o.w[1]) | (w[2] ^ o.w[2]) | (w[3] ^ o.w[3])) == 0;
        }
    };

    // Brings the account part up to date with the ledger's account table.
    void syncAccounts(const Ledger& ledger);
    // First account index holding exactly these name bytes; 0 when none.
    int find(const Name& name) const;
    // Kind code of the name prefix of account `index` (as PrefixKindCode with income and
    // expense), -1 for none.
    int kind(int index) const { return m_kinds[size_t(index)]; }
    // The accounts (indices, 0 when none) that entry i names as Account1 and Account2,
    // remembered for the next pass. After syncAccounts.
    std::array<int, 2> entryAccounts(const EntryCore& entry, int i);

private:
    friend TreeFigures ComputeTreeFigures(const Ledger&, const Session&, const Periods::Bounds&,
                                          const QString&, EntryAccountCache*);
    static bool sameName(const char* stored, const Name& n) {
        const char* k = reinterpret_cast<const char*>(n.w);
#ifdef __SSE2__
        // Two 16-byte compares: a quarter of the instructions of word compares.
        const __m128i lo = _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(stored)),
                                          _mm_loadu_si128(reinterpret_cast<const __m128i*>(k)));
        const __m128i hi =
            _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(stored + 16)),
                           _mm_loadu_si128(reinterpret_cast<const __m128i*>(k + 16)));
        return _mm_movemask_epi8(_mm_and_si128(lo, hi)) == 0xFFFF;
#else
        return ((qFromUnaligned<quint64>(stored) ^ qFromUnaligned<quint64>(k)) |
                (qFromUnaligned<quint64>(stored + 8) ^ qFromUnaligned<quint64>(k + 8)) |
                (qFromUnaligned<quint64>(stored + 16) ^ qFromUnaligned<quint64>(k + 16)) |
                (qFromUnaligned<quint64>(stored + 24) ^ qFromUnaligned<quint64>(k + 24))) == 0;
#endif
    }

    std::vector<Name> m_names; // by account index, slot 0 unused
    std::vector<qint8> m_kinds;
    std::vector<quint16> m_slots; // open addressing by name hash: account index, 0 empty
    std::vector<std::array<quint16, 2>> m_entries; // by entry index; 0 not known
    int m_accountCount = -1;
};

// One pass: bounds as Periods::periodBounds gives them (end already cut at today when
// the caller wants that); todayDate is "yyyy/mm/dd". A cache kept by the caller makes
// later passes cheaper; without one the pass builds a fresh one.
TreeFigures ComputeTreeFigures(const Ledger& ledger, const Session& session,
                               const Periods::Bounds& bounds, const QString& todayDate,
                               EntryAccountCache* cache = nullptr);

// Stored (not counted) amounts of the entries dated `date` ("yyyy/mm/dd") whose first
// account is an income, resp. an expense account.
struct DayFigures {
    double income = 0;
    double expense = 0;
};
DayFigures StoredDayFigures(const Ledger& ledger, const QString& date);
