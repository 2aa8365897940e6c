// Deleting entries by a date condition: which entries go, that the kept ones stay whole,
// and the window as the main window opens it.
#include <QAction>
#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include "mainwin/commandsfixture.h"
#include "rules/users/deletebycondition.h"
#include "users/delform.h"

namespace {

QStringList entryDates(const Ledger& l) {
    QStringList dates;
    for (int i = 1; i < l.EntryCount; ++i)
        dates << l.Entries[size_t(i)].Date.text();
    return dates;
}

// Every part of entry i, note row included, as one comparable text.
QString describe(const Ledger& l, int i) {
    const EntryCore& c = l.Entries[size_t(i)];
    const EntryNote& n = l.EntryNotes[size_t(i)];
    const EntryInvoice& v = l.EntryInvoices[size_t(i)];
    const EntryStyle& s = l.EntryStyles[size_t(i)];
    return QStringList{c.Date.text(),
                       c.Account1.trimmed(),
                       c.Account2.trimmed(),
                       QString::number(c.Amount.value()),
                       c.Detail.trimmed(),
                       QString::number(n.RemindOn),
                       QString::number(n.RemindDays),
                       n.Note.trimmed(),
                       v.InvoiceDigits.trimmed(),
                       QString::number(v.Checked),
                       s.InvoiceLetters.trimmed(),
                       QString::number(s.ColourIndex),
                       l.noteRow(i)}
        .join(u'|');
}

const QStringList MarchDays = {"2024/02/29", "2024/03/01", "2024/03/02",
                               "2024/03/15", "2024/03/31", "2024/04/01"};

} // namespace

class TestDeleteByCondition : public QObject {
    Q_OBJECT
private slots:
    void conditions_data();
    void conditions();
    void keptEntriesStayWhole();
    void optionsSetTheSecondDate_data();
    void optionsSetTheSecondDate();
    void menuOpensTheWindowOnToday();
    void deleteRefreshesTheMainWindow();
    void answeringNoChangesNothing();
    void nothingMatchingLeavesTheFlagOff();
};

void TestDeleteByCondition::conditions_data() {
    QTest::addColumn<int>("condition");
    QTest::addColumn<QDate>("d1");
    QTest::addColumn<QDate>("d2");
    QTest::addColumn<QStringList>("kept");

    const QDate mar1(2024, 3, 1), mar31(2024, 3, 31);
    QTest::newRow("on the day") << int(DateCondition::OnDay) << mar1 << mar31
                                << QStringList{"2024/02/29", "2024/03/02", "2024/03/15",
                                               "2024/03/31", "2024/04/01"};
    QTest::newRow("on a day without entries")
        << int(DateCondition::OnDay) << QDate(2024, 3, 3) << mar1 << MarchDays;
    QTest::newRow("after keeps the day itself")
        << int(DateCondition::After) << mar1 << mar1 << QStringList{"2024/02/29", "2024/03/01"};
    QTest::newRow("inside") << int(DateCondition::Inside) << mar1 << mar31
                            << QStringList{"2024/02/29", "2024/04/01"};
    QTest::newRow("inside, dates reversed")
        << int(DateCondition::Inside) << mar31 << mar1 << QStringList{"2024/02/29", "2024/04/01"};
    QTest::newRow("outside one day") << int(DateCondition::Outside) << QDate(2024, 3, 15)
                                     << QDate(2024, 3, 15) << QStringList{"2024/03/15"};
    QTest::newRow("outside, dates reversed")
        << int(DateCondition::Outside) << mar31 << mar1
        << QStringList{"2024/03/01", "2024/03/02", "2024/03/15", "2024/03/31"};
}

void TestDeleteByCondition::conditions() {
    QFETCH(int, condition);
    QFETCH(QDate, d1);
    QFETCH(QDate, d2);
    QFETCH(QStringList, kept);
    Ledger ledger;
    LedgerBuilder b(ledger);
    b.account("A-現金").account("E-餐飲費");
    for (const QString& day : MarchDays)
        b.entry(day, "E-餐飲費", "A-現金", 100);

    const int removed = DeleteEntriesByDate(ledger, DateCondition(condition), d1, d2);

    QCOMPARE(entryDates(ledger), kept);
    QCOMPARE(removed, MarchDays.size() - kept.size());
    QCOMPARE(ledger.EntryCount, kept.size() + 1);
    // A second run with the same condition finds nothing more.
    QCOMPARE(DeleteEntriesByDate(ledger, DateCondition(condition), d1, d2), 0);
    QCOMPARE(entryDates(ledger), kept);
}

