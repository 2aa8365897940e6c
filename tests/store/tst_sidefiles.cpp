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
    static QStringList defaultTexts() {
        const QString u = QStringLiteral("未分類") + QChar(1);
        return {u + QStringLiteral("早餐"), u + QStringLiteral("午餐"), u + QStringLiteral("晚餐")};
    }

    void noteFileMissing() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        QVERIFY(LoadNoteFile(env.ctx));
        QCOMPARE(texts(env.ctx.ledger), defaultTexts());
        QCOMPARE(env.prompts.texts("warning"), QStringList());
        QCOMPARE(get(f + "Note.qvd"), QByteArray("<missing>")); // never written by loading
    }

    void noteFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<QStringList>("unreadable");
        const QString sep(QChar(1));
        const QString u = QStringLiteral("未分類") + sep;
        QTest::newRow("empty") << QByteArray() << QStringList() << QStringList();
        QTest::newRow("plain line goes to unclassified")
            << Ansi::encode(QStringLiteral("E-餐飲費\x01早餐\r\n便當\r\n\r\n"))
            << QStringList({QStringLiteral("E-餐飲費") + sep + QStringLiteral("早餐"),
                            u + QStringLiteral("便當"), QString()})
            << QStringList();
        // Control characters inside a line are dropped; the first U+0001 stays the separator.
        QTest::newRow("control characters dropped")
            << Ansi::encode(QStringLiteral("E-餐飲費\t\x01早\x01餐\x00\r\n宵\t夜\r\n"))
            << QStringList({QStringLiteral("E-餐飲費") + sep + QStringLiteral("早餐"),
                            u + QStringLiteral("宵夜")})
            << QStringList();
        QByteArray many;
        for (int i = 0; i < 1001; ++i)
            many += "x\r\n";
        QTest::newRow("1001 lines")
            << many << defaultTexts() << QStringList({QStringLiteral("Note.qvd")});
    }
    void noteFile() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, expected);
        QFETCH(QStringList, unreadable);
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        put(f + "Note.qvd", file);
        const bool read = LoadNoteFile(env.ctx);
        QCOMPARE(texts(env.ctx.ledger), expected);
        QCOMPARE(read ? QStringList() : QStringList({QStringLiteral("Note.qvd")}), unreadable);
        QCOMPARE(env.ctx.ledger.UnreadSideFiles, unreadable);
        QVERIFY(env.prompts.shown.isEmpty()); // the windows tell the user
        QCOMPARE(get(f + "Note.qvd"), file);  // never touched by loading
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

    // Files read whole: the details of the entries, in order, and no box.
    void favoritesFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("details");
        QTest::newRow("two entries")
            << QByteArray("\"a\",\"b\",\"1\",\"d\",\"n\"\r\n\"c\",\"d\",\"2\",\"x,y\",\"\"\r\n")
            << QStringList{"d", "x,y"};
        // An unquoted empty note at the line end must not pull in the next line's first field.
        QTest::newRow("empty unquoted note")
            << QByteArray("\"a\",\"b\",\"1\",\"d\",\r\n\"c\",\"d\",\"2\",\"x,y\",\"\"\r\n")
            << QStringList{"d", "x,y"};
        QTest::newRow("empty") << QByteArray() << QStringList();
    }
    void favoritesFile() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, details);
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        put(f + "Favorites.qvd", file);
        QVERIFY(LoadFavoritesFile(env.ctx));
        QStringList read;
        for (int i = 1; i < env.ctx.ledger.QuickEntryCount; ++i)
            read << env.ctx.ledger.QuickEntries[size_t(i)].Detail;
        QCOMPARE(read, details);
        QCOMPARE(env.prompts.texts("warning"), QStringList());
    }

    void fixureFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("count");
        QTest::newRow("200 records") << recurringFile(200) << 201;
        QTest::newRow("partial last record") << recurringFile(2) + QByteArray(100, '\0') << 3;
    }
    void fixureFile() {
        QFETCH(QByteArray, file);
        QFETCH(int, count);
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        put(f + "Fixure.qvd", file);
        QVERIFY(LoadFixureFile(env.ctx));
        QCOMPARE(env.ctx.ledger.RecurringCount, count);
        QCOMPARE(env.prompts.texts("warning"), QStringList());
    }

    // Quick entries and recurring records read from their files: account names and detail
    // texts lose their characters below U+0020; a clean file is written back byte for byte.
    void sideFilesReadPlain_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("written");
        auto fixure = [](const QString& a1, const QString& a2, const QByteArray& detail) {
            QByteArray out;
            RecurringRecord r;
            r.Period = 1;
            r.When.set("05");
            r.Account1.set(a1);
            r.Account2.set(a2);
            r.Amount = TaggedNumber::fromDouble(100);
            r.Detail.setBytes(detail);
            RecordFile::append(out, r);
            return out;
        };
        const QByteArray cleanFavorites =
            Ansi::encode(QStringLiteral("\"E-餐飲\",\"A-現金\",\"1\",\"午餐\",\"n\"\r\n"));
        QTest::newRow("favorites, control characters")
            << "Favorites.qvd"
            << Ansi::encode(
                   QStringLiteral("\"E-餐\t飲\",\"A-現\x01金\",\"1\",\"午\x02餐\x00\",\"n\"\r\n"))
            << cleanFavorites;
        QTest::newRow("favorites, clean") << "Favorites.qvd" << cleanFavorites << cleanFavorites;
        // NUL padding after the text is padding, kept as it is.
        const QByteArray padded = Ansi::encode(QStringLiteral("房租")) + QByteArray(56, '\0');
        QTest::newRow("recurring, control characters")
            << "Fixure.qvd"
            << recurringFile(0) +
                   fixure("E-房\t租", "A-現\x01金",
                          Ansi::encode(QStringLiteral("房\r\n租")) + QByteArray(54, '\0'))
            << recurringFile(0) +
                   fixure("E-房租", "A-現金",
                          Ansi::encode(QStringLiteral("房租")) + QByteArray(56, ' '));
        QTest::newRow("recurring, clean with NUL padding")
            << "Fixure.qvd" << recurringFile(0) + fixure("E-房租", "A-現金", padded)
            << recurringFile(0) + fixure("E-房租", "A-現金", padded);
    }
    void sideFilesReadPlain() {
        QFETCH(QString, name);
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, written);
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        put(f + name, file);
        const LedgerOpening opening = LoadLedger(env.ctx);
        QVERIFY(opening);
        QCOMPARE(opening.unreadable, QStringList());
        env.ctx.ledger.QuickEntriesChanged = true;
        env.ctx.ledger.RecurringChanged = true;
        QVERIFY(WriteLedgerFiles(env.ctx));
        QCOMPARE(get(f + name), written);
        QCOMPARE(env.prompts.texts("warning"), QStringList());
    }

    // Files refused: the table stays empty and the loader names the file (the windows show
    // it). Both loaders run; the other file is missing and gives its empty table silently.
    void unreadableFile_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("favorites, last line short")
            << "Favorites.qvd"
            << QByteArray("\"a\",\"b\",\"1\",\"d\",\"n\"\r\n\"c\",\"d\",\"2\"\r\n");
        QByteArray many;
        for (int i = 0; i < 501; ++i)
            many += "\"a\",\"b\",\"1\",\"d\",\"n\"\r\n";
        QTest::newRow("favorites, 501 entries") << "Favorites.qvd" << many;
        QTest::newRow("fixure, 201 records") << "Fixure.qvd" << recurringFile(201);
        QByteArray badTag = recurringFile(1);
        badTag[71] = 6;
        QTest::newRow("fixure, unknown tag") << "Fixure.qvd" << badTag;
    }
    void unreadableFile() {
        QFETCH(QString, name);
        QFETCH(QByteArray, file);
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        put(f + name, file);
        QStringList unreadable;
        if (!LoadFavoritesFile(env.ctx)) unreadable << QStringLiteral("Favorites.qvd");
        if (!LoadFixureFile(env.ctx)) unreadable << QStringLiteral("Fixure.qvd");
        QCOMPARE(env.ctx.ledger.QuickEntryCount, 1);
        QCOMPARE(env.ctx.ledger.RecurringCount, 1);
        QCOMPARE(unreadable, QStringList({name}));
        QVERIFY(env.prompts.shown.isEmpty());
    }

    void unreadableFileIsKeptBeforeItsRewrite() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        const QByteArray damaged = recurringFile(201);
        put(f + "Fixure.qvd", damaged);
        put(f + "Fixure.qvd.bad", "older");
        put(f + "Note.qvd", "a\r\n");
        const LedgerOpening opening = LoadLedger(env.ctx);
        QVERIFY(opening);
        QCOMPARE(opening.unreadable, QStringList({QStringLiteral("Fixure.qvd")}));

        // Not rewritten while its flag is clear.
        QVERIFY(WriteLedgerFiles(env.ctx));
        QCOMPARE(get(f + "Fixure.qvd"), damaged);

        LedgerBuilder(env.ctx.ledger).recurring(1, "05", "E-a", "A-b", 100, "d");
        env.ctx.ledger.RecurringChanged = true;
        env.ctx.ledger.DetailTextsChanged = true;
        QVERIFY(WriteLedgerFiles(env.ctx));
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
        QVERIFY(WriteLedgerFiles(env.ctx));
        QCOMPARE(get(f + "Fixure.qvd.bad"), damaged);
    }

    // A device or a named pipe where a side file should be is reported as unreadable without
    // a read that would never end; it holds nothing to keep, so the save replaces it.
    void specialFileIsReplacedAtItsRewrite_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("pipe");
        for (const char* file : {"Note.qvd", "Favorites.qvd", "Fixure.qvd"}) {
            QTest::addRow("%s links to a zero device", file) << QString(file) << false;
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
            TestFiles::linkToZeroDevice(f + file, env.path());

        LedgerOpening opening;
        BoundedRun::run([&] { opening = LoadLedger(env.ctx); });
        QVERIFY(opening);
        QCOMPARE(opening.unreadable, QStringList({file}));

        Ledger& l = env.ctx.ledger;
        l.DetailTextsChanged = l.QuickEntriesChanged = l.RecurringChanged = true;
        BoundedRun::run([&] { QVERIFY(WriteLedgerFiles(env.ctx)); });
        QCOMPARE(env.prompts.texts("question"), QStringList());
        const QFileInfo written(f + file);
        // Written, or removed where its table is empty.
        QVERIFY(!written.isSymLink() && (written.isFile() || !written.exists()));
        // The file written in its place is no damaged file: a later save keeps no copy of it.
        BoundedRun::run([&] { QVERIFY(WriteLedgerFiles(env.ctx)); });
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
