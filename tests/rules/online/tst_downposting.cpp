// Posting staged rows into the ledger: accounts, amounts, invoices, notes, limits, messages.
#include <QtTest>

#include "rules/online/downposting.h"
#include "store/ledger.h"
#include "support/ledgerbuilder.h"

using namespace DownPosting;
using Row = OnlineService::StagedRow;

namespace {
Row row(const QString& amount, const QString& a1 = QString::fromUtf8("E-餐飲費"),
        const QString& a2 = QString::fromUtf8("A-現金"), const QString& invoice = QString(),
        const QString& note = QString()) {
    return {"2024/1/5", a1, a2, amount, QString::fromUtf8("午餐"), note, invoice};
}
} // namespace

class TestDownPosting : public QObject {
    Q_OBJECT
private slots:
    void amounts_data();
    void amounts();
    void dates_data();
    void dates();
    void invoices_data();
    void invoices();
    void accountCreation();
    void longNames();
    void controlCharacters();
    void accountLimit();
    void notes();
    void ledgerFull();
    void messages();
};

void TestDownPosting::amounts_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("posted");
    QTest::addColumn<double>("hundredths");
    QTest::newRow("decimals") << "12.345" << true << 1234.0;
    QTest::newRow("negative") << "-50" << true << -5000.0;
    QTest::newRow("grouping") << "1,234" << true << 123400.0;
    QTest::newRow("not numeric") << "12a" << false << 0.0;
    QTest::newRow("too large") << "1e20" << false << 0.0;
    QTest::newRow("empty") << "" << false << 0.0;
}

void TestDownPosting::amounts() {
    QFETCH(QString, text);
    QFETCH(bool, posted);
    QFETCH(double, hundredths);
    Ledger l;
    LedgerBuilder(l).account("A-現金").account("E-餐飲費");
    QList<Row> rows = {row(text)};
    const Result r = PostRows(l, rows, {true});
    QCOMPARE(r.statuses.first(), posted ? StatusOk : StatusFailed);
    QCOMPARE(l.EntryCount, posted ? 2 : 1);
    if (posted) {
        QCOMPARE(l.Entries[1].Amount.value(), hundredths);
        QCOMPARE(l.Entries[1].Date.text(), QStringLiteral("2024/01/05"));
    }
}

void TestDownPosting::dates_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("stored"); // empty: the row fails
    QTest::newRow("first day of the entry window") << "1753/1/1"
                                                   << "1753/01/01";
    QTest::newRow("last day") << "9999/12/31"
                              << "9999/12/31";
    QTest::newRow("day before the first") << "1752/12/31" << QString();
    QTest::newRow("year one") << "0001/01/01" << QString();
    QTest::newRow("not a day") << "2024/02/30" << QString();
}

// A row posts only a date the entry window could show; any other date fails the row.
void TestDownPosting::dates() {
    QFETCH(QString, text);
    QFETCH(QString, stored);
    Ledger l;
    LedgerBuilder(l).account("A-現金").account("E-餐飲費");
    Row r = row("1");
    r.date = text;
    QList<Row> rows = {r};
    const Result result = PostRows(l, rows, {true});
    QCOMPARE(result.statuses.first(), stored.isEmpty() ? StatusFailed : StatusOk);
    QCOMPARE(l.EntryCount, stored.isEmpty() ? 1 : 2);
    if (!stored.isEmpty()) QCOMPARE(l.Entries[1].Date.text(), stored);
}

void TestDownPosting::invoices_data() {
    QTest::addColumn<QString>("invoice");
    QTest::addColumn<QString>("letters");
    QTest::addColumn<QString>("digits");
    QTest::newRow("ten") << "AB12345678"
                         << "AB"
                         << "12345678";
    QTest::newRow("eight") << "12345678"
                           << "  "
                           << "12345678";
    QTest::newRow("nine") << "123456789"
                          << "  "
                          << "12345678";
}