void TestDeleteByCondition::keptEntriesStayWhole() {
    Ledger ledger;
    LedgerBuilder b(ledger);
    b.account("A-現金").account("E-餐飲費").account("E-交通費");
    const QString longNote = QString(80, QChar(u'長'));
    b.entry("2024/03/01", "E-餐飲費", "A-現金", 100, "甲").note(longNote).colour(2);
    b.entry("2024/03/02", "E-交通費", "A-現金", 200, "乙")
        .note("短")
        .invoice("AB", "12345678")
        .checked();
    b.entry("2024/03/01", "E-餐飲費", "A-現金", 300, "丙").remind(4);
    b.entry("2024/03/05", "E-交通費", "A-現金", 400, "丁").note(longNote + "x").colour(9).remind(1);
    const QString second = describe(ledger, 2);
    const QString fourth = describe(ledger, 4);

    QCOMPARE(
        DeleteEntriesByDate(ledger, DateCondition::OnDay, QDate(2024, 3, 1), QDate(2024, 3, 1)), 2);

    QCOMPARE(ledger.EntryCount, 3);
    QCOMPARE(describe(ledger, 1), second);
    QCOMPARE(describe(ledger, 2), fourth);
    QCOMPARE(ledger.noteRow(2), longNote + "x");
}

void TestDeleteByCondition::optionsSetTheSecondDate_data() {
    QTest::addColumn<int>("option");
    QTest::addColumn<QString>("between");
    QTest::addColumn<bool>("secondShown");
    QTest::newRow("指定日期") << 1 << QString() << false;
    QTest::newRow("之後") << 2 << QStringLiteral("之後") << false;
    QTest::newRow("範圍內") << 3 << QStringLiteral("至") << true;
    QTest::newRow("範圍外") << 4 << QStringLiteral("至") << true;
}

void TestDeleteByCondition::optionsSetTheSecondDate() {
    QFETCH(int, option);
    QFETCH(QString, between);
    QFETCH(bool, secondShown);
    CommandsFixture f;
    f.accounts();
    MainForm& w = f.open(QString());
    DelForm form(f.env.ctx, w);
    form.show();
    QRadioButton* options[] = {form.Option1, form.Option2, form.Option3, form.Option4};
    // From another option, so that each case sees its own click change the labels.
    options[option == 3 ? 1 : 2]->click();
    options[option - 1]->click();
    QCOMPARE(form.Label1->text(), between);
    QCOMPARE(form.DTPicker2->isVisible(), secondShown);
    QCOMPARE(form.Label3->isVisible(), secondShown);
}

void TestDeleteByCondition::menuOpensTheWindowOnToday() {
    CommandsFixture f;
    f.accounts();
    f.env.clock.setToday(QDate(2024, 5, 6));
    MainForm& w = f.open(QString());
    QVERIFY(w.Data_Clear->isEnabled());
    QVERIFY(w.Toolbar1Button6Item2->isEnabled());
    int opened = 0;
    f.env.modal.on<DelForm>([&](DelForm& d) {
        ++opened;
        if (opened == 1) {
            // As loaded: caption, 指定日期 chosen, the second date hidden, no Close command.
            if (d.windowTitle() != QStringLiteral("以條件刪除紀錄") || !d.Option1->isChecked() ||
                d.DTPicker2->isVisible() || d.Label1->text() != QString() || !d.Cmd1->isDefault())
                return -1;
            if (d.close() || !d.isVisible()) return -2;
        }
        if (d.DTPicker1->date() != QDate(2024, 5, 6) || d.DTPicker2->date() != QDate(2024, 5, 6))
            return -3;
        d.Cmd0->click();
        return d.result();
    });

    w.Data_Clear->trigger();
    w.Toolbar1_ButtonMenuClick(w.Toolbar1Button6Item2->text());

    QCOMPARE(f.env.modal.shown, QStringList({"DelForm", "DelForm"}));
    QCOMPARE(opened, 2);
    QVERIFY(f.env.prompts.shown.isEmpty());
    QVERIFY(!w.LedgerChanged());
}

