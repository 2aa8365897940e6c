#include "store/sidefiles.h"

#include <QFile>
#include <QFileInfo>

#include "platform/codec.h"
#include "platform/fileio.h"
#include "store/detailtext.h"
#include "store/ledgerfiles.h"
#include "store/plainfield.h"
#include "store/plaintext.h"
#include "store/recordfile.h"

namespace {

// Loads one side file: reset() gives the table of a missing file; parse() fills it from
// the file's bytes and returns false when the file is damaged. An unreadable or damaged
// file is remembered, leaves the table as reset() makes it and gives false.
template <typename Reset, typename Parse>
bool loadSideFile(AppContext& ctx, const QString& name, qint64 limit, Reset reset, Parse parse) {
    reset();
    const QString path = LedgerFiles::path(ctx.session, name);
    if (!QFile::exists(path)) return true;
    const auto file = FileIO::readFile(path, limit);
    if (file && parse(*file)) return true;
    reset();
    if (!ctx.ledger.UnreadSideFiles.contains(name)) ctx.ledger.UnreadSideFiles.append(name);
    return false;
}

bool needsWriting(const AppContext& ctx, const QString& name, bool changed) {
    return changed || !QFile::exists(LedgerFiles::path(ctx.session, name));
}

void setDefaultDetailTexts(Ledger& ledger) {
    ledger.DetailTexts.assign(Ledger::DetailTextCapacity + 1, QString());
    ledger.DetailTextCount = 1;
    for (const QString& t : DefaultDetailTexts())
        ledger.addDetailText(t);
}

} // namespace

QString WithoutQuoteMarks(QString text) {
    text.remove(QChar(u'"'));
    text.remove(QChar(0x201D));
    return text;
}

QStringList DefaultDetailTexts() {
    const QString unfiled = DetailText::unfiledOwner();
    return {DetailText::join(unfiled, QStringLiteral("早餐")),
            DetailText::join(unfiled, QStringLiteral("午餐")),
            DetailText::join(unfiled, QStringLiteral("晚餐"))};
}

bool LoadNoteFile(AppContext& ctx) {
    Ledger& ledger = ctx.ledger;
    return loadSideFile(
        ctx, LedgerFiles::Note, FileIO::LargestTextFile,
        [&ledger] { setDefaultDetailTexts(ledger); },
        [&ledger](const QByteArray& file) {
            const QStringList lines = FileIO::splitLines(file);
            if (lines.size() > Ledger::DetailTextCapacity) return false;
            // An existing file, even an empty one, replaces the defaults.
            ledger.DetailTexts.assign(Ledger::DetailTextCapacity + 1, QString());
            ledger.DetailTextCount = 1;
            for (const QString& line : lines) {
                if (line.isEmpty() || line.contains(DetailText::separator()))
                    ledger.addDetailText(DetailText::plainItem(line));
                else
                    ledger.addDetailText(
                        DetailText::join(DetailText::unfiledOwner(), PlainText::plain(line)));
            }
            return true;
        });
}

bool LoadFavoritesFile(AppContext& ctx) {
    Ledger& ledger = ctx.ledger;
    auto reset = [&ledger] {
        ledger.QuickEntries.assign(Ledger::QuickEntryCapacity + 1, QuickEntry());
        ledger.QuickEntryCount = 1;
    };
    return loadSideFile(
        ctx, LedgerFiles::Favorites, FileIO::LargestTextFile, reset,
        [&ledger](const QByteArray& file) {
            FileIO::QuotedFieldReader reader(file);
            while (!reader.atEnd()) {
                QString f[5];
                for (QString& field : f) {
                    const auto next = reader.next();
                    if (!next) return false; // an entry cut short by the end of the file
                    field = *next;
                }
                // Accounts and detail are names and a detail text; the note keeps
                // its own line breaks.
                if (!ledger.addQuickEntry(QuickEntry{PlainText::plain(f[0]), PlainText::plain(f[1]),
                                                     f[2], PlainText::plain(f[3]), f[4]}))
                    return false;
            }
            return true;
        });
}

