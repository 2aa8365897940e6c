// store-bench: times the main operations of the ledger store on a full-size generated ledger,
// each against a baseline measured in the same run, median of five.
#include "accountbench.h"
#include "baselines.h"
#include "generate.h"
#include "timing.h"

#include "platform/codec.h"
#include "platform/fileio.h"
#include "store/appcontext.h"
#include "store/balances.h"
#include "store/filegroup.h"
#include "store/ledgerfiles.h"
#include "store/loadledger.h"
#include "store/saveledger.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

using Bench::g_sink;
using Bench::medianMs;

// Field walk of one record slot for the baseline: text fields are decoded, numbers skipped.
enum class Field { Text, Skip, Tagged };
struct FieldLayout {
    Field kind;
    int width = 0;
};

void decodeSlots(const QByteArray& file, int slot, const std::vector<FieldLayout>& layout) {
    const qsizetype records = file.size() / slot;
    for (qsizetype r = 0; r < records; ++r) {
        qsizetype at = r * slot;
        for (const FieldLayout& f : layout) {
            if (f.kind == Field::Text)
                g_sink = g_sink + Ansi::decode(QByteArrayView(file).sliced(at, f.width)).size();
            if (f.kind == Field::Tagged) {
                const auto tag = quint16(quint8(file[at]) | (quint8(file[at + 1]) << 8));
                at += 2 + TaggedNumber::widthOfTag(tag);
                continue;
            }
            at += f.width;
        }
    }
}

const std::vector<FieldLayout> kMainLayout{
    {Field::Text, 10}, {Field::Text, 32}, {Field::Text, 32}, {Field::Tagged}, {Field::Text, 60}};
const std::vector<FieldLayout> kMain1Layout{{Field::Skip, 4}, {Field::Text, 100}};
const std::vector<FieldLayout> kMain2Layout{{Field::Text, 8}};
const std::vector<FieldLayout> kMain2aLayout{{Field::Text, 2}};
const std::vector<FieldLayout> kAccountLayout{{Field::Text, 32}};
const std::vector<FieldLayout> kFixureLayout{{Field::Skip, 1},  {Field::Text, 5},  {Field::Skip, 1},
                                             {Field::Text, 32}, {Field::Text, 32}, {Field::Tagged},
                                             {Field::Text, 60}};

QByteArray readOrEmpty(const QString& path) {
    return FileIO::readFile(path).value_or(QByteArray());
}

// What a reader cannot avoid: the bytes of every file the opening reads, text decoded.
void readAndDecode(const Session& s) {
    using namespace LedgerFiles;
    decodeSlots(readOrEmpty(path(s, Accounts)), 276, kAccountLayout);
    decodeSlots(readOrEmpty(path(s, AccountTotals)), 276, kAccountLayout);
    decodeSlots(readOrEmpty(path(s, Main)), 284, kMainLayout);
    decodeSlots(readOrEmpty(path(s, Main1)), 204, kMain1Layout);
    decodeSlots(readOrEmpty(path(s, Main2)), 18, kMain2Layout);
    decodeSlots(readOrEmpty(path(s, Main2a)), 8, kMain2aLayout);
    decodeSlots(readOrEmpty(path(s, Fixure)), 276, kFixureLayout);
    for (const QString& name : {Main3, Favorites}) {
        FileIO::QuotedFieldReader reader(readOrEmpty(path(s, name)));
        while (auto field = reader.next())
            g_sink = g_sink + field->size();
    }
    g_sink = g_sink + FileIO::splitLines(readOrEmpty(path(s, Note))).size();
    g_sink = g_sink + (QFile::exists(path(s, DotState)) ? 1 : 0);
}

void setAllChanged(Ledger& ledger) {
    ledger.AccountsChanged = true;
    ledger.DetailTextsChanged = true;
    ledger.QuickEntriesChanged = true;
    ledger.RecurringChanged = true;
}

