#include <QtTest>

#include "rules/entry/amountkeypad.h"

// Drives the keypad with a sequence of tokens:
//   b:<x>  keypad button (0-9, <, C, ., +, -, *, /, =)
//   k:<x>  key down in the amount box (enter, +, -, *, /, esc, shift)
//   t:<c>  a typed character (after its key down) that reaches the box when accepted
//   sel    the whole text becomes selected
// In calculator mode the "k:" keys follow the calculator table, else only Enter stores.
namespace {

int buttonOf(const QString& x) {
    static const QHash<QString, int> named{
        {"<", AmountKeypad::Back},   {"C", AmountKeypad::Clear}, {".", AmountKeypad::Point},
        {"+", AmountKeypad::Plus},   {"-", AmountKeypad::Minus}, {"*", AmountKeypad::Times},
        {"/", AmountKeypad::Divide}, {"=", AmountKeypad::Equals}};
    return named.contains(x) ? named.value(x) : x.toInt();
}

AmountKeypad::Key keyOf(const QString& x) {
    if (x == "enter") return AmountKeypad::Key::Enter;
    if (x == "+") return AmountKeypad::Key::Plus;
    if (x == "-") return AmountKeypad::Key::Minus;
    if (x == "*") return AmountKeypad::Key::Times;
    if (x == "/") return AmountKeypad::Key::Divide;
    if (x == "esc") return AmountKeypad::Key::Escape;
    return AmountKeypad::Key::Other;
}

// Returns the number of Store results.
int run(AmountKeypad& pad, const QString& sequence, bool calculator) {
    int stores = 0;
    for (const QString& token : sequence.split(' ', Qt::SkipEmptyParts)) {
        if (token == "sel") {
            pad.wholeSelected = true;
        } else if (token.startsWith("b:")) {
            pad.press(buttonOf(token.mid(2)));
        } else if (token.startsWith("k:")) {
            if (pad.keyDown(keyOf(token.mid(2)), calculator) == AmountKeypad::KeyResult::Store)
                ++stores;
        } else if (token.startsWith("t:")) {
            // A typed character comes with its own key down first.
            const QChar c = token.at(2);
            pad.keyDown(AmountKeypad::Key::Other, calculator);
            if (pad.acceptsChar(c, calculator)) {
                if (pad.wholeSelected) pad.text.clear();
                pad.text.append(c);
                pad.wholeSelected = false;
            }
        }
    }
    return stores;
}

} // namespace

class TestAmountKeypad : public QObject {
    Q_OBJECT
private slots:
    // clang-format off
    void sequences_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("calculator");
        QTest::addColumn<QString>("sequence");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("sign");
        QTest::addColumn<int>("stores");

        QTest::newRow("add") << "" << false << "b:5 b:+ b:3 b:=" << "8" << "" << 0;
        QTest::newRow("subtract") << "" << false << "b:8 b:- b:3 b:=" << "5" << "" << 0;
        QTest::newRow("left to right") << "" << false << "b:2 b:+ b:3 b:* b:4 b:=" << "20" << "" << 0;
        QTest::newRow("divide by zero empties") << "" << false << "b:6 b:/ b:0 b:=" << "" << "" << 0;
        QTest::newRow("last operator wins") << "" << false << "b:5 b:+ b:- b:3 b:=" << "2" << "" << 0;
        QTest::newRow("nothing pending") << "" << false << "b:5 b:+ b:=" << "5" << "" << 0;
        QTest::newRow("zero not selected") << "0" << false << "b:5" << "05" << "" << 0;
        QTest::newRow("zero selected") << "0" << false << "sel b:5" << "5" << "" << 0;
        QTest::newRow("back on selected text") << "123" << false << "sel b:<" << "" << "" << 0;
        QTest::newRow("back removes one") << "123" << false << "b:<" << "12" << "" << 0;
        QTest::newRow("back on empty") << "" << false << "b:<" << "" << "" << 0;
        QTest::newRow("two points") << "" << false << "b:1 b:. b:. b:5 b:+ b:1 b:=" << "2" << "" << 0;
        QTest::newRow("clear") << "12" << false << "b:+ b:C" << "0" << "" << 0;
        QTest::newRow("fractions") << "" << false << "b:1 b:/ b:3 b:=" << "0.333333333333333" << "" << 0;
        QTest::newRow("decimal sum without noise") << "" << false << "b:. b:1 b:+ b:. b:2 b:=" << "0.3" << "" << 0;
        QTest::newRow("grouped text counts whole") << "1,234" << false << "b:+ b:1 b:=" << "1235" << "" << 0;
        QTest::newRow("sign stays after operator") << "" << false << "b:7 b:*" << "7" << "*" << 0;