bool LoadFixureFile(AppContext& ctx) {
    Ledger& ledger = ctx.ledger;
    auto reset = [&ledger] {
        ledger.RecurringRecords.assign(Ledger::RecurringCapacity + 1, RecurringRecord());
        ledger.RecurringCount = 1;
    };
    const qint64 limit = RecordFile::largestFile<RecurringRecord>(Ledger::RecurringCapacity);
    return loadSideFile(ctx, LedgerFiles::Fixure, limit, reset, [&ledger](const QByteArray& file) {
        // A partial last record is something the program never writes: the whole records
        // are used and the file is kept before its first rewrite.
        if (!RecordFile::isWholeRecords<RecurringRecord>(file))
            ledger.UnreadSideFiles.append(LedgerFiles::Fixure);
        const int records = RecordFile::recordsIn<RecurringRecord>(file);
        if (records > Ledger::RecurringCapacity) return false;
        for (int n = 1; n <= records; ++n) {
            RecurringRecord r;
            if (!RecordFile::readRecord(file, n, r)) return false;
            MakePlainField(r.Account1);
            MakePlainField(r.Account2);
            MakePlainField(r.Detail);
            if (!ledger.addRecurring(r)) return false;
        }
        return true;
    });
}

void CheckDotState(AppContext& ctx) {
    ctx.session.DotState = QFile::exists(LedgerFiles::path(ctx.session, LedgerFiles::DotState))
                               ? QStringLiteral("1")
                               : QStringLiteral("0");
}

QString keptCopyOf(const QString& path) {
    return path + QStringLiteral(".bad");
}

bool KeepDamagedFile(AppContext& ctx, FileGroup& group, const QString& name) {
    if (!ctx.ledger.UnreadSideFiles.contains(name)) return true;
    const QString path = LedgerFiles::path(ctx.session, name);
    // Gone, or a device or a named pipe: nothing of the ledger's to keep (and a read would
    // never end). The group replaces it, a link itself, never what the link points to.
    if (!QFileInfo(path).isFile()) {
        ctx.ledger.UnreadSideFiles.removeAll(name);
        return true;
    }
    // Kept in the same group, so an older copy is replaced only together with the file.
    const auto bytes = FileIO::readFile(path);
    if (!bytes) return false;
    group.write(keptCopyOf(path), *bytes);
    return true;
}

void ForgetKeptFiles(AppContext& ctx, const FileGroup& group) {
    QStringList& names = ctx.ledger.UnreadSideFiles;
    names.removeIf([&](const QString& name) {
        return group.contains(keptCopyOf(LedgerFiles::path(ctx.session, name)));
    });
}

bool SaveNoteFile(AppContext& ctx, FileGroup& group) {
    const Ledger& ledger = ctx.ledger;
    if (!needsWriting(ctx, LedgerFiles::Note, ledger.DetailTextsChanged)) return true;
    if (!KeepDamagedFile(ctx, group, LedgerFiles::Note)) return false;
    // One text encoded once: a converter per line would cost more than the write.
    QString text;
    for (int i = 1; i < ledger.DetailTextCount; ++i)
        text += ledger.DetailTexts[size_t(i)] + QStringLiteral("\r\n");
    group.write(LedgerFiles::path(ctx.session, LedgerFiles::Note), Ansi::encode(text));
    return true;
}

bool SaveFavoritesFile(AppContext& ctx, FileGroup& group) {
    const Ledger& ledger = ctx.ledger;
    if (!needsWriting(ctx, LedgerFiles::Favorites, ledger.QuickEntriesChanged)) return true;
    if (!KeepDamagedFile(ctx, group, LedgerFiles::Favorites)) return false;
    QString text;
    for (int i = 1; i < ledger.QuickEntryCount; ++i) {
        const QuickEntry& q = ledger.QuickEntries[size_t(i)];
        // All five fields lose them, not only those the windows already cleaned.
        const QString fields[] = {q.Account1, q.Account2, q.Amount, q.Detail, q.Note};
        for (int f = 0; f < 5; ++f)
            text += (f ? QStringLiteral(",\"") : QStringLiteral("\"")) +
                    WithoutQuoteMarks(fields[f]) + QLatin1Char('"');
        text += QStringLiteral("\r\n");
    }
    group.write(LedgerFiles::path(ctx.session, LedgerFiles::Favorites), Ansi::encode(text));
    return true;
}

bool SaveFixureFile(AppContext& ctx, FileGroup& group) {
    const Ledger& ledger = ctx.ledger;
    if (!needsWriting(ctx, LedgerFiles::Fixure, ledger.RecurringChanged)) return true;
    if (!KeepDamagedFile(ctx, group, LedgerFiles::Fixure)) return false;
    const QString path = LedgerFiles::path(ctx.session, LedgerFiles::Fixure);
    if (ledger.RecurringCount <= 1)
        group.remove(path);
    else
        group.write(path, RecordFile::encodeTable(ledger.RecurringRecords, ledger.RecurringCount));
    return true;
}
