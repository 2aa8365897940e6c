#include "platform/runtime.h"

#include <QTest>

class TestRuntime : public QObject {
    Q_OBJECT
private slots:
    void isNumeric_data();
    void isNumeric();
    void leadingNumber_data();
    void leadingNumber();
    void dates_data();
    void dates();
    void roundHalfEven_data();
    void roundHalfEven();
    void booleans_data();
    void booleans();
    void weekdayAndTwips();
};

void TestRuntime::isNumeric_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("numeric");
    QTest::newRow("integer") << "123" << true;
    QTest::newRow("blanks and sign") << "  -12.5 " << true;
    QTest::newRow("grouping") << "1,234,567.89" << true;
    QTest::newRow("exponent") << "1.5E3" << true;
    QTest::newRow("point only fraction") << ".5" << true;
    QTest::newRow("plus") << "+7" << true;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("blank") << "   " << false;
    QTest::newRow("letters") << "12a" << false;
    QTest::newRow("two points") << "1.2.3" << false;
    QTest::newRow("sign only") << "-" << false;
    QTest::newRow("leading comma") << ",12" << false;
    QTest::newRow("full-width digits") << QStringLiteral("１２") << false;
}

void TestRuntime::isNumeric() {
    QFETCH(QString, text);
    QFETCH(bool, numeric);
    QCOMPARE(Runtime::isNumeric(text), numeric);
}

void TestRuntime::leadingNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    QTest::newRow("plain") << "42" << 42.0;
    QTest::newRow("blanks then number then text") << "  12.5abc" << 12.5;
    QTest::newRow("negative") << "-3" << -3.0;
    QTest::newRow("stops at comma") << "1,234" << 1.0;
    QTest::newRow("exponent") << "2e2x" << 200.0;
    QTest::newRow("dangling exponent") << "2e" << 2.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("year of a date") << "2024/01/05" << 2024.0;
}

void TestRuntime::leadingNumber() {
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(Runtime::leadingNumber(text), value);
}

void TestRuntime::dates_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDate>("date"); // invalid: not a date
    QTest::newRow("canonical") << "2024/01/05" << QDate(2024, 1, 5);
    QTest::newRow("short month and day") << "2024/1/5" << QDate(2024, 1, 5);
    QTest::newRow("dashes") << "2024-12-31" << QDate(2024, 12, 31);
    QTest::newRow("leap day") << "2024/2/29" << QDate(2024, 2, 29);
    QTest::newRow("no leap day") << "2023/2/29" << QDate();
    QTest::newRow("month 13") << "2024/13/01" << QDate();
    QTest::newRow("mixed separators") << "2024/01-05" << QDate();
    QTest::newRow("text") << "today" << QDate();
    QTest::newRow("three-digit day") << "2024/01/005" << QDate();
}

void TestRuntime::dates() {
    QFETCH(QString, text);
    QFETCH(QDate, date);
    QCOMPARE(Runtime::isDate(text), date.isValid());
    const auto parsed = Runtime::parseDate(text);
    QCOMPARE(parsed.has_value(), date.isValid());
    if (parsed) {
        QCOMPARE(*parsed, date);
        QCOMPARE(Runtime::dateText(*parsed), date.toString("yyyy/MM/dd"));
    }
}

void TestRuntime::roundHalfEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<double>("rounded");
    QTest::newRow("2.5") << 2.5 << 0 << 2.0;
    QTest::newRow("3.5") << 3.5 << 0 << 4.0;
    QTest::newRow("-2.5") << -2.5 << 0 << -2.0;
    QTest::newRow("2.6") << 2.6 << 0 << 3.0;
    QTest::newRow("1.015 stored just below the half") << 1.015 << 2 << 1.02;
    QTest::newRow("0.125") << 0.125 << 2 << 0.12;
    QTest::newRow("0.135") << 0.135 << 2 << 0.14;
}

void TestRuntime::roundHalfEven() {
    QFETCH(double, value);
    QFETCH(int, decimals);
    QFETCH(double, rounded);
    QCOMPARE(Runtime::roundHalfEven(value, decimals), rounded);
}

void TestRuntime::booleans_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("value"); // -1: not a Boolean
    QTest::newRow("True") << "True" << 1;
    QTest::newRow("false lower") << "false" << 0;
    QTest::newRow("-1") << "-1" << 1;
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("1") << "1" << 1;
    QTest::newRow("empty") << "" << -1;
    QTest::newRow("yes") << "yes" << -1;
}

void TestRuntime::booleans() {
    QFETCH(QString, text);
    QFETCH(int, value);
    const auto b = Runtime::toBool(text);
    QCOMPARE(b.has_value(), value >= 0);
    if (b) QCOMPARE(int(*b), value);
    if (b) QCOMPARE(Runtime::toBool(Runtime::boolText(*b)), b);
}

void TestRuntime::weekdayAndTwips() {
    QCOMPARE(Runtime::weekday(QDate(2024, 1, 7)), 0); // a Sunday
    QCOMPARE(Runtime::weekday(QDate(2024, 1, 13)), 6);
    QCOMPARE(Runtime::twipsToPixels(15360), 1024);
    QCOMPARE(Runtime::pixelsToTwips(20), 300);
    QCOMPARE(Runtime::boolText(true), QStringLiteral("True"));
}

QTEST_GUILESS_MAIN(TestRuntime)
#include "tst_runtime.moc"
