#pragma once
// Baselines that several measurements share.
#include "timing.h"

#include "store/ledger.h"

namespace Bench {

// A plain copy of the five parts of every entry: what any command that moves entries
// cannot go below.
inline void CopyEntryTables(const Ledger& l) {
    std::vector<EntryCore> entries = l.Entries;
    std::vector<EntryNote> notes = l.EntryNotes;
    std::vector<EntryInvoice> invoices = l.EntryInvoices;
    std::vector<EntryStyle> styles = l.EntryStyles;
    QStringList rows = l.NoteList;
    rows.detach();
    g_sink = g_sink + double(entries.size() + notes.size() + invoices.size() + styles.size()) +
             rows.size();
}

} // namespace Bench
