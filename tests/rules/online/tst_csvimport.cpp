// Staged rows from the two CSV formats.
#include <QtTest>

#include "platform/codec.h"
#include "rules/online/csvimport.h"
#include "support/stagedcells.h"

using namespace CsvImport;
using OnlineService::NoRoomLimit;
using Rows = QList<QStringList>;

class TestCsvImport : public QObject {
    Q_OBJECT
private slots:
    void lineEnds_data();
    void lineEnds();
    void fields_data();
    void fields();
    void tavrix_data();
    void tavrix();
    void blankLinesAndRoom_data();
    void blankLinesAndRoom();
};

void TestCsvImport::lineEnds_data() {
    QTest::addColumn<QByteArray>("separator");
    QTest::newRow("crlf") << QByteArray("\r\n");
    QTest::newRow("cr") << QByteArray("\r");
    QTest::newRow("lf") << QByteArray("\n");
}

// Every kind of line end gives one row per line; empty lines are skipped.
void TestCsvImport::lineEnds() {
    QFETCH(QByteArray, separator);
    const QByteArray file =
        Ansi::encode(QString::fromUtf8("2024/1/5,E-餐飲費,A-現金,120,午餐,備註,AB12345678")) +
        separator + separator + Ansi::encode("日期,x") + separator;
    const Rows rows = StagedCells(ImportCsvFile(file, NoRoomLimit).rows);
    QCOMPARE(rows.size(), 2);
    QCOMPARE(rows.at(0), QStringList({"2024/01/05", QString::fromUtf8("E-餐飲費"),
                                      QString::fromUtf8("A-現金"), "120", QString::fromUtf8("午餐"),
                                      QString::fromUtf8("備註"), "AB12345678"}));
    QCOMPARE(rows.at(1), QStringList({QString::fromUtf8("日期"), "x", "", "", "", "", ""}));
}

void TestCsvImport::fields_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QStringList>("row");
    QTest::newRow("quoted comma") << R"(2024/02/30,E-a,A-b,"1,234","x, y",n,i)"
                                  << QStringList{"2024/02/30", "E-a", "A-b", "1,234",
                                                 "x, y",       "n",   "i"};
    QTest::newRow("doubled quote")
        << R"(d,"a ""q"" b",c)" << QStringList{"d", R"(a "q" b)", "c", "", "", "", ""};
    QTest::newRow("inner quotes stay")
        << R"(d,a"b"c,x)" << QStringList{"d", R"(a"b"c)", "x", "", "", "", ""};
    QTest::newRow("unclosed quote")
        << R"(d,"ab,c)" << QStringList{"d", R"("ab)", "c", "", "", "", ""};
    QTest::newRow("extra fields") << "1,2,3,4,5,6,7,8,9"
                                  << QStringList{"1", "2", "3", "4", "5", "6", "7"};
    QTest::newRow("entities after date")
        << "&amp;,&lt;a&gt;,&amp;quot;" << QStringList{"&amp;", "<a>", "&quot;", "", "", "", ""};
    QTest::newRow("trailing comma") << "d,a," << QStringList{"d", "a", "", "", "", "", ""};
}

void TestCsvImport::fields() {
    QFETCH(QString, line);
    QFETCH(QStringList, row);
    const Rows rows = StagedCells(ImportCsvFile(Ansi::encode(line), NoRoomLimit).rows);
    QCOMPARE(rows.size(), 1);
    QCOMPARE(rows.first(), row);
}

void TestCsvImport::tavrix_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<Rows>("rows");
    const QByteArray body =
        QString::fromUtf8("2024-3-9,E-餐飲費,A-現金,80,麵,,AB12345678").toUtf8();
    const QStringList row = {
        "2024/03/09", QString::fromUtf8("E-餐飲費"), QString::fromUtf8("A-現金"),
        "80",         QString::fromUtf8("麵"),       "",
        "AB12345678"};
    QTest::newRow("bom crlf") << QByteArray("\xEF\xBB\xBF"
                                            "Date,From,To\r\n") +
                                     body + "\r\n"
                              << Rows{row};
    QTest::newRow("lf no final") << QByteArray("h\n") + body << Rows{row};
    QTest::newRow("no header loses the first") << body + "\n" + body << Rows{row};
    QTest::newRow("header only") << QByteArray("h") << Rows{};
    QTest::newRow("empty") << QByteArray() << Rows{};
}

void TestCsvImport::tavrix() {
    QFETCH(QByteArray, file);
    QFETCH(Rows, rows);
    QCOMPARE(StagedCells(TavrixCsvFile(file, NoRoomLimit).rows), rows);
}

void TestCsvImport::blankLinesAndRoom_data() {
    QTest::addColumn<bool>("tavrix");
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<int>("room");
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("rows");
    const QByteArray line = "2024/1/5,E-a,A-b,1";
    QTest::newRow("room for all") << false << (line + "\r\n").repeated(3) << 3 << 3 << 3;
    QTest::newRow("one over") << false << (line + "\r\n").repeated(3) << 2 << 3 << 0;
    QTest::newRow("blank lines") << false
                                 << line + QByteArray(" \r\n\t\r\r\n\n").repeated(1000) + line << 2
                                 << 2 << 2;
    QTest::newRow("line feeds only") << false << QByteArray(100000, '\n') << 0 << 0 << 0;
    QTest::newRow("tavrix, one over") << true << "h\n" + (line + "\n").repeated(3) << 2 << 3 << 0;
    QTest::newRow("tavrix, blank header counts not") << true << " \n" + line + "\n \r\n\n"
                                                     << 1 << 1 << 1;
}

// Blank lines are no rows; more rows than the room build none.
void TestCsvImport::blankLinesAndRoom() {
    QFETCH(bool, tavrix);
    QFETCH(QByteArray, file);
    QFETCH(int, room);
    QFETCH(int, total);
    QFETCH(int, rows);
    const OnlineService::Staging staging =
        tavrix ? TavrixCsvFile(file, room) : ImportCsvFile(file, room);
    QCOMPARE(staging.total, qsizetype(total));
    QCOMPARE(staging.rows.size(), qsizetype(rows));
    QCOMPARE(staging.refused(), total > room);
}

QTEST_MAIN(TestCsvImport)
#include "tst_csvimport.moc"
