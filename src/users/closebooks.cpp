#include "users/closebooks.h"

#include <QFileInfo>
#include <limits>

#include "platform/fileio.h"
#include "platform/runtime.h"
#include "store/balances.h"
#include "store/filegroup.h"
#include "store/ledgerfiles.h"
#include "store/linefiles.h"
#include "store/recordfile.h"
#include "store/session.h"
#include "users/userfiles.h"

ClosingDate::ClosingDate(const QDate& date)
    : text(Runtime::dateText(date)), key(date.toString(QStringLiteral("yyyyMMdd"))),
      prevKey(date.addDays(-1).toString(QStringLiteral("yyyyMMdd"))) {}

bool EntryDatedBefore(const Ledger& ledger, int i, const QString& key) {
    return EntryDateKey(ledger.Entries[size_t(i)].Date) < key;
}

TaggedNumber OpeningAmount(const Ledger& ledger, const Session& session, int accountIndex,
                           const QString& prevKey) {
    const FixedText<32>& name = ledger.Accounts[size_t(accountIndex)].Name;
    bool counted = false;
    quint16 widest = TaggedNumber::Int16;
    for (int i = 1; i < ledger.EntryCount; ++i) {
        const EntryCore& e = ledger.Entries[size_t(i)];
        if ((e.Account1 != name && e.Account2 != name) || EntryDateKey(e.Date) > prevKey) continue;
        counted = true;
        if (e.Amount.tag() == TaggedNumber::Double || widest == TaggedNumber::Double)
            widest = TaggedNumber::Double;
        else if (e.Amount.tag() == TaggedNumber::Int32)
            widest = TaggedNumber::Int32;
    }
    if (!counted) return TaggedNumber::fromInt16(0);
    const double b = AccountBalanceTo(ledger, session, accountIndex, prevKey);
    // Whole units are cut from the amounts, so the sum is no longer one of whole numbers.
    if (session.DotState == QLatin1String("0")) widest = TaggedNumber::Double;
    // A whole-number sum that outgrows its type is kept exactly as a double.
    if (widest == TaggedNumber::Int16 && b >= std::numeric_limits<qint16>::min() &&
        b <= std::numeric_limits<qint16>::max())
        return TaggedNumber::fromInt16(qint16(b));
    if (widest != TaggedNumber::Double && b >= std::numeric_limits<qint32>::min() &&
        b <= std::numeric_limits<qint32>::max())
        return TaggedNumber::fromInt32(qint32(b));
    return TaggedNumber::fromDouble(b);
}

ClosingResult CloseBooks(Ledger& ledger, const Session& session, const QDate& date) {
    const ClosingDate d(date);
    ClosingResult result;

    // The balances first: they count exactly the entries that are about to go.
    QList<std::pair<int, TaggedNumber>> openings;
    for (int a = 1; a < ledger.AccountCount; ++a) {
        const qint16 kind = ledger.Accounts[size_t(a)].Kind;
        if (kind == KindAsset || kind == KindLiability)
            openings.append({a, OpeningAmount(ledger, session, a, d.prevKey)});
    }

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
        if (!ledger.addEntry(e)) break; // the table is full: the remaining accounts get none
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
    FileGroup group;
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
