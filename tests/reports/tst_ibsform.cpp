// The statements window: loading, both statements with their options and pies, the period
// choices, stale accounts, the settings it keeps, and its exports.
#include <QTest>

#include "ibsform_fixture.h"
#include "platform/codec.h"
#include "reports/reportchart.h"
#include "support/testfiles.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>

using Rows = QList<QStringList>;

namespace {
// Assets with names that look like markup or hold CSV separators, one liability, income and
// expenses; today is 2024/01/15.
void markupLedger(LedgerBuilder& b) {
    b.account("A-現金").account("A-<b>x").account("A-銀&行").account("A-a,\"q\"");
    b.account("L-卡債").account("Equity").account("I-薪資").account("E-餐飲");
    b.entry("2024/01/01", "A-現金", "Equity", 100000);
    b.entry("2024/01/02", "A-<b>x", "Equity", 50000);
    b.entry("2024/01/02", "A-銀&行", "Equity", 123456);
    b.entry("2024/01/03", "A-a,\"q\"", "Equity", 20000);
    b.entry("2024/01/03", "L-卡債", "Equity", 30000);
    b.entry("2024/01/05", "E-餐飲", "A-現金", 12000);
    b.entry("2024/01/06", "I-薪資", "A-現金", 500000);
}
} // namespace

// The lines of a written file from line `from` (1-based) on, decoded.
QStringList fileLines(const QString& path, int from = 1) {
    const QByteArray bytes = TestFiles::get(path);
    QStringList lines = Ansi::decode(bytes).split(QStringLiteral("\r\n"));
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines.mid(from - 1);
}

QStringList pageRows(const QList<QStringList>& rows) {
    QStringList lines;
    for (const QStringList& r : rows)
        lines << "<tr>"
              << "<td>" + r.join("</td><td>") + "</td>"
              << "</tr>";
    return lines;
}

class IBSFormTest : public QObject {
    Q_OBJECT
private slots:
    void exportsGolden_data() {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("defaultName");
        QTest::addColumn<QStringList>("lines"); // page: from line 22 on; CSV: all
        const QString kindHeader =
            "<table><tr><th width=30%>%1</th><th width=13%>金額</th><th width=7%>比例</th></tr>";
        const QString foot = "<h4>2024/1/15 匯出</h4></center></body></html>";
        QTest::newRow("balance page")
            << 0 << "bs.htm"
            << "Home_20240115資產負債表"
            << (QStringList{kindHeader.arg("資產")} +
                pageRows({{"現金", "5,880.00", "75.2%"},
                          {"&lt;b&gt;x", "500.00", "6.3%"},
                          {"銀&amp;行", "1,234.56", "15.7%"},
                          {"a,&quot;q&quot;", "200.00", "2.5%"},
                          {"資產總合", "7,814.56", "100%"}}) +
                QStringList{"</table><p>", kindHeader.arg("負債")} +
                pageRows({{"卡債", "300.00", "100%"}, {"負債總合", "300.00", "100%"}}) +
                QStringList{"</table><p><table><tr><td>財產淨值  7,514.56</td></tr></table>",
                            foot});
        QTest::newRow("balance CSV") << 0 << "bs.CSV"
                                     << "Home_20240115資產負債表"
                                     << QStringList{"資產,金額,比例",
                                                    "現金,5880.00,75.2%",
                                                    "<b>x,500.00,6.3%",
                                                    "銀&行,1234.56,15.7%",
                                                    "\"a,\"\"q\"\"\",200.00,2.5%",
                                                    "資產總合,7814.56,100%",
                                                    "負債,金額,比例",
                                                    "卡債,300.00,100%",
                                                    "負債總合,300.00,100%",
                                                    "財產淨值  7514.56"};
        QTest::newRow("income page")
            << 1 << "is.htm"
            << "Home_20240102-20240131_損益表"
            << (QStringList{kindHeader.arg("收入")} +
                pageRows({{"薪資", "5,000.00", "100%"}, {"收入總合", "5,000.00", "100%"}}) +
                QStringList{"</table><p>", kindHeader.arg("支出")} +
                pageRows({{"餐飲", "120.00", "100%"}, {"支出總合", "120.00", "100%"}}) +
                QStringList{"</table><p><table><tr><td>結餘  4,880.00</td></tr></table>", foot});
        QTest::newRow("income CSV")
            << 1 << "r.csv"
            << "Home_20240102-20240131_損益表"
            << QStringList{"收入,金額,比例", "薪資,5000.00,100%", "收入總合,5000.00,100%",
                           "支出,金額,比例", "餐飲,120.00,100%",  "支出總合,120.00,100%",
                           "結餘  4880.00"};
    }
    void exportsGolden() {
        QFETCH(int, tab);
        QFETCH(QString, file);
        QFETCH(QStringList, lines);
        IBSFormFixture f;
        markupLedger(f.b);
        IBSForm& w = f.open();
        w.TabStrip1->setCurrentIndex(tab);
        if (tab == 1) {
            w.DTPicker3->setDate(QDate(2024, 1, 2));
            w.DTPicker2->setDate(QDate(2024, 1, 31));
            w.Cmd4->click();
        }
        const QString path = f.env.path(file);
        f.env.prompts.answerPath(path);
        w.Command2->click();
        QCOMPARE(f.env.prompts.shown.size(), 1);
        QTEST(f.env.prompts.shown[0].defaultText, "defaultName");
        QCOMPARE(f.env.prompts.shown[0].text, QStringLiteral("儲存檔案"));
        const bool csv = file.endsWith(QLatin1String("csv"), Qt::CaseInsensitive);
        QCOMPARE(fileLines(path, csv ? 1 : 22), lines);
        if (!csv) {
            QFETCH(QString, defaultName);
            QVERIFY(fileLines(path).first().endsWith("<title>" + defaultName + "</title>"));
            QCOMPARE(fileLines(path).at(20), "</head><body><center><h3>" + defaultName + "</h3>");
        }
    }

