// The journal's listing without its window: period bounds, range, type and keyword tests,
// sums line and titles.
#include <QTest>

#include "rules/journal/journallisting.h"
#include "store/appcontext.h"
#include "support/ledgerbuilder.h"

using namespace Journal;

namespace {

QStringList datesOf(const Ledger& ledger, const Listing& l) {
    QStringList out;
    for (int i : l.entries)
        out << ledger.Entries[size_t(i)].Date.trimmed();
    return out;
}

// One entry per day around the bounds the period tests look at.
void boundaryDates(Ledger& ledger) {
    LedgerBuilder b(ledger);
    b.account(QStringLiteral("A-現金")).account(QStringLiteral("E-餐飲費"));
    for (const char* d :
         {"2023/12/04", "2023/12/05", "2024/01/01", "2024/01/04", "2024/01/05", "2024/02/04",
          "2024/02/05", "2024/03/04", "2024/03/05", "2024/04/04", "2024/04/05", "2024/12/04",
          "2024/12/05", "2024/12/31", "2025/01/04", "2025/01/05", "2025/01/09", "2025/01/10"})
        b.entry(QString::fromLatin1(d), QStringLiteral("E-餐飲費"), QStringLiteral("A-現金"), 100);
}

} // namespace

class JournalListingTest : public QObject {
    Q_OBJECT
private slots:
    void periodBounds_data() {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("year");
        QTest::addColumn<QString>("day");
        QTest::addColumn<QString>("dayState2");
        QTest::addColumn<QDate>("pickerStart");
        QTest::addColumn<QDate>("pickerEnd");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("03月, D 5") << 4 << "2024"
                                   << "5"
                                   << "0" << QDate(2024, 3, 5) << QDate(2024, 4, 4)
                                   << QStringList{"2024/03/05", "2024/04/04"};
        QTest::newRow("03月, D 5, month before") << 4 << "2024"
                                                 << "5"
                                                 << "1" << QDate(2024, 2, 5) << QDate(2024, 3, 4)
                                                 << QStringList{"2024/02/05", "2024/03/04"};
        QTest::newRow("01月, month before starts in December")
            << 2 << "2024"
            << "5"
            << "1" << QDate(2023, 12, 5) << QDate(2024, 1, 4)
            << QStringList{"2023/12/05", "2024/01/01", "2024/01/04"};
        QTest::newRow("12月 ends in January")
            << 13 << "2024"
            << "5"
            << "0" << QDate(2024, 12, 5) << QDate(2025, 1, 4)
            << QStringList{"2024/12/05", "2024/12/31", "2025/01/04"};
        QTest::newRow("整年 is the calendar year")
            << 1 << "2024"
            << "10"
            << "0" << QDate(2024, 1, 10) << QDate(2025, 1, 9)
            << QStringList{"2024/01/01", "2024/01/04", "2024/01/05", "2024/02/04",
                           "2024/02/05", "2024/03/04", "2024/03/05", "2024/04/04",
                           "2024/04/05", "2024/12/04", "2024/12/05", "2024/12/31"};
        QTest::newRow("no year number lists nothing") << 4 << "20x4"
                                                      << "5"
                                                      << "0" << QDate() << QDate() << QStringList{};
        QTest::newRow("year out of range lists nothing")
            << 1 << "10000"
            << "1"
            << "0" << QDate() << QDate() << QStringList{};
    }
    void periodBounds() {
        QFETCH(int, index);
        QFETCH(QString, year);
        QFETCH(QString, day);
        QFETCH(QString, dayState2);
        AppContext ctx;
        boundaryDates(ctx.ledger);
        const PeriodChoice c = periodChoice(index, year, day, dayState2);
        QTEST(c.pickerStart, "pickerStart");
        QTEST(c.pickerEnd, "pickerEnd");
        QTEST(datesOf(ctx.ledger, listEntries(ctx.ledger, ctx.session, c.test, TypeAll, {})),
              "listed");
    }

    void lastMonthOfLastYear() {
        // Its end in year 10000 is no date: the period runs to 9999/12/31.
        AppContext ctx;
        LedgerBuilder b(ctx.ledger);
        b.account(QStringLiteral("A-現金")).account(QStringLiteral("E-餐飲費"));
        for (const char* d : {"9999/12/04", "9999/12/05", "9999/12/31"})
            b.entry(QString::fromLatin1(d), QStringLiteral("E-餐飲費"), QStringLiteral("A-現金"),
                    100);
        const PeriodChoice c =
            periodChoice(13, QStringLiteral("9999"), QStringLiteral("5"), QStringLiteral("0"));
        QCOMPARE(c.pickerEnd, QDate(9999, 12, 31));
        QCOMPARE(datesOf(ctx.ledger, listEntries(ctx.ledger, ctx.session, c.test, TypeAll, {})),
                 (QStringList{"9999/12/05", "9999/12/31"}));
    }

    void allKeepsPickers() {
        const PeriodChoice c =
            periodChoice(0, QStringLiteral("abc"), QStringLiteral("5"), QStringLiteral("0"));
        QCOMPARE(c.test.kind, DateTest::Everything);
        QVERIFY(!c.pickerStart.isValid());
    }

    void range_data() {
        QTest::addColumn<QDate>("start");
        QTest::addColumn<QDate>("end");
        QTest::addColumn<QStringList>("listed");
        QTest::newRow("both ends included")
            << QDate(2024, 1, 4) << QDate(2024, 2, 5)
            << QStringList{"2024/01/04", "2024/01/05", "2024/02/04", "2024/02/05"};
        QTest::newRow("one day") << QDate(2024, 12, 31) << QDate(2024, 12, 31)
                                 << QStringList{"2024/12/31"};
        QTest::newRow("reversed lists nothing")
            << QDate(2024, 2, 5) << QDate(2024, 1, 4) << QStringList{};
    }
    void range() {
        QFETCH(QDate, start);
        QFETCH(QDate, end);
        AppContext ctx;
        boundaryDates(ctx.ledger);
        QTEST(datesOf(ctx.ledger,
                      listEntries(ctx.ledger, ctx.session, rangeTest(start, end), TypeAll, {})),
              "listed");
    }

