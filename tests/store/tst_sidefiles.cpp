#include <QtTest>

#include <sys/stat.h>

#include "platform/fileio.h"
#include "store/loadledger.h"
#include "store/recordfile.h"
#include "store/saveledger.h"
#include "store/sidefiles.h"
#include "support/boundedrun.h"
#include "support/ledgerbuilder.h"
#include "support/storeenv.h"
#include "support/testfiles.h"

// Detail texts, quick entries, recurring records and the decimals marker.
using TestFiles::get;
using TestFiles::put;

class TestSideFiles : public QObject {
    Q_OBJECT

    static QStringList texts(const Ledger& l) {
        QStringList t;
        for (int i = 1; i < l.DetailTextCount; ++i)
            t << l.DetailTexts[size_t(i)];
        return t;
    }
    static QByteArray recurringFile(int n) {
        QByteArray out;
        RecurringRecord r;
        r.When.set("01");
        r.Amount = TaggedNumber::fromDouble(100);
        for (int i = 0; i < n; ++i)
            RecordFile::append(out, r);
        return out;
    }

private slots:
    void noteFile_data() {
        QTest::addColumn<bool>("exists");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("warnings");
        const QString sep(QChar(1));
        const QString u = QStringLiteral("未分類") + sep;
        const QStringList defaults = {u + QStringLiteral("早餐"), u + QStringLiteral("午餐"),
                                      u + QStringLiteral("晚餐")};
        QTest::newRow("missing") << false << QByteArray() << defaults << QStringList();
        QTest::newRow("empty") << true << QByteArray() << QStringList() << QStringList();
        QTest::newRow("plain line goes to unclassified")
            << true << Ansi::encode(QStringLiteral("E-餐飲費\x01早餐\r\n便當\r\n\r\n"))
            << QStringList({QStringLiteral("E-餐飲費") + sep + QStringLiteral("早餐"),
                            u + QStringLiteral("便當"), QString()})
            << QStringList();
        QByteArray many;
        for (int i = 0; i < 1001; ++i)
            many += "x\r\n";
        QTest::newRow("1001 lines")
            << true << many << defaults << QStringList({QStringLiteral("Note.qvd 檔案讀取失敗!")});
    }
    void noteFile() {
        QFETCH(bool, exists);
        QFETCH(QByteArray, file);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, warnings);
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        if (exists) put(f + "Note.qvd", file);
        LoadNoteFile(env.ctx);
        QCOMPARE(texts(env.ctx.ledger), expected);
        QCOMPARE(env.prompts.texts("warning"), warnings);
        QCOMPARE(get(f + "Note.qvd"),
                 exists ? file : QByteArray("<missing>")); // never touched by loading
    }

    void defaultsReachTheFileAtFirstSave() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        QVERIFY(LoadLedger(env.ctx));
        QVERIFY(WriteLedgerFiles(env.ctx, {SaveNoteFile}));
        QCOMPARE(
            get(f + "Note.qvd"),
            Ansi::encode(QStringLiteral("未分類\x01早餐\r\n未分類\x01午餐\r\n未分類\x01晚餐\r\n")));
    }

    void favoritesFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("warned");
        QTest::newRow("two entries")
            << QByteArray("\"a\",\"b\",\"1\",\"d\",\"n\"\r\n\"c\",\"d\",\"2\",\"x,y\",\"\"\r\n")
            << 3 << false;
        // An unquoted empty note at the line end must not pull in the next line's first field.
        QTest::newRow("empty unquoted note")
            << QByteArray("\"a\",\"b\",\"1\",\"d\",\r\n\"c\",\"d\",\"2\",\"x,y\",\"\"\r\n") << 3
            << false;
        QTest::newRow("last line short")
            << QByteArray("\"a\",\"b\",\"1\",\"d\",\"n\"\r\n\"c\",\"d\",\"2\"\r\n") << 1 << true;
        QTest::newRow("empty") << QByteArray() << 1 << false;
        QByteArray many;
        for (int i = 0; i < 501; ++i)
            many += "\"a\",\"b\",\"1\",\"d\",\"n\"\r\n";
        QTest::newRow("501 entries") << many << 1 << true;
    }
    void favoritesFile() {
        QFETCH(QByteArray, file);
        QFETCH(int, count);
        QFETCH(bool, warned);
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        put(f + "Favorites.qvd", file);
        LoadFavoritesFile(env.ctx);
        QCOMPARE(env.ctx.ledger.QuickEntryCount, count);
        QCOMPARE(env.prompts.texts("warning"),
                 warned ? QStringList({QStringLiteral("Favorites.qvd 檔案讀取失敗!")})
                        : QStringList());
        if (count == 3) QCOMPARE(env.ctx.ledger.QuickEntries[2].Detail, QString("x,y"));
    }

    void fixureFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("warned");
        QTest::newRow("200 records") << recurringFile(200) << 201 << false;
        QTest::newRow("201 records") << recurringFile(201) << 1 << true;
        QTest::newRow("partial last record")
            << recurringFile(2) + QByteArray(100, '\0') << 3 << false;
        QByteArray badTag = recurringFile(1);
        badTag[71] = 6;
        QTest::newRow("unknown tag") << badTag << 1 << true;
    }
    void fixureFile() {
        QFETCH(QByteArray, file);
        QFETCH(int, count);
        QFETCH(bool, warned);
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        put(f + "Fixure.qvd", file);
        LoadFixureFile(env.ctx);
        QCOMPARE(env.ctx.ledger.RecurringCount, count);
        QCOMPARE(env.prompts.texts("warning"),
                 warned ? QStringList({QStringLiteral("Fixure.qvd 檔案讀取失敗!")})
                        : QStringList());
    }

    void unreadableFileIsKeptBeforeItsRewrite() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        const QByteArray damaged = recurringFile(201);
        put(f + "Fixure.qvd", damaged);
        put(f + "Fixure.qvd.bad", "older");
        put(f + "Note.qvd", "a\r\n");
        QVERIFY(LoadLedger(env.ctx));
        QCOMPARE(env.prompts.texts("warning"),
                 QStringList({QStringLiteral("Fixure.qvd 檔案讀取失敗!")}));

        // Not rewritten while its flag is clear.
        QVERIFY(SaveLedger(env.ctx));
        QCOMPARE(get(f + "Fixure.qvd"), damaged);

        LedgerBuilder(env.ctx.ledger).recurring(1, "05", "E-a", "A-b", 100, "d");
        env.ctx.ledger.RecurringChanged = true;
        env.ctx.ledger.DetailTextsChanged = true;
        QVERIFY(SaveLedger(env.ctx));
        QCOMPARE(get(f + "Fixure.qvd.bad"), damaged);
        QCOMPARE(
            get(f + "Fixure.qvd"), recurringFile(0) + [] {
                QByteArray r;
                RecurringRecord rec;
                rec.Period = 1;
                rec.When.set("05");
                rec.Account1.set("E-a");
                rec.Account2.set("A-b");
                rec.Amount = TaggedNumber::fromDouble(100);
                rec.Detail.set("d");
                RecordFile::append(r, rec);
                return r;
            }());
        QVERIFY(!QFile::exists(f + "Note.qvd.bad")); // it was read fine

        // Kept once: a later save of the same opening does not overwrite the kept copy.
        QVERIFY(SaveLedger(env.ctx));
        QCOMPARE(get(f + "Fixure.qvd.bad"), damaged);
    }

    // A device or a named pipe where a side file should be is reported as unreadable without
    // a read that would never end; it holds nothing to keep, so the save replaces it.
    void specialFileIsReplacedAtItsRewrite_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("pipe");
        for (const char* file : {"Note.qvd", "Favorites.qvd", "Fixure.qvd"}) {
            QTest::addRow("%s links to /dev/zero", file) << QString(file) << false;
            QTest::addRow("%s is a named pipe", file) << QString(file) << true;
        }
    }
    void specialFileIsReplacedAtItsRewrite() {
        QFETCH(QString, file);
        QFETCH(bool, pipe);
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        if (pipe)
            QCOMPARE(mkfifo(QFile::encodeName(f + file).constData(), 0600), 0);
        else
            QVERIFY(QFile::link("/dev/zero", f + file));

        BoundedRun::run([&] { QVERIFY(LoadLedger(env.ctx)); });
        QCOMPARE(env.prompts.texts("warning"),
                 QStringList({file + QStringLiteral(" 檔案讀取失敗!")}));

        Ledger& l = env.ctx.ledger;
        l.DetailTextsChanged = l.QuickEntriesChanged = l.RecurringChanged = true;
        BoundedRun::run([&] { QVERIFY(SaveLedger(env.ctx)); });
        QCOMPARE(env.prompts.texts("question"), QStringList());
        const QFileInfo written(f + file);
        // Written, or removed where its table is empty.
        QVERIFY(!written.isSymLink() && (written.isFile() || !written.exists()));
        // The file written in its place is no damaged file: a later save keeps no copy of it.
        BoundedRun::run([&] { QVERIFY(SaveLedger(env.ctx)); });
        QVERIFY(!QFile::exists(f + file + ".bad"));
    }

    void dotState() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        env.ctx.session.DotState = "1";
        CheckDotState(env.ctx);
        QCOMPARE(env.ctx.session.DotState, QString("0"));
        put(f + "DotState.qvd", QByteArray());
        CheckDotState(env.ctx);
        QCOMPARE(env.ctx.session.DotState, QString("1"));
    }
};

QTEST_MAIN(TestSideFiles)
#include "tst_sidefiles.moc"
