#include <QtTest>

#include "platform/codec.h"
#include "rules/online/lotteryrules.h"
#include "rules/online/paynumfile.h"
#include "store/appcontext.h"
#include "support/ledgerbuilder.h"
#include "support/testfiles.h"

using namespace Lottery;

// The lottery rules without windows: periods, the year box, the winning-numbers reply,
// the invoices of a period and the prizes; then Paynum.dat and the paper-invoice rules.
class TestLotteryRules : public QObject {
    Q_OBJECT
private slots:
    void defaultPeriodAndRange_data();
    void defaultPeriodAndRange();
    void yearBox_data();
    void yearBox();
    void winningNumbers_data();
    void winningNumbers();
    void prizes_data();
    void prizes();
    void collectsInvoicesOfThePeriod();
    void resultLine();
    void paynumBytesAndRoundTrip();
    void paynumReading_data();
    void paynumReading();
    void paynumUnreadableKeptAsBad();
    void paynumFailedWrite();
    void paperInvoiceNumbers_data();
    void paperInvoiceNumbers();
    void expiry_data();
    void expiry();
};

void TestLotteryRules::defaultPeriodAndRange_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("period");
    QTest::addColumn<QDate>("first");
    QTest::addColumn<QDate>("last");
    QTest::newRow("January") << QDate(2026, 1, 15) << 114 << 5 << QDate(2025, 11, 1)
                             << QDate(2025, 12, 31);
    QTest::newRow("February") << QDate(2026, 2, 28) << 114 << 5 << QDate(2025, 11, 1)
                              << QDate(2025, 12, 31);
    QTest::newRow("March") << QDate(2026, 3, 1) << 115 << 0 << QDate(2026, 1, 1)
                           << QDate(2026, 2, 28);
    QTest::newRow("leap February")
        << QDate(2024, 4, 30) << 113 << 0 << QDate(2024, 1, 1) << QDate(2024, 2, 29);
    QTest::newRow("June") << QDate(2026, 6, 30) << 115 << 1 << QDate(2026, 3, 1)
                          << QDate(2026, 4, 30);
    QTest::newRow("December") << QDate(2026, 12, 31) << 115 << 4 << QDate(2026, 9, 1)
                              << QDate(2026, 10, 31);
}

void TestLotteryRules::defaultPeriodAndRange() {
    QFETCH(QDate, today);
    QFETCH(int, year);
    QFETCH(int, period);
    const PeriodChoice c = defaultPeriod(today);
    QCOMPARE(c.rocYear, year);
    QCOMPARE(c.period, period);
    const DateRange r = periodRange(c.rocYear, c.period);
    QTEST(r.first, "first");
    QTEST(r.last, "last");
    QCOMPARE(periodTexts().value(5), QStringLiteral("11-12月"));
    // Year 99, 11-12月: the last period ends on 31 December.
    QCOMPARE(periodRange(99, 5).first, QDate(2010, 11, 1));
    QCOMPARE(periodRange(99, 5).last, QDate(2010, 12, 31));
    QCOMPARE(winningNumbersPath(QStringLiteral("99"), 0), QStringLiteral("/qivo/99-01-02.txt"));
}

void TestLotteryRules::yearBox_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value");
    QTest::newRow("plain") << "114" << 114;
    QTest::newRow("blanks") << " 99 " << 99;
    QTest::newRow("first") << "1" << 1;
    QTest::newRow("last") << "8088" << 8088;
    QTest::newRow("leading zeros") << "00099" << 99;
    QTest::newRow("last, zeros before it") << "0008088" << 8088;
    QTest::newRow("beyond dates") << "8089" << 0;
    QTest::newRow("beyond dates, zeros before it") << "008089" << 0;
    QTest::newRow("zeros") << "000" << 0;
    QTest::newRow("zero") << "0" << 0;
    QTest::newRow("negative") << "-5" << 0;
    QTest::newRow("fraction") << "99.5" << 0;
    QTest::newRow("letters") << "l14" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("huge") << "99999999999" << 0;
}

void TestLotteryRules::yearBox() {
    QFETCH(QString, text);
    QTEST(yearBoxValue(text), "value");
    if (const int v = yearBoxValue(text)) QVERIFY(periodRange(v, 5).last.isValid());
}

