#include <QtTest>

#include "platform/fileio.h"
#include "store/treestate.h"
#include "support/storeenv.h"
#include "support/testfiles.h"

// The expanded-state file of the account tree.
using TestFiles::get;

class TestTreeState : public QObject {
    Q_OBJECT

private slots:
    void readsOneValuePerLine() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        QVERIFY(ReadExpandedState(env.ctx.session).isEmpty());
        QVERIFY(FileIO::writeFileSafely(f + "Expanded.qvd", "True\r\nFalse\r\n??\r\nTrue\r\n"));
        const auto values = ReadExpandedState(env.ctx.session);
        QCOMPARE(values.size(), 4);
        QCOMPARE(values[0], std::optional<bool>(true));
        QCOMPARE(values[1], std::optional<bool>(false));
        QVERIFY(!values[2].has_value()); // that node stays as built
        QCOMPARE(values[3], std::optional<bool>(true));
    }

    void writesWhenMissingOrChanged() {
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        env.ctx.ledger.TreeStateChanged = false;
        QVERIFY(WriteExpandedState(env.ctx, {true, false}));
        QCOMPARE(get(f + "Expanded.qvd"),
                 QByteArray("True\r\nFalse\r\n")); // missing: written anyway

        QVERIFY(WriteExpandedState(env.ctx, {false, false, false}));
        QCOMPARE(get(f + "Expanded.qvd"), QByteArray("True\r\nFalse\r\n")); // present and unchanged

        env.ctx.ledger.TreeStateChanged = true;
        QVERIFY(WriteExpandedState(env.ctx, {false, true, false}));
        QCOMPARE(get(f + "Expanded.qvd"), QByteArray("False\r\nTrue\r\nFalse\r\n"));
        QVERIFY(env.ctx.ledger.TreeStateChanged);
    }
};

QTEST_MAIN(TestTreeState)
#include "tst_treestate.moc"
