#pragma once
// Baselines that several measurements share.
#include "timing.h"

#include <cstdio>
#include <cstdlib>

#include "store/appcontext.h"
#include "store/ledger.h"
#include "store/loadledger.h"

namespace Bench {

// A plain copy of the five parts of every entry: what any command that moves entries
// cannot go below.
inline void CopyEntryTables(const Ledger& l) {
    std::vector<EntryCore> entries(l.Entries.begin(), l.Entries.end());
    std::vector<EntryNote> notes(l.EntryNotes.begin(), l.EntryNotes.end());
    std::vector<EntryInvoice> invoices(l.EntryInvoices.begin(), l.EntryInvoices.end());
    std::vector<EntryStyle> styles(l.EntryStyles.begin(), l.EntryStyles.end());
    QStringList rows = l.NoteList.texts(l.EntryCount - 1);
    rows.detach();
    g_sink = g_sink + double(entries.size() + notes.size() + invoices.size() + styles.size()) +
             rows.size();
}

// Reads the written ledger again before a measurement; a bench on tables that did not load
// would time nothing.
inline void Reload(AppContext& ctx) {
    if (LoadLedger(ctx)) return;
    std::fprintf(stderr, "could not read the written ledger again\n");
    std::exit(1);
}

} // namespace Bench