void TestDeleteByCondition::deleteRefreshesTheMainWindow() {
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/02/28", "E-餐飲費", "A-現金", 1000);
    f.b.entry("2024/03/01", "E-餐飲費", "A-現金", 2000);
    f.b.entry("2024/03/20", "E-交通費", "A-現金", 400);
    f.b.entry("2024/04/02", "E-餐飲費", "A-現金", 8000);
    MainForm& w = f.open("A-現金");
    QCOMPARE(f.rowCount(), 4);

    f.env.prompts.answer(Prompts::Answer::Yes);
    f.env.prompts.answer(Prompts::Answer::Yes);
    bool openAfterDelete = false;
    QStringList afterFirst;
    f.env.modal.on<DelForm>([&](DelForm& d) {
        d.Option3->click();
        d.DTPicker1->setDate(QDate(2024, 3, 31));
        d.DTPicker2->setDate(QDate(2024, 3, 1));
        d.Cmd1->click();
        openAfterDelete = d.isVisible();
        afterFirst = entryDates(f.env.ctx.ledger);
        d.Cmd1->click(); // the same condition again: nothing more to delete
        d.Cmd0->click();
        return d.result();
    });
    w.Data_Clear->trigger();

    QVERIFY(openAfterDelete);
    QCOMPARE(afterFirst, QStringList({"2024/02/28", "2024/04/02"}));
    QCOMPARE(entryDates(f.env.ctx.ledger), afterFirst);
    QCOMPARE(f.env.prompts.texts(),
             QStringList({"確定刪除資料嗎？", "資料刪除完成", "確定刪除資料嗎？", "資料刪除完成"}));
    QCOMPARE(f.env.prompts.texts("information"), QStringList({"資料刪除完成", "資料刪除完成"}));
    QCOMPARE(f.env.prompts.pendingAnswers(), 0);
    // The listed account shows what is left, its last row selected, and the totals follow.
    QCOMPARE(f.listedEntries(), QList<int>({1, 2}));
    QCOMPARE(f.selectedRows(), QList<EntryListRowRef>({f.row(1)}));
    QCOMPARE(f.nodeText("A-現金"), QStringLiteral("現金: -90.00"));
    QCOMPARE(f.nodeText("E-交通費"), QStringLiteral("交通費: 0.00"));
    QVERIFY(w.LedgerChanged());
    QVERIFY(w.ToolbarButton(3)->isEnabled());
}

void TestDeleteByCondition::answeringNoChangesNothing() {
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/03/01", "E-餐飲費", "A-現金", 2000);
    MainForm& w = f.open("A-現金");
    f.env.prompts.answer(Prompts::Answer::No);
    f.env.modal.on<DelForm>([&](DelForm& d) {
        d.DTPicker1->setDate(QDate(2024, 3, 1));
        d.Cmd1->click();
        d.Cmd0->click();
        return d.result();
    });
    w.Data_Clear->trigger();

    QCOMPARE(f.env.prompts.texts(), QStringList({"確定刪除資料嗎？"}));
    QCOMPARE(entryDates(f.env.ctx.ledger), QStringList({"2024/03/01"}));
    QVERIFY(!w.LedgerChanged());
}

void TestDeleteByCondition::nothingMatchingLeavesTheFlagOff() {
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/03/01", "E-餐飲費", "A-現金", 2000);
    f.b.entry("2024/03/02", "E-餐飲費", "A-現金", 3000);
    MainForm& w = f.open("A-現金");
    f.env.prompts.answer(Prompts::Answer::Yes);
    f.env.modal.on<DelForm>([&](DelForm& d) {
        d.DTPicker1->setDate(QDate(2024, 3, 3));
        d.Cmd1->click();
        d.Cmd0->click();
        return d.result();
    });
    w.Data_Clear->trigger();

    // Still reported and relisted, but with nothing removed there is nothing to save.
    QCOMPARE(f.env.prompts.texts(), QStringList({"確定刪除資料嗎？", "資料刪除完成"}));
    QCOMPARE(entryDates(f.env.ctx.ledger), QStringList({"2024/03/01", "2024/03/02"}));
    QCOMPARE(f.selectedRows(), QList<EntryListRowRef>({f.row(1)}));
    QVERIFY(!w.LedgerChanged());
}

QTEST_MAIN(TestDeleteByCondition)
#include "tst_deletebycondition.moc"
