// The download window on a main window over a small ledger, driven as a user would: the
// service's replies, the imports, 加入帳本 and its marks, the clear, the remembered login.
#include <QApplication>
#include <QtTest>

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

#include "mainwin/mainform_fixture.h"
#include "online/downform.h"
#include "platform/codec.h"
#include "rules/online/downposting.h"
#include "support/listrows.h"
#include "support/testfiles.h"
#include "support/userinput.h"

using Row = OnlineService::StagedRow;

class TestDownForm : public QObject {
    Q_OBJECT
private slots:
    void downloadFillsTheList();
    void downloadFailures_data();
    void downloadFailures();
    void clearReplies_data();
    void clearReplies();
    void inputDuringARequestIsDropped_data();
    void inputDuringARequestIsDropped();
    void postingFromTheMainWindow();
    void treeRebuiltOnlyAfterNewAccounts();
    void automaticClear_data();
    void automaticClear();
    void ledgerFullStops();
    void rowsBeyondTheRoomRefused_data();
    void rowsBeyondTheRoomRefused();
    void importsAndServicePage();
    void loginStoredAndReadBack();
    void loginFileFailuresWarn();
    void settingsAndCheck2Warning();
    void screenshot();
};

namespace {

const QString Host = QStringLiteral("127.0.0.1:8123");

struct Fixture : MainFormFixture {
    Fixture() {
        b.account("A-現金").account("E-餐飲費").account("I-薪資").account("Equity");
        QVERIFY(env.settings.SaveSetting("Online", "Host", Host));
    }
};

// "x" ticked, "-" not ticked, "#" posted (no box to tick).
QString ticks(const QTreeWidget* list) {
    QString s;
    for (int i = 0; i < list->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* r = list->topLevelItem(i);
        if (!r->flags().testFlag(Qt::ItemIsUserCheckable))
            s += r->checkState(0) == Qt::Unchecked ? u'#' : u'?';
        else
            s += r->checkState(0) == Qt::Checked ? u'x' : u'-';
    }
    return s;
}

Row row(const QString& date, const QString& a1, const QString& a2, const QString& amount,
        const QString& invoice = QString()) {
    return {date, a1, a2, amount, QStringLiteral("明細"), QStringLiteral("備註"), invoice};
}

QByteArray cp950(const QString& text) {
    return Ansi::encode(text);
}

} // namespace

void TestDownForm::downloadFillsTheList() {
    Fixture f;
    MainForm& w = f.open();
    DownForm d(w, &w);
    d.Text1->setText(" amy ");
    d.Text2->setText("p&w");
    // Two records in CR LF lines: entities decoded, the invoice trimmed, the date as sent.
    f.env.http.queueReply(cp950("2024/1/5\r\nE-餐飲費\r\nA-現金\r\n120\r\n&lt;午餐&gt;\r\n"
                                "a&amp;quot;b\r\n AB12345678 \r\n"
                                "2024/01/06\r\nE-&quot;雜&quot;\r\nA-現金\r\n1,200\r\n 早餐\r\n"
                                "\r\n\r\n"));
    d.Command1->click();
    QCOMPARE(f.env.http.requested,
             QStringList{"http://" + Host + "/zel/zel2_qivo_getdata2.php?user=amy&pass=p%26w"});
    QCOMPARE(ListRows(d.Liv1),
             (QStringList{"2024/1/5|E-餐飲費|A-現金|120|<午餐>|a&quot;b|AB12345678|",
                          "2024/01/06|E-\"雜\"|A-現金|1,200| 早餐|||"}));
    QCOMPARE(ticks(d.Liv1), QStringLiteral("xx"));
    QCOMPARE(d.StatusText(), QStringLiteral("共 2 筆資料"));
    QVERIFY(d.StagedFromService());
    QVERIFY(f.env.prompts.shown.isEmpty());
    QVERIFY(d.isEnabled());
}