void TestLotteryRules::winningNumbers_data() {
    QTest::addColumn<QString>("reply");
    QTest::addColumn<int>("result");
    QTest::addColumn<QStringList>("special");
    QTest::addColumn<QStringList>("first");
    const QStringList none5(5), none8(8);
    QTest::newRow("empty") << "" << int(WinningNumbers::Result::Empty) << none5 << none8;
    QTest::newRow("not available") << "<html>\nQivo\n"
                                   << int(WinningNumbers::Result::NotAvailable) << none5 << none8;
    QTest::newRow("three lines") << "Qivo\n11111111\n 22222222 \n33333333"
                                 << int(WinningNumbers::Result::Numbers)
                                 << QStringList{"11111111", "22222222", "33333333", "", ""}
                                 << none8;
    QString full = "Qivo\r\n";
    QStringList s, f;
    for (int i = 0; i < 5; ++i)
        s << QString(8, QChar(u'1' + i));
    for (int i = 0; i < 8; ++i)
        f << QString::number(10000000 + i);
    full += (s + f).join("\r\n") + "\r\nextra\r\n";
    QTest::newRow("CR LF, extra lines ignored")
        << full << int(WinningNumbers::Result::Numbers) << s << f;
}

void TestLotteryRules::winningNumbers() {
    QFETCH(QString, reply);
    QFETCH(QStringList, special);
    QFETCH(QStringList, first);
    const WinningNumbers w = parseWinningNumbers(reply);
    QTEST(int(w.result), "result");
    QCOMPARE(QStringList(w.special.begin(), w.special.end()), special);
    QCOMPARE(QStringList(w.first.begin(), w.first.end()), first);
}

void TestLotteryRules::prizes_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<QStringList>("special"); // five boxes
    QTest::addColumn<QStringList>("first");   // eight boxes
    QTest::addColumn<QString>("prize");
    QTest::addColumn<QString>("amount");
    const QStringList n5(5), n8(8);
    auto f = [&](std::initializer_list<QString> boxes) {
        QStringList l(boxes);
        while (l.size() < 8)
            l << QString();
        return l;
    };
    QTest::newRow("first prize") << "AB12345678" << n5 << f({"12345678"}) << "頭獎"
                                 << "200,000";
    QTest::newRow("second") << "AB12345678" << n5 << f({"92345678"}) << "二獎"
                            << "40,000";
    QTest::newRow("sixth") << "AB12345678" << n5 << f({"00000678"}) << "六獎"
                           << "200";
    QTest::newRow("none") << "AB12345678" << n5 << f({"12345670"}) << ""
                          << "";
    QTest::newRow("three-digit box") << "12345678" << n5 << f({"678"}) << "六獎"
                                     << "200";
    QTest::newRow("short number never wins long levels")
        << "5678" << n5 << f({"12345678"}) << "五獎"
        << "1,000";
    QTest::newRow("short number, special box")
        << "345678" << QStringList{"12345678", "", "", "", ""} << n8 << ""
        << "";
    QTest::newRow("special over first")
        << "12345678" << QStringList{"12345678", "", "", "", ""} << f({"12345678"}) << "特別獎"
        << "10,000,000";
    QTest::newRow("grand") << "12345678" << QStringList{"", "", "", "", "12345678"} << n8 << "特獎"
                           << "2,000,000";
    // A later, smaller match does not take the first prize away.
    QTest::newRow("higher prize wins") << "12345678" << n5 << f({"12345678", "99999678"}) << "頭獎"
                                       << "200,000";
    QTest::newRow("higher prize wins, later box")
        << "12345678" << n5 << f({"99999678", "12345678"}) << "頭獎"
        << "200,000";
}

void TestLotteryRules::prizes() {
    QFETCH(QString, number);
    QFETCH(QStringList, special);
    QFETCH(QStringList, first);
    std::array<QString, 5> s;
    std::array<QString, 8> f;
    std::copy(special.begin(), special.end(), s.begin());
    std::copy(first.begin(), first.end(), f.begin());
    std::vector<ResultRow> rows{{"2026/01/02", number, {}, {}}};
    checkPrizes(rows, s, f);
    QTEST(rows[0].prize, "prize");
    QTEST(rows[0].amount, "amount");
}

