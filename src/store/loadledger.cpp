#include "store/loadledger.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <optional>

#include "platform/clock.h"
#include "platform/fileio.h"
#include "platform/runtime.h"
#include "platform/version.h"
#include "store/figures.h"
#include "store/filegroup.h"
#include "store/ledgerfiles.h"
#include "store/recordfile.h"
#include "store/recordstream.h"
#include "store/sidefiles.h"

namespace {

// The main file that stopped the opening.
struct Failure {
    QString file;
};

// A file's bytes; nullopt when it does not exist. An existing file that cannot be read
// stops the opening.
// A device, a named pipe or a file larger than any valid one of its kind counts as
// unreadable.
std::optional<QByteArray> readIfExists(const Session& s, const QString& name, qint64 limit,
                                       std::optional<Failure>& failure) {
    const QString path = LedgerFiles::path(s, name);
    if (!QFileInfo::exists(path)) return std::nullopt;
    auto bytes = FileIO::readFile(path, limit);
    if (!bytes && !failure) failure = Failure{name};
    return bytes;
}

template <typename T>
std::optional<QByteArray> readRecordFile(AppContext& ctx, const QString& name, int capacity,
                                         std::optional<Failure>& failure) {
    auto bytes = readIfExists(ctx.session, name, RecordFile::largestFile<T>(capacity), failure);
    // A partial record is something the program never writes: the file is kept as it is
    // before its first rewrite.
    if (bytes && !RecordFile::isWholeRecords<T>(*bytes)) ctx.ledger.UnreadSideFiles.append(name);
    return bytes;
}

// An entry file opened for reading in order; not open when it does not exist.
template <typename T>
void openRecordStream(AppContext& ctx, const QString& name, RecordStream& stream,
                      std::optional<Failure>& failure) {
    if (!stream.open(LedgerFiles::path(ctx.session, name),
                     RecordFile::largestFile<T>(Ledger::EntryCapacity))) {
        if (!failure) failure = Failure{name};
        return;
    }
    // A partial record is something the program never writes: the file is kept as it is
    // before its first rewrite.
    if (stream.isOpen() && stream.size() % RecordFile::slotOf<T>() != 0)
        ctx.ledger.UnreadSideFiles.append(name);
}

bool readAccounts(const QByteArray& file, Ledger& ledger) {
    const int records = RecordFile::recordsIn<AccountRecord>(file);
    if (records > Ledger::AccountCapacity) return false;
    for (int n = 1; n <= records; ++n)
        if (!RecordFile::readRecord(file, n, ledger.Accounts[size_t(n)])) return false;
    ledger.AccountCount = records + 1;
    return true;
}

// Duplicates after the first of a name, then every name not starting with A, L, I or E.
// One pass with the names seen so far: a full ledger holds thousands of accounts.
void cleanAccounts(Ledger& ledger) {
    auto validFirst = [](const AccountRecord& a) {
        const char c = a.Name.data()[0];
        return c == 'A' || c == 'L' || c == 'I' || c == 'E';
    };
    QSet<QByteArrayView> seen;
    seen.reserve(ledger.AccountCount);
    int k = 1;
    for (int i = 1; i < ledger.AccountCount; ++i) {
        const AccountRecord& a = ledger.Accounts[size_t(i)];
        if (!validFirst(a) || seen.contains(a.Name.bytes())) continue;
        if (k != i) ledger.Accounts[size_t(k)] = a;
        // Kept names sit at or before the one read: a view of a kept slot stays valid.
        seen.insert(ledger.Accounts[size_t(k)].Name.bytes());
        ++k;
    }
    for (int i = k; i < ledger.AccountCount; ++i)
        ledger.Accounts[size_t(i)] = AccountRecord();
    ledger.AccountCount = k;
}

AccountRecord account(const QString& name, qint16 kind) {
    AccountRecord a;
    a.Name.set(name);
    a.Kind = kind;
    return a;
}

void seedAccounts(Ledger& ledger, const QList<AccountRecord>& accounts) {
    ledger.clearAccounts();
    for (const AccountRecord& a : accounts)
        ledger.addAccount(a);
}

bool readKindTotals(const QByteArray& file, Ledger& ledger) {
    // Rows beyond the four are ignored.
    const int records = qMin(4, RecordFile::recordsIn<AccountRecord>(file));
    for (int n = 1; n <= records; ++n)
        if (!RecordFile::readRecord(file, n, ledger.KindTotals[size_t(n)])) return false;
    return true;
}

bool isValidDate(const FixedText<10>& date) {
    const char* d = date.data();
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    // The stored form, checked on the bytes; any other form the date parser accepts.
    if (digit(d[0]) && digit(d[1]) && digit(d[2]) && digit(d[3]) && d[4] == '/' && digit(d[5]) &&
        digit(d[6]) && d[7] == '/' && digit(d[8]) && digit(d[9])) {
        const int y = (d[0] - '0') * 1000 + (d[1] - '0') * 100 + (d[2] - '0') * 10 + (d[3] - '0');
        const int m = (d[5] - '0') * 10 + (d[6] - '0');
        const int day = (d[8] - '0') * 10 + (d[9] - '0');
        return QDate::isValid(y, m, day);
    }
    return Runtime::isDate(date.trimmed());
}

// The entry files read side by side.
struct EntryStreams {
    RecordStream main{RecordFile::MainSlot};
    RecordStream notes{RecordFile::Main1Slot};
    RecordStream invoices{RecordFile::Main2Slot};
    RecordStream styles{RecordFile::Main2aSlot};
};

// Record n of a file beside Main.qvd into r; a shorter file leaves the fields empty.
template <typename T> void readBeside(RecordStream& stream, T& r) {
    const QByteArrayView slot = stream.next();
    if (!slot.isEmpty()) RecordFile::read(slot, r);
}

// Entries of Main.qvd with their notes, invoices, styles and note rows; the name of the file
// that stopped the reading, else an empty text.
QString readEntries(EntryStreams& files, const std::optional<QByteArray>& main3, Ledger& ledger) {
    const int records = files.main.records();
    if (records > Ledger::EntryCapacity) return LedgerFiles::Main;
    ledger.truncateEntries(1);
    ledger.NoteList.reserve(records + 1);
    for (int n = 1; n <= records; ++n) {
        // Entries past the end of a shorter file keep empty fields.
        LedgerEntry e;
        const QByteArrayView slot = files.main.next();
        if (slot.isEmpty() || !RecordFile::read(slot, e.core)) return LedgerFiles::Main;
        readBeside(files.notes, e.note);
        readBeside(files.invoices, e.invoice);
        readBeside(files.styles, e.style);
        if (!ledger.addEntry(e)) return LedgerFiles::Main;
    }
    if (main3) ledger.NoteList.read(*main3, records);
    if (files.notes.failed()) return LedgerFiles::Main1;
    if (files.invoices.failed()) return LedgerFiles::Main2;
    if (files.styles.failed()) return LedgerFiles::Main2a;
    ledger.compactEntriesIf(
        [&ledger](int i) { return isValidDate(ledger.Entries[size_t(i)].Date); });
    return QString();
}

QList<AccountRecord> defaultAccounts() {
    return {account(QStringLiteral("A-現金"), KindAsset),
            account(QStringLiteral("L-信用卡"), KindLiability),
            account(QStringLiteral("I-薪資"), KindIncome),
            account(QStringLiteral("I-其他收入"), KindIncome),
            account(QStringLiteral("E-餐飲費"), KindExpense),
            account(QStringLiteral("E-交通費"), KindExpense),
            account(QStringLiteral("E-服裝費"), KindExpense),
            account(QStringLiteral("E-其他支出"), KindExpense),
            account(QStringLiteral("Equity"), KindEquity)};
}

void seedOpeningEntries(AppContext& ctx) {
    Ledger& ledger = ctx.ledger;
    const QDate today = ctx.services.clock().today();
    QStringList names;
    if (ctx.session.AccountsApplied) {
        for (int i = 1; i < ledger.AccountCount; ++i) {
            const QString name = ledger.Accounts[size_t(i)].Name.trimmed();
            if (IsAssetOrLiabilityName(name)) names.append(name);
        }
    } else {
        names = {QStringLiteral("A-現金"), QStringLiteral("L-信用卡")};
    }
    for (const QString& name : names) {
        LedgerEntry e;
        e.core.Date.set(Runtime::dateText(today));
        e.core.Account1.set(name);
        e.core.Account2.set(QStringLiteral("Equity"));
        e.core.Amount = TaggedNumber::fromInt16(0);
        e.core.Detail.set(QStringLiteral("[") + name.mid(2) + QStringLiteral("初值]"));
        e.note.Note.set(QStringLiteral("請修改這筆金額以設定科目初始金額"));
        e.invoice.InvoiceDigits.set(QString());
        e.style.InvoiceLetters.set(QString());
        ledger.addEntry(e);
    }
    const Session& s = ctx.session;
    FileGroup group(s.ledgerFolder());
    group.write(LedgerFiles::path(s, LedgerFiles::Main),
                RecordFile::encodeTable(ledger.Entries, ledger.EntryCount));
    group.write(LedgerFiles::path(s, LedgerFiles::Main1),
                RecordFile::encodeTable(ledger.EntryNotes, ledger.EntryCount));
    group.write(LedgerFiles::path(s, LedgerFiles::Main2),
                RecordFile::encodeTable(ledger.EntryInvoices, ledger.EntryCount));
    group.write(LedgerFiles::path(s, LedgerFiles::Main2a),
                RecordFile::encodeTable(ledger.EntryStyles, ledger.EntryCount));
    // Note rows left over from entries that are gone would attach to the new ones.
    group.remove(LedgerFiles::path(s, LedgerFiles::Main3));
    // A failed write leaves the files missing; the next opening or save writes them.
    static_cast<void>(group.commit());
}

LedgerOpening fail(AppContext& ctx, const QString& file) {
    ctx.ledger.clear();
    ctx.ledger.UnreadSideFiles.clear();
    return {false, {file}};
}

} // namespace

