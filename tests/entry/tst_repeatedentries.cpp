// The quick-entry list's analysis of repeated entries, driven offscreen through 從現有記錄分析加入.
#include <QPushButton>
#include <QtTest>

#include "quick_fixture.h"
#include "rules/entry/repeatedentries.h"

namespace {

// Three entries of one lunch group with different amounts, two of a salary group, one alone.
void history(QuickFixture& fx) {
    fx.b.entry("2024/01/01", "E-餐飲費", "A-現金", 12345, "午餐")
        .entry("2024/01/02", "I-薪水", "A-銀行", -50, "薪水")
        .entry("2024/01/03", "E-餐飲費", "A-現金", 20000, "午餐")
        .entry("2024/01/04", "A-銀行", "L-信用卡", 100000, "繳卡費")
        .entry("2024/01/05", "I-薪水", "A-銀行", 300, "薪水")
        .entry("2024/01/06", "E-餐飲費", "A-現金", 500, "午餐");
}

const QString Lunch = "E-餐飲費|A-現金|123|午餐|";
const QString Salary = "I-薪水|A-銀行|0|薪水|";
const QString Card = "A-銀行|L-信用卡|1000|繳卡費|";

// Answers the question with `answer` and runs the command.
void analyse(QuickFixture& fx, const std::optional<QString>& answer) {
    fx.env.prompts.answerText(answer);
    fx.quick->Command2->click();
}

} // namespace

class TestRepeatedEntries : public QObject {
    Q_OBJECT
private slots:
    void threshold_data() {
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QStringList>("added");
        QTest::newRow("2") << "2" << QStringList{Lunch, Salary};
        QTest::newRow("3 then letters") << "3次" << QStringList{Lunch};
        QTest::newRow("blanks first") << "  2" << QStringList{Lunch, Salary};
        QTest::newRow("blanks within") << "\t 1 \n0" << QStringList{};
        QTest::newRow("hexadecimal") << "&h3" << QStringList{Lunch};
        QTest::newRow("octal") << "&O2" << QStringList{Lunch, Salary};
        QTest::newRow("exponent") << "0.2e1" << QStringList{Lunch, Salary};
        QTest::newRow("1") << "1" << QStringList{Lunch, Salary, Card};
        QTest::newRow("fraction") << "0.5" << QStringList{Lunch, Salary, Card};
        QTest::newRow("negative") << "-3" << QStringList{Lunch, Salary, Card};
        QTest::newRow("16-bit hexadecimal") << "&HFFFF" << QStringList{Lunch, Salary, Card};
    }
    void threshold() {
        QFETCH(QString, answer);
        QFETCH(QStringList, added);
        QuickFixture fx;
        history(fx);
        fx.q("A-現金", "A-銀行", "7");
        fx.openQuick();
        fx.quick->ChooseFilter(1);
        analyse(fx, answer);
        QCOMPARE(fx.env.prompts.texts("input"), QStringList{"要加入重覆幾筆以上的記錄?"});
        QCOMPARE(fx.env.prompts.shown.first().defaultText, QString());
        QCOMPARE(fx.table(), QStringList{"A-現金|A-銀行|7||"} + added);
        // The list shows every quick entry again, the new ones included.
        QCOMPARE(fx.quick->Combo1->currentIndex(), 0);
        QCOMPARE(fx.rows(6).size(), added.size() + 1);
        QCOMPARE(fx.quick->StatusText(), QString("共 %1 筆記錄").arg(added.size() + 1));
        QCOMPARE(fx.filterItems().contains("E-餐飲費"), added.contains(Lunch)); // items rebuilt
        QCOMPARE(fx.env.ctx.ledger.QuickEntriesChanged, !added.isEmpty());
        QCOMPARE(fx.form->LedgerChanged(), !added.isEmpty());
    }

    void noAnswerChangesNothing_data() {
        QTest::addColumn<std::optional<QString>>("answer");
        QTest::newRow("cancel") << std::optional<QString>();
        QTest::newRow("zero") << std::optional<QString>("0");
        QTest::newRow("letters") << std::optional<QString>("abc");
        QTest::newRow("unknown radix") << std::optional<QString>("&X5");
    }
    void noAnswerChangesNothing() {
        QFETCH(std::optional<QString>, answer);
        QuickFixture fx;
        history(fx);
        fx.q("A-現金", "A-銀行", "7").q("I-薪水", "A-銀行", "9");
        fx.openQuick();
        fx.quick->ChooseFilter(2);
        const QStringList listed = fx.rows(6);
        analyse(fx, answer);
        QCOMPARE(fx.table().size(), 2);
        QVERIFY(!fx.changed());
        QCOMPARE(fx.quick->Combo1->currentIndex(), 2); // not refreshed
        QCOMPARE(fx.rows(6), listed);
    }

