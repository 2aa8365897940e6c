// The save step and the close: the save question's answers, failed saves, what is
// written at the close, and a close with nobody logged in.
#include <QAction>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QKeyEvent>
#include <QTest>
#include <QTreeWidget>

#include "mainform_fixture.h"
#include "store/ledgerfiles.h"

Q_DECLARE_METATYPE(QList<Prompts::Answer>)

namespace {
int backupsUnder(const QString& folder) {
    int n = 0;
    QDirIterator it(folder, {"*.qvk"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        it.next();
        ++n;
    }
    return n;
}

// Sends the list's own keys to it from its destructor, that is while the window that owns
// both is being destroyed.
class KeysOnDestruction : public QWidget {
public:
    KeysOnDestruction(QWidget* parent, QWidget* list) : QWidget(parent), m_list(list) {}
    ~KeysOnDestruction() override {
        for (int key : {Qt::Key_Delete, Qt::Key_Return}) {
            QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
            QCoreApplication::sendEvent(m_list, &press);
        }
    }

private:
    QWidget* m_list;
};
} // namespace

class ShutdownTest : public QObject {
    Q_OBJECT
private slots:
    void closeWithChanges_data() {
        QTest::addColumn<QString>("saveState");
        QTest::addColumn<bool>("failingSave");
        QTest::addColumn<QList<Prompts::Answer>>("answers");
        QTest::addColumn<QStringList>("questions");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<bool>("saved");
        using A = Prompts::Answer;
        const QString ask =
            QStringLiteral("Home 帳本中的記錄已經改變。\r\n\r\n是否要儲存這些變更？");
        const QString leave = QStringLiteral("是否要不儲存離開？");
        QTest::newRow("yes saves")
            << QStringLiteral("0") << false << QList<A>{A::Yes} << QStringList{ask} << true << true;
        QTest::newRow("no leaves unsaved")
            << QStringLiteral("0") << false << QList<A>{A::No} << QStringList{ask} << true << false;
        QTest::newRow("cancel stays") << QStringLiteral("0") << false << QList<A>{A::Cancel}
                                      << QStringList{ask} << false << false;
        QTest::newRow("save without asking")
            << QStringLiteral("1") << false << QList<A>{} << QStringList{} << true << true;
        QTest::newRow("failed save, leave")
            << QStringLiteral("0") << true << QList<A>{A::Yes, A::Yes} << QStringList{ask, leave}
            << true << false;
        QTest::newRow("failed save, stay") << QStringLiteral("0") << true << QList<A>{A::Yes, A::No}
                                           << QStringList{ask, leave} << false << false;
        QTest::newRow("failed save without asking")
            << QStringLiteral("1") << true << QList<A>{A::Yes} << QStringList{leave} << true
            << false;
    }
    void closeWithChanges() {
        QFETCH(QString, saveState);
        QFETCH(bool, failingSave);
        QFETCH(QList<Prompts::Answer>, answers);
        QFETCH(QStringList, questions);
        QFETCH(bool, closed);
        QFETCH(bool, saved);
        MainFormFixture f;
        // The demo profile gives up after one failed attempt without a retry question.
        f.env.makeLedger("Test", "Home");
        f.b.account("A-現金").account("E-餐飲費");
        f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 100);
        f.env.ctx.session.Setting.SaveState = saveState;
        QDir().mkpath(f.env.ctx.session.AppFolder + "Backup");
        MainForm& w = f.open();
        w.SetLedgerChanged(true);
        const QString folder = f.env.ctx.session.ledgerFolder();
        if (failingSave) {
            // A file where the ledger folder should be: nothing can be written into it.
            QVERIFY(QDir(folder).removeRecursively());
            QFile blocker(folder.chopped(1));
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        }
        for (Prompts::Answer a : answers)
            f.env.prompts.answer(a);
        QCOMPARE(w.close(), closed);
        QCOMPARE(f.env.prompts.texts("question"), questions);
        QCOMPARE(f.env.prompts.pendingAnswers(), 0);
        QCOMPARE(QFile::exists(folder + "Main.qvd"), saved);
        QCOMPARE(w.RunEnded(), closed);
        // The close never clears the unsaved-changes flag.
        QVERIFY(w.LedgerChanged());
        QCOMPARE(QFile::exists(folder + "Expanded.qvd"), closed && !failingSave);
        QCOMPARE(f.env.settings.GetSetting("Update", "State", "<absent>"),
                 closed ? QString("0") : QString("<absent>"));
        // The backup packs what is on disk, whether or not this close saved.
        QCOMPARE(backupsUnder(f.env.ctx.session.AppFolder + "Backup") > 0, closed);
    }

