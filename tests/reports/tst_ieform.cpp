#include <QtTest>

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "../mainwin/mainform_fixture.h"
#include "reports/ieform.h"
#include "support/testfiles.h"

namespace {

struct Fixture : MainFormFixture {
    std::unique_ptr<IEForm> daily;

    Fixture() {
        env.clock.setToday(QDate(2024, 2, 10));
        b.account("A-現金").account("I-薪資").account("E-餐飲費").account("Equity");
        b.entry("2024/02/05", "I-薪資", "A-現金", 10000);
        b.entry("2024/02/05", "I-薪資", "A-現金", 2345);
        b.entry("2024/02/06", "E-餐飲費", "A-現金", 25000);
        b.entry("2024/02/06", "A-現金", "E-餐飲費", 999);  // its first account is an asset
        b.entry("2024/02/29", "E-餐飲費", "A-現金", 1000); // after today: counted
        b.entry("2024/03/01", "E-餐飲費", "A-現金", 7);
    }
    IEForm& openDaily(int period, int year = 2024) {
        open(period, year);
        daily = std::make_unique<IEForm>(env.ctx, *form, form.get());
        daily->show();
        return *daily;
    }
    QStringList row(int r) const {
        const QTreeWidgetItem* item = daily->Liv1->topLevelItem(r);
        return {item->text(0), item->text(1), item->text(2), item->text(3), item->text(4)};
    }
};

} // namespace

class TestIEForm : public QObject {
    Q_OBJECT
private slots:
    void daysOfTheMainWindowsMonth();
    void monthLengths_data();
    void monthLengths();
    void wholeYearAndBadYears();
    void arrows();
    void exportsPageAndCsv();
    void exportNameGetsChosenType_data();
    void exportNameGetsChosenType();
    void mainWindowShowsItModally();
};

void TestIEForm::daysOfTheMainWindowsMonth() {
    Fixture f;
    f.env.ctx.session.Setting.DayState = "25"; // calendar months whatever this says
    f.env.ctx.session.Setting.DayState2 = "1";
    IEForm& w = f.openDaily(3); // "02月"
    QCOMPARE(w.Combo1->currentText(), QStringLiteral("02月"));
    QCOMPARE(w.Liv1->topLevelItemCount(), 29);
    QCOMPARE(f.row(0), QStringList({"2024/02/01", "0.00", "0.00", "0.00", "20240201"}));
    QCOMPARE(f.row(4), QStringList({"2024/02/05", "123.45", "0.00", "123.45", "20240205"}));
    QCOMPARE(f.row(5), QStringList({"2024/02/06", "0.00", "250.00", "-250.00", "20240206"}));
    QCOMPARE(w.Liv1->topLevelItem(5)->foreground(3).color(), QColor(255, 0, 0));
    QVERIFY(w.Liv1->topLevelItem(0)->foreground(3).color() != QColor(255, 0, 0));
    QCOMPARE(f.row(28)[2], QStringLiteral("10.00"));
    QVERIFY(w.Liv1->selectedItems().isEmpty());
}

void TestIEForm::monthLengths_data() {
    QTest::addColumn<int>("period");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("rows");
    QTest::newRow("March") << 4 << 2024 << 31;
    QTest::newRow("leap February") << 3 << 2024 << 29;
    QTest::newRow("February") << 3 << 2023 << 28;
    QTest::newRow("April") << 5 << 2024 << 30;
    QTest::newRow("全部 opens January") << 0 << 2024 << 31;
}

void TestIEForm::monthLengths() {
    QFETCH(int, period);
    QFETCH(int, year);
    Fixture f;
    IEForm& w = f.openDaily(period, year);
    QTEST(w.Liv1->topLevelItemCount(), "rows");
}

void TestIEForm::wholeYearAndBadYears() {
    Fixture f;
    IEForm& w = f.openDaily(Periods::WholeYear);
    QCOMPARE(w.Combo1->currentIndex(), -1);
    QCOMPARE(w.Liv1->topLevelItemCount(), 0);
    w.Combo1->setCurrentIndex(1);
    QCOMPARE(w.Liv1->topLevelItemCount(), 29);
    for (const QString year : {"abc", "12345", "2024.5", "0", ""}) {
        w.Text1->setText(year);
        w.IEShow();
        QCOMPARE(w.Liv1->topLevelItemCount(), 0);
    }
}