    void exportCancelAndFailure() {
        IBSFormFixture f;
        markupLedger(f.b);
        IBSForm& w = f.open();
        f.env.prompts.answerPath(QString());
        w.Command2->click();
        QCOMPARE(f.env.prompts.shown.size(), 1); // the dialog alone
        f.env.prompts.answerPath(f.env.path("no such folder/bs.htm"));
        w.Command2->click();
        QCOMPARE(f.env.prompts.texts("warning"), QStringList{"匯出檔案發生錯誤!"});
    }

    // The bank rows of the roll-up example, with and without sub-accounts added in.
    void rollUpView_data() {
        QTest::addColumn<bool>("add");
        QTest::addColumn<Rows>("rows");
        QTest::addColumn<QStringList>("slices");
        QTest::newRow("own amounts")
            << false
            << Rows{{"銀行", "1,200.00", "26.6%"},
                    {"銀行.活存", "500.00", "11.1%"},
                    {"銀行.定存", "2,400.00", "53.3%"},
                    {"現金", "400.00", "8.8%"},
                    {"---", "", ""},
                    {"資產總合", "4,500.00", "100%"}}
            << QStringList{"銀行 26.6%", "銀行.活存 11.1%", "銀行.定存 53.3%", "現金 8.8%"};
        QTest::newRow("sub-accounts added") << true
                                            << Rows{{"銀行", "4,100.00", "91.1%"},
                                                    {"現金", "400.00", "8.8%"},
                                                    {"---", "", ""},
                                                    {"資產總合", "4,500.00", "100%"}}
                                            << QStringList{"銀行 91.1%", "現金 8.8%"};
    }
    void rollUpView() {
        QFETCH(bool, add);
        IBSFormFixture f;
        f.b.account("A-銀行").account("A-銀行.活存").account("A-銀行.定存").account("A-現金");
        f.b.account("Equity");
        f.b.entry("2024/01/01", "A-銀行", "Equity", 120000);
        f.b.entry("2024/01/01", "A-銀行.活存", "Equity", 50000);
        f.b.entry("2024/01/01", "A-銀行.定存", "Equity", 240000);
        f.b.entry("2024/01/01", "A-現金", "Equity", 40000);
        IBSForm& w = f.open();
        if (w.View_Add->isChecked() != add) w.View_Add->trigger();
        QTEST(IBSFormFixture::rows(w.ListView1), "rows");
        QStringList slices;
        for (int i = 0; i < w.MSChart1->sliceCount(); ++i)
            slices << w.MSChart1->sliceLabel(i);
        QTEST(slices, "slices");
        QCOMPARE(w.MSChart1->sliceValue(0), add ? 4100.0 : 1200.0);
    }

