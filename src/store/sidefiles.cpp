#include "store/sidefiles.h"

#include <QFile>

#include "platform/codec.h"
#include "platform/fileio.h"
#include "platform/prompts.h"
#include "store/ledgerfiles.h"
#include "store/recordfile.h"

namespace {

const QChar kSeparator(0x0001);

void reportUnreadable(AppContext& ctx, const QString& name)
{
    if (!ctx.ledger.UnreadSideFiles.contains(name))
        ctx.ledger.UnreadSideFiles.append(name);
    if (ctx.services.prompts)
        ctx.services.prompts->warning(name + QStringLiteral(" 檔案讀取失敗!"));
}

// A side file that could not be read in this opening is kept beside it before the first
// rewrite, so that a save never silently destroys what the user may still recover.
bool keepUnreadFile(AppContext& ctx, const QString& name)
{
    if (!ctx.ledger.UnreadSideFiles.contains(name))
        return true;
    const QString path = LedgerFiles::path(ctx.session, name);
    if (QFile::exists(path)) {
        const QString bad = path + QStringLiteral(".bad");
        if (QFile::exists(bad) && !QFile::remove(bad))
            return false;
        if (!QFile::copy(path, bad))
            return false;
    }
    ctx.ledger.UnreadSideFiles.removeAll(name);
    return true;
}

bool needsWriting(const AppContext& ctx, const QString& name, bool changed)
{
    return changed || !QFile::exists(LedgerFiles::path(ctx.session, name));
}

void setDefaultDetailTexts(Ledger& ledger)
{
    ledger.DetailTexts.assign(Ledger::DetailTextCapacity + 1, QString());
    ledger.DetailTextCount = 1;
    for (const QString& t : DefaultDetailTexts())
        ledger.addDetailText(t);
}

QString withoutQuotes(QString text)
{
    text.remove(QChar(u'"'));
    text.remove(QChar(0x201D));
    return text;
}

} // namespace

QStringList DefaultDetailTexts()
{
    const QString unclassified = QStringLiteral("未分類") + kSeparator;
    return {unclassified + QStringLiteral("早餐"), unclassified + QStringLiteral("午餐"),
            unclassified + QStringLiteral("晚餐")};
}

void LoadNoteFile(AppContext& ctx)
{
    Ledger& ledger = ctx.ledger;
    const QString path = LedgerFiles::path(ctx.session, LedgerFiles::Note);
    if (!QFile::exists(path)) {
        setDefaultDetailTexts(ledger);
        return;
    }
    const auto file = FileIO::readFile(path);
    const QStringList lines = file ? FileIO::splitLines(*file) : QStringList();
    if (!file || lines.size() > Ledger::DetailTextCapacity) {
        setDefaultDetailTexts(ledger);
        reportUnreadable(ctx, LedgerFiles::Note);
        return;
    }
    ledger.DetailTexts.assign(Ledger::DetailTextCapacity + 1, QString());
    ledger.DetailTextCount = 1;
    for (const QString& line : lines) {
        if (line.isEmpty() || line.contains(kSeparator))
            ledger.addDetailText(line);
        else
            ledger.addDetailText(QStringLiteral("未分類") + kSeparator + line);
    }
}

void LoadFavoritesFile(AppContext& ctx)
{
    Ledger& ledger = ctx.ledger;
    ledger.QuickEntries.assign(Ledger::QuickEntryCapacity + 1, QuickEntry());
    ledger.QuickEntryCount = 1;
    const QString path = LedgerFiles::path(ctx.session, LedgerFiles::Favorites);
    if (!QFile::exists(path))
        return;
    const auto file = FileIO::readFile(path);
    bool ok = bool(file);
    if (ok) {
        FileIO::QuotedFieldReader reader(*file);
        while (ok && !reader.atEnd()) {
            QString f[5];
            for (QString& field : f) {
                const auto next = reader.next();
                if (!next) {
                    ok = false; // an entry cut short by the end of the file
                    break;
                }
                field = *next;
            }
            if (ok)
                ok = ledger.addQuickEntry(QuickEntry{f[0], f[1], f[2], f[3], f[4]});
        }
    }
    if (!ok) {
        ledger.QuickEntries.assign(Ledger::QuickEntryCapacity + 1, QuickEntry());
        ledger.QuickEntryCount = 1;
        reportUnreadable(ctx, LedgerFiles::Favorites);
    }
}

