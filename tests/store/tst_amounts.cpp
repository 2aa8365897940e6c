#include <QtTest>

#include "platform/codec.h"
#include "store/amounts.h"
#include "support/ledgerbuilder.h"
#include "support/randompieces.h"

// Display forms of amounts, fixed-text trimming and account lookup.
class TestAmounts : public QObject {
    Q_OBJECT

    static Session flags(const QString& dot, const QString& money) {
        Session s;
        s.DotState = dot;
        s.Setting.MoneyState = money;
        return s;
    }

private slots:
    void formatAmount_data() {
        QTest::addColumn<double>("amount");
        QTest::addColumn<QString>("dot1money1");
        QTest::addColumn<QString>("dot1money0");
        QTest::addColumn<QString>("dot0money1");
        QTest::addColumn<QString>("dot0money0");
        QTest::newRow("0") << 0.0 << "0.00"
                           << "0.00"
                           << "0"
                           << "0";
        QTest::newRow("5") << 5.0 << "0.05"
                           << "0.05"
                           << "0"
                           << "0";
        QTest::newRow("-5") << -5.0 << "-0.05"
                            << "-0.05"
                            << "-0"
                            << "-0";
        QTest::newRow("10") << 10.0 << "0.10"
                            << "0.10"
                            << "0"
                            << "0";
        QTest::newRow("100") << 100.0 << "1.00"
                             << "1.00"
                             << "1"
                             << "1";
        QTest::newRow("199 cut, not rounded") << 199.0 << "1.99"
                                              << "1.99"
                                              << "1"
                                              << "1";
        QTest::newRow("12345") << 12345.0 << "123.45"
                               << "123.45"
                               << "123"
                               << "123";
        QTest::newRow("123456") << 123456.0 << "1,234.56"
                                << "1234.56"
                                << "1,234"
                                << "1234";
        QTest::newRow("105000") << 105000.0 << "1,050.00"
                                << "1050.00"
                                << "1,050"
                                << "1050";
        QTest::newRow("12345600") << 12345600.0 << "123,456.00"
                                  << "123456.00"
                                  << "123,456"
                                  << "123456";
        QTest::newRow("123456789") << 123456789.0 << "1,234,567.89"
                                   << "1234567.89"
                                   << "1,234,567"
                                   << "1234567";
        QTest::newRow("-123456789") << -123456789.0 << "-1,234,567.89"
                                    << "-1234567.89"
                                    << "-1,234,567"
                                    << "-1234567";
    }
    void formatAmount() {
        QFETCH(double, amount);
        QFETCH(QString, dot1money1);
        QFETCH(QString, dot1money0);
        QFETCH(QString, dot0money1);
        QFETCH(QString, dot0money0);
        QCOMPARE(FormatAmount(amount, flags("1", "1")), dot1money1);
        QCOMPARE(FormatAmount(amount, flags("1", "0")), dot1money0);
        QCOMPARE(FormatAmount(amount, flags("0", "1")), dot0money1);
        QCOMPARE(FormatAmount(amount, flags("0", "0")), dot0money0);
    }

    void formatAmountOfTaggedNumbers() {
        QCOMPARE(FormatAmount(TaggedNumber::empty(), flags("1", "1")), QString("0.00"));
        QCOMPARE(FormatAmount(TaggedNumber::empty(), flags("0", "1")), QString("0"));
        QCOMPARE(FormatAmount(TaggedNumber::fromInt32(-250000), flags("1", "1")),
                 QString("-2,500.00"));
    }

    void flagsAreReadAtEveryCall() {
        Session s = flags("1", "1");
        QCOMPARE(FormatAmount(123456, s), QString("1,234.56"));
        s.DotState = "0";
        QCOMPARE(FormatAmount(123456, s), QString("1,234"));
    }