    void missingParentZeroAndNegative() {
        IBSFormFixture f;
        f.b.account("A-現金").account("A-股票.台積").account("A-空").account("A-透支");
        f.b.account("Equity");
        f.b.entry("2024/01/01", "A-現金", "Equity", 40000);
        f.b.entry("2024/01/01", "A-股票.台積", "Equity", 10000); // its parent does not exist
        f.b.entry("2024/01/01", "A-透支", "Equity", -20000);
        IBSForm& w = f.open();
        QVERIFY(w.View_Add->isChecked());
        // The sub-account without a parent row is listed with its amount.
        QCOMPARE(IBSFormFixture::rows(w.ListView1), (Rows{{"現金", "400.00", "133.%"},
                                                          {"股票.台積", "100.00", "33.3%"},
                                                          {"空", "0.00", "0.0%"},
                                                          {"透支", "-200.00", "0.0%"},
                                                          {"---", "", ""},
                                                          {"資產總合", "300.00", "100%"}}));
        // Zero rows hidden; the negative row keeps its slice (drawn with size 0) and colour.
        w.View_Zero->trigger();
        QCOMPARE(w.ListView1->topLevelItemCount(), 5);
        QCOMPARE(w.MSChart1->sliceCount(), 3);
        QCOMPARE(w.MSChart1->sliceLabel(2), QStringLiteral("透支 0.0%"));
        QCOMPARE(w.MSChart1->sliceValue(2), -200.0);
        QCOMPARE(w.MSChart1->sliceColour(2), std::optional<QColor>(ChartPalette[2]));
    }