    void sums_data() {
        QTest::addColumn<int>("type");
        QTest::addColumn<QString>("line");
        QTest::newRow("全部") << int(TypeAll)
                              << "共 4 筆記錄，資產轉移 3,000.00，收入總計 50,000.00，支出總計 "
                                 "120.50，結餘 49,879.50";
        QTest::newRow("資產負債轉移") << int(TypeTransfer) << "共 1 筆記錄，資產轉移 3,000.00";
        QTest::newRow("資產") << int(TypeAsset) << "共 4 筆記錄，資產轉移 3,000.00";
        QTest::newRow("負債") << int(TypeLiability) << "共 0 筆記錄，資產轉移 0.00";
        QTest::newRow("收入") << int(TypeIncome) << "共 1 筆記錄，收入總計 50,000.00";
        QTest::newRow("支出") << int(TypeExpense) << "共 1 筆記錄，支出總計 120.50";
    }
    void sums() {
        QFETCH(int, type);
        AppContext ctx;
        LedgerBuilder b(ctx.ledger);
        b.account(QStringLiteral("A-現金")).account(QStringLiteral("A-銀行"));
        b.account(QStringLiteral("E-餐飲費")).account(QStringLiteral("I-薪水"));
        b.account(QStringLiteral("Equity"));
        b.entry("2024/03/05", "E-餐飲費", "A-現金", 12050);
        b.entry("2024/03/10", "I-薪水", "A-銀行", 5000000);
        b.entry("2024/04/04", "A-銀行", "A-現金", 300000);
        b.entry("2024/04/05", "Equity", "A-現金", 100000); // counted in no sum
        const Listing l = listEntries(ctx.ledger, ctx.session, DateTest{}, type, {});
        QTEST(sumsLine(l, type, ctx.session), "line");
    }

    void emptyLedgerSums() {
        AppContext ctx;
        const Listing l = listEntries(ctx.ledger, ctx.session, DateTest{}, TypeAll, {});
        QCOMPARE(
            sumsLine(l, TypeAll, ctx.session),
            QStringLiteral("共 0 筆記錄，資產轉移 0.00，收入總計 0.00，支出總計 0.00，結餘 0.00"));
    }

    void keyword_data() {
        QTest::addColumn<QString>("keyword");
        QTest::addColumn<QList<int>>("entries");
        QTest::newRow("detail in either case") << "lunch" << QList<int>{1};
        QTest::newRow("note, upper-case keyword") << "COFFEE" << QList<int>{2};
        QTest::newRow("word beyond the note's first 100 bytes") << "tailword" << QList<int>{3};
        QTest::newRow("invoice digits as stored") << "12345678" << QList<int>{1};
        QTest::newRow("invoice letters and digits") << "AB12345678" << QList<int>{1};
        QTest::newRow("invoice letters in lower case find nothing") << "ab12345678" << QList<int>{};
        QTest::newRow("part of an invoice finds nothing") << "1234567" << QList<int>{};
        QTest::newRow("two letters never match an invoice") << "AB" << QList<int>{};
        QTest::newRow("amount without commas") << "1234.50" << QList<int>{2};
        QTest::newRow("amount with commas finds nothing") << "1,234.50" << QList<int>{};
        QTest::newRow("amount without decimals finds nothing") << "1234" << QList<int>{};
        QTest::newRow("negative amount") << "-50.00" << QList<int>{3};
        QTest::newRow("negative amount without sign") << "50.00" << QList<int>{};
        QTest::newRow("ticked") << "#勾選標記" << QList<int>{2};
        QTest::newRow("not ticked") << "#未勾選標記" << QList<int>{1, 3};
        QTest::newRow("Chinese text in the detail") << "咖啡" << QList<int>{1};
        QTest::newRow("letters and Chinese text, other case") << "LUNCH 咖" << QList<int>{1};
        QTest::newRow("full-width letters, other case") << "ＴＥＡ" << QList<int>{2};
    }
    void keyword() {
        QFETCH(QString, keyword);
        AppContext ctx;
        LedgerBuilder b(ctx.ledger);
        b.account(QStringLiteral("A-現金")).account(QStringLiteral("E-餐飲費"));
        b.entry("2024/03/05", "E-餐飲費", "A-現金", 12000, "Lunch 咖啡").invoice("AB", "12345678");
        b.entry("2024/03/06", "E-餐飲費", "A-現金", 123450, "dinner")
            .note("with coffee ｔｅａ")
            .checked();
        b.entry("2024/03/07", "E-餐飲費", "A-現金", -5000, "refund")
            .note(QString(120, QLatin1Char('x')) + QStringLiteral(" tailword"));
        const Listing l = listEntries(ctx.ledger, ctx.session, DateTest{}, TypeAll, keyword);
        QList<int> got(l.entries.begin(), l.entries.end());
        QTEST(got, "entries");
    }

    void titles() {
        QCOMPARE(
            periodTitle(QStringLiteral("家用"), QStringLiteral("2024"), QStringLiteral("03月")),
            QStringLiteral("家用_2024年03月"));
        QCOMPARE(rangeTitle(QStringLiteral("家用"), QDate(2024, 1, 1), QDate(2024, 3, 31)),
                 QStringLiteral("家用_20240101-20240331"));
    }
};

QTEST_GUILESS_MAIN(JournalListingTest)
#include "tst_journallisting.moc"