LedgerOpening LoadLedger(AppContext& ctx) {
    Session& s = ctx.session;
    Ledger& ledger = ctx.ledger;
    const Ledger::ChangeScope scope(ledger);

    ledger.LedgerChangedFlag.clear();
    ledger.AccountsChanged = false;
    ledger.DetailTextsChanged = false;
    ledger.QuickEntriesChanged = false;
    ledger.RecurringChanged = false;
    ledger.UnreadSideFiles.clear();
    ledger.clear();

    const QString folder = s.ledgerFolder();
    if (!QDir().mkpath(folder)) return fail(ctx, LedgerFiles::Accounts);
    // A save or restore cut short by a crash is undone before anything is read; files that
    // cannot be put back are never opened half old, half new.
    if (!FileGroup::Recover(s.userFolder()) || !FileGroup::Recover(folder))
        return fail(ctx, LedgerFiles::Main);

    // Every main file is read and checked before anything is seeded or written, so that a
    // damaged ledger is never overwritten by defaults.
    std::optional<Failure> failure;
    constexpr int kAccounts = Ledger::AccountCapacity;
    const auto accounts =
        readRecordFile<AccountRecord>(ctx, LedgerFiles::Accounts, kAccounts, failure);
    const auto totals =
        readRecordFile<AccountRecord>(ctx, LedgerFiles::AccountTotals, kAccounts, failure);
    // The entry files are opened and checked here and read in order below.
    EntryStreams entryFiles;
    openRecordStream<EntryCore>(ctx, LedgerFiles::Main, entryFiles.main, failure);
    const bool hasEntries = entryFiles.main.isOpen() && entryFiles.main.size() > 0;
    std::optional<QByteArray> main3;
    if (hasEntries) {
        openRecordStream<EntryNote>(ctx, LedgerFiles::Main1, entryFiles.notes, failure);
        openRecordStream<EntryInvoice>(ctx, LedgerFiles::Main2, entryFiles.invoices, failure);
        openRecordStream<EntryStyle>(ctx, LedgerFiles::Main2a, entryFiles.styles, failure);
        main3 = readIfExists(s, LedgerFiles::Main3, FileIO::LargestTextFile, failure);
    }
    if (failure) return fail(ctx, failure->file);

    // Not empty, yet not one whole account: seeding over it would lose whatever it held.
    if (accounts && !accounts->isEmpty() && RecordFile::recordsIn<AccountRecord>(*accounts) == 0)
        return fail(ctx, LedgerFiles::Accounts);
    if (accounts && !accounts->isEmpty()) {
        if (!readAccounts(*accounts, ledger)) return fail(ctx, LedgerFiles::Accounts);
        cleanAccounts(ledger);
    }
    if (totals && !readKindTotals(*totals, ledger)) return fail(ctx, LedgerFiles::AccountTotals);
    if (hasEntries) {
        const QString stopped = readEntries(entryFiles, main3, ledger);
        if (!stopped.isEmpty()) return fail(ctx, stopped);
    }

    const QString accountsPath = LedgerFiles::path(s, LedgerFiles::Accounts);
    if (accounts && accounts->isEmpty()) {
        seedAccounts(ledger, {account(QStringLiteral("A-現金"), KindAsset),
                              account(QStringLiteral("Equity"), KindEquity)});
        // Unwritten, the file stays empty: the next save writes the seeded accounts.
        if (!FileIO::writeFileSafely(accountsPath,
                                     RecordFile::encodeTable(ledger.Accounts, ledger.AccountCount)))
            ledger.AccountsChanged = true;
    } else if (!accounts) {
        s.AccountsApplied = false;
        QStringList others = s.LedgerNames;
        others.removeAll(s.LedgerName);
        if (s.LedgerNames.size() > 1 && s.ApplyAccounts && !others.isEmpty())
            s.AccountsApplied = s.ApplyAccounts(others);
        if (s.AccountsApplied) {
            const auto applied = FileIO::readFile(accountsPath);
            if (applied && !readAccounts(*applied, ledger)) return fail(ctx, LedgerFiles::Accounts);
        } else {
            // Written whole: accounts copied by an apply that was then declined never survive.
            seedAccounts(ledger, defaultAccounts());
            // Unwritten, the file stays missing and the next save writes the defaults.
            static_cast<void>(FileIO::writeFileSafely(
                accountsPath, RecordFile::encodeTable(ledger.Accounts, ledger.AccountCount)));
        }
    }

    if (!entryFiles.main.isOpen()) seedOpeningEntries(ctx);

    LedgerOpening opening{true, {}};
    if (!LoadNoteFile(ctx)) opening.unreadable.append(LedgerFiles::Note);
    if (!LoadFavoritesFile(ctx)) opening.unreadable.append(LedgerFiles::Favorites);
    if (!LoadFixureFile(ctx)) opening.unreadable.append(LedgerFiles::Fixure);
    CheckDotState(ctx);
    ledger.noteChange(LedgerChange::Loaded);
    return opening;
}

QString LedgerCaption(const Session& session) {
    QString caption = ProgramCaption + QStringLiteral(" - [") + session.CurrentUser +
                      QChar(0xFF1A) + session.LedgerName + QStringLiteral("]");
    if (session.DataRoot != session.AppFolder + QStringLiteral("DataBase/"))
        caption += QStringLiteral(" - [資料庫路徑：") + session.DataRoot + QStringLiteral("]");
    return caption;
}
