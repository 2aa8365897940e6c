// Context commands of the entry list and the tree.
#include <QtTest>

#include "commandsfixture.h"

class TestContext : public QObject {
    Q_OBJECT
private slots:
    void jumpToTheOtherAccount();
    void jumpStaysWhenThereIsNoOtherNode_data();
    void jumpStaysWhenThereIsNoOtherNode();
    void searchWithTheRowText();
    void searchWithEmptyDetailWarns();
    void refreshDropsTheFilterAndKeepsTheSelection();
    void expandAndCollapseAllLeaveTheRoots();
};

void TestContext::jumpToTheOtherAccount() {
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 100, "一");
    f.b.entry("2024/01/03", "E-交通費", "A-現金", 200, "二");
    f.b.entry("2024/01/04", "E-交通費", "A-銀行", 300, "三");
    MainForm& w = f.open("A-現金");
    w.Combo2->setEditText("x"); // the jump clears the filter
    f.selectRows({1});

    w.MenuTools_Jump->trigger();

    QCOMPARE(w.SelectedNodeKey(), QStringLiteral("E-交通費"));
    QCOMPARE(w.ListedAccount, QStringLiteral("E-交通費"));
    QCOMPARE(w.Combo2->currentText(), QString());
    QCOMPARE(f.listedEntries(), QList<int>({2, 3}));
    QCOMPARE(f.selectedEntries(), QList<int>({2}));
    QCOMPARE(f.currentRow(), f.row(0));
}

void TestContext::jumpStaysWhenThereIsNoOtherNode_data() {
    QTest::addColumn<QString>("account1");
    QTest::newRow("both sides the listed account") << "A-現金";
    QTest::newRow("other account has no node") << "E-已刪除";
}

void TestContext::jumpStaysWhenThereIsNoOtherNode() {
    QFETCH(QString, account1);
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 100, "一");
    f.b.entry("2024/01/03", account1, "A-現金", 200, "二");
    MainForm& w = f.open("A-現金");
    const QList<int> listed = f.listedEntries();
    f.selectRows({int(listed.indexOf(2))});

    w.MenuTools_Jump->trigger();

    QCOMPARE(w.SelectedNodeKey(), QStringLiteral("A-現金"));
    QCOMPARE(f.listedEntries(), listed);
    for (int row : w.SelectedRows())
        QCOMPARE(w.RowEntryIndex(row), 2);
    QVERIFY(!w.SelectedRows().isEmpty());
    QVERIFY(f.env.prompts.shown.isEmpty());
}

void TestContext::searchWithTheRowText() {
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 100, "午餐").note("公司");
    f.b.entry("2024/01/03", "E-餐飲費", "A-現金", 200, "晚餐").note("家裡");
    f.b.entry("2024/01/04", "E-餐飲費", "A-現金", 300, "午餐").note("家裡");
    MainForm& w = f.open("E-餐飲費");

    f.selectRows({0});
    w.MenuTools_Search1->trigger();
    QCOMPARE(w.Combo2->currentText(), QStringLiteral("午餐"));
    QCOMPARE(f.listedEntries(), QList<int>({1, 3}));
    QCOMPARE(f.selectedEntries(), QList<int>({3})); // the last row

    f.selectRows({1});              // entry 3
    w.MenuTools_Search2->trigger(); // 備註 takes the row's note
    QCOMPARE(w.Combo2->currentText(), QStringLiteral("家裡"));
    QCOMPARE(f.listedEntries(), QList<int>({2, 3}));
}

void TestContext::searchWithEmptyDetailWarns() {
    CommandsFixture f;
    f.meals({""});
    MainForm& w = f.open("A-現金");
    w.Combo2->setEditText("舊");
    f.selectRows({0});
    w.MenuTools_Search1->trigger();
    QCOMPARE(w.Combo2->currentText(), QString());
    QCOMPARE(f.env.prompts.texts("warning"), QStringList({"請先輸入要搜尋的字串"}));
}

void TestContext::refreshDropsTheFilterAndKeepsTheSelection() {
    CommandsFixture f;
    f.meals({"午餐", "晚餐", "午餐"});
    MainForm& w = f.open("E-餐飲費");
    f.selectRows({0});
    w.MenuTools_Search1->trigger();
    QCOMPARE(f.listedEntries(), QList<int>({1, 3}));
    f.selectRows({0});

    w.MenuTools_Refresh->trigger();

    QCOMPARE(w.Combo2->currentText(), QString());
    QCOMPARE(f.listedEntries(), QList<int>({1, 2, 3}));
    QCOMPARE(f.selectedEntries(), QList<int>({1}));
    QVERIFY(!w.LedgerChanged());
}

void TestContext::expandAndCollapseAllLeaveTheRoots() {
    CommandsFixture f;
    f.b.account("A-現金")
        .account("A-現金.錢包")
        .account("A-現金.錢包.零錢")
        .account("E-餐飲費")
        .account("E-餐飲費.午餐");
    MainForm& w = f.open(QString());
    QTreeWidgetItem* assets = w.NodeByKey("資產");
    QTreeWidgetItem* expenses = w.NodeByKey("支出");
    assets->setExpanded(true);
    expenses->setExpanded(false);
    f.env.ctx.ledger.TreeStateChanged = false;

    w.MenuTools2_Open->trigger();

    QVERIFY(assets->isExpanded());
    QVERIFY(!expenses->isExpanded());
    for (int p = 6; p <= w.NodeCount(); ++p)
        QVERIFY(w.Node(p)->childCount() == 0 || w.Node(p)->isExpanded());
    QVERIFY(f.env.ctx.ledger.TreeStateChanged);

    w.MenuTools2_Close->trigger();
    QVERIFY(assets->isExpanded());
    QVERIFY(w.NodeByKey("A-現金")->isHidden() == false);
    for (int p = 6; p <= w.NodeCount(); ++p)
        QVERIFY(!w.Node(p)->isExpanded());
}

QTEST_MAIN(TestContext)
#include "tst_context.moc"