void TestDownForm::downloadFailures_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("outcome"); // -1: no request
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("status");
    const QString staged = QStringLiteral("共 1 筆資料");
    const int ok = int(HttpClient::Outcome::Ok);
    QTest::newRow("empty box") << "" << -1 << QByteArray() << "請先輸入帳號密碼!" << staged;
    QTest::newRow("refused") << "amy" << ok << QByteArray("Error\n") << "帳號密碼錯誤，無法連線!"
                             << "";
    QTest::newRow("refused CR LF")
        << "amy" << ok << QByteArray("Error\r\n") << "帳號密碼錯誤，無法連線!"
        << "";
    QTest::newRow("paused") << "amy" << ok << QByteArray("Stop") << "網路記帳服務暫停中.."
                            << "";
    QTest::newRow("empty reply") << "amy" << ok << QByteArray() << "沒有資料可以下載!"
                                 << "";
    QTest::newRow("no connection")
        << "amy" << int(HttpClient::Outcome::Failed) << QByteArray() << "沒有資料可以下載!"
        << "";
    QTest::newRow("timed out") << "amy" << int(HttpClient::Outcome::TimedOut) << QByteArray()
                               << "連線失敗!"
                               << "";
}

void TestDownForm::downloadFailures() {
    QFETCH(QString, name);
    QFETCH(int, outcome);
    QFETCH(QByteArray, body);
    QFETCH(QString, warning);
    QFETCH(QString, status);
    Fixture f;
    MainForm& w = f.open();
    DownForm d(w, &w);
    d.StageRows({row("2024/01/05", "E-餐飲費", "A-現金", "1")});
    d.Text1->setText(name);
    d.Text2->setText("pw");
    if (outcome >= 0) f.env.http.queueReply(HttpClient::Outcome(outcome), body);
    d.Command1->click();
    QCOMPARE(f.env.http.requested.size(), outcome >= 0 ? 1 : 0);
    QCOMPARE(f.env.prompts.texts(), QStringList{warning});
    QCOMPARE(f.env.prompts.shown.first().kind, QStringLiteral("warning"));
    QCOMPARE(d.Liv1->topLevelItemCount(), 0); // emptied before anything is checked
    QCOMPARE(d.StatusText(), status);
    QVERIFY(!d.StagedFromService());
}

void TestDownForm::clearReplies_data() {
    QTest::addColumn<bool>("yes");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("messages"); // after the question
    QTest::addColumn<int>("rowsLeft");
    const int ok = int(HttpClient::Outcome::Ok);
    QTest::newRow("answered No") << false << ok << QByteArray() << QStringList() << 1;
    QTest::newRow("done") << true << ok << QByteArray("Done") << QStringList{"線上資料刪除完成!"}
                          << 0;
    QTest::newRow("done CR LF") << true << ok << QByteArray("Done\r\n")
                                << QStringList{"線上資料刪除完成!"} << 0;
    QTest::newRow("refused") << true << ok << QByteArray("Error")
                             << QStringList{"帳號密碼錯誤，無法連線!"} << 1;
    QTest::newRow("timed out") << true << int(HttpClient::Outcome::TimedOut) << QByteArray()
                               << QStringList{"連線失敗!"} << 1;
    QTest::newRow("other reply") << true << ok << QByteArray("<html>") << QStringList() << 1;
    QTest::newRow("no connection")
        << true << int(HttpClient::Outcome::Failed) << QByteArray() << QStringList() << 1;
}

