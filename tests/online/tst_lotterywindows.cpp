#include <QtTest>

#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

#include "mainwin/mainform_fixture.h"
#include "online/numberform.h"
#include "online/numberlistform.h"
#include "support/listrows.h"
#include "support/testfiles.h"
#include "support/userinput.h"

// The lottery window and the invoice list on a main window over a small ledger, driven
// as a user would: periods, fetching, the check, the paper list and its file, logouts.
class TestLotteryWindows : public QObject {
    Q_OBJECT
private slots:
    void lotteryCheckFetchAndJump();
    void fetchFailuresKeepBoxes_data();
    void fetchFailuresKeepBoxes();
    void invoiceListEditsAndStores();
    void invoiceListSaveFailureWarns();
    void invoiceListRefusesPastedControlCharacters_data();
    void invoiceListRefusesPastedControlCharacters();
    void otherUserNeverSeesTheList();
};

namespace {

QString paynum(MainFormFixture& f) {
    return f.env.ctx.session.userFolder() + "Paynum.dat";
}

} // namespace

void TestLotteryWindows::lotteryCheckFetchAndJump() {
    MainFormFixture f;
    f.b.account("A-現金").account("E-餐飲費").account("Equity");
    f.b.entry("2025/11/03", "E-餐飲費", "A-現金", 100).invoice("AB", "12345678");
    f.b.entry("2025/12/31", "E-餐飲費", "A-現金", 100).invoice("", "87654321");
    f.b.entry("2025/09/10", "E-餐飲費", "A-現金", 100).invoice("CD", "11111678");
    f.env.clock.setToday(QDate(2026, 1, 15));
    f.env.ctx.session.DotState = "0";
    TestFiles::put(paynum(f), "\"2025/11/20\",\"00000678\"\r\n");
    QVERIFY(f.env.settings.SaveSetting("NumberForm", "Num2-0", "12345678"));
    QVERIFY(f.env.settings.SaveSetting("NumberForm", "Num2-1", "99999678"));
    MainForm& w = f.open();
    QStringList journal;
    w.SetJournalSearch([&](const QString& text) { journal << text; });

    QStringList seen;
    f.env.modal.on<NumberForm>([&](NumberForm& n) {
        seen << n.Text0->text() << n.Combo1->currentText()
             << n.DTPicker1->date().toString("yyyy/MM/dd") + "-" +
                    n.DTPicker2->date().toString("yyyy/MM/dd");
        n.Command1->click();
        seen << ListRows(n.Liv1) << n.StatusText();
        // Only the year changed: the check follows the year shown.
        n.Text0->setText("113");
        n.Command1->click();
        seen << QString::number(n.Liv1->topLevelItemCount()) << n.StatusText();
        n.Text0->setText("abc"); // the current year
        n.Command1->click();
        seen << n.Text0->text();
        n.Text0->setText("114");
        n.Text2[2]->setText("12a45678");
        n.Command1->click();
        seen << n.Text2[2]->text() << QString::number(n.Liv1->topLevelItemCount());
        n.Liv1->setCurrentItem(n.Liv1->topLevelItem(0));
        n.Liv1_DblClick();
        return n.result();
    });
    w.Tools_Number->trigger();
    QCOMPARE(seen,
             (QStringList{"114", "11-12月", "2025/11/01-2025/12/31",
                          "2025/11/03|AB12345678|頭獎|200,000", "2025/11/20|00000678|六獎|200",
                          "2025/12/31|87654321||", "恭喜中獎，共有 2 張發票中獎，總獎金 200,200 元",
                          "0", "很遺憾，沒有中獎的發票", "115", "", "3"}));
    QCOMPARE(w.Combo2->currentText(), QStringLiteral("AB12345678"));
    QCOMPARE(journal, QStringList{"AB12345678"});
    QCOMPARE(f.env.settings.GetSetting("NumberForm", "Num2-2", "x"), QString());
    QCOMPARE(f.env.settings.GetSetting("NumberForm", "Num2-0", "x"), QStringLiteral("12345678"));
    QCOMPARE(f.env.settings.GetSetting("NumberForm", "Num1-4", "x"), QString());

    // The fetch fills the boxes of the lines the reply has; it asks the service's host.
    QVERIFY(f.env.settings.SaveSetting("Online", "Host", "127.0.0.1:8080"));
    f.env.http.queueReply("Qivo\r\n11111111\r\n22222222\r\n33333333\r\n");
    f.env.modal.on<NumberForm>([&](NumberForm& n) {
        [&] {
            n.Text0->setText("99");
            n.Combo1->setCurrentIndex(0);
            // A click on 開始對獎 while the numbers are fetched checks nothing afterwards.
            n.show();
            f.env.http.duringRequest = [&] { QueueClick(n.Command1); };
            n.Command4->click();
            QCoreApplication::processEvents();
            QCOMPARE(n.StatusText(), QString());
            QCOMPARE(n.Text1[0]->text(), QStringLiteral("11111111"));
            QCOMPARE(n.Text1[2]->text(), QStringLiteral("33333333"));
            QCOMPARE(n.Text1[3]->text(), QString());
            QCOMPARE(n.Text2[0]->text(), QString());
            n.Command2->click();
            QCOMPARE(n.Text1[0]->text(), QString());
        }();
        return int(QDialog::Rejected);
    });
    w.Tools_Number->trigger();
    QCOMPARE(f.env.http.requested.value(0),
             QStringLiteral("http://127.0.0.1:8080/qivo/99-01-02.txt"));
    QCOMPARE(journal.size(), 1);
}

