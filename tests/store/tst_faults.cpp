// Fails each write, sync, link, rename and removal of a save, a pack and a restore in turn
// (tests/tools/faultfs preloaded into ledger-tool) and checks one rule at every point: the
// files are all as before and the failure is reported, or all new and success is reported.
// What the next opening puts back (an interrupted commit's journal) counts, as it would for
// the user.
#include "store/ledgerfiles.h"
#include "store/loadledger.h"
#include "store/saveledger.h"
#include "support/storeenv.h"
#include "support/testfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTest>

namespace {

using Snapshot = QMap<QString, QByteArray>;

QString toolsFolder() {
    return QCoreApplication::applicationDirPath() + "/tools/";
}

struct Run {
    int exitCode = -1;
    QString err;
};

Run tool(const QStringList& args, const QProcessEnvironment& extra = {}) {
    QProcess p;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const QString& key : extra.keys())
        environment.insert(key, extra.value(key));
    p.setProcessEnvironment(environment);
    p.start(toolsFolder() + "ledger-tool", args);
    p.waitForFinished(60000);
    Run run;
    run.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    run.err = QString::fromUtf8(p.readAllStandardError());
    return run;
}

// Every file under the folder (hidden ones included), by path relative to it.
Snapshot snapshot(const QString& folder) {
    Snapshot files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.insert(QDir(folder).relativeFilePath(path), TestFiles::get(path));
    }
    return files;
}

QString describe(const Snapshot& got, const Snapshot& before, const Snapshot& after) {
    QStringList lines;
    QStringList names = got.keys() + before.keys() + after.keys();
    names.removeDuplicates();
    for (const QString& name : names) {
        const char* const was = !before.contains(name)                  ? "absent"
                                : got.value(name) == before.value(name) ? "old"
                                                                        : "changed";
        const char* const will = !after.contains(name)                  ? "absent"
                                 : got.value(name) == after.value(name) ? "new"
                                                                        : "differs";
        lines << QString("%1: present=%2 vs-before=%3 vs-after=%4")
                     .arg(name)
                     .arg(got.contains(name))
                     .arg(was, will);
    }
    return lines.join('\n');
}

// Plain copies: hundreds of runs need fresh fixtures, and synced writes would only cost time.
void copyTree(const QString& from, const QString& to) {
    QDirIterator it(from, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString target = to + QDir(from).relativeFilePath(path);
        QVERIFY(QDir().mkpath(QFileInfo(target).path()));
        QVERIFY(QFile::copy(path, target));
    }
}

// A ledger as the program writes it: seeded, then `entries` entries with notes, invoices
// and colours, a detail text, a quick entry and a recurring record, saved.
void makeLedger(StoreEnv& env, const QString& user, const QString& name, int entries,
                const QString& tag) {
    env.makeLedger(user, name);
    env.ctx.session.LedgerNames = {name};
    QVERIFY(LoadLedger(env.ctx));
    Ledger& ledger = env.ctx.ledger;
    for (int n = 1; n <= entries; ++n) {
        LedgerEntry e;
        e.core.Date.set(QString("2024/01/%1").arg(n % 28 + 1, 2, 10, QChar('0')));
        e.core.Account1.set("E-餐飲費");
        e.core.Account2.set("A-現金");
        e.core.Amount = TaggedNumber::fromInt32(100 * n);
        e.core.Detail.set(tag + QString::number(n));
        e.invoice.InvoiceDigits.set("1234567" + QString::number(n % 10));
        e.style.ColourIndex = quint8(n % 10);
        QVERIFY(ledger.addEntry(e));
        ledger.setFullNote(ledger.EntryCount - 1, tag + QString(40, QChar(0x8A18)));
    }
    QVERIFY(ledger.addDetailText(tag + QChar(1) + "早午餐"));
    QVERIFY(ledger.addQuickEntry({"E-餐飲費", "A-現金", "50", tag, "quick"}));
    RecurringRecord r;
    r.Period = 1;
    r.When.set("05");
    QVERIFY(ledger.addRecurring(r));
    ledger.AccountsChanged = ledger.DetailTextsChanged = true;
    ledger.QuickEntriesChanged = ledger.RecurringChanged = true;
    QVERIFY(WriteLedgerFiles(env.ctx));
}

struct Scenario {
    QStringList args;       // the faulted run
    QString checked;        // the folder the rule looks at
    QStringList afterwards; // the next opening
};

} // namespace

class TestFaults : public QObject {
    Q_OBJECT

    StoreEnv m_env;
    QString m_source; // a clean copy of the whole temporary folder's fixtures
    QString m_work;   // where each run works (under the faulted root)

    // The fixtures: Src/Home (new content), Dst/Home (older, smaller content), and a
    // package of Src's user.
    void makeFixtures() {
        makeLedger(m_env, "Src", "Home", 6, "new");
        makeLedger(m_env, "Src", "Trip", 2, "trip");
        makeLedger(m_env, "Dst", "Home", 2, "old");
        makeLedger(m_env, "Dst", "Stays", 1, "keep");
        TestFiles::put(m_env.ctx.session.DataRoot + "Src/DataBase.lst", "Home\r\nTrip\r\n");
        TestFiles::put(m_env.ctx.session.DataRoot + "Dst/DataBase.lst", "Home\r\nStays\r\n");
        TestFiles::put(m_env.ctx.session.DataRoot + "Dst/DataBase.pwd", "secret");
        // A package far below the writer's buffer: written only when the file is flushed.
        TestFiles::put(m_env.ctx.session.DataRoot + "Tiny/DataBase.lst", "Home\r\n");
        const Run packed =
            tool({"pack", m_env.ctx.session.DataRoot, "Src", m_env.path("package.qvk")});
        QCOMPARE(packed.exitCode, 0);
        // The package names Src; unpacking for Dst would be refused, so its owner field is
        // rewritten for Dst (same length, blank padded).
        QByteArray package = TestFiles::get(m_env.path("package.qvk"));
        package.replace(0, 20, QByteArray("Dst").leftJustified(20, ' '));
        TestFiles::put(m_env.path("package.qvk"), package);
        TestFiles::put(m_env.path("old.qvk"), "an older package");
    }