// Bytes the tables hold: the fixed arrays plus the text of the string tables.
qint64 tableBytes(const Ledger& l) {
    qint64 bytes = qint64(l.Entries.size() * sizeof(EntryCore)) +
                   qint64(l.EntryNotes.size() * sizeof(EntryNote)) +
                   qint64(l.EntryInvoices.size() * sizeof(EntryInvoice)) +
                   qint64(l.EntryStyles.size() * sizeof(EntryStyle)) +
                   qint64(l.Accounts.size() * sizeof(AccountRecord)) +
                   qint64(sizeof(l.KindTotals)) +
                   qint64(l.DetailTexts.capacity() * sizeof(QString)) +
                   qint64(l.QuickEntries.capacity() * sizeof(QuickEntry)) +
                   qint64(l.RecurringRecords.capacity() * sizeof(RecurringRecord));
    auto text = [](const QString& s) { return qint64(s.capacity()) * 2 + (s.isNull() ? 0 : 32); };
    bytes += l.NoteList.heldBytes();
    for (const QString& s : l.DetailTexts)
        bytes += text(s);
    for (const QuickEntry& q : l.QuickEntries)
        bytes +=
            text(q.Account1) + text(q.Account2) + text(q.Amount) + text(q.Detail) + text(q.Note);
    return bytes;
}