void TestLotteryRules::collectsInvoicesOfThePeriod() {
    AppContext ctx;
    LedgerBuilder b(ctx.ledger);
    b.account("A-現金").account("E-餐飲費");
    b.entry("2025/12/31", "E-餐飲費", "A-現金", 100).invoice("AB", "12345678");  // last day
    b.entry("2025/11/01", "E-餐飲費", "A-現金", 100).invoice("", "22222222");    // first day
    b.entry("2026/01/01", "E-餐飲費", "A-現金", 100).invoice("CD", "33333333");  // day after
    b.entry("2025/11/20", "E-餐飲費", "A-現金", 100).invoice("EF", "");          // no digits
    b.entry("2025/11/21", "E-餐飲費", "A-現金", 100).invoice("GH", " 4444444 "); // trimmed
    const std::vector<PaperInvoice> paper{{"2025/11/15", "AB12345678"},          // same as an entry
                                          {"2025/11/16", "12345678"}, // not the same text
                                          {"2025/10/31", "55555555"},
                                          {"bad", "66666666"}};
    const auto rows = collectInvoices(ctx.ledger, paper, QDate(2025, 11, 1), QDate(2025, 12, 31));
    QStringList got;
    for (const ResultRow& r : rows)
        got << r.date + " " + r.number;
    QCOMPARE(got, (QStringList{"2025/11/01 22222222", "2025/11/16 12345678", "2025/11/21 GH4444444",
                               "2025/12/31 AB12345678"}));
    QVERIFY(collectInvoices(ctx.ledger, {}, QDate(2024, 1, 1), QDate(2024, 2, 29)).empty());
}

void TestLotteryRules::resultLine() {
    Session session;
    std::vector<ResultRow> rows{{"2026/01/01", "1", "六獎", "200"},
                                {"2026/01/02", "2", {}, {}},
                                {"2026/01/03", "3", "五獎", "1,000"}};
    session.DotState = "0";
    session.Setting.MoneyState = "1";
    QCOMPARE(Lottery::resultLine(rows, session),
             QStringLiteral("恭喜中獎，共有 2 張發票中獎，總獎金 1,200 元"));
    session.DotState = "1";
    QCOMPARE(Lottery::resultLine(rows, session),
             QStringLiteral("恭喜中獎，共有 2 張發票中獎，總獎金 1,200.00 元"));
    QCOMPARE(Lottery::resultLine({}, session), QStringLiteral("很遺憾，沒有中獎的發票"));
}

void TestLotteryRules::paynumBytesAndRoundTrip() {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    PaynumFile file;
    file.Invoices = {{"2010/05/03", "AB12345678"}, {"2010/05/04", "1234,678"}};
    QVERIFY(file.save(folder));
    const QByteArray bytes = TestFiles::get(folder + "Paynum.dat");
    QCOMPARE(bytes, QByteArray("\"2010/05/03\",\"AB12345678\"\r\n\"2010/05/04\",\"1234,678\"\r\n"));
    QCOMPARE(bytes.indexOf("\r\n"), 25);
    PaynumFile read;
    read.load(folder);
    QVERIFY(!read.Unread);
    QCOMPARE(read.Invoices.size(), size_t(2));
    QCOMPARE(read.Invoices[1].Number, QStringLiteral("1234,678"));

    // An empty list leaves the file present and empty.
    file.Invoices.clear();
    QVERIFY(file.save(folder));
    QCOMPARE(TestFiles::get(folder + "Paynum.dat"), QByteArray());
    read.load(folder);
    QVERIFY(read.Invoices.empty());

    // A missing file is an empty list, not an unreadable one.
    PaynumFile missing;
    missing.load(folder + "nobody/");
    QVERIFY(missing.Invoices.empty());
    QVERIFY(!missing.Unread);
}

void TestLotteryRules::paynumReading_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("pairs");
    QTest::newRow("date without number dropped")
        << QByteArray("\"2010/05/03\",\"11111111\"\r\n\"2010/05/04\"\r\n")
        << QStringList{"2010/05/03|11111111"};
    QTest::newRow("unquoted, LF only") << QByteArray("2010/05/03,11111111\n2010/05/04,22222222\n")
                                       << QStringList{"2010/05/03|11111111", "2010/05/04|22222222"};
    QTest::newRow("cp950 text") << Ansi::encode(QStringLiteral("\"2010/05/03\",\"發票1234\"\r\n"))
                                << QStringList{QStringLiteral("2010/05/03|發票1234")};
}