    Scenario scenario(const QString& kind, const QString& root) const {
        const QString data = root + "DataBase/";
        if (kind == "roundtrip")
            return {{"roundtrip", data + "Src/Home", data + "Dst/Home"},
                    data + "Dst/",
                    {"dump", data + "Dst/Home"}};
        if (kind == "pack small")
            return {{"pack", data, "Tiny", root + "old.qvk"}, root + "out/", {}};
        return {{"unpack", root + "package.qvk", data, "Dst"},
                data + "Dst/",
                {"dump", data + "Dst/Stays"}};
    }

    // A fresh working copy of the fixtures; the pack scenario looks at its output alone.
    QString prepare(const QString& name) {
        const QString root = m_env.path("runs/" + name + "/");
        QDir(root).removeRecursively();
        copyTree(m_env.path("DataBase/"), root + "DataBase/");
        for (const char* name : {"package.qvk", "old.qvk"})
            QFile::copy(m_env.path(name), root + name);
        return root;
    }

    // The files the rule looks at, as the next opening leaves them (it runs only where a
    // failure or a work file left something to put back or clear).
    Snapshot result(const QString& kind, const Scenario& s, const QString& root, bool failed) {
        if (kind.startsWith("pack")) return {{"old.qvk", TestFiles::get(root + "old.qvk")}};
        Snapshot files = snapshot(s.checked);
        const bool workFiles = std::any_of(files.keyBegin(), files.keyEnd(), [](const QString& k) {
            return QFileInfo(k).fileName().startsWith('.');
        });
        if ((failed || workFiles) && !s.afterwards.isEmpty()) {
            tool(s.afterwards);
            files = snapshot(s.checked);
        }
        return files;
    }

    static QProcessEnvironment faults(const QString& root, const QString& op, long at, bool sticky,
                                      const QString& report) {
        QProcessEnvironment e;
        e.insert("LD_PRELOAD", toolsFolder() + "faultfs.so");
        e.insert("QIVO_FAULT_ROOT", root);
        e.insert("QIVO_FAULT_OP", op);
        e.insert("QIVO_FAULT_AT", QString::number(at));
        e.insert("QIVO_FAULT_STICKY", sticky ? "1" : "0");
        e.insert("QIVO_FAULT_REPORT", report);
        // A sanitizer runtime wants to come first; the preloaded library only forwards. The
        // run's own options stay, so that a report still ends the tool as a crash.
        const QString inherited = QProcessEnvironment::systemEnvironment().value("ASAN_OPTIONS");
        e.insert("ASAN_OPTIONS", inherited + ":verify_asan_link_order=0:detect_leaks=0");
        return e;
    }

private slots:
    void initTestCase() {
        if (!QFileInfo(toolsFolder() + "faultfs.so").exists() ||
            !QFileInfo(toolsFolder() + "ledger-tool").isExecutable())
            QSKIP("faultfs.so or ledger-tool not built");
        makeFixtures();
    }

    void everyFailureLeavesOldOrNew_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("op");
        QTest::addColumn<bool>("sticky");
        // "pack small": a package far below the writer's buffer. A full disk fails every
        // write from the first failing one on.
        for (const char* kind : {"roundtrip", "pack small", "unpack"}) {
            for (const char* op : {"write", "fsync", "link", "rename", "unlink"})
                QTest::addRow("%s %s", kind, op) << kind << op << false;
            QTest::addRow("%s full disk", kind) << kind << "write" << true;
        }
    }

    // One row per operation; inside it, a run for every call of that operation in turn.
    void everyFailureLeavesOldOrNew() {
        QFETCH(QString, kind);
        QFETCH(QString, op);
        QFETCH(bool, sticky);
        const QString report = m_env.path("calls.txt");

        // The references: the files before, and after a run without faults, which also
        // counts the calls of the operation.
        QString root = prepare("reference");
        Scenario s = scenario(kind, root);
        const Snapshot before = result(kind, s, root, false);
        QCOMPARE(tool(s.args, faults(root, op, 0, false, report)).exitCode, 0);
        const Snapshot after = result(kind, s, root, false);
        QVERIFY(before != after);
        const long calls = TestFiles::get(report).trimmed().toLong();

        for (long at = 1; at <= calls; ++at) {
            root = prepare(QString::number(at));
            s = scenario(kind, root);
            const Run run = tool(s.args, faults(root, op, at, sticky, report));
            const Snapshot got = result(kind, s, root, run.exitCode != 0);
            // A crash (exit code -1) is no reported failure.
            const bool old = run.exitCode > 0 && got == before;
            const bool fresh = run.exitCode == 0 && got == after;
            QVERIFY2(old || fresh, qPrintable(QString("call %1 of %2 failed, exit %3 %4\n%5")
                                                  .arg(at)
                                                  .arg(calls)
                                                  .arg(run.exitCode)
                                                  .arg(run.err, describe(got, before, after))));
        }
    }
};

QTEST_GUILESS_MAIN(TestFaults)
#include "tst_faults.moc"