void LoadFixureFile(AppContext& ctx)
{
    Ledger& ledger = ctx.ledger;
    ledger.RecurringRecords.assign(Ledger::RecurringCapacity + 1, RecurringRecord());
    ledger.RecurringCount = 1;
    const QString path = LedgerFiles::path(ctx.session, LedgerFiles::Fixure);
    if (!QFile::exists(path))
        return;
    const auto file = FileIO::readFile(path);
    bool ok = bool(file);
    if (ok) {
        const int records = RecordFile::recordsIn<RecurringRecord>(*file);
        ok = records <= Ledger::RecurringCapacity;
        for (int n = 1; ok && n <= records; ++n) {
            RecurringRecord r;
            ok = RecordFile::readRecord(*file, n, r) && ledger.addRecurring(r);
        }
    }
    if (!ok) {
        ledger.RecurringRecords.assign(Ledger::RecurringCapacity + 1, RecurringRecord());
        ledger.RecurringCount = 1;
        reportUnreadable(ctx, LedgerFiles::Fixure);
    }
}

void CheckDotState(AppContext& ctx)
{
    ctx.session.DotState = QFile::exists(LedgerFiles::path(ctx.session, LedgerFiles::DotState))
                               ? QStringLiteral("1")
                               : QStringLiteral("0");
}

bool SaveNoteFile(AppContext& ctx)
{
    const Ledger& ledger = ctx.ledger;
    if (!needsWriting(ctx, LedgerFiles::Note, ledger.DetailTextsChanged))
        return true;
    if (!keepUnreadFile(ctx, LedgerFiles::Note))
        return false;
    // One text encoded once: a converter per line would cost more than the write.
    QString text;
    for (int i = 1; i < ledger.DetailTextCount; ++i)
        text += ledger.DetailTexts[size_t(i)] + QStringLiteral("\r\n");
    return FileIO::writeFileSafely(LedgerFiles::path(ctx.session, LedgerFiles::Note), Ansi::encode(text));
}

bool SaveFavoritesFile(AppContext& ctx)
{
    const Ledger& ledger = ctx.ledger;
    if (!needsWriting(ctx, LedgerFiles::Favorites, ledger.QuickEntriesChanged))
        return true;
    if (!keepUnreadFile(ctx, LedgerFiles::Favorites))
        return false;
    QString text;
    for (int i = 1; i < ledger.QuickEntryCount; ++i) {
        const QuickEntry& q = ledger.QuickEntries[size_t(i)];
        // A quote inside a field would end it early on reading; all five lose them.
        const QString fields[] = {q.Account1, q.Account2, q.Amount, q.Detail, q.Note};
        for (int f = 0; f < 5; ++f)
            text += (f ? QStringLiteral(",\"") : QStringLiteral("\"")) + withoutQuotes(fields[f]) + QLatin1Char('"');
        text += QStringLiteral("\r\n");
    }
    return FileIO::writeFileSafely(LedgerFiles::path(ctx.session, LedgerFiles::Favorites), Ansi::encode(text));
}

bool SaveFixureFile(AppContext& ctx)
{
    const Ledger& ledger = ctx.ledger;
    if (!needsWriting(ctx, LedgerFiles::Fixure, ledger.RecurringChanged))
        return true;
    if (!keepUnreadFile(ctx, LedgerFiles::Fixure))
        return false;
    const QString path = LedgerFiles::path(ctx.session, LedgerFiles::Fixure);
    if (ledger.RecurringCount <= 1)
        return !QFile::exists(path) || QFile::remove(path);
    return FileIO::writeFileSafely(path, RecordFile::encodeTable(ledger.RecurringRecords, ledger.RecurringCount));
}