void TestIEForm::arrows() {
    Fixture f;
    IEForm& w = f.openDaily(2); // "01月"
    w.UpDown2_UpClick();
    QCOMPARE(w.Text1->text(), QStringLiteral("2023"));
    QCOMPARE(w.Combo1->currentText(), QStringLiteral("12月"));
    QCOMPARE(w.Liv1->topLevelItemCount(), 31);
    w.UpDown2_DownClick();
    w.UpDown2_DownClick();
    QCOMPARE(w.Text1->text(), QStringLiteral("2024"));
    QCOMPARE(w.Combo1->currentText(), QStringLiteral("02月"));
    QCOMPARE(w.Liv1->topLevelItemCount(), 29);
    w.UpDown1_DownClick();
    QCOMPARE(w.Text1->text(), QStringLiteral("2023"));
    QCOMPARE(w.Liv1->topLevelItemCount(), 28);
}

void TestIEForm::exportsPageAndCsv() {
    Fixture f;
    f.env.ctx.session.LedgerName = "家";
    IEForm& w = f.openDaily(3);
    const QString page = f.env.path("d.htm");
    f.env.prompts.answerPath(page);
    w.Command1->click();
    QCOMPARE(f.env.prompts.shown.last().defaultText, QStringLiteral("家_2024年02月_每日收支"));
    QStringList lines = Ansi::decode(TestFiles::get(page)).split("\r\n");
    QCOMPARE(lines[0],
             QStringLiteral("<html><head><meta http-equiv=Content-Type content=text/html; "
                            "charset=big5><title>家_2024年02月_每日收支</title>"));
    QCOMPARE(lines[20], QStringLiteral("</head><body><center><h3>家_2024年02月_每日收支</h3>"));
    QCOMPARE(lines[21], QStringLiteral("<table><tr><th width=25%>日期</th><th width=25%>收入</th>"
                                       "<th width=25%>支出</th><th width=25%>結餘</th></tr>"));
    QCOMPARE(lines[23],
             QStringLiteral("<td>2024/02/01</td><td>0.00</td><td>0.00</td><td>0.00</td>"));
    QCOMPARE(lines.size(), 22 + 29 * 3 + 3);
    QCOMPARE(lines[lines.size() - 2],
             QStringLiteral("<h4>2024/2/10 匯出</h4></center></body></html>"));

    f.env.ctx.session.Setting.MoneyState = "1";
    f.b.entry("2024/02/07", "I-薪資", "A-現金", 123456789);
    w.IEShow();
    const QString csv = f.env.path("d.csv");
    f.env.prompts.answerPath(csv);
    w.Command1->click();
    lines = Ansi::decode(TestFiles::get(csv)).split("\r\n");
    QCOMPARE(lines.size(), 1 + 29 + 1);
    QCOMPARE(lines[0], QStringLiteral("日期,收入,支出,結餘"));
    QCOMPARE(lines[6], QStringLiteral("2024/02/06,0.00,250.00,-250.00"));
    QCOMPARE(lines[7], QStringLiteral("2024/02/07,1234567.89,0.00,1234567.89"));
}

// 匯出 with the proposed name kept, which has no extension: the file is named and written
// as the type chosen in the dialog.
void TestIEForm::exportNameGetsChosenType_data() {
    QTest::addColumn<QString>("type");
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("firstLine");
    QTest::newRow("CSV") << "CSV檔案 (*.csv)"
                         << "家_2024年02月_每日收支.csv"
                         << "日期,收入,支出,結餘";
    QTest::newRow("page") << "網頁檔案 (*.htm)"
                          << "家_2024年02月_每日收支.htm"
                          << "<html><head><meta http-equiv=Content-Type content=text/html; "
                             "charset=big5><title>家_2024年02月_每日收支</title>";
}

void TestIEForm::exportNameGetsChosenType() {
    QFETCH(QString, type);
    QFETCH(QString, written);
    QFETCH(QString, firstLine);
    Fixture f;
    f.env.ctx.session.LedgerName = "家";
    IEForm& w = f.openDaily(3);
    const QString proposed = QStringLiteral("家_2024年02月_每日收支");
    f.env.prompts.answerPath(f.env.path(proposed), type);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
    QCOMPARE(f.env.prompts.shown.last().defaultText, proposed);
    QVERIFY(!QFile::exists(f.env.path(proposed)));
    const QStringList lines = Ansi::decode(TestFiles::get(f.env.path(written))).split("\r\n");
    QCOMPARE(lines.first(), firstLine);
}

void TestIEForm::mainWindowShowsItModally() {
    Fixture f;
    MainForm& w = f.open(4, 2024);
    QVERIFY(w.Statement_IE->isEnabled());
    int rows = -1;
    f.env.modal.on<IEForm>([&](IEForm& d) {
        rows = d.Liv1->topLevelItemCount();
        d.reject();
        return d.result();
    });
    w.Statement_IE->trigger();
    QCOMPARE(rows, 31);
    QVERIFY(f.env.settings.GetSetting("IEForm", "Width", "").toInt() > 0);
}

QTEST_MAIN(TestIEForm)
#include "tst_ieform.moc"