// Peak resident memory of the process (Linux), 0 when unknown.
qint64 peakResidentBytes() {
    QFile status("/proc/self/status");
    if (!status.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

double mib(qint64 bytes) {
    return double(bytes) / (1024.0 * 1024.0);
}

// The bytes of a fixed field folded word by word, as a compare of the whole field reads them.
template <int N> quint64 wordsOf(const FixedText<N>& field) {
    quint64 fold = 0;
    int i = 0;
    for (; i + 8 <= N; i += 8) {
        quint64 w;
        std::memcpy(&w, field.data() + i, 8);
        fold ^= w;
    }
    for (; i < N; ++i)
        fold ^= quint64(quint8(field.data()[i])) << (8 * (i % 8));
    return fold;
}

void report(const char* name, double ms, double baselineMs, double target) {
    const double ratio = baselineMs > 0 ? ms / baselineMs : 0;
    std::printf("%-16s %9.3f ms  ratio %5.2f  (baseline %8.3f ms, target <= %.1f)%s\n", name, ms,
                ratio, baselineMs, target, ratio <= target ? "" : "  OVER TARGET");
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir tmp;
    if (!tmp.isValid()) return 1;

    // No prompts, clock or settings: the store runs without them and shows nothing.
    AppContext ctx;
    ctx.session.AppFolder = tmp.path() + "/";
    ctx.session.DataRoot = tmp.path() + "/DataBase/";
    ctx.session.CurrentUser = "Bench";
    ctx.session.LedgerName = "Full";
    ctx.session.LedgerNames = {"Full"};
    QDir().mkpath(ctx.session.ledgerFolder());

    GenerateFullLedger(ctx.ledger);
    const qint64 tables = tableBytes(ctx.ledger);
    QFile marker(LedgerFiles::path(ctx.session, LedgerFiles::DotState));
    if (!marker.open(QIODevice::WriteOnly) || !WriteLedgerFiles(ctx)) {
        std::fprintf(stderr, "could not write the generated ledger\n");
        return 1;
    }
    marker.close();
    std::printf("full-size ledger: %d entries, %d accounts, %d detail texts, %d quick entries, "
                "%d recurring records\n",
                ctx.ledger.EntryCount - 1, ctx.ledger.AccountCount - 1,
                ctx.ledger.DetailTextCount - 1, ctx.ledger.QuickEntryCount - 1,
                ctx.ledger.RecurringCount - 1);

    // LoadLedger against reading the same files and decoding their text fields.
    AppContext loaded;
    loaded.session = ctx.session;
    bool opened = true;
    const double loadMs = medianMs([&] { opened = LoadLedger(loaded) && opened; });
    const double readMs = medianMs([&] { readAndDecode(ctx.session); });
    if (!opened || loaded.ledger.EntryCount != ctx.ledger.EntryCount) {
        std::fprintf(stderr, "the generated ledger did not load whole\n");
        return 1;
    }
    report("LoadLedger", loadMs, readMs, 2.0);

    // SaveLedger's writing (every file) against writing the same bytes with the same safe writer:
    // one group commit (each file written and synced, the commit journal, the old copies kept and
    // dropped). Plain single-file writes leave the journal and the copies out, whose cost beside
    // one fsync differs most from machine to machine.
    QList<QPair<QString, QByteArray>> files;
    for (const QString& name : QDir(ctx.session.ledgerFolder()).entryList(QDir::Files))
        if (name != LedgerFiles::DotState) // a marker the save does not write
            files.append({ctx.session.ledgerFolder() + name,
                          readOrEmpty(ctx.session.ledgerFolder() + name)});
    setAllChanged(loaded.ledger);
    bool saved = true;
    const double saveMs = medianMs([&] { saved = WriteLedgerFiles(loaded) && saved; });
    const double writeMs = medianMs([&] {
        FileGroup group(ctx.session.ledgerFolder());
        for (const auto& f : files)
            group.write(f.first, f.second);
        saved = group.commit() && saved;
    });
    if (!saved) {
        std::fprintf(stderr, "the save failed\n");
        return 1;
    }
    report("SaveLedger", saveMs, writeMs, 1.5);

    // One AccountBalanceTo call against one pass over the bytes it reads (date, both
    // account names, amount) that only folds them; batches of calls keep the timer's
    // resolution out of the figure. A pass over the amounts alone reads a fifth of those
    // bytes, so its ratio followed each machine's memory speed more than the work.
    constexpr int kCalls = 200;
    const Ledger& l = loaded.ledger;
    const double balanceMs = medianMs([&] {
                                 for (int c = 0; c < kCalls; ++c)
                                     g_sink = g_sink + AccountBalanceTo(l, loaded.session, 1,
                                                                        QStringLiteral("20241231"));
                             }) /
                             kCalls;
    const double sumMs =
        medianMs([&] {
            for (int c = 0; c < kCalls; ++c) {
                double sum = 0;
                quint64 fold = 0;
                for (int i = 1; i < l.EntryCount; ++i) {
                    const EntryCore& e = l.Entries[size_t(i)];
                    fold ^= wordsOf(e.Date) ^ wordsOf(e.Account1) ^ wordsOf(e.Account2);
                    sum += e.Amount.value();
                }
                g_sink = g_sink + sum + double(fold & 1);
            }
        }) /
        kCalls;
    report("AccountBalanceTo", balanceMs, sumMs, 3.0);

    // Compaction of 100 marked entries against a plain copy of the entry tables.
    const double compactMs = medianMs([&] { loaded.ledger.compactEntries(); },
                                      [&] {
                                          Bench::Reload(loaded);
                                          const int step = (loaded.ledger.EntryCount - 1) / 100;
                                          for (int k = 0; k < 100; ++k)
                                              loaded.ledger.markEntryDeleted(1 + k * step);
                                      });
    const int compacted = loaded.ledger.EntryCount;
    const double copyMs = medianMs([&] { Bench::CopyEntryTables(l); });
    if (compacted != ctx.ledger.EntryCount - 100) {
        std::fprintf(stderr, "compaction kept %d entries\n", compacted - 1);
        return 1;
    }
    report("compact", compactMs, copyMs, 2.0);

    BenchAccountCommands(loaded);

    std::printf(
        "memory: tables of a full-size ledger %.1f MiB (target <= 64), process peak %.1f MiB\n",
        mib(tables), mib(peakResidentBytes()));
    return 0;
}
