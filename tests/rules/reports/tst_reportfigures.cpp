// Shares, the roll-up of sub-account amounts and the top-level rule of the report windows.
#include <QTest>

#include "rules/reports/reportfigures.h"

using ReportFigures::RollUpRow;

class ReportFiguresTest : public QObject {
    Q_OBJECT
private slots:
    void share_data() {
        QTest::addColumn<double>("amount");
        QTest::addColumn<double>("total");
        QTest::addColumn<QString>("text");
        QTest::newRow("total 0") << 5.0 << 0.0 << "0%";
        QTest::newRow("0 of 0") << 0.0 << 0.0 << "0%";
        QTest::newRow("whole") << 250.0 << 250.0 << "100%";
        QTest::newRow("0 of 250") << 0.0 << 250.0 << "0.0%";
        QTest::newRow("1/3") << 1.0 << 3.0 << "33.3%";
        QTest::newRow("2/3 truncates") << 2.0 << 3.0 << "66.6%";
        QTest::newRow("1/16") << 1.0 << 16.0 << "6.2%";
        QTest::newRow("1/20") << 1.0 << 20.0 << "5%";
        QTest::newRow("57/100") << 57.0 << 100.0 << "57%";
        QTest::newRow("1/700") << 1.0 << 700.0 << "0.1%";
        QTest::newRow("1/1500") << 1.0 << 1500.0 << "0.1%";
        QTest::newRow("1/3000") << 1.0 << 3000.0 << "0.0%";
        QTest::newRow("0.05 exactly") << 1.0 << 2000.0 << "0.1%";
        QTest::newRow("0.1 exactly") << 1.0 << 1000.0 << "0.1%";
        QTest::newRow("10 exactly") << 1.0 << 10.0 << "10%";
        QTest::newRow("150.5") << 301.0 << 200.0 << "150.%";
        QTest::newRow("9999.5 still cut") << 19999.0 << 200.0 << "9999%";
        QTest::newRow("500/2 in full") << 500.0 << 2.0 << "25000%";
        QTest::newRow("10000 in full") << 100.0 << 1.0 << "10000%";
        QTest::newRow("negative share") << -1.0 << 4.0 << "0.0%";
        QTest::newRow("both negative") << -1.0 << -4.0 << "25%";
        QTest::newRow("8.88") << 40000.0 << 450000.0 << "8.8%";
    }
    void share() {
        QFETCH(double, amount);
        QFETCH(double, total);
        QTEST(ReportFigures::FormatShare(amount, total), "text");
    }

    void rollUp_data() {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QList<double>>("own");
        QTest::addColumn<QList<double>>("withSubs");
        QTest::addColumn<QList<bool>>("top");
        QTest::newRow("bank tree")
            << QStringList{"銀行", "銀行.活存", "銀行.定存", "銀行.定存.美元"}
            << QList<double>{1200, 500, 2400, 300} << QList<double>{4400, 500, 2700, 300}
            << QList<bool>{true, false, false, false};
        QTest::newRow("missing parent: grandparent still reached, row top level")
            << QStringList{"a", "a.b.c", "x.y"} << QList<double>{1, 2, 4} << QList<double>{3, 2, 4}
            << QList<bool>{true, false, true};
        QTest::newRow("trailing dot adds into its stem")
            << QStringList{"a", "a."} << QList<double>{1, 2} << QList<double>{3, 2}
            << QList<bool>{true, false};
        QTest::newRow("empty component")
            << QStringList{"a", "a.", "a..b"} << QList<double>{1, 2, 4} << QList<double>{7, 6, 4}
            << QList<bool>{true, false, false};
        QTest::newRow("same name: only the first receives")
            << QStringList{"a", "a", "a.b"} << QList<double>{1, 2, 4} << QList<double>{5, 2, 4}
            << QList<bool>{true, true, false};
        QTest::newRow("a longer name is no parent")
            << QStringList{"銀行2", "銀行.活存"} << QList<double>{1, 2} << QList<double>{1, 2}
            << QList<bool>{true, true};
        QTest::newRow("child before parent") << QStringList{"a.b", "a"} << QList<double>{2, 1}
                                             << QList<double>{2, 3} << QList<bool>{false, true};
    }
    void rollUp() {
        QFETCH(QStringList, names);
        QFETCH(QList<double>, own);
        QList<RollUpRow> rows;
        for (int i = 0; i < names.size(); ++i)
            rows.append({names[i], own[i], own[i]});
        ReportFigures::RollUpSubAccounts(rows);
        QList<double> withSubs;
        for (int i = 0; i < rows.size(); ++i) {
            withSubs.append(rows[i].withSubAccounts);
            QCOMPARE(rows[i].own, own[i]);
        }
        QTEST(withSubs, "withSubs");
        QTEST(ReportFigures::TopLevelRows(names), "top");
    }
};

QTEST_GUILESS_MAIN(ReportFiguresTest)
#include "tst_reportfigures.moc"