void TestDownForm::clearReplies() {
    QFETCH(bool, yes);
    QFETCH(int, outcome);
    QFETCH(QByteArray, body);
    QFETCH(QStringList, messages);
    QFETCH(int, rowsLeft);
    Fixture f;
    MainForm& w = f.open();
    DownForm d(w, &w);
    d.StageRows({row("2024/01/05", "E-餐飲費", "A-現金", "1")});
    d.Text1->setText(" 中 ");
    d.Text2->setText("a#b");
    f.env.prompts.answer(yes ? Prompts::Answer::Yes : Prompts::Answer::No);
    if (yes) f.env.http.queueReply(HttpClient::Outcome(outcome), body);
    d.Command6->click();
    QCOMPARE(f.env.prompts.texts(), QStringList{"將會刪除線上的所有資料，確定嗎？"} + messages);
    if (yes)
        QCOMPARE(f.env.http.requested,
                 QStringList{"http://" + Host + "/zel/zel2_clear.php?user=%A4%A4&pass=a%23b"});
    else
        QVERIFY(f.env.http.requested.isEmpty());
    QCOMPARE(d.Liv1->topLevelItemCount(), rowsLeft);
    QCOMPARE(d.StatusText(), QStringLiteral("共 1 筆資料")); // the clear never writes it

    // An empty box asks nothing.
    f.env.prompts.clear();
    d.Text2->clear();
    d.Command6->click();
    QCOMPARE(f.env.prompts.texts(), QStringList{"請先輸入帳號密碼!"});
}

void TestDownForm::inputDuringARequestIsDropped_data() {
    QTest::addColumn<bool>("download");    // else the clear
    QTest::addColumn<bool>("windowClose"); // else a click on 結束
    QTest::newRow("download, 結束") << true << false;
    QTest::newRow("clear, 結束") << false << false;
    QTest::newRow("download, window close") << true << true;
    QTest::newRow("clear, window close") << false << true;
}

// A click on 結束 or the window system's close while the service is asked neither closes
// the window once the reply is in nor costs the user the rows it brought.
void TestDownForm::inputDuringARequestIsDropped() {
    QFETCH(bool, download);
    QFETCH(bool, windowClose);
    Fixture f;
    MainForm& w = f.open();
    DownForm d(w, &w);
    d.show();
    d.StageRows({row("2024/01/05", "E-餐飲費", "A-現金", "1")});
    d.Text1->setText("amy");
    d.Text2->setText("pw");
    d.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&d));
    d.Text2->setFocus();
    f.env.http.duringRequest = [&] {
        if (windowClose)
            QueueWindowClose(&d);
        else
            QueueClick(d.Command4);
    };
    if (download) {
        f.env.http.queueReply(cp950("2024/01/06\nE-餐飲費\nA-現金\n2\n\n\n\n"));
        d.Command1->click();
    } else {
        f.env.prompts.answer(Prompts::Answer::Yes);
        f.env.http.queueReply("Done");
        d.Command6->click();
    }
    QCoreApplication::processEvents();
    QVERIFY(d.isVisible());
    QVERIFY(d.isEnabled());
    QCOMPARE(d.Liv1->topLevelItemCount(), download ? 1 : 0);
    QCOMPARE(f.env.http.requested.size(), 1);
    // The keyboard is where it was before the request.
    QCOMPARE(QApplication::focusWidget(), d.Text2);
    // Once the reply is in, the window closes as ever.
    QueueWindowClose(&d);
    QCoreApplication::processEvents();
    QVERIFY(!d.isVisible());
}

