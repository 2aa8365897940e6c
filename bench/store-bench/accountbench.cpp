#include "accountbench.h"
#include "baselines.h"
#include "timing.h"

#include "store/accountcommands.h"
#include "store/accountnames.h"
#include "store/appcontext.h"
#include "store/loadledger.h"

#include <cstdio>

namespace {

using namespace AccountCommands;
using Bench::g_sink;
using Bench::medianMs;

constexpr double kLimitMs = 100;

void report(const char* name, double ms, double baselineMs) {
    std::printf("%-16s %9.3f ms  ratio %5.2f  (baseline %8.3f ms, target <= %.0f ms)%s\n", name, ms,
                baselineMs > 0 ? ms / baselineMs : 0, baselineMs, kLimitMs,
                ms <= kLimitMs ? "" : "  OVER TARGET");
}

QString nameOf(const Ledger& l, int i) {
    return l.Accounts[size_t(i)].Name.trimmed();
}

// The first expense account with sub-accounts, given 20 of them: the generated ones and
// other expense accounts moved under it with their entries.
QString parentWithTwentySubAccounts(Ledger& l) {
    QString parent;
    for (int i = 1; i < l.AccountCount && parent.isEmpty(); ++i)
        if (l.Accounts[size_t(i)].Kind == KindExpense && !nameOf(l, i).contains(u'.') &&
            i + 1 < l.AccountCount && nameOf(l, i + 1).startsWith(nameOf(l, i) + u'.'))
            parent = nameOf(l, i);
    int subs = 0;
    for (int i = 1; i < l.AccountCount; ++i)
        subs += nameOf(l, i).startsWith(parent + u'.') ? 1 : 0;
    for (int i = l.AccountCount - 1; subs < 20 && i > 0; --i) {
        const QString name = nameOf(l, i);
        if (l.Accounts[size_t(i)].Kind != KindExpense || name.startsWith(parent)) continue;
        NameMapping mapping;
        if (!PlanRename(l, i, KindExpense, parent, QStringLiteral("b%1").arg(subs), mapping)
                 .isEmpty() ||
            mapping.size() != 1)
            continue;
        ApplyRename(l, mapping);
        ++subs;
    }
    return parent;
}

// An asset account put on side 1 of 1000 entries spread over the table.
int accountOfThousandEntries(Ledger& l) {
    const int index = AccountNames::findOther(l, QStringLiteral("A-現金"));
    const FixedText<32> name = l.Accounts[size_t(index)].Name;
    const int step = (l.EntryCount - 1) / 1000;
    for (int k = 0; k < 1000; ++k)
        l.Entries[size_t(1 + k * step)].Account1 = name;
    return index;
}

} // namespace

void BenchAccountCommands(AppContext& ctx) {
    Ledger& l = ctx.ledger;

    // Rename: one pass comparing both account fields of every entry is the least it reads.
    QString parent;
    NameMapping mapping;
    const double renameMs = medianMs([&] { ApplyRename(l, mapping); },
                                     [&] {
                                         Bench::Reload(ctx);
                                         parent = parentWithTwentySubAccounts(l);
                                         const int p = AccountNames::findOther(l, parent);
                                         PlanRename(l, p, KindExpense, QStringLiteral("<無>"),
                                                    QStringLiteral("改名"), mapping);
                                     });
    const FixedText<32> sought(parent);
    const double scanMs = medianMs([&] {
        int n = 0;
        for (int i = 1; i < l.EntryCount; ++i)
            n += (l.Entries[size_t(i)].Account1 == sought) +
                 (l.Entries[size_t(i)].Account2 == sought);
        g_sink = g_sink + n;
    });
    if (mapping.size() != 21) {
        std::fprintf(stderr, "rename: %zu accounts in the branch, not 21\n", mapping.size());
        return;
    }
    report("rename 1+20", renameMs, scanMs);

    // Delete: the entry tables compacted, against a plain copy of them.
    int index = 0;
    int before = 0;
    const double deleteMs = medianMs(
        [&] {
            if (AccountInUse(l, index)) DeleteAccount(l, index);
        },
        [&] {
            Bench::Reload(ctx);
            index = accountOfThousandEntries(l);
            before = l.EntryCount;
        });
    if (before - l.EntryCount < 1000) {
        std::fprintf(stderr, "delete removed %d entries\n", before - l.EntryCount);
        return;
    }
    const double copyMs = medianMs([&] { Bench::CopyEntryTables(l); });
    report("delete 1000", deleteMs, copyMs);

    // Sort: against reading and decoding every name once.
    const double sortMs = medianMs([&] { SortAccounts(l); }, [&] { Bench::Reload(ctx); });
    const double namesMs = medianMs([&] {
        qsizetype n = 0;
        for (int i = 1; i < l.AccountCount; ++i)
            n += nameOf(l, i).size();
        g_sink = g_sink + double(n);
    });
    report("sort 2000", sortMs, namesMs);
}