    void closeWithoutChangesAsksNothing() {
        MainFormFixture f;
        f.b.account("A-現金");
        MainForm& w = f.open();
        QVERIFY(w.ConfirmSaveChanges());
        QVERIFY(w.close());
        QVERIFY(f.env.prompts.shown.isEmpty());
    }

    void settingsWrittenAtClose() {
        MainFormFixture f;
        f.b.account("A-現金");
        MainForm& w = f.open();
        f.env.ctx.session.Setting.AutoLoginState = "1";
        f.env.ctx.session.Setting.AutoLoginUsername = "Amy";
        w.View_Add->setChecked(false);
        w.View_Today->setChecked(true);
        w.NewClear_Type2->setChecked(true);
        w.Liv1->setColumnWidth(1, 222);
        w.setWindowState(Qt::WindowNoState);
        w.setGeometry(30, 45, 1200, 700);
        QVERIFY(w.close());
        auto get = [&](const char* section, const char* key) {
            return f.env.settings.GetSetting(section, key, "<absent>");
        };
        QCOMPARE(get("MainForm", "LW2"), QString("222"));
        QCOMPARE(get("MainForm", "LW8"), QString("<absent>"));
        QCOMPARE(get("MainForm", "WinState"), QString("0"));
        QCOMPARE(get("MainForm", "Left"), QString("450"));
        QCOMPARE(get("MainForm", "Width"), QString("18000"));
        QCOMPARE(get("MainForm", "CheckState"), QString("False"));
        QCOMPARE(get("MainForm", "View_Today"), QString("True"));
        QCOMPARE(get("MainForm", "NewClear_Type2"), QString("True"));
        QCOMPARE(get("MainForm", "CopyClear_Date"), QString("False"));
        QCOMPARE(get("Setting", "AutoLoginState"), QString("1"));
        QCOMPARE(get("Setting", "AutoLoginUsername"), QString("Amy"));
        QCOMPARE(get("Setting", "AutoLoginPassword"), QString(""));
        QCOMPARE(get("Update", "State"), QString("0"));
    }

    // Once the window's own destructor has run its members are gone: keys the entry list
    // still receives while the children are deleted reach none of the window's handlers.
    void listKeysWhileTheWindowDiesReachNoHandler() {
        MainFormFixture f;
        f.b.account("A-現金").account("E-餐飲費");
        f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 100);
        MainForm& w = f.open();
        f.list("E-餐飲費");
        QCOMPARE(w.EntryRowCount(), 1);
        w.Liv1->setCurrentIndex(f.row(0).index());
        f.row(0)->setSelected(true);
        // Lowered, it is the first of the panel's children to go, while the list stands.
        (new KeysOnDestruction(w.Picture1, w.Liv1))->lower();
        f.form.reset();
        QCOMPARE(f.env.prompts.texts(), QStringList());
        QCOMPARE(f.env.ctx.ledger.EntryCount, 2);
    }

    void loginCancelledAtStart() {
        TestEnv env;
        MainForm w(env.ctx);
        bool ended = false;
        w.EndProcess = [&] { ended = true; };
        w.LoginStep = [](MainForm& form) { form.close(); };
        w.Form_Load();
        QVERIFY(ended);
        QVERIFY(w.RunEnded());
        QVERIFY(env.prompts.shown.isEmpty());
        QCOMPARE(env.settings.GetSetting("MainForm", "WinState", "<absent>"), QString("<absent>"));
        QCOMPARE(env.settings.GetSetting("MainForm", "CheckState", "<absent>"), QString("True"));
        QCOMPARE(env.settings.GetSetting("Update", "State", "<absent>"), QString("0"));
    }
};

QTEST_MAIN(ShutdownTest)
#include "tst_shutdown.moc"