void TestLotteryWindows::fetchFailuresKeepBoxes_data() {
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("message");
    QTest::newRow("time-out") << int(HttpClient::Outcome::TimedOut) << QByteArray() << "warning"
                              << "連線失敗!";
    QTest::newRow("failed") << int(HttpClient::Outcome::Failed) << QByteArray("x") << "warning"
                            << "沒有資料可以下載!";
    QTest::newRow("empty") << int(HttpClient::Outcome::Ok) << QByteArray() << "warning"
                           << "沒有資料可以下載!";
    QTest::newRow("no numbers") << int(HttpClient::Outcome::Ok) << QByteArray("Error\r\n1\r\n")
                                << "plain"
                                << "目前線上沒有這個月份的中獎號碼";
}

void TestLotteryWindows::fetchFailuresKeepBoxes() {
    QFETCH(int, outcome);
    QFETCH(QByteArray, body);
    QFETCH(QString, kind);
    MainFormFixture f;
    QVERIFY(f.env.settings.SaveSetting("NumberForm", "Num1-0", "55555555"));
    MainForm& w = f.open();
    f.env.http.queueReply(HttpClient::Outcome(outcome), body);
    f.env.modal.on<NumberForm>([&](NumberForm& n) {
        [&] {
            n.Command4->click();
            QCOMPARE(n.Text1[0]->text(), QStringLiteral("55555555"));
        }();
        return int(QDialog::Rejected);
    });
    w.Tools_Number->trigger();
    QFETCH(QString, message);
    QCOMPARE(f.env.prompts.texts(kind), QStringList{message});
}

void TestLotteryWindows::invoiceListEditsAndStores() {
    MainFormFixture f;
    f.env.clock.setToday(QDate(2011, 1, 10));
    TestFiles::put(
        paynum(f),
        "\"2010/10/31\",\"11111111\"\r\n\"2010/11/01\",\"22222222\"\r\n\"2010/12/01\"\r\n");
    MainForm& w = f.open();
    f.env.modal.on<NumberListForm>([&](NumberListForm& l) {
        [&] {
            QCOMPARE(ListRows(l.Liv1), (QStringList{"2010/10/31|11111111", "2010/11/01|22222222"}));
            QVERIFY(!l.Command2->isEnabled() && !l.Command4->isEnabled());
            QCOMPARE(l.DTPicker1->date(), QDate(2011, 1, 10));
            l.Text1->setText("  AB1234567X ");
            l.Command1->click();
            QCOMPARE(l.Text1->text(), QString());
            l.Text1->setText(" 123456789 ");
            l.Command1->click();
            QCOMPARE(l.Text1->text(), QStringLiteral("123456789"));
            l.Text1->setText("1234\"678");
            l.Command1->click();
            QCOMPARE(l.Liv1->topLevelItemCount(), 3);
            // Choose the second row and edit it.
            l.Liv1->setCurrentItem(l.Liv1->topLevelItem(1));
            l.Liv1_Click();
            QVERIFY(l.Command2->isEnabled() && l.Command4->isEnabled());
            QCOMPARE(l.Text1->text(), QStringLiteral("22222222"));
            l.Text1->setText("33333333");
            l.Command4->click();
            l.Command5->click();
            QVERIFY(!l.Command4->isEnabled());
            f.env.prompts.answer(Prompts::Answer::Yes);
            l.Command3->click();
        }();
        return int(QDialog::Rejected);
    });
    w.Tools_NumberList->trigger();
    QCOMPARE(f.env.prompts.texts("warning"),
             (QStringList{"不正確的發票格式\r\n應該為8碼或含英文的10碼",
                          "不正確的發票格式\r\n應該為8碼或含英文的10碼"}));
    QCOMPARE(f.env.prompts.texts().last(), QStringLiteral("將刪除99年11月之前的發票，確定嗎？"));
    QCOMPARE(TestFiles::get(paynum(f)),
             QByteArray("\"2010/11/01\",\"33333333\"\r\n\"2011/01/10\",\"AB1234567X\"\r\n"));

    // The lottery window stayed loaded with that list: its check sees it without a reload.
    TestFiles::put(paynum(f), "");
    f.env.modal.on<NumberForm>([&](NumberForm& n) {
        [&] {
            n.Text0->setText("99");
            n.Combo1->setCurrentIndex(5);
            n.Combo1_Click();
            n.Command1->click();
            QCOMPARE(ListRows(n.Liv1), QStringList{"2010/11/01|33333333||"});
            QCOMPARE(n.StatusText(), QStringLiteral("很遺憾，沒有中獎的發票"));
        }();
        return int(QDialog::Rejected);
    });
    w.Tools_Number->trigger();
}

