#include "rules/users/closebooks.h"

#include <QFileInfo>

#include "platform/fileio.h"
#include "platform/runtime.h"
#include "rules/users/userfiles.h"
#include "store/balances.h"
#include "store/filegroup.h"
#include "store/ledgerfiles.h"
#include "store/linefiles.h"
#include "store/recordfile.h"
#include "store/session.h"

ClosingDate::ClosingDate(const QDate& date)
    : text(Runtime::dateText(date)), key(date.toString(QStringLiteral("yyyyMMdd"))),
      prevKey(date.addDays(-1).toString(QStringLiteral("yyyyMMdd"))) {}

bool EntryDatedBefore(const Ledger& ledger, int i, const QString& key) {
    return EntryDateKey(ledger.Entries[size_t(i)].Date) < key;
}

namespace {

// Indices of the asset and liability accounts, in table order: one opening entry each.
QList<int> openingAccounts(const Ledger& ledger) {
    QList<int> accounts;
    for (int a = 1; a < ledger.AccountCount; ++a) {
        const qint16 kind = ledger.Accounts[size_t(a)].Kind;
        if (kind == KindAsset || kind == KindLiability) accounts.append(a);
    }
    return accounts;
}

} // namespace

bool ClosingFits(const Ledger& ledger, const QDate& date) {
    const ClosingDate d(date);
    int kept = 0;
    for (int i = 1; i < ledger.EntryCount; ++i)
        if (!EntryDatedBefore(ledger, i, d.key)) ++kept;
    return kept + openingAccounts(ledger).size() <= Ledger::EntryCapacity;
}

ClosingResult CloseBooks(Ledger& ledger, const QDate& date) {
    const ClosingDate d(date);
    ClosingResult result;
    // Removing the history without room for every balance would lose those balances.
    if (!ClosingFits(ledger, date)) return result;

    const Ledger::ChangeScope scope(ledger);
    // The balances first: they count exactly the entries that are about to go.
    QList<std::pair<int, TaggedNumber>> openings;
    for (int a : openingAccounts(ledger))
        openings.append({a, ExactBalanceTo(ledger, a, d.prevKey)});

    for (int i = 1; i < ledger.EntryCount; ++i) {
        if (EntryDatedBefore(ledger, i, d.key)) {
            ledger.markEntryDeleted(i);
            ++result.removed;
        }
    }
    if (result.removed > 0) ledger.compactEntries();

    for (const auto& [account, amount] : openings) {
        LedgerEntry e;
        e.core.Date.set(d.text);
        e.core.Account1 = ledger.Accounts[size_t(account)].Name;
        e.core.Account2.set(QStringLiteral("Equity"));
        e.core.Amount = amount;
        e.core.Detail.set(QStringLiteral("[初值]"));
        e.note.Note.set(QString());
        e.invoice.InvoiceDigits.set(QString());
        e.style.InvoiceLetters.set(QString());
        if (!ledger.addEntry(e)) break; // cannot happen: the room was checked
        ++result.openings;
    }
    return result;
}

bool WriteClosedLedger(const Ledger& ledger, const Session& session, const QString& folder,
                       const QString& key) {
    const QString accounts = LedgerFiles::path(session, LedgerFiles::Accounts);
    if (QFileInfo(accounts).isFile()) {
        const auto bytes = FileIO::readFile(accounts);
        if (!bytes || !FileIO::writeFileSafely(folder + LedgerFiles::Accounts, *bytes))
            return false;
    }

    QByteArray main, main1, main2, main2a;
    QStringList noteRows{QString()}; // row 0 is unused, as in the table
    for (int i = 1; i < ledger.EntryCount; ++i) {
        if (!EntryDatedBefore(ledger, i, key)) continue;
        RecordFile::append(main, ledger.Entries[size_t(i)]);
        RecordFile::append(main1, ledger.EntryNotes[size_t(i)]);
        RecordFile::append(main2, ledger.EntryInvoices[size_t(i)]);
        RecordFile::append(main2a, ledger.EntryStyles[size_t(i)]);
        noteRows.append(ledger.noteRow(i));
    }
    FileGroup group(folder);
    group.write(folder + LedgerFiles::Main, main);
    group.write(folder + LedgerFiles::Main1, main1);
    group.write(folder + LedgerFiles::Main2, main2);
    group.write(folder + LedgerFiles::Main2a, main2a);
    group.write(folder + LedgerFiles::Main3,
                LineFiles::noteRowsFile(noteRows, int(noteRows.size()) - 1));
    return group.commit();
}

bool AppendLedgerName(const QString& userFolder, const QString& name) {
    const QString path = userFolder + UserFiles::LedgerListFileName;
    const auto old = FileIO::readFile(path);
    if (!old && QFileInfo::exists(path))
        return false; // never replace a list that could not be read
    QByteArray bytes = old.value_or(QByteArray());
    // A last line without its line end would otherwise run into the new name.
    if (!bytes.isEmpty() && !bytes.endsWith('\n')) bytes += "\r\n";
    bytes += FileIO::joinLines({name});
    return FileIO::writeFileSafely(path, bytes);
}