void TestDownPosting::invoices() {
    QFETCH(QString, invoice);
    QFETCH(QString, letters);
    QFETCH(QString, digits);
    Ledger l;
    LedgerBuilder(l).account("A-現金").account("E-餐飲費");
    QList<Row> rows = {
        row("1", QString::fromUtf8("E-餐飲費"), QString::fromUtf8("A-現金"), invoice)};
    QCOMPARE(PostRows(l, rows, {true}).ok, 1);
    QCOMPARE(l.EntryStyles[1].InvoiceLetters.text(), letters);
    QCOMPARE(l.EntryInvoices[1].InvoiceDigits.text(), digits);
}

// Missing accounts are created by prefix (the second only as L- or A-), once, even when the
// row then fails; a trailing CR of the account cells is dropped.
void TestDownPosting::accountCreation() {
    Ledger l;
    LedgerBuilder(l).account("A-現金").account("I-薪資").account("E-餐飲費").account("Equity");
    const int before = l.AccountCount;
    QList<Row> rows = {
        row("1", "E-新\r", "L-卡\r"), // both created, posts
        row("1", QString::fromUtf8("I-薪資"),
            QString::fromUtf8("E-餐飲費")),              // fails, nothing created
        row("x", "A-銀行", "A-銀行"),                    // created once, fails
        row("1", "E-新", "Equity"),                      // Equity as second account
        row("1", "Equity", QString::fromUtf8("A-現金")), // never first
        row("1", "X-a", QString::fromUtf8("A-現金")),
    };
    const Result r = PostRows(l, rows, {true, true, true, true, true, true});
    QCOMPARE(r.statuses, QStringList({StatusOk, StatusFailed, StatusFailed, StatusOk, StatusFailed,
                                      StatusFailed}));
    QCOMPARE(l.AccountCount, before + 3);
    QCOMPARE(l.Accounts[size_t(before)].Name.text().trimmed(), QStringLiteral("E-新"));
    QCOMPARE(int(l.Accounts[size_t(before)].Kind), int(KindExpense));
    QCOMPARE(int(l.Accounts[size_t(before + 1)].Kind), int(KindLiability));
    QVERIFY(l.AccountsChanged);
    QVERIFY(r.accountsAdded);
    QCOMPARE(l.Entries[1].Account1.text().trimmed(), QStringLiteral("E-新"));
}

// A long or blank-ended name is looked up as it is stored, so a second row finds it.
void TestDownPosting::longNames() {
    Ledger l;
    LedgerBuilder(l).account("A-現金");
    const QString longName = "E-" + QString(20, QChar(0x9910)); // 餐 x 20
    const QString ascii = "E-" + QString(38, u'a');
    QList<Row> rows = {row("1", longName),     row("2", longName), row("1", ascii),
                       row("1", ascii + "  "), row("1", "E-b  "),  row("1", "E-b")};
    const int before = l.AccountCount;
    const Result r = PostRows(l, rows, {true, true, true, true, true, true});
    QCOMPARE(r.ok, 6);
    QCOMPARE(l.AccountCount, before + 3);
    QCOMPARE(l.Accounts[size_t(before)].Name.text(), "E-" + QString(15, QChar(0x9910)));
    QCOMPARE(l.Accounts[size_t(before + 1)].Name.text(), ascii.left(32));
    QCOMPARE(l.Accounts[size_t(before + 2)].Name.text().trimmed(), QStringLiteral("E-b"));
}