        QTest::newRow("enter stores normally") << "5" << false << "k:+ k:enter" << "5" << "" << 1;
        QTest::newRow("calc enter finishes first") << "" << true << "t:5 k:+ t:3 k:enter" << "8" << "" << 0;
        QTest::newRow("calc second enter stores") << "" << true << "t:5 k:+ t:3 k:enter k:enter" << "8" << "" << 1;
        QTest::newRow("calc operator then enter stores") << "" << true << "t:5 k:+ k:enter" << "5" << "+" << 1;
        QTest::newRow("calc shift makes plus pending") << "" << true << "t:5 k:+ k:shift k:*" << "10" << "*" << 0;
        QTest::newRow("keypad same keys no shift") << "" << false << "b:5 b:+ b:*" << "5" << "*" << 0;
        QTest::newRow("calc minus on empty types sign") << "" << true << "k:- t:- t:4 t:2" << "-42" << "" << 0;
        QTest::newRow("calc minus on zero types sign") << "0" << true << "k:- t:- t:7" << "-7" << "" << 0;
        QTest::newRow("calc minus subtracts") << "" << true << "t:9 k:- t:4 k:enter" << "5" << "" << 0;
        QTest::newRow("calc esc clears") << "" << true << "t:9 k:+ k:esc" << "0" << "" << 0;
        QTest::newRow("normal plus discarded") << "1" << false << "t:+ t:2" << "12" << "" << 0;
        QTest::newRow("normal minus anywhere") << "1" << false << "t:- t:2" << "1-2" << "" << 0;
        QTest::newRow("calc letters discarded") << "" << true << "t:a t:3" << "3" << "" << 0;
    }
    // clang-format on
    void sequences() {
        QFETCH(QString, start);
        QFETCH(bool, calculator);
        QFETCH(QString, sequence);
        AmountKeypad pad;
        pad.text = start;
        const int stores = run(pad, sequence, calculator);
        QTEST(pad.text, "text");
        QTEST(pad.sign, "sign");
        QTEST(stores, "stores");
    }

    void divisionByZeroResetsAccumulator() {
        AmountKeypad pad;
        run(pad, "b:6 b:/ b:0 b:=", false);
        QCOMPARE(pad.Accumulator, 0.0);
        QCOMPARE(pad.PendingOperator, 0);
    }

    void clearKeepsAccumulator() {
        AmountKeypad pad;
        run(pad, "b:4 b:+ b:C", false);
        QCOMPARE(pad.Accumulator, 4.0);
        QCOMPARE(pad.PendingOperator, 0);
        QVERIFY(pad.wholeSelected);
    }

    void operatorSelectsAndEqualsKeepsSelection() {
        AmountKeypad pad;
        auto effect = pad.press(1);
        QVERIFY(!effect.focusBox);
        effect = pad.press(AmountKeypad::Plus);
        QVERIFY(effect.focusBox && effect.selectAll);
        QVERIFY(pad.wholeSelected);
        effect = pad.press(AmountKeypad::Equals); // nothing pending: selection stays
        QVERIFY(effect.focusBox && !effect.selectAll);
        QVERIFY(pad.wholeSelected);
    }

    void overflowEmptiesBox() {
        AmountKeypad pad;
        pad.text = "1e308";
        run(pad, "b:* b:1 b:0 b:=", false);
        QCOMPARE(pad.text, QString());
    }

    // clang-format off
    void rateAndInvoiceFilters_data() {
        QTest::addColumn<QString>("chars");
        QTest::addColumn<QString>("rateKeeps");
        QTest::addColumn<QString>("invoiceKeeps");
        QTest::newRow("mixed") << "aA1.-Z9," << "1.9" << "A1Z9";
    }
    // clang-format on
    void rateAndInvoiceFilters() {
        QFETCH(QString, chars);
        QString rate, invoice;
        for (const QChar c : chars) {
            if (AmountKeypad::rateAcceptsChar(c)) rate.append(c);
            if (AmountKeypad::invoiceAcceptsChar(c)) invoice.append(c);
        }
        QTEST(rate, "rateKeeps");
        QTEST(invoice, "invoiceKeeps");
    }
};

QTEST_MAIN(TestAmountKeypad)
#include "tst_amountkeypad.moc"
