#include "rules/schedule/entryreminders.h"

#include "store/ledger.h"

std::vector<int> DueEntryReminders(const Ledger& ledger, const QDate& today) {
    std::vector<int> due;
    for (int i = 1; i < ledger.EntryCount; ++i) {
        const EntryNote& n = ledger.EntryNotes[i];
        if (n.RemindOn == 0 || n.RemindDays < 0) continue;
        const QDate date = QDate::fromString(QString::fromLatin1(ledger.Entries[i].Date.bytes()),
                                             QStringLiteral("yyyy/MM/dd"));
        if (!date.isValid()) continue;
        const qint64 ahead = today.daysTo(date);
        if (ahead >= 0 && ahead <= n.RemindDays) due.push_back(i);
    }
    return due;
}
