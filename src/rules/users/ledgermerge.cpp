#include "rules/users/ledgermerge.h"

#include "platform/fileio.h"
#include "rules/users/ledgerfolders.h"
#include "rules/users/storedtext.h"
#include "store/ledger.h"
#include "store/linefiles.h"
#include "store/plainfield.h"
#include "store/recordfile.h"

#include <QFileInfo>
#include <QSet>

namespace LedgerMerge {

namespace {

const QString kAccounts = QStringLiteral("Accounts.qvd");
const QString kNotes = QStringLiteral("Note.qvd");
const QString kFavorites = QStringLiteral("Favorites.qvd");

QByteArray readOrEmpty(const QString& path) {
    return FileIO::readFile(path).value_or(QByteArray());
}

QString comparableName(const FixedText<32>& name) {
    return TextBeforeNul(name.text());
}

} // namespace

ApplyResult applyLedgerFiles(const QString& sourceFolder, const QString& targetFolder) {
    if (!QFileInfo(sourceFolder + kAccounts).isFile()) return ApplyResult::MissingAccounts;
    if (!QFileInfo(sourceFolder + kNotes).isFile()) return ApplyResult::MissingNotes;
    if (!QFileInfo(sourceFolder + kFavorites).isFile()) return ApplyResult::MissingFavorites;
    for (const QString& name : {kAccounts, kNotes, kFavorites}) {
        if (!LedgerFolders::copyFile(sourceFolder + name, targetFolder + name))
            return ApplyResult::CopyFailed;
    }
    return ApplyResult::Applied;
}

MergeResult mergeLedger(Ledger& ledger, const QString& otherFolder) {
    MergeResult result;
    const Ledger::ChangeScope scope(ledger);

    const QByteArray main = readOrEmpty(otherFolder + QStringLiteral("Main.qvd"));
    const QByteArray main1 = readOrEmpty(otherFolder + QStringLiteral("Main1.qvd"));
    const QByteArray main2 = readOrEmpty(otherFolder + QStringLiteral("Main2.qvd"));
    const QByteArray main2a = readOrEmpty(otherFolder + QStringLiteral("Main2a.qvd"));
    const QStringList noteRows =
        LineFiles::readNoteRows(readOrEmpty(otherFolder + QStringLiteral("Main3.qvd")));

    const int records = RecordFile::recordsIn<EntryCore>(main);
    for (int r = 1; r <= records; ++r) {
        if (ledger.EntryCount > Ledger::EntryCapacity) {
            result.entriesCut = true;
            break;
        }
        // Every part starts empty, so a part the other ledger lacks leaves nothing behind
        // of the slot's former occupant.
        LedgerEntry e;
        if (!RecordFile::readRecord(main, r, e.core))
            continue; // an unreadable record is no entry; its note row is skipped with it
        if (!RecordFile::readRecord(main1, r, e.note)) e.note = EntryNote();
        if (!RecordFile::readRecord(main2, r, e.invoice)) e.invoice = EntryInvoice();
        if (!RecordFile::readRecord(main2a, r, e.style)) e.style = EntryStyle();
        if (r <= noteRows.size()) e.noteRow = noteRows.at(r - 1);
        // The accounts as the merged account names read (below); the detail as a detail text.
        MakePlainField(e.core.Account1);
        MakePlainField(e.core.Account2);
        MakePlainField(e.core.Detail);
        if (!ledger.addEntry(e)) {
            result.entriesCut = true;
            break;
        }
        ++result.entriesAdded;
    }

    // Compared against every account already in the table, those merged just now included,
    // so that no name is added twice.
    QSet<QString> names;
    for (int i = 1; i < ledger.AccountCount; ++i)
        names.insert(comparableName(ledger.Accounts[size_t(i)].Name));
    const QByteArray accounts = readOrEmpty(otherFolder + kAccounts);
    const int accountRecords = RecordFile::recordsIn<AccountRecord>(accounts);
    for (int r = 1; r <= accountRecords; ++r) {
        AccountRecord a;
        if (!RecordFile::readRecord(accounts, r, a)) continue;
        MakePlainField(a.Name);
        const QString name = comparableName(a.Name);
        if (names.contains(name)) continue;
        if (!ledger.addAccount(a)) {
            result.accountsCut = true;
            break;
        }
        names.insert(name);
        ++result.accountsAdded;
    }

    ledger.markChanged();
    ledger.AccountsChanged = true;
    return result;
}

} // namespace LedgerMerge
