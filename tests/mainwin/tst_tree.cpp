// The account tree: node order (which the tree state file relies on), keys and texts,
// the selection after a build, and the tree state file.
#include <QFile>
#include <QTest>

#include "mainform_fixture.h"
#include "store/ledgerfiles.h"

namespace {
QStringList keysInOrder(const MainForm& w) {
    QStringList keys;
    for (int p = 1; p <= w.NodeCount(); ++p)
        keys << MainForm::NodeKey(w.Node(p));
    return keys;
}

QString parentKey(const MainForm& w, const QString& key) {
    QTreeWidgetItem* n = w.NodeByKey(key);
    return n && n->parent() ? MainForm::NodeKey(n->parent()) : QString();
}
} // namespace

class TreeTest : public QObject {
    Q_OBJECT
private slots:
    void nodeOrderFollowsTheAccountTable() {
        MainFormFixture f;
        f.b.account("E-交通費.公車")
            .account("E-交通費.火車.自強號")
            .account("E-交通費")
            .account("A-銀行.台銀")
            .account("A-x..y")
            .account("Equity")
            .account("Eqx")
            .account("Abc")
            .account("A-現金");
        MainForm& w = f.open();
        QCOMPARE(keysInOrder(w),
                 (QStringList{"資產", "負債", "收入", "支出", "其他", "E-交通費", "E-交通費.公車",
                              "E-交通費.火車", "E-交通費.火車.自強號", "A-銀行", "A-銀行.台銀",
                              "A-x", "A-x.", "A-x..y", "Equity", "A-現金"}));
        QCOMPARE(parentKey(w, "E-交通費"), QString("支出"));
        QCOMPARE(parentKey(w, "E-交通費.火車.自強號"), QString("E-交通費.火車"));
        QCOMPARE(parentKey(w, "A-x..y"), QString("A-x."));
        QCOMPARE(parentKey(w, "Equity"), QString("其他"));
        // The first account has a node and is selected and listed.
        QCOMPARE(w.SelectedNodeKey(), QString("E-交通費.公車"));
        QCOMPARE(w.ListedAccount, QString("E-交通費.公車"));
        // The four kind roots are expanded, everything else collapsed.
        QVERIFY(w.Node(1)->isExpanded() && w.Node(4)->isExpanded());
        QVERIFY(!w.Node(5)->isExpanded());
        QVERIFY(!w.NodeByKey("E-交通費")->isExpanded());
    }

    void firstAccountWithoutNodeSelectsNothing() {
        MainFormFixture f;
        f.b.account("Abc").account("A-現金");
        MainForm& w = f.open();
        QVERIFY(w.SelectedNode() == nullptr);
        QVERIFY(w.ListedAccount.isEmpty());
        QCOMPARE(w.EntryRowCount(), 0);
    }

    void rebuildSelectsTheFirstAccountAndDropsOldNodes() {
        MainFormFixture f;
        f.b.account("A-現金").account("E-餐飲費").account("E-餐飲費.早餐");
        MainForm& w = f.open();
        f.list("E-餐飲費");
        w.NodeByKey("E-餐飲費")->setExpanded(true);
        f.env.ctx.ledger.clearAccounts();
        f.b.account("L-信用卡").account("A-現金");
        w.BuildAccountTree();
        QCOMPARE(keysInOrder(w),
                 (QStringList{"資產", "負債", "收入", "支出", "其他", "L-信用卡", "A-現金"}));
        QCOMPARE(w.SelectedNodeKey(), QString("L-信用卡"));
        QCOMPARE(w.ListedAccount, QString("L-信用卡"));
    }

    void treeStateFileRoundTrip() {
        MainFormFixture f;
        f.b.account("A-現金").account("E-交通費").account("E-交通費.公車");
        MainForm& w = f.open();
        const QString file = LedgerFiles::path(f.env.ctx.session, LedgerFiles::Expanded);
        // Without a file, leaving the ledger writes one line per node.
        w.LoadExpandedState();
        QVERIFY(!f.env.ctx.ledger.TreeStateChanged);
        w.SaveExpandedState();
        QFile in(file);
        QVERIFY(in.open(QIODevice::ReadOnly));
        QCOMPARE(
            in.readAll(),
            QByteArray("True\r\nTrue\r\nTrue\r\nTrue\r\nFalse\r\nFalse\r\nFalse\r\nFalse\r\n"));
        in.close();

        // Lines apply by position; an unreadable line leaves its node as built.
        QVERIFY(QFile::remove(file));
        QFile out(file);
        QVERIFY(out.open(QIODevice::WriteOnly));
        const QByteArray stored("False\r\nx\r\nTrue\r\nTrue\r\nTrue\r\nFalse\r\nTrue\r\n");
        out.write(stored);
        out.close();
        w.BuildAccountTree();
        w.LoadExpandedState();
        QVERIFY(!w.Node(1)->isExpanded());
        QVERIFY(w.Node(2)->isExpanded());
        QVERIFY(w.Node(5)->isExpanded());
        QVERIFY(w.NodeByKey("E-交通費")->isExpanded());
        QVERIFY(!f.env.ctx.ledger.TreeStateChanged);

        // Unchanged since the opening: the file is left alone; a collapse marks a change.
        auto fileBytes = [&] {
            QFile f(file);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        w.SaveExpandedState();
        QCOMPARE(fileBytes(), stored);
        w.Node(5)->setExpanded(false);
        QVERIFY(f.env.ctx.ledger.TreeStateChanged);
        w.SaveExpandedState();
        QCOMPARE(
            fileBytes(),
            QByteArray("False\r\nTrue\r\nTrue\r\nTrue\r\nFalse\r\nFalse\r\nTrue\r\nFalse\r\n"));
    }
};

QTEST_MAIN(TreeTest)
#include "tst_tree.moc"