    void parseAmount_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("dot");
        QTest::addColumn<QString>("money");
        QTest::addColumn<QString>("rewritten");
        QTest::addColumn<double>("result");
        QTest::newRow("grouped") << "1,234,567.89"
                                 << "1"
                                 << "1"
                                 << "123456789" << 123456789.0;
        QTest::newRow("plain") << "1234567.89"
                               << "1"
                               << "0"
                               << "123456789" << 123456789.0;
        QTest::newRow("-0.05") << "-0.05"
                               << "1"
                               << "1"
                               << "-005" << -5.0;
        QTest::newRow("-0.10") << "-0.10"
                               << "1"
                               << "1"
                               << "-010" << -10.0;
        QTest::newRow("whole units") << "1,234,567"
                                     << "0"
                                     << "1"
                                     << "123456700" << 123456700.0;
        QTest::newRow("-1") << "-1"
                            << "0"
                            << "1"
                            << "-100" << -100.0;
        QTest::newRow("comma kept without grouping") << "1,234.00"
                                                     << "1"
                                                     << "0"
                                                     << "1,23400" << 1.0;
        QTest::newRow("empty") << ""
                               << "1"
                               << "1"
                               << "" << 0.0;
        QTest::newRow("one decimal") << "1.5"
                                     << "1"
                                     << "1"
                                     << "15" << 15.0;
        QTest::newRow("no point") << "12"
                                  << "1"
                                  << "1"
                                  << "12" << 12.0;
        QTest::newRow("blanks inside") << " 1 2.3\t4"
                                       << "1"
                                       << "1"
                                       << " 1 23\t4" << 1234.0;
    }
    void parseAmount() {
        QFETCH(QString, text);
        QFETCH(QString, dot);
        QFETCH(QString, money);
        QFETCH(QString, rewritten);
        QFETCH(double, result);
        QCOMPARE(ParseAmount(text, flags(dot, money)), result);
        QCOMPARE(text, rewritten);
    }

    void parseOfFormatCutsCentsWithWholeUnits_data() {
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("counted");
        QTest::newRow("12399") << 12399.0 << 12300.0;
        QTest::newRow("-12399") << -12399.0 << -12300.0;
        QTest::newRow("99") << 99.0 << 0.0;
        QTest::newRow("-5") << -5.0 << 0.0;
        QTest::newRow("123456789") << 123456789.0 << 123456700.0;
    }
    void parseOfFormatCutsCentsWithWholeUnits() {
        QFETCH(double, amount);
        QFETCH(double, counted);
        const Session s = flags("0", "1");
        QString t = FormatAmount(amount, s);
        QCOMPARE(ParseAmount(t, s), counted);
        QCOMPARE(WholeUnitsAmount(amount), counted);
        // With decimals the round trip is exact.
        const Session d = flags("1", "1");
        QString u = FormatAmount(amount, d);
        QCOMPARE(ParseAmount(u, d), amount);
    }

    void hundredthsFromTyped_data() {
        QTest::addColumn<double>("typed");
        QTest::addColumn<double>("hundredths");
        QTest::newRow("1.15") << 1.15 << 115.0; // 114.99999... without the 0.1
        QTest::newRow("-1.15") << -1.15 << -115.0;
        QTest::newRow("0.29") << 0.29 << 29.0;
        QTest::newRow("third") << 10.0 / 3 << 333.0;
        QTest::newRow("zero") << 0.0 << 0.0;
    }
    void hundredthsFromTyped() {
        QFETCH(double, typed);
        QFETCH(double, hundredths);
        QCOMPARE(HundredthsFromTyped(typed), hundredths);
    }

    void trimFixed_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("trimmed");
        QTest::newRow("padded") << QStringLiteral("現金") + QString(28, ' ')
                                << QStringLiteral("現金");
        QTest::newRow("inner NUL") << QString("ab") + QChar(0) + "c  "
                                   << "abc";
        QTest::newRow("leading blanks stay") << "  x"
                                             << "  x";
        QTest::newRow("NUL after blanks") << QString("a ") + QChar(0) << "a";
    }
    void trimFixed() {
        QFETCH(QString, text);
        QFETCH(QString, trimmed);
        QCOMPARE(TrimFixed(text), trimmed);
    }

    // Fixed fields are trimmed on their bytes where that gives the same text as decoding first:
    // fields of blanks, NULs, whole characters and stray bytes, in any order.
    void trimFixedBytesAsDecodedFirst() {
        const QList<QByteArray> pieces = {
            " ",        QByteArray(1, '\0'), "a",    "\xA4\x40", "\xA1\x40",
            "\xC0\x5C", "\x81\x40",          "\xA4", "\x80",     "\xFF"};
        QRandomGenerator random(32);
        for (int n = 0; n < 5000; ++n) {
            const QByteArray field = randomPieces(random, pieces, 10);
            QVERIFY2(TrimFixedBytes(field) == TrimFixed(Ansi::decode(field)),
                     field.toHex().constData());
        }
    }

    void findAccountIndex() {
        Ledger ledger;
        LedgerBuilder(ledger)
            .account("E-x")
            .account(QStringLiteral("A-現金"))
            .account(QStringLiteral("A-現金"));
        QCOMPARE(FindAccountIndex(ledger, QStringLiteral("A-現金")), 2); // the lower index wins
        QCOMPARE(FindAccountIndex(ledger, QStringLiteral("A-現金 ")), 0);
        QCOMPARE(FindAccountIndex(ledger, QStringLiteral("a-現金")), 0);
        QCOMPARE(FindAccountIndex(ledger, QStringLiteral("A-")), 0);
        // A name stored with NULs after the text (never assigned past it) still matches.
        QByteArray raw("E-y");
        raw.append(QByteArray(29, '\0'));
        ledger.Accounts[1].Name.setBytes(raw);
        QCOMPARE(FindAccountIndex(ledger, "E-y"), 1);
        Ledger empty;
        QCOMPARE(FindAccountIndex(empty, "E-y"), 0);
    }

    void firstLine() {
        QCOMPARE(FirstLine("abc\r\ndef"), QString("abc"));
        QCOMPARE(FirstLine("abc\ndef"), QString("abc\ndef"));
        QCOMPARE(FirstLine("abc\rdef\r\n"), QString("abc\rdef"));
    }

    void swapVariantsKeepsTags() {
        TaggedNumber a = TaggedNumber::fromInt16(0);
        TaggedNumber b = TaggedNumber::fromDouble(1250);
        SwapVariants(a, b);
        QCOMPARE(a.tag(), quint16(TaggedNumber::Double));
        QCOMPARE(a.value(), 1250.0);
        QCOMPARE(b.tag(), quint16(TaggedNumber::Int16));
    }
};

QTEST_GUILESS_MAIN(TestAmounts)
#include "tst_amounts.moc"
