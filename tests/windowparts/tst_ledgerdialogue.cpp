#include <QtTest>

#include "platform/codec.h"
#include "store/recordfile.h"
#include "support/ledgerbuilder.h"
#include "support/storeenv.h"
#include "support/testfiles.h"
#include "windowparts/ledgerdialogue.h"

// What the windows tell the user about the ledger's files: the warnings of an opening and
// the retry sequence of a save, with their texts, answers and help page.
using TestFiles::put;

class TestLedgerDialogue : public QObject {
    Q_OBJECT

private slots:
    // Each file that could not be read gets its warning, in the order the opening met them.
    void openingWarnings_data() {
        QTest::addColumn<QStringList>("files");
        QTest::addColumn<QList<QByteArray>>("bytes");
        QTest::addColumn<bool>("opened");
        QTest::addColumn<QStringList>("warnings");

        QByteArray lines1001;
        for (int i = 0; i < 1001; ++i)
            lines1001 += "x\r\n";
        QByteArray records201;
        RecurringRecord r;
        r.When.set("01");
        r.Amount = TaggedNumber::fromDouble(100);
        for (int i = 0; i < 201; ++i)
            RecordFile::append(records201, r);
        const QByteArray shortFavorites("\"a\",\"b\",\"1\"\r\n");

        QTest::newRow("whole ledger")
            << QStringList() << QList<QByteArray>() << true << QStringList();
        QTest::newRow("one side file")
            << QStringList({"Fixure.qvd"}) << QList<QByteArray>({records201}) << true
            << QStringList({QStringLiteral("Fixure.qvd 檔案讀取失敗!")});
        QTest::newRow("three side files")
            << QStringList({"Fixure.qvd", "Favorites.qvd", "Note.qvd"})
            << QList<QByteArray>({records201, shortFavorites, lines1001}) << true
            << QStringList({QStringLiteral("Note.qvd 檔案讀取失敗!"),
                            QStringLiteral("Favorites.qvd 檔案讀取失敗!"),
                            QStringLiteral("Fixure.qvd 檔案讀取失敗!")});
        QTest::newRow("main file stops the opening")
            << QStringList({"Accounts.qvd", "Note.qvd"})
            << QList<QByteArray>({QByteArray(1, 'A'), lines1001}) << false
            << QStringList({QStringLiteral("Accounts.qvd 檔案讀取失敗!")});
    }
    void openingWarnings() {
        QFETCH(QStringList, files);
        QFETCH(QList<QByteArray>, bytes);
        QFETCH(bool, opened);
        QFETCH(QStringList, warnings);
        StoreEnv env;
        const QString f = env.makeLedger("amy", "home");
        for (int i = 0; i < files.size(); ++i)
            put(f + files.at(i), bytes.at(i));
        QCOMPARE(OpenLedgerFiles(env.ctx), opened);
        QStringList shown;
        for (const ShownBox& b : env.prompts.shown)
            shown << b.text;
        QCOMPARE(env.prompts.texts("warning"), warnings);
        QCOMPARE(shown, warnings); // warnings only
    }

    void saveSequence_data() {
        QTest::addColumn<QString>("user");
        QTest::addColumn<int>("failingAttempts");
        QTest::addColumn<int>("answer"); // retry question: 1 Yes, 0 No, -1 not asked
        QTest::addColumn<bool>("result");
        QTest::addColumn<int>("attempts");
        QTest::addColumn<QStringList>("boxes");
        QTest::addColumn<bool>("helpOpened");
        const QString retry = QStringLiteral("question:儲存失敗，請按「是(Y)」再試一次");
        QTest::newRow("success") << "amy" << 0 << -1 << true << 1 << QStringList() << false;
        QTest::newRow("retry succeeds")
            << "amy" << 1 << 1 << true << 2
            << QStringList({retry, QStringLiteral("information:儲存完成！")}) << false;
        QTest::newRow("retry declined")
            << "amy" << 1 << 0 << false << 1 << QStringList({retry}) << false;
        QTest::newRow("retry fails")
            << "amy" << 2 << 1 << false << 2
            << QStringList({retry, QStringLiteral(
                                       "warning:儲存依舊失敗，檔案可能處於無法寫入的狀態，按「是(Y)"
                                       "」後觀看網頁說明")})
            << true;
        QTest::newRow("demo profile")
            << "Test" << 1 << -1 << false << 1
            << QStringList({QStringLiteral("warning:儲存失敗，Test "
                                           "帳號因為檔案權限關係可能無法儲存資料，欲開始使用請至登"
                                           "入畫面建立一個新帳號即可。")})
            << false;
    }
    void saveSequence() {
        QFETCH(QString, user);
        QFETCH(int, failingAttempts);
        QFETCH(int, answer);
        QFETCH(bool, result);
        QFETCH(int, attempts);
        QFETCH(QStringList, boxes);
        QFETCH(bool, helpOpened);

        StoreEnv env;
        env.makeLedger(user, "home");
        if (answer >= 0) env.prompts.answer(answer ? Prompts::Answer::Yes : Prompts::Answer::No);
        env.ctx.ledger.markChanged();

        // The third saver fails in the first failingAttempts attempts; every saver runs in
        // every attempt.
        int attempt = 0;
        QList<int> calls(6, 0);
        QList<LedgerSaver> savers;
        for (int i = 0; i < 6; ++i) {
            savers << [&, i](AppContext&, FileGroup&) {
                if (i == 0) ++attempt;
                ++calls[i];
                return !(i == 2 && attempt <= failingAttempts);
            };
        }
        QCOMPARE(SaveLedger(env.ctx, savers), result);
        QCOMPARE(attempt, attempts);
        QCOMPARE(calls, QList<int>(6, attempts));
        QStringList shown;
        for (const ShownBox& b : env.prompts.shown)
            shown << b.kind + ":" + b.text;
        QCOMPARE(shown, boxes);
        QCOMPARE(env.shell.openedUrls.size(), helpOpened ? 1 : 0);
        QCOMPARE(env.prompts.pendingAnswers(), 0);
        // The save touches no flag: the caller does.
        QVERIFY(env.ctx.ledger.LedgerChangedFlag.isSet());
    }
};

QTEST_MAIN(TestLedgerDialogue)
#include "tst_ledgerdialogue.moc"