void TestDownForm::postingFromTheMainWindow() {
    Fixture f;
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 100, "舊");
    MainForm& w = f.open();
    f.list("A-現金");
    const int accountsBefore = f.env.ctx.ledger.AccountCount;
    QStringList seen;
    f.env.modal.on<DownForm>([&](DownForm& d) {
        d.StageRows({
            row("2024/1/5", "E-新科目\r", "A-現金", "12.345", "AB12345678"),
            row("2024/01/06", "I-薪資", "E-餐飲費", "100"), // second account of a wrong kind
            row("2024/01/07", "E-餐飲費", "A-現金", "abc"),
            row("2024/01/08", "E-餐飲費", "A-現金", "1,234"),
        });
        d.Command5->click(); // 取消全選, then tick three back
        for (int r : {0, 1, 3})
            d.Liv1->topLevelItem(r)->setCheckState(0, Qt::Checked);
        d.Command3->click();
        seen << ListRows(d.Liv1) << ticks(d.Liv1) << d.StatusText();
        seen << d.Liv1->topLevelItem(1)->foreground(7).color().name();
        // 全選 passes the posted rows by; a second press adds nothing twice.
        d.Command2->click();
        seen << ticks(d.Liv1);
        d.Command3->click();
        seen << d.Statuses().join(',') << d.StatusText();
        d.Command5->click();
        d.Command3->click();
        seen << d.Statuses().join(',');
        d.Command4->click();
        return d.result();
    });
    w.Tools_Download->trigger();
    QCOMPARE(seen, (QStringList{"2024/1/5|E-新科目|A-現金|12.345|明細|備註|AB12345678|成功",
                                "2024/01/06|I-薪資|E-餐飲費|100|明細|備註||失敗",
                                "2024/01/07|E-餐飲費|A-現金|abc|明細|備註||",
                                "2024/01/08|E-餐飲費|A-現金|1,234|明細|備註||成功", "#x-#",
                                "2 筆資料加入成功 ，1 筆資料格式出錯，無法加入帳本", "#ff0000",
                                "#xx#", ",失敗,失敗,",
                                "0 筆資料加入成功 ，2 筆資料格式出錯，無法加入帳本", ",,,"}));
    QCOMPARE(f.env.prompts.texts(),
             (QStringList{"2 筆資料加入成功!\r\n1 筆資料格式出錯，無法加入帳本!",
                          "2 筆資料格式出錯，無法加入帳本!", "您還沒有勾選要加入帳本的資料!"}));
    QCOMPARE(f.env.prompts.texts("information").size(), 2);
    QCOMPARE(f.env.prompts.texts("warning").size(), 1);

    const Ledger& l = f.env.ctx.ledger;
    QCOMPARE(l.EntryCount, 4);
    QCOMPARE(l.AccountCount, accountsBefore + 1);
    QVERIFY(l.AccountsChanged);
    QCOMPARE(l.Entries[2].Account1.trimmed(), QStringLiteral("E-新科目"));
    QCOMPARE(l.Entries[2].Amount.value(), 1234.0);
    QCOMPARE(l.Entries[3].Amount.value(), 123400.0);
    QCOMPARE(l.Entries[3].Date.text(), QStringLiteral("2024/01/08"));
    QVERIFY(w.LedgerChanged());
    // The close rebuilt the tree with the new account; the main window then listed the
    // selected account and selected its last row.
    QCOMPARE(f.nodeText("E-新科目").isEmpty(), false);
    QVERIFY(f.form->NodeByKey("E-新科目"));
    QCOMPARE(f.column(5), (QStringList{"舊", "明細", "明細"}));
    QCOMPARE(f.selectedRows(), QList<EntryListRowRef>{f.row(2)});
}

void TestDownForm::treeRebuiltOnlyAfterNewAccounts() {
    Fixture f;
    MainForm& w = f.open();
    // Accounts that appear behind the window's back show only when the tree is rebuilt.
    auto openAndPost = [&](const QString& account, bool twice) {
        f.env.modal.on<DownForm>([&, account, twice](DownForm& d) {
            d.StageRows({row("2024/01/05", account, "A-現金", "1")});
            d.Command3->click();
            if (twice) {
                d.StageRows({row("2024/01/05", "E-餐飲費", "A-現金", "1")});
                d.Command3->click();
            }
            return int(QDialog::Rejected);
        });
        f.b.account(QStringLiteral("E-背後%1").arg(f.env.ctx.ledger.AccountCount));
        w.Tools_Download->trigger();
    };
    openAndPost("E-餐飲費", false);
    QVERIFY(!f.form->NodeByKey("E-背後5"));
    openAndPost("E-新的", true); // the second posting created nothing: still rebuilt
    QVERIFY(f.form->NodeByKey("E-背後5"));
    QVERIFY(f.form->NodeByKey("E-新的"));
    // Opened and closed without a posting: untouched.
    f.env.modal.on<DownForm>([](DownForm& d) { return d.result(); });
    f.b.account("E-最後");
    w.ToolbarButton(18)->trigger();
    QCOMPARE(f.env.modal.shown.size(), 3);
    QVERIFY(!f.form->NodeByKey("E-最後"));
}

