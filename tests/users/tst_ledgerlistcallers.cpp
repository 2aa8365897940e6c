// The ledger list runs in its own event loop, as in the program, shown by either caller (the
// main window's 帳本清單 and the login): every command that changes the list must leave the
// window shown and modal, and 開啟 and 登出 store the changed list.
#include "support/ledgerbuilder.h"
#include "support/testfiles.h"
#include "users_fixture.h"

#include "platform/codec.h"
#include "platform/desktop/execmodalrunner.h"
#include "users/loginform.h"
#include "users/openform.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

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

    // The list from the login window: Amy logs in, and a later login window is cancelled.
    void loginFirst() {
        auto logins = std::make_shared<int>(0);
        env.modal.on<LoginForm>([logins](LoginForm& f) {
            if (++*logins == 1) {
                f.Combo1->setEditText("Amy");
                f.Text2->setText("abc");
                f.cmdOK->click();
            } else {
                f.cmdCancel->click();
            }
            return f.result();
        });
    }

    // The list from its caller: `command` on the shown list, then, at the next turn of the
    // event loop as a user's next click would come, `next` on the list when it is still
    // shown.
    void runList(bool fromLogin, const std::function<void(OpenForm&)>& command,
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
        if (fromLogin)
            users->RunLogin();
        else
            form->File_SetDataBase->trigger();
    }
};

enum class Command { Add, Rename, Copy, Delete, Up, Down, Refresh };

} // namespace

Q_DECLARE_METATYPE(Command)

class LedgerListCallersTest : public QObject {
    Q_OBJECT

private slots:
    void commandKeepsWindow_data();
    void commandKeepsWindow();
};

void LedgerListCallersTest::commandKeepsWindow_data() {
    QTest::addColumn<bool>("fromLogin");
    QTest::addColumn<Command>("command");
    QTest::addColumn<bool>("logOut"); // else 開啟 on the first item
    QTest::addColumn<QString>("list");
    for (bool fromLogin : {false, true}) {
        const char* caller = fromLogin ? "login" : "main window";
        QTest::addRow("%s: 新增 旅行, 開啟", caller)
            << fromLogin << Command::Add << false << QStringLiteral("Home\r\nTrip\r\n旅行\r\n");
        QTest::addRow("%s: 更名, 登出", caller)
            << fromLogin << Command::Rename << true << QString("Home\r\nVoyage\r\n");
        QTest::addRow("%s: 複製, 開啟", caller)
            << fromLogin << Command::Copy << false << QString("Home\r\nTrip\r\nTrip-Copy\r\n");
        QTest::addRow("%s: 刪除, 開啟", caller)
            << fromLogin << Command::Delete << false << QString("Home\r\n");
        QTest::addRow("%s: 上移, 登出", caller)
            << fromLogin << Command::Up << true << QString("Trip\r\nHome\r\n");
        QTest::addRow("%s: 下移, 開啟", caller)
            << fromLogin << Command::Down << false << QString("Trip\r\nHome\r\n");
        QTest::addRow("%s: 重整, 登出", caller)
            << fromLogin << Command::Refresh << true << QString("Home\r\nTrip\r\n");
    }
}

void LedgerListCallersTest::commandKeepsWindow() {
    QFETCH(bool, fromLogin);
    QFETCH(Command, command);
    QFETCH(bool, logOut);
    QFETCH(QString, list);
    MainWorld w;
    if (fromLogin) w.loginFirst();
    bool shownAfter = false;
    bool closable = true;
    w.runList(
        fromLogin,
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

QTEST_MAIN(LedgerListCallersTest)
#include "tst_ledgerlistcallers.moc"