void TestLotteryRules::paynumReading() {
    QFETCH(QByteArray, bytes);
    QStringList got;
    for (const PaperInvoice& p : ParsePaynum(bytes))
        got << p.Date + "|" + p.Number;
    QTEST(got, "pairs");
}

void TestLotteryRules::paynumUnreadableKeptAsBad() {
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    // A folder in the file's place cannot be read: the list starts empty and marked.
    QVERIFY(QDir(folder).mkpath("Paynum.dat"));
    PaynumFile file;
    file.load(folder);
    QVERIFY(file.Unread);
    QVERIFY(file.Invoices.empty());

    // A file that could not be read is kept beside the list before the first rewrite.
    QVERIFY(QDir(folder).rmdir("Paynum.dat"));
    TestFiles::put(folder + "Paynum.dat", "old bytes");
    file.Invoices = {{"2010/05/03", "11111111"}};
    QVERIFY(file.save(folder));
    QCOMPARE(TestFiles::get(folder + "Paynum.dat.bad"), QByteArray("old bytes"));
    QCOMPARE(TestFiles::get(folder + "Paynum.dat"), QByteArray("\"2010/05/03\",\"11111111\"\r\n"));
    QVERIFY(!file.Unread);
    // Later saves leave the kept copy alone.
    QVERIFY(file.save(folder));
    QCOMPARE(TestFiles::get(folder + "Paynum.dat.bad"), QByteArray("old bytes"));
}

void TestLotteryRules::paynumFailedWrite() {
    QTemporaryDir dir;
    PaynumFile file;
    file.Invoices = {{"2010/05/03", "11111111"}};
    QVERIFY(!file.save(dir.path() + "/missing/"));
    // A folder in the file's place: the write fails and the folder stays.
    QVERIFY(QDir(dir.path()).mkpath("Paynum.dat"));
    QVERIFY(!file.save(dir.path() + "/"));
    QVERIFY(QFileInfo(dir.path() + "/Paynum.dat").isDir());
}

void TestLotteryRules::paperInvoiceNumbers_data() {
    QTest::addColumn<QString>("number");
    QTest::addColumn<bool>("ok");
    QTest::newRow("eight") << "12345678" << true;
    QTest::newRow("ten with letters") << "AB12345678" << true;
    QTest::newRow("any characters") << "AB1234567X" << true;
    QTest::newRow("nine") << "123456789" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("double quote") << "1234\"678" << false;
}

void TestLotteryRules::paperInvoiceNumbers() {
    QFETCH(QString, number);
    QTEST(isPaperInvoiceNumber(number), "ok");
}

void TestLotteryRules::expiry_data() {
    QTest::addColumn<QDate>("today");
    QTest::addColumn<QString>("question");
    QTest::addColumn<QString>("keptFrom"); // first date kept
    QTest::newRow("January") << QDate(2011, 1, 10) << "將刪除99年11月之前的發票，確定嗎？"
                             << "2010/11/01";
    QTest::newRow("May") << QDate(2010, 5, 3) << "將刪除99年3月之前的發票，確定嗎？"
                         << "2010/03/01";
    QTest::newRow("December") << QDate(2010, 12, 31) << "將刪除99年9月之前的發票，確定嗎？"
                              << "2010/09/01";
}

void TestLotteryRules::expiry() {
    QFETCH(QDate, today);
    QFETCH(QString, keptFrom);
    const ExpiryLimit l = expiryLimit(today);
    QTEST(expiryQuestion(l), "question");
    const QDate kept = QDate::fromString(keptFrom, "yyyy/MM/dd");
    QVERIFY(!isExpired({kept.toString("yyyy/MM/dd"), "1"}, l));
    QVERIFY(isExpired({kept.addDays(-1).toString("yyyy/MM/dd"), "1"}, l));
    QVERIFY(!isExpired({"not a date", "1"}, l));
}

QTEST_MAIN(TestLotteryRules)
#include "tst_lotteryrules.moc"
