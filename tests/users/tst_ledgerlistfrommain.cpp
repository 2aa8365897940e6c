// The ledger list shown from the main window (帳本清單) runs in its own event loop, as in the
// program: every command that changes the list must leave the window shown and modal, and
// 開啟 and 登出 store the changed list.
#include "support/ledgerbuilder.h"
#include "support/testfiles.h"
#include "users_fixture.h"

#include "platform/codec.h"
#include "platform/desktop/execmodalrunner.h"
#include "users/loginform.h"
#include "users/openform.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// Runs the ledger list for real (exec()) and every other window from the script.
class ListRunsItsLoop : public ModalRunner {
public:
    explicit ListRunsItsLoop(ModalRunner& scripted) : m_scripted(scripted) {}
    int run(QDialog& dialog) override {
        return qobject_cast<OpenForm*>(&dialog) ? m_exec.run(dialog) : m_scripted.run(dialog);
    }

private:
    ExecModalRunner m_exec;
    ModalRunner& m_scripted;
};

OpenForm* shownList() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* list = qobject_cast<OpenForm*>(w); list && list->isVisible()) return list;
    return nullptr;
}

// The main window with an open ledger "Home" of Amy's "Home", "Trip".
struct MainWorld : UsersWorld {
    ListRunsItsLoop runner{env.modal};
    QString user;

    MainWorld() {
        loginAs("Amy", "abc", {"Home", "Trip"});
        user = session().userFolder();
        session().LedgerName = "Home";
        LedgerBuilder(env.ctx.ledger).account(QStringLiteral("A-現金")).account("Equity");
        env.ctx.services.setModal(runner);
        // A logout ends at the login window, which ends the run.
        env.modal.on<LoginForm>([](LoginForm& f) { return f.result(); });
        env.modal.onClass("UseForm", [](QDialog& f) { return f.result(); }); // first use
    }

    // 帳本清單: `command` on the shown list, then, at the next turn of the event loop as a
    // user's next click would come, `next` on the list when it is still shown.
    void runList(const std::function<void(OpenForm&)>& command,
                 const std::function<void(OpenForm&)>& next) {
        QObject scope;
        QTimer::singleShot(0, &scope, [&] {
            OpenForm* list = shownList();
            QVERIFY(list);
            command(*list);
            QTimer::singleShot(0, &scope, [&] {
                if (OpenForm* still = shownList()) next(*still);
            });
        });
        form->File_SetDataBase->trigger();
    }
};

enum class Command { Add, Rename, Copy, Delete, Up, Down, Refresh };

} // namespace

Q_DECLARE_METATYPE(Command)

class LedgerListFromMainTest : public QObject {
    Q_OBJECT

private slots:
    void commandKeepsWindow_data();
    void commandKeepsWindow();
};

void LedgerListFromMainTest::commandKeepsWindow_data() {
    QTest::addColumn<Command>("command");
    QTest::addColumn<bool>("logOut"); // else 開啟 on the first item
    QTest::addColumn<QString>("list");
    QTest::newRow("新增 旅行, 開啟")
        << Command::Add << false << QStringLiteral("Home\r\nTrip\r\n旅行\r\n");
    QTest::newRow("更名, 登出") << Command::Rename << true << QString("Home\r\nVoyage\r\n");
    QTest::newRow("複製, 開啟") << Command::Copy << false
                                << QString("Home\r\nTrip\r\nTrip-Copy\r\n");
    QTest::newRow("刪除, 開啟") << Command::Delete << false << QString("Home\r\n");
    QTest::newRow("上移, 登出") << Command::Up << true << QString("Trip\r\nHome\r\n");
    QTest::newRow("下移, 開啟") << Command::Down << false << QString("Trip\r\nHome\r\n");
    QTest::newRow("重整, 登出") << Command::Refresh << true << QString("Home\r\nTrip\r\n");
}

void LedgerListFromMainTest::commandKeepsWindow() {
    QFETCH(Command, command);
    QFETCH(bool, logOut);
    QFETCH(QString, list);
    MainWorld w;
    bool shownAfter = false;
    bool closable = true;
    w.runList(
        [&](OpenForm& f) {
            switch (command) {
            case Command::Add:
                w.env.prompts.answerText(QStringLiteral("旅行"));
                f.Cmd5->click();
                break;
            case Command::Rename:
                w.env.prompts.answerText("Voyage");
                f.List1->setCurrentRow(1);
                f.Cmd2->click();
                break;
            case Command::Copy:
                f.List1->setCurrentRow(1);
                f.Cmd4->click();
                break;
            case Command::Delete:
                w.env.prompts.answer(Prompts::Answer::Yes);
                f.List1->setCurrentRow(1);
                f.Cmd3->click();
                break;
            case Command::Up:
                f.List1->setCurrentRow(1);
                f.Cmd8->click();
                break;
            case Command::Down:
                f.Cmd9->click();
                break;
            case Command::Refresh:
                f.Command2->click();
                break;
            }
        },
        [&](OpenForm& f) {
            // Still the modal window of the loop that runs it.
            shownAfter = QApplication::activeModalWidget() == &f;
            closable = f.windowFlags().testFlag(Qt::WindowCloseButtonHint);
            if (logOut) {
                f.Cmd6->click();
            } else {
                f.List1->setCurrentRow(0);
                f.Cmd1->click();
            }
        });
    QVERIFY(shownAfter);
    QVERIFY(!closable);
    QCOMPARE(TestFiles::get(w.user + "DataBase.lst"), Ansi::encode(list));
}

QTEST_MAIN(LedgerListFromMainTest)
#include "tst_ledgerlistfrommain.moc"