    void incomeDays_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<QString>("end");
        QTest::addColumn<QString>("amount"); // 餐飲
        QTest::addColumn<QString>("share");
        QTest::addColumn<double>("hundredths");
        QTest::newRow("both boundary days counted") << "20240111"
                                                    << "20240120"
                                                    << "30.00"
                                                    << "100%" << 3000.0;
        QTest::newRow("one day") << "20240120"
                                 << "20240120"
                                 << "20.00"
                                 << "100%" << 2000.0;
        QTest::newRow("day before start not counted") << "20240112"
                                                      << "20240121"
                                                      << "60.00"
                                                      << "100%" << 6000.0;
        QTest::newRow("start after end") << "20240121"
                                         << "20240110"
                                         << "0.00"
                                         << "0%" << 0.0;
        QTest::newRow("empty start: up to the end") << ""
                                                    << "20240111"
                                                    << "11.00"
                                                    << "100%" << 1100.0;
    }
    void incomeDays() {
        IBSFormFixture f;
        f.b.account("A-現金").account("E-餐飲").account("Equity");
        f.b.entry("2024/01/10", "E-餐飲", "A-現金", 100);
        f.b.entry("2024/01/11", "E-餐飲", "A-現金", 1000);
        f.b.entry("2024/01/20", "E-餐飲", "A-現金", 2000);
        f.b.entry("2024/01/21", "E-餐飲", "A-現金", 4000);
        IBSForm& w = f.open();
        QFETCH(QString, start);
        QFETCH(QString, end);
        w.IScal(start, end);
        w.ISshow();
        QFETCH(QString, amount);
        QFETCH(QString, share);
        QCOMPARE(IBSFormFixture::rows(w.ListView4),
                 (Rows{{"餐飲", amount, share}, {"---", "", ""}, {"支出總合", amount, "100%"}}));
        QFETCH(double, hundredths);
        QCOMPARE(w.Surplus, -hundredths);
    }

    void staleAccounts() {
        IBSFormFixture f;
        f.b.account("A-現金").account("A-銀行").account("Equity");
        f.b.entry("2024/01/01", "A-現金", "Equity", 10000);
        f.b.entry("2024/01/01", "A-銀行", "Equity", 20000);
        IBSForm& w = f.open();
        // Accounts renamed, added and reordered while the window stays open.
        Ledger& l = f.env.ctx.ledger;
        std::swap(l.Accounts[1], l.Accounts[2]);
        l.Accounts[2].Name = QStringLiteral("A-零用金");
        for (int i = 1; i < l.EntryCount; ++i)
            if (l.Entries[size_t(i)].Account1.trimmed() == "A-現金")
                l.Entries[size_t(i)].Account1 = QStringLiteral("A-零用金");
        f.b.account("A-新帳戶");
        w.Cmd3->click();
        QCOMPARE(IBSFormFixture::rows(w.ListView1), (Rows{{"銀行", "200.00", "66.6%"},
                                                          {"零用金", "100.00", "33.3%"},
                                                          {"新帳戶", "0.00", "0.0%"},
                                                          {"---", "", ""},
                                                          {"資產總合", "300.00", "100%"}}));
    }

    void loadTakesTheMainWindowsPeriod() {
        IBSFormFixture f;
        f.b.account("A-現金").account("E-餐飲").account("Equity");
        f.b.entry("2022/03/05", "E-餐飲", "A-現金", 700);
        IBSForm& w = f.open("2022", 4); // 03月
        QCOMPARE(w.Text1->text(), QStringLiteral("2022"));
        QCOMPARE(w.Combo1->currentText(), QStringLiteral("03月"));
        QCOMPARE(w.DTPicker3->date(), QDate(2022, 3, 1));
        QCOMPARE(w.DTPicker2->date(), QDate(2022, 3, 31));
        QCOMPARE(w.IncomeStatementTitle, QStringLiteral("Home_2022年03月損益表"));
        QCOMPARE(w.MSChart4->rowLabel(), QStringLiteral("2022年03月支出"));
        QCOMPARE(w.ListView4->topLevelItem(0)->text(1), QStringLiteral("7.00"));
        QCOMPARE(w.TabStrip1->currentIndex(), 0);
        QCOMPARE(w.DTPicker1->date(), QDate(2024, 1, 15));
        QCOMPARE(w.StatusBar1->text(), QStringLiteral("財產淨值  -7.00"));

        // An empty year box in the main window: both become the current year.
        IBSFormFixture g;
        IBSForm& v = g.open(QString(), 1);
        QCOMPARE(g.main->PeriodYearText(), QStringLiteral("2024"));
        QCOMPARE(v.Text1->text(), QStringLiteral("2024"));
        QCOMPARE(v.IncomeStatementTitle, QStringLiteral("Home_2024年損益表"));
    }

    void arrowsRecompute() {
        IBSFormFixture f;
        f.b.account("A-現金").account("E-餐飲").account("Equity");
        f.b.entry("2025/01/05", "E-餐飲", "A-現金", 900);
        IBSForm& w = f.open("2024", 13); // 12月
        w.TabStrip1->setCurrentIndex(1);
        w.UpDown1_DownClick();
        QCOMPARE(w.Text1->text(), QStringLiteral("2025"));
        QCOMPARE(w.Combo1->currentText(), QStringLiteral("01月"));
        QCOMPARE(w.IncomeStart, QStringLiteral("20250101"));
        QCOMPARE(w.StatusBar1->text(), QStringLiteral("結餘  -9.00"));
        // A typed year that is no year counts as the current one, and is shown as such.
        w.Text1->setText(QStringLiteral("10000"));
        w.Combo1->setCurrentIndex(1);
        w.Combo1_Click();
        QCOMPARE(w.Text1->text(), QStringLiteral("2024"));
        QCOMPARE(w.IncomeStatementTitle, QStringLiteral("Home_2024年損益表"));
    }

    void settings() {
        IBSFormFixture f;
        QVERIFY(f.env.settings.SaveSetting("IBSForm", "WinState", "2"));
        QVERIFY(f.env.settings.SaveSetting("IBSForm", "CheckState", "False"));
        QVERIFY(
            f.env.settings.SaveSetting("IBSForm", "ZeroState", "yes"));    // not a Boolean: default
        QVERIFY(f.env.settings.SaveSetting("IBSForm", "Width", "9000.5")); // not whole: default
        QVERIFY(f.env.settings.SaveSetting("IBSForm", "L2W1", "123"));
        IBSForm& w = f.open();
        QVERIFY(w.windowState() & Qt::WindowMaximized);
        QVERIFY(!w.View_Add->isChecked());
        QVERIFY(!w.View_Zero->isChecked());
        QCOMPARE(w.ListView2->columnWidth(0), 123);
        w.View_Zero->trigger();
        w.close();
        QCOMPARE(f.env.settings.GetSetting("IBSForm", "Width"), QStringLiteral("11985"));
        QCOMPARE(f.env.settings.GetSetting("IBSForm", "Height"), QStringLiteral("9120"));
        QCOMPARE(f.env.settings.GetSetting("IBSForm", "WinState"), QStringLiteral("2"));
        QCOMPARE(f.env.settings.GetSetting("IBSForm", "CheckState"), QStringLiteral("False"));
        QCOMPARE(f.env.settings.GetSetting("IBSForm", "ZeroState"), QStringLiteral("True"));
        QCOMPARE(f.env.settings.GetSetting("IBSForm", "L2W1"), QStringLiteral("123"));
    }

    void openedOnceFromTheMainWindow() {
        IBSFormFixture f;
        f.b.account("A-現金").account("Equity");
        f.open();
        f.main->Statement_IBS->trigger();
        f.main->ToolbarButton(13)->trigger();
        const QList<IBSForm*> open = f.main->findChildren<IBSForm*>();
        QCOMPARE(open.size(), 1);
        QVERIFY(open.first()->isVisible());
        QCOMPARE(open.first()->windowTitle(), QStringLiteral("財務報表"));
    }
};

QTEST_MAIN(IBSFormTest)
#include "tst_ibsform.moc"
