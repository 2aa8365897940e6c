#include <QtTest>

#include "store/ledger.h"
#include "store/linefiles.h"
#include "store/loadledger.h"
#include "store/noterows.h"
#include "store/saveledger.h"
#include "support/ledgerbuilder.h"
#include "support/randompieces.h"
#include "support/storeenv.h"
#include "support/testfiles.h"

// The entries' note rows read from Main3.qvd: decoded when first asked for, they must read
// exactly as the whole file decoded at once, and save to the same bytes.
class TestNoteRows : public QObject {
    Q_OBJECT

    // Rows 1 .. rows as the whole-file reader gives them ("" past the file's fields).
    static QStringList eagerRows(const QByteArray& file, int rows) {
        const QStringList fields = LineFiles::readNoteRows(file);
        QStringList out{QString()};
        for (int k = 0; k < rows; ++k)
            out.append(k < fields.size() ? fields.at(k) : QString());
        return out;
    }
    // As the opening fills them: a row for every entry, then the file read over them.
    static NoteRows opened(const QByteArray& file, int rows) {
        NoteRows r;
        for (int i = 1; i <= rows; ++i)
            r.set(i, QString());
        r.read(file, rows);
        return r;
    }
    static QStringList lazyRows(const QByteArray& file, int rows) {
        const NoteRows r = opened(file, rows);
        QStringList out;
        for (int i = 0; i <= rows; ++i)
            out.append(r.at(i));
        return out;
    }

private slots:
    void readsAsTheWholeFile_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("rows");
        const QByteArray cjk = Ansi::encode(QStringLiteral("許功蓋")); // trail bytes '\', '|'
        QTest::newRow("quoted rows") << "\"\"\r\n\"" + cjk + "\"\r\n\"\"\r\n" << 3;
        QTest::newRow("escapes") << QByteArray("\"a%22b%E2%80%9D\"\r\n\"100%22\"\r\n") << 2;
        QTest::newRow("unquoted, trimmed") << " x y \r\n" + cjk + "  \r\n" << 2;
        QTest::newRow("ideographic blanks around an unquoted field")
            << Ansi::encode(QStringLiteral("\u3000中\u3000\r\n")) << 1;
        QTest::newRow("two fields on a line, comma at the end")
            << "\"a\",\"" + cjk + "\",\r\n\"c\"" << 5;
        QTest::newRow("text after the closing quote") << QByteArray("\"a\" junk\r\n\"b\"\r\n") << 2;
        QTest::newRow("unterminated quote") << "\"a\r\n" + cjk << 2;
        QTest::newRow("more fields than entries") << QByteArray("\"a\"\r\n\"b\"\r\n\"c\"\r\n") << 2;
        QTest::newRow("fewer fields than entries") << QByteArray("\"a\"\r\n") << 3;
        QTest::newRow("pair from the user-defined area")
            << QByteArray("\"\x81\x40x\"\r\n\"y\"\r\n") << 2;
        QTest::newRow("lead byte before the quote") << QByteArray("\"a\x81\"\r\n\"b\"\r\n") << 2;
        QTest::newRow("lead byte before a comma") << QByteArray("a\xA4,b\r\n\"c\"\r\n") << 3;
        QTest::newRow("single high bytes") << QByteArray("\"\x80\"\r\n\"\xFF\"\r\n") << 2;
        QTest::newRow("lead byte at the end") << QByteArray("\"a\"\r\n\"\xA4") << 2;
        QTest::newRow("empty file") << QByteArray() << 2;
        QTest::newRow("right double quote typed in a row")
            << Ansi::encode(QStringLiteral("\"a\u201Db\"\r\n\"%E2%80%9D\"\r\n")) << 2;
        QTest::newRow("character written back as another code")
            << QByteArray("\"\xF9\xF9\xA2\xA4\"\r\n") << 1;
    }
    void readsAsTheWholeFile() {
        QFETCH(QByteArray, file);
        QFETCH(int, rows);
        const QStringList eager = eagerRows(file, rows);
        QCOMPARE(lazyRows(file, rows), eager);
        // Written back: rows still as read, and rows read before (decoded, not changed).
        const QByteArray written = LineFiles::noteRowsFile(eager, rows);
        QCOMPARE(opened(file, rows).fileBytes(rows), written);
        const NoteRows read = opened(file, rows);
        read.texts(rows);
        QCOMPARE(read.fileBytes(rows), written);
    }

    // Short files of the pieces that matter to the reader and the decoder, in any order: the
    // reader's separators, escapes, whole characters (one has an ASCII trail byte, one is the
    // ideographic blank, one is user-defined, one is written back as another code) and, now and
    // then, a byte that is no whole character, which sends the file to the whole-file reading.
    void randomFilesReadAsTheWholeFile() {
        const QList<QByteArray> pieces = {"\"",        ",",        " ",        "\t",
                                          "\r",        "\n",       "a",        "%22",
                                          "%E2%80%9D", "\xA4\x5C", "\xA1\x40", "\x81\x40",
                                          "\xA4\xA4",  "\xFE\xFE", "\xA2\xA4"};
        const QList<QByteArray> broken = {"\x80", "\xFF", "\xA4", "\x81\x7F"};
        QRandomGenerator random(950);
        int piecewise = 0;
        for (int n = 0; n < 3000; ++n) {
            const QByteArray file = randomPieces(random, pieces, 24, broken);
            piecewise += Ansi::hasWholePairs(file) ? 1 : 0;
            const int rows = 1 + random.bounded(6);
            const QStringList eager = eagerRows(file, rows);
            QVERIFY2(lazyRows(file, rows) == eager, file.toHex().constData());
            QVERIFY2(opened(file, rows).fileBytes(rows) == LineFiles::noteRowsFile(eager, rows),
                     file.toHex().constData());
        }
        QVERIFY(piecewise > 1000 && piecewise < 3000); // both readings were taken
    }

    // Rows moved before they are read keep their own text; a row written replaces the stored one.
    void undecodedRowsMoveWithTheirEntries() {
        const QByteArray file = Ansi::encode(QStringLiteral("\"一\"\r\n\"二\"\r\n\"三\"\r\n"));
        NoteRows r;
        r.read(file, 3);
        r.swap(1, 3);
        r.copy(2, 5);
        r.set(2, QStringLiteral("new"));
        QCOMPARE(r.size(), 6);
        QCOMPARE(r.texts(5), QStringList({QString(), QStringLiteral("三"), QStringLiteral("new"),
                                          QStringLiteral("一"), QString(), QStringLiteral("二")}));
        r.read(Ansi::encode(QStringLiteral("\"四\"\r\n")), 1); // an earlier file's rows stay
        QCOMPARE(r.texts(5), QStringList({QString(), QStringLiteral("四"), QStringLiteral("new"),
                                          QStringLiteral("一"), QString(), QStringLiteral("二")}));
        r.clear();
        QCOMPARE(r.size(), 1);
        QCOMPARE(r.at(3), QString());
    }

    // Opening drops an entry with a damaged date and moves the later rows up; saving then
    // writes the rows of the entries kept, untouched rows byte for byte.
    void openingAndSavingKeepEachEntrysRow() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        LedgerBuilder b(env.ctx.ledger);
        b.account("A-x");
        const QString longNote = QString(60, QChar(u'長')); // 120 bytes: kept in a row
        b.entry("2024/01/01", "E-y", "A-x", 1).note(longNote + "1");
        b.entry("2024/13/45", "E-y", "A-x", 2).note(longNote + "2");
        b.entry("2024/01/03", "E-y", "A-x", 3).note(QStringLiteral("short"));
        b.entry("2024/01/04", "E-y", "A-x", 4).note(longNote + "\"4\"");
        QVERIFY(LedgerBuilder::writeFolder(env.ctx));
        env.ctx.ledger.clear();

        QVERIFY(LoadLedger(env.ctx));
        Ledger& l = env.ctx.ledger;
        QCOMPARE(l.EntryCount, 4);
        QCOMPARE(l.fullNote(1), longNote + "1");
        QCOMPARE(l.fullNote(2), QStringLiteral("short"));
        QCOMPARE(l.noteRow(3), longNote + "\"4\"");

        l.swapEntries(1, 3);
        QVERIFY(WriteLedgerFiles(env.ctx));
        const QByteArray expected =
            Ansi::encode("\"" + longNote + "%224%22\"\r\n\"\"\r\n\"" + longNote + "1\"\r\n");
        QCOMPARE(TestFiles::get(f + "Main3.qvd"), expected);
    }
};

QTEST_GUILESS_MAIN(TestNoteRows)
#include "tst_noterows.moc"