void TestDownForm::automaticClear_data() {
    QTest::addColumn<bool>("download");
    QTest::addColumn<bool>("check2");
    QTest::addColumn<bool>("badRow");
    QTest::addColumn<bool>("clears");
    QTest::newRow("downloaded, all posted") << true << true << false << true;
    QTest::newRow("box not ticked") << true << false << false << false;
    QTest::newRow("a row failed") << true << true << true << false;
    QTest::newRow("imported") << false << true << false << false;
}

void TestDownForm::automaticClear() {
    QFETCH(bool, download);
    QFETCH(bool, check2);
    QFETCH(bool, badRow);
    QFETCH(bool, clears);
    Fixture f;
    MainForm& w = f.open();
    DownForm d(w, &w);
    d.Text1->setText("amy");
    d.Text2->setText("pw");
    const QString amount2 = badRow ? "x" : "2";
    if (download) {
        f.env.http.queueReply(cp950("2024/01/05\nE-餐飲費\nA-現金\n1\n\n\n\n"
                                    "2024/01/06\nE-餐飲費\nA-現金\n" +
                                    amount2 + "\n\n\n\n"));
        d.Command1->click();
    } else {
        d.StageRows({row("2024/01/05", "E-餐飲費", "A-現金", "1"),
                     row("2024/01/06", "E-餐飲費", "A-現金", amount2)});
    }
    if (check2) d.Check2->setChecked(true);
    if (clears) {
        f.env.prompts.answer(Prompts::Answer::Yes);
        f.env.http.queueReply("Done");
    }
    f.env.prompts.clear();
    if (clears) f.env.prompts.answer(Prompts::Answer::Yes);
    d.Command3->click();
    const QStringList texts = f.env.prompts.texts();
    QCOMPARE(texts.contains("將會刪除線上的所有資料，確定嗎？"), clears);
    QCOMPARE(d.Liv1->topLevelItemCount(), clears ? 0 : 2);
    if (clears) {
        QCOMPARE(texts.last(), QStringLiteral("線上資料刪除完成!"));
        QCOMPARE(f.env.http.requested.last(),
                 "http://" + Host + "/zel/zel2_clear.php?user=amy&pass=pw");
    }
    QCOMPARE(f.env.http.requested.size(), int(download) + int(clears));
    QCOMPARE(f.env.ctx.ledger.EntryCount, badRow ? 2 : 3);
}

void TestDownForm::ledgerFullStops() {
    Fixture f;
    for (int i = 1; i < Ledger::EntryCapacity; ++i)
        f.b.entry("2024/01/01", "E-餐飲費", "A-現金", 100, "x");
    MainForm& w = f.open();
    DownForm d(w, &w);
    d.StageRows({row("2024/01/05", "E-餐飲費", "A-現金", "1"),
                 row("2024/01/06", "E-餐飲費", "A-現金", "2"),
                 row("2024/01/07", "E-餐飲費", "A-現金", "3")});
    d.Liv1->topLevelItem(2)->setCheckState(0, Qt::Unchecked);
    d.Command3->click();
    QCOMPARE(f.env.prompts.texts(), QStringList{"資料筆數已經到達30000筆上限，請另開新帳本"});
    QCOMPARE(d.Statuses(), (QStringList{"成功", "失敗", "失敗"}));
    QCOMPARE(ticks(d.Liv1), QStringLiteral("#x-"));
    QCOMPARE(d.StatusText(), QStringLiteral("共 3 筆資料")); // no summary
    QCOMPARE(f.env.ctx.ledger.EntryCount, Ledger::EntryCapacity + 1);
    QVERIFY(w.LedgerChanged());

    // Room for one: the last row takes it. A later stop marks the rows it did not add, never
    // a row already in the ledger.
    f.env.ctx.ledger.truncateEntries(Ledger::EntryCapacity);
    d.StageRows({row("2024/01/05", "E-餐飲費", "A-現金", "1"),
                 row("2024/01/06", "E-餐飲費", "A-現金", "2"),
                 row("2024/01/07", "E-餐飲費", "A-現金", "3")});
    d.Command5->click();
    d.Liv1->topLevelItem(2)->setCheckState(0, Qt::Checked);
    d.Command3->click();
    QCOMPARE(d.Statuses(), (QStringList{"", "", "成功"}));
    d.Liv1->topLevelItem(0)->setCheckState(0, Qt::Checked);
    d.Command3->click();
    QCOMPARE(d.Statuses(), (QStringList{"失敗", "失敗", ""}));
    QCOMPARE(ticks(d.Liv1), QStringLiteral("x-#"));
    QCOMPARE(f.env.ctx.ledger.EntryCount, Ledger::EntryCapacity + 1);
}