void TestLotteryWindows::invoiceListSaveFailureWarns() {
    MainFormFixture f;
    MainForm& w = f.open();
    QVERIFY(w.Tools_Number->isEnabled() && w.Tools_NumberList->isEnabled());
    QVERIFY(w.ToolbarButton(20)->isEnabled());
    QVERIFY(QDir().mkpath(paynum(f))); // a folder where the file belongs
    f.env.modal.on<NumberListForm>([&](NumberListForm& l) {
        l.Text1->setText("12345678");
        l.Command1->click();
        return QDialog::Rejected;
    });
    w.Tools_NumberList->trigger();
    QCOMPARE(f.env.prompts.texts("warning"), QStringList{"發票清單儲存失敗"});
    QVERIFY(QFileInfo(paynum(f)).isDir());
}

void TestLotteryWindows::invoiceListRefusesPastedControlCharacters_data() {
    QTest::addColumn<bool>("edit");
    QTest::addColumn<QString>("pasted");
    QTest::newRow("add, 8 with U+0001") << false << QString("1234567\u0001");
    QTest::newRow("add, 10 with CR LF") << false << "1234\r\n5678";
    QTest::newRow("edit, 10 with tab") << true << "AB123\t4567";
}

// A pasted number of the right length that holds a character below U+0020 is refused by
// 新增 and 修改; the list and its file keep what they held.
void TestLotteryWindows::invoiceListRefusesPastedControlCharacters() {
    QFETCH(bool, edit);
    QFETCH(QString, pasted);
    MainFormFixture f;
    f.env.clock.setToday(QDate(2011, 1, 10));
    const QByteArray stored("\"2010/11/01\",\"22222222\"\r\n");
    TestFiles::put(paynum(f), stored);
    MainForm& w = f.open();
    f.env.modal.on<NumberListForm>([&](NumberListForm& l) {
        [&] {
            l.show();
            QVERIFY(QTest::qWaitForWindowExposed(&l));
            if (edit) {
                QTreeWidgetItem* row = l.Liv1->topLevelItem(0);
                QTest::mouseClick(l.Liv1->viewport(), Qt::LeftButton, {},
                                  l.Liv1->visualItemRect(row).center());
            }
            l.Text1->setFocus();
            QTest::keySequence(l.Text1, QKeySequence::SelectAll);
            QGuiApplication::clipboard()->setText(pasted);
            QTest::keySequence(l.Text1, QKeySequence::Paste);
            QTest::mouseClick(edit ? l.Command4 : l.Command1, Qt::LeftButton);
            QCOMPARE(ListRows(l.Liv1), QStringList{"2010/11/01|22222222"});
        }();
        return int(QDialog::Accepted);
    });
    w.Tools_NumberList->trigger();
    QCOMPARE(f.env.prompts.texts("warning"), QStringList{"發票號碼不可以包含軟體不支援的文字!"});
    QCOMPARE(TestFiles::get(paynum(f)), stored);
}

void TestLotteryWindows::otherUserNeverSeesTheList() {
    MainFormFixture f;
    TestFiles::put(paynum(f), "\"2010/11/01\",\"22222222\"\r\n");
    MainForm& w = f.open();
    f.env.modal.on<NumberListForm>([&](NumberListForm& l) {
        [&] { QCOMPARE(l.Liv1->topLevelItemCount(), 1); }();
        return int(QDialog::Rejected);
    });
    w.Tools_NumberList->trigger(); // leaves the lottery window loaded with Amy's list
    f.env.makeUser("Bob");
    f.env.modal.on<NumberListForm>([&](NumberListForm& l) {
        [&] { QCOMPARE(l.Liv1->topLevelItemCount(), 0); }();
        return int(QDialog::Rejected);
    });
    w.Tools_NumberList->trigger();
    QCOMPARE(TestFiles::get(f.env.ctx.session.userFolder() + "Paynum.dat"), QByteArray());
    QCOMPARE(TestFiles::get(paynum(f)), QByteArray());
    QCOMPARE(TestFiles::get(f.env.ctx.session.DataRoot + "Amy/Paynum.dat"),
             QByteArray("\"2010/11/01\",\"22222222\"\r\n"));
}

QTEST_MAIN(TestLotteryWindows)
#include "tst_lotterywindows.moc"
