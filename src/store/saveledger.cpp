#include "store/saveledger.h"

#include <QFile>

#include "platform/fileio.h"
#include "store/filegroup.h"
#include "store/ledgerfiles.h"
#include "store/recordfile.h"
#include "store/sidefiles.h"

QByteArray AccountsFileBytes(const Ledger& ledger) {
    return RecordFile::encodeTable(ledger.Accounts, ledger.AccountCount);
}

QByteArray AccountTotalsFileBytes(const Ledger& ledger) {
    QByteArray out;
    for (int r = 1; r <= 4; ++r)
        RecordFile::append(out, ledger.KindTotals[size_t(r)]);
    return out;
}

QByteArray MainFileBytes(const Ledger& ledger) {
    return RecordFile::encodeTable(ledger.Entries, ledger.EntryCount);
}

QByteArray Main1FileBytes(const Ledger& ledger) {
    return RecordFile::encodeTable(ledger.EntryNotes, ledger.EntryCount);
}

QByteArray Main2FileBytes(const Ledger& ledger) {
    return RecordFile::encodeTable(ledger.EntryInvoices, ledger.EntryCount);
}

QByteArray Main2aFileBytes(const Ledger& ledger) {
    return RecordFile::encodeTable(ledger.EntryStyles, ledger.EntryCount);
}

QByteArray Main3FileBytes(const Ledger& ledger) {
    const int rows = ledger.EntryCount - 1;
    return ledger.NoteList.fileBytes(rows);
}

bool SaveAccountsFile(AppContext& ctx, FileGroup& group) {
    const QString path = LedgerFiles::path(ctx.session, LedgerFiles::Accounts);
    if (QFile::exists(path) && !ctx.ledger.AccountsChanged) return true;
    if (!KeepDamagedFile(ctx, group, LedgerFiles::Accounts)) return false;
    // Without accounts the file stays deleted.
    if (ctx.ledger.AccountCount <= 1)
        group.remove(path);
    else
        group.write(path, AccountsFileBytes(ctx.ledger));
    return true;
}

bool SaveAccountTotalsFile(AppContext& ctx, FileGroup& group) {
    const QString path = LedgerFiles::path(ctx.session, LedgerFiles::AccountTotals);
    if (QFile::exists(path) && !ctx.ledger.AccountsChanged) return true;
    if (!KeepDamagedFile(ctx, group, LedgerFiles::AccountTotals)) return false;
    group.write(path, AccountTotalsFileBytes(ctx.ledger));
    return true;
}

bool SaveEntryFiles(AppContext& ctx, FileGroup& group) {
    const Ledger& ledger = ctx.ledger;
    const Session& s = ctx.session;
    for (const QString& name : {LedgerFiles::Main, LedgerFiles::Main1, LedgerFiles::Main2,
                                LedgerFiles::Main2a, LedgerFiles::Main3})
        if (!KeepDamagedFile(ctx, group, name)) return false;
    group.write(LedgerFiles::path(s, LedgerFiles::Main), MainFileBytes(ledger));
    if (ledger.EntryCount > 1) {
        group.write(LedgerFiles::path(s, LedgerFiles::Main1), Main1FileBytes(ledger));
        group.write(LedgerFiles::path(s, LedgerFiles::Main2), Main2FileBytes(ledger));
        group.write(LedgerFiles::path(s, LedgerFiles::Main2a), Main2aFileBytes(ledger));
        group.write(LedgerFiles::path(s, LedgerFiles::Main3), Main3FileBytes(ledger));
    } else {
        for (const QString& name :
             {LedgerFiles::Main1, LedgerFiles::Main2, LedgerFiles::Main2a, LedgerFiles::Main3})
            group.remove(LedgerFiles::path(s, name));
    }
    return true;
}

QList<LedgerSaver> LedgerSavers() {
    return {SaveAccountsFile, SaveAccountTotalsFile, SaveEntryFiles,
            SaveNoteFile,     SaveFavoritesFile,     SaveFixureFile};
}

bool WriteLedgerFiles(AppContext& ctx, const QList<LedgerSaver>& savers) {
    FileGroup group(ctx.session.ledgerFolder());
    bool ok = true;
    for (const LedgerSaver& saver : savers)
        ok = saver(ctx, group) && ok;
    if (!ok || !group.commit()) return false;
    ForgetKeptFiles(ctx, group);
    return true;
}