void TestDownForm::rowsBeyondTheRoomRefused_data() {
    QTest::addColumn<int>("source"); // 0 download, 1 以CSV檔匯入資料, 2 匯入Tavrix的CSV檔
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("warning"); // empty: staged
    QTest::addColumn<int>("rows");
    const QString record = QStringLiteral("2024/01/05\nE-餐飲費\nA-現金\n1\n\n\n\n");
    const QString csv = QStringLiteral("2024/01/05,E-餐飲費,A-現金,1\r\n");
    const QString refusal = QStringLiteral("資料共 3 筆，超過帳本還能加入的 2 筆，無法載入!");
    QTest::newRow("download, room for all") << 0 << record.repeated(2) << "" << 2;
    QTest::newRow("download, one over") << 0 << record.repeated(3) << refusal << 0;
    // Records of blank lines are no rows, however many there are.
    QTest::newRow("download, line feeds between")
        << 0 << record + QString(7 * 5000, u'\n') + record + QStringLiteral(" \n\t\r\n") << "" << 2;
    QTest::newRow("download, line feeds only") << 0 << QString(7 * 5000, u'\n') << "" << 0;
    QTest::newRow("csv, room for all") << 1 << csv.repeated(2) << "" << 2;
    QTest::newRow("csv, one over") << 1 << csv.repeated(3) << refusal << 0;
    QTest::newRow("csv, blank lines")
        << 1 << csv + QStringLiteral(" \r\n\t\r\n").repeated(5000) + csv << "" << 2;
    QTest::newRow("tavrix, one over")
        << 2 << QStringLiteral("日期\r\n") + csv.repeated(3) << refusal << 0;
    QTest::newRow("tavrix, blank lines")
        << 2 << QStringLiteral("日期\n") + csv + QStringLiteral(" \n").repeated(5000) + csv << ""
        << 2;
}

// A reply or a file with more rows than the ledger can still take stages none and says so,
// as a failed download does; blank lines are never rows.
void TestDownForm::rowsBeyondTheRoomRefused() {
    QFETCH(int, source);
    QFETCH(QString, text);
    QFETCH(QString, warning);
    QFETCH(int, rows);
    Fixture f;
    for (int i = 2; i < Ledger::EntryCapacity; ++i)
        f.b.entry("2024/01/01", "E-餐飲費", "A-現金", 100, "x");
    MainForm& w = f.open();
    DownForm d(w, &w);
    d.StageRows({row("2024/01/05", "E-餐飲費", "A-現金", "1")});
    d.Text1->setText("amy");
    d.Text2->setText("pw");
    if (source == 0) {
        f.env.http.queueReply(cp950(text));
        d.Command1->click();
    } else {
        const QString path = f.env.path("in.csv");
        TestFiles::put(path, source == 1 ? cp950(text) : text.toUtf8());
        f.env.prompts.answerPath(path);
        if (source == 1)
            d.Command8->click();
        else
            d.Misc_Tavrix->trigger();
    }
    const bool refused = !warning.isEmpty();
    QCOMPARE(f.env.prompts.texts("warning"), refused ? QStringList{warning} : QStringList());
    QCOMPARE(d.Liv1->topLevelItemCount(), rows);
    QCOMPARE(d.StatusText(), refused ? QString() : QStringLiteral("共 %1 筆資料").arg(rows));
    QCOMPARE(d.StagedFromService(), source == 0 && !refused);
    if (rows == 0) return;
    // What was staged fits: every row is posted.
    d.Command3->click();
    QCOMPARE(d.Statuses(), QStringList(rows, QStringLiteral("成功")));
    QCOMPARE(f.env.ctx.ledger.EntryCount, Ledger::EntryCapacity + 1);
}