// Control characters of a served cell never reach a field: a NUL after a known name finds
// that account instead of making a second one that reads back with the same name.
void TestDownPosting::controlCharacters() {
    Ledger l;
    LedgerBuilder(l).account("A-現金").account("E-餐飲費");
    const int before = l.AccountCount;
    Row first = row("1", QString::fromUtf8("E-餐飲費") + QChar(0), QString::fromUtf8("A-現\t金"));
    first.detail = QString::fromUtf8("午餐\n第二行");
    QList<Row> rows = {first, row("2", QString::fromUtf8("E-宵\x01夜"))};
    QCOMPARE(PostRows(l, rows, {true, true}).ok, 2);
    QCOMPARE(l.AccountCount, before + 1);
    QCOMPARE(l.Accounts[size_t(before)].Name.trimmed(), QString::fromUtf8("E-宵夜"));
    QCOMPARE(l.Entries[1].Account1.trimmed(), QString::fromUtf8("E-餐飲費"));
    QCOMPARE(l.Entries[1].Account2.trimmed(), QString::fromUtf8("A-現金"));
    QCOMPARE(l.Entries[1].Detail.trimmed(), QString::fromUtf8("午餐第二行"));
}

void TestDownPosting::accountLimit() {
    Ledger l;
    LedgerBuilder b(l);
    b.account("A-現金");
    for (int i = l.AccountCount; i < Ledger::AccountCapacity; ++i)
        b.account(QStringLiteral("E-%1").arg(i));
    QCOMPARE(l.AccountCount, Ledger::AccountCapacity); // 1999 accounts
    QList<Row> rows = {row("1", "E-new1"), row("1", "E-new2")};
    const Result r = PostRows(l, rows, {true, true});
    QCOMPARE(r.statuses, QStringList({StatusOk, StatusFailed}));
    QCOMPARE(l.AccountCount, Ledger::AccountCapacity + 1);
}

void TestDownPosting::notes() {
    Ledger l;
    LedgerBuilder(l).account("A-現金").account("E-餐飲費");
    const QString n100(100, u'n');
    QList<Row> rows = {
        row("1", QString::fromUtf8("E-餐飲費"), QString::fromUtf8("A-現金"), "", n100 + "x"),
        row("1", QString::fromUtf8("E-餐飲費"), QString::fromUtf8("A-現金"), "", n100)};
    QCOMPARE(PostRows(l, rows, {true, true}).ok, 2);
    QCOMPARE(l.EntryNotes[1].Note.text(), n100);
    QCOMPARE(l.noteRow(1), n100 + "x");
    QCOMPARE(l.noteRow(2), QString());
}

void TestDownPosting::ledgerFull() {
    Ledger l;
    LedgerBuilder b(l);
    b.account("A-現金").account("E-餐飲費");
    for (int i = 1; i < Ledger::EntryCapacity; ++i)
        b.entry("2024/01/01", QString::fromUtf8("E-餐飲費"), QString::fromUtf8("A-現金"), 100, "x");
    QList<Row> rows = {row("1"), row("x"), row("1"), row("1")};
    const Result r = PostRows(l, rows, {true, true, true, false});
    QVERIFY(r.ledgerFull);
    QCOMPARE(r.statuses, QStringList({StatusOk, StatusFailed, StatusFailed, StatusFailed}));
    QCOMPARE(l.EntryCount, Ledger::EntryCapacity + 1);
    QCOMPARE(LedgerFullMessage(), QString::fromUtf8("資料筆數已經到達30000筆上限，請另開新帳本"));
}

void TestDownPosting::messages() {
    Result r;
    r.ok = 2;
    QCOMPARE(SummaryMessage(r), QString::fromUtf8("2 筆資料加入成功!\r\n"));
    QCOMPARE(SummaryStatus(r), QString::fromUtf8("2 筆資料加入成功 "));
    r.bad = 1;
    QCOMPARE(SummaryMessage(r),
             QString::fromUtf8("2 筆資料加入成功!\r\n1 筆資料格式出錯，無法加入帳本!"));
    QCOMPARE(SummaryStatus(r),
             QString::fromUtf8("2 筆資料加入成功 ，1 筆資料格式出錯，無法加入帳本"));
    r.ok = 0;
    QCOMPARE(SummaryMessage(r), QString::fromUtf8("1 筆資料格式出錯，無法加入帳本!"));
}

QTEST_MAIN(TestDownPosting)
#include "tst_downposting.moc"
