#pragma once
#include <QString>
#include <functional>
#include <vector>

#include "store/ledger.h"

// Proposes quick entries from the entries that repeat: entries sharing both accounts, the
// detail and the stored note form one group, which keeps the texts of its first entry.
namespace RepeatedEntries {

struct Group {
    QString account1;
    QString account2;
    QString amount; // the first entry's amount in whole units, hundredths dropped
    QString detail;
    QString note; // the stored note field, not the long note row
    int count = 1;
};

// The threshold an answer gives: the number it begins with once blanks, tabs and line
// breaks are left out anywhere; "&H" and "&O" begin a hexadecimal or octal whole number.
// No number gives 0.
double thresholdOf(const QString& answer);

// Entries 1 to EntryCount - 1 grouped in table order; groups keep the order of their first
// entries. progress(i, n) runs after entry i of n.
std::vector<Group> groupEntries(const Ledger& ledger,
                                const std::function<void(int, int)>& progress = {});

// Appends a quick entry for every group counted at least `threshold` times, in group
// order, while the table has room; quote marks are left out of every text. Returns how
// many were appended. Flags are left to the caller.
int appendProposals(Ledger& ledger, const std::vector<Group>& groups, double threshold);

} // namespace RepeatedEntries