void TestDownForm::importsAndServicePage() {
    Fixture f;
    MainForm& w = f.open();
    DownForm d(w, &w);
    const QString csv = f.env.path("in.csv");
    TestFiles::put(csv, cp950("2024/1/5,E-餐飲費,A-現金,120,\"a,b\",&amp;,AB12345678\r\n"
                              "2024/01/06,E-餐飲費,A-現金,5\r\n"));
    f.env.prompts.answerPath(csv);
    d.Command8->click();
    QCOMPARE(ListRows(d.Liv1), (QStringList{"2024/01/05|E-餐飲費|A-現金|120|a,b|&|AB12345678|",
                                            "2024/01/06|E-餐飲費|A-現金|5||||"}));
    QCOMPARE(ticks(d.Liv1), QStringLiteral("xx"));
    QCOMPARE(d.StatusText(), QStringLiteral("共 2 筆資料"));
    QCOMPARE(f.env.prompts.shown.first().text, QStringLiteral("開啟檔案"));
    QCOMPARE(f.env.prompts.shown.first().filter, QStringLiteral("CSV檔案 (*.csv)|*.csv"));

    // A cancelled dialog keeps the rows; a missing file stages nothing.
    f.env.prompts.answerPath("");
    d.Misc_Tavrix->trigger();
    QCOMPARE(d.Liv1->topLevelItemCount(), 2);
    f.env.prompts.answerPath(f.env.path("none.csv"));
    d.Misc_Tavrix->trigger();
    QCOMPARE(d.Liv1->topLevelItemCount(), 0);
    QCOMPARE(d.StatusText(), QStringLiteral("共 0 筆資料"));
    const QString tavrix = f.env.path("t.csv");
    TestFiles::put(tavrix, QByteArray("\xEF\xBB\xBF日期,分類\r\n2024/2/1,E-餐飲費,A-現金,3\r\n"));
    f.env.prompts.answerPath(tavrix);
    d.Misc_Tavrix->trigger();
    QCOMPARE(ListRows(d.Liv1), QStringList{"2024/02/01|E-餐飲費|A-現金|3||||"});
    QVERIFY(!d.StagedFromService());

    d.Command7->click();
    QCOMPARE(f.env.shell.openedUrls, QStringList{"https://" + Host + "/zel/"});
    QVERIFY(f.env.http.requested.isEmpty());
}

void TestDownForm::loginStoredAndReadBack() {
    Fixture f;
    MainForm& w = f.open();
    const QString file = f.env.ctx.session.userFolder() + "Download.dat";
    {
        DownForm d(w, &w);
        QVERIFY(!d.Check1->isChecked());
        d.Text1->setText("王,小明");
        d.Text2->setText("ab中");
        d.Check1->setChecked(true);
        d.Command4->click();
    }
    QCOMPARE(TestFiles::get(file), cp950("王,小明\r\n00610062A4A4\r\n"));
    QCOMPARE(QFile::permissions(file), // 0600
             QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadUser |
                 QFileDevice::WriteUser);
    {
        DownForm d(w, &w);
        QVERIFY(d.Check1->isChecked());
        QCOMPARE(d.Text1->text(), QStringLiteral("王,小明"));
        QCOMPARE(d.Text2->text(), QStringLiteral("ab中"));
        QCOMPARE(d.Text2->echoMode(), QLineEdit::Password);
        d.Text2->clear(); // an empty box unticks the box at close: the file goes
        d.Form_Unload();
        QVERIFY(!d.Check1->isChecked());
    }
    QVERIFY(!QFile::exists(file));
    {
        DownForm d(w, &w);
        QVERIFY(!d.Check1->isChecked());
        QCOMPARE(d.Text1->text(), QString());
        d.Text1->setText("amy");
        d.Text2->setText("pw");
        d.Form_Unload(); // not ticked: nothing stored
    }
    QVERIFY(!QFile::exists(file));
    QVERIFY(f.env.prompts.shown.isEmpty());
}