    // A threshold above every count, or an empty ledger: the list is refreshed, yet with
    // nothing added the ledger is not marked as changed.
    void nothingQualifies_data() {
        QTest::addColumn<bool>("withHistory");
        QTest::newRow("above every count") << true;
        QTest::newRow("empty ledger") << false;
    }
    void nothingQualifies() {
        QFETCH(bool, withHistory);
        QuickFixture fx;
        if (withHistory) history(fx);
        fx.q("A-現金", "A-銀行", "7");
        fx.openQuick();
        fx.quick->ChooseFilter(1);
        analyse(fx, QString("4"));
        QCOMPARE(fx.table(), QStringList{"A-現金|A-銀行|7||"});
        QCOMPARE(fx.quick->Combo1->currentIndex(), 0);
        QCOMPARE(fx.quick->StatusText(), QString("共 1 筆記錄"));
        QVERIFY(!fx.changed());
    }

    // The key is both accounts, the detail and the stored note; the amount is not part of it.
    void groupingKeyAndTexts() {
        QuickFixture fx;
        const QString longA = QString(100, 'x') + "tail one";
        const QString longB = QString(100, 'x') + "another tail";
        fx.b.entry("2024/02/01", "E-餐飲費", "A-現金", 100, "午餐")
            .note("便當")
            .entry("2024/02/02", "E-餐飲費", "A-現金", 200, "午餐")
            .note("麵")
            .entry("2024/02/03", "E-餐飲費", "A-現金", 300, "午餐 ")
            .note("便當")
            .entry("2024/02/04", "E-餐飲費", "A-銀行", 400, "午餐")
            .note("便當")
            .entry("2024/02/05", "A-現金", "A-銀行", 9999, "ab")
            .note(longA)
            .entry("2024/02/06", "A-現金", "A-銀行", 1, "ab")
            .note(longB)
            .entry("2024/02/07", "A-現金", "A-銀行", 1, "AB")
            .note(longA);
        fx.openQuick();
        analyse(fx, QString("2"));
        // Trailing blanks of a stored field do not count; case does; the long notes share
        // their stored first 100 bytes.
        QCOMPARE(fx.table(), (QStringList{"E-餐飲費|A-現金|1|午餐|便當",
                                          "A-現金|A-銀行|99|ab|" + QString(100, 'x')}));
    }

    void quoteMarksLeftOut() {
        QuickFixture fx;
        fx.b.account("E-\"書\"");
        for (int i = 0; i < 2; ++i)
            fx.b.entry("2024/03/01", "E-\"書\"", "A-現金", 5000, "說\"好\"的”書”").note("”引號\"");
        fx.openQuick();
        analyse(fx, QString("2"));
        QCOMPARE(fx.table(), QStringList{"E-書|A-現金|50|說好的書|引號"});
    }

    void capacity_data() {
        QTest::addColumn<int>("existing");
        QTest::addColumn<int>("added");
        QTest::newRow("room for two") << 498 << 2;
        QTest::newRow("full") << 500 << 0;
    }
    void capacity() {
        QFETCH(int, existing);
        QFETCH(int, added);
        QuickFixture fx;
        for (int i = 0; i < existing; ++i)
            fx.q("A-現金", "A-銀行", QString::number(i));
        for (int g = 1; g <= 5; ++g)
            fx.b.entry("2024/04/01", "E-餐飲費", "A-現金", 100 * g, QString("g%1").arg(g));
        fx.openQuick();
        analyse(fx, QString("1"));
        const QStringList table = fx.table();
        QCOMPARE(table.size(), existing + added);
        QCOMPARE(table.mid(existing),
                 (QStringList{"E-餐飲費|A-現金|1|g1|", "E-餐飲費|A-現金|2|g2|"}.mid(0, added)));
        QCOMPARE(fx.quick->StatusText(), QString("共 %1 筆記錄").arg(existing + added));
        QCOMPARE(fx.changed(), added > 0);
    }

    // Progress runs once per entry, counting up to the number of entries.
    void progressCountsEveryEntry() {
        QuickFixture fx;
        history(fx);
        QStringList steps;
        const auto groups = RepeatedEntries::groupEntries(
            fx.env.ctx.ledger, [&](int i, int n) { steps << QString("%1/%2").arg(i).arg(n); });
        QCOMPARE(steps, (QStringList{"1/6", "2/6", "3/6", "4/6", "5/6", "6/6"}));
        QCOMPARE(groups.size(), size_t(3));
        QCOMPARE(groups[0].count, 3);
        QCOMPARE(groups[1].count, 2);
    }
};

QTEST_MAIN(TestRepeatedEntries)
#include "tst_repeatedentries.moc"