void TestDownForm::loginFileFailuresWarn() {
    Fixture f;
    MainForm& w = f.open();
    // A folder in the file's place: it can be neither read, written nor removed as a file.
    const QString file = f.env.ctx.session.userFolder() + "Download.dat";
    QVERIFY(QDir().mkpath(file));
    {
        DownForm d(w, &w);
        QVERIFY(d.Check1->isChecked());
        QCOMPARE(d.Text1->text(), QString());
        d.Text1->setText("amy");
        d.Text2->setText("pw");
        d.Form_Unload();
    }
    {
        DownForm d(w, &w);
        d.Check1->setChecked(false);
        d.Form_Unload();
    }
    QCOMPARE(f.env.prompts.texts("warning"),
             (QStringList{"帳號密碼儲存失敗", "帳號密碼檔案無法刪除"}));
}

void TestDownForm::settingsAndCheck2Warning() {
    Fixture f;
    MainForm& w = f.open();
    QVERIFY(f.env.settings.SaveSetting("DownForm", "Check2State", "1"));
    QVERIFY(f.env.settings.SaveSetting("DownForm", "LW2", "10")); // too narrow: the design width
    QVERIFY(f.env.settings.SaveSetting("DownForm", "LW3", "150"));
    QVERIFY(f.env.settings.SaveSetting("DownForm", "Width", "12000"));
    QVERIFY(f.env.settings.SaveSetting("DownForm", "Height", "6000"));
    {
        DownForm d(w, &w);
        QVERIFY(d.Check2->isChecked());
        QVERIFY(f.env.prompts.shown.isEmpty()); // restoring it warns of nothing
        QCOMPARE(d.Liv1->columnWidth(1), 105);
        QCOMPARE(d.Liv1->columnWidth(2), 150);
        QCOMPARE(d.size(), QSize(800, 400));
        // The bottom buttons follow the size; 結束 keeps to the right edge.
        QCOMPARE(d.Command4->geometry().right(), d.width() - 8 - 1);
        QCOMPARE(d.Command3->geometry().right(), d.Command7->x() - 8 - 1);
        QCOMPARE(d.Command2->y(), d.Liv1->geometry().bottom() + 1 + 8);
        d.Check2->setChecked(false);
        d.Check2->setChecked(true);
        QCOMPARE(f.env.prompts.texts("warning"),
                 QStringList{"線上資料刪除後將無法恢復，請慎用此功能。"});
        d.Check2->setChecked(false);
        d.Liv1->setColumnWidth(4, 222);
        d.Command4->click();
    }
    QCOMPARE(f.env.settings.GetSetting("DownForm", "Check2State"), QStringLiteral("0"));
    QCOMPARE(f.env.settings.GetSetting("DownForm", "LW5"), QStringLiteral("222"));
    QCOMPARE(f.env.settings.GetSetting("DownForm", "Width"), QStringLiteral("12000"));
}

void TestDownForm::screenshot() {
    Fixture f;
    MainForm& w = f.open();
    DownForm d(w, &w);
    d.Text1->setText("amy");
    d.Text2->setText("secret");
    d.StageRows({row("2024/01/05", "E-餐飲費", "A-現金", "120", "AB12345678"),
                 row("2024/01/06", "I-薪資", "E-餐飲費", "100"),
                 row("2024/01/07", "E-交通費", "A-現金", "35")});
    d.Command3->click();
    d.show();
    QVERIFY(d.grab().save(QDir::tempPath() + "/downform.png"));
}

QTEST_MAIN(TestDownForm)
#include "tst_downform.moc"
