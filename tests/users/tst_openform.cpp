#include "support/ledgerfiles_fixture.h"
#include "support/testfiles.h"
#include "users_fixture.h"

#include "platform/codec.h"
#include "users/openform.h"

#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

namespace {

struct ListWorld : UsersWorld {
    QString user;
    std::unique_ptr<OpenForm> list;

    explicit ListWorld(const QStringList& ledgers = {"A", "B", "C"}) {
        loginAs("Amy", "abc", ledgers);
        user = session().userFolder();
        list = std::make_unique<OpenForm>(env.ctx, *users);
        list->Fill(ledgers);
        users->LedgerListChanged = false;
    }
    QStringList items() const { return list->Items(); }
    int selected() const {
        QListWidgetItem* item = list->List1->currentItem();
        return item && item->isSelected() ? list->List1->row(item) : -1;
    }
    bool closable() const { return list->windowFlags().testFlag(Qt::WindowCloseButtonHint); }
    QList<bool> ledgerCommands() const {
        return {list->Cmd1->isEnabled(), list->Cmd2->isEnabled(), list->Cmd3->isEnabled(),
                list->Cmd4->isEnabled()};
    }
};

const QString kForbidden = QStringLiteral("帳本名稱中不可包含 \\/:*?\"<>| 字元");
const QString kReserved = QStringLiteral("帳本名稱不可以是「.」或「..」");
const QString kControl = QStringLiteral("帳本名稱中不可包含換行或其他控制字元");
const QString kEmpty = QStringLiteral("您還沒輸入帳本名稱");
const QString kTooLong = QStringLiteral("帳本名稱最多100個字元 (一個中文字算2個字元)");

} // namespace

class OpenFormTest : public QObject {
    Q_OBJECT

private slots:
    void fill();
    void newLedger_data();
    void newLedger();
    void newLedgerEnablesCommands();
    void renameAsksAgain();
    void renameOutcomes_data();
    void renameOutcomes();
    void copy();
    void copyFailure();
    void deleteLedger_data();
    void deleteLedger();
    void deleteDeclinedOrFailed();
    void move_data();
    void move();
    void refresh();
    void listFileWrittenOnlyWhenChanged();
    void search();
    void logout();
};

void OpenFormTest::fill() {
    ListWorld w;
    QCOMPARE(w.list->windowTitle(), QStringLiteral("Amy 的帳本清單"));
    QCOMPARE(w.list->StatusText(), QStringLiteral("共有 3 個帳本"));
    QCOMPARE(w.selected(), 0);
    QVERIFY(w.closable());
}

void OpenFormTest::newLedger_data() {
    QTest::addColumn<QString>("answer");
    QTest::addColumn<QString>("message"); // empty: created
    QTest::addColumn<QString>("folder");
    QTest::newRow("plain") << QStringLiteral("旅行") << "" << QStringLiteral("旅行");
    QTest::newRow("commas removed") << "a,b"
                                    << ""
                                    << "ab";
    QTest::newRow("blanks around") << "  x  "
                                   << ""
                                   << "x";
    QTest::newRow("slash") << "x/y" << kForbidden << "";
    QTest::newRow("question mark") << "x?" << kForbidden << "";
    QTest::newRow("dot") << "." << kReserved << "";
    QTest::newRow("dotdot") << ".." << kReserved << "";
    QTest::newRow("dotdot with a comma") << ".,." << kReserved << "";
    QTest::newRow("only a comma") << "," << kEmpty << "";
    QTest::newRow("blanks") << "   " << kEmpty << "";
    QTest::newRow("pasted line break") << "旅\r\n行" << kControl << "";
    QTest::newRow("line feed") << "a\nb" << kControl << "";
    QTest::newRow("U+0001") << "a\x01"
                               "b"
                            << kControl << "";
    QTest::newRow("slash before a line break") << "a/\nb" << kForbidden << "";
    QTest::newRow("outside cp950")
        << "a😀" << QStringLiteral("帳本名稱不可以包含軟體不支援的文字!") << "";
    QTest::newRow("50 Chinese characters")
        << QString(50, QChar(u'帳')) << "" << QString(50, QChar(u'帳'));
    QTest::newRow("100 Chinese characters") << QString(100, QChar(u'帳')) << kTooLong << "";
    QTest::newRow("existing") << "B" << QStringLiteral("帳本已存在") << "";
    QTest::newRow("file of the user folder")
        << "DataBase.lst" << QStringLiteral("帳本已存在") << "";
    QTest::newRow("commas removed gives existing") << "B," << QStringLiteral("帳本已存在") << "";
}

void OpenFormTest::newLedger() {
    QFETCH(QString, answer);
    QFETCH(QString, message);
    QFETCH(QString, folder);
    ListWorld w;
    const QStringList before = QDir(w.user).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    const QByteArray listBefore = TestFiles::get(w.user + "DataBase.lst");
    w.env.prompts.answerText(answer);
    w.list->Cmd5->click();
    if (message.isEmpty()) {
        QVERIFY(w.env.prompts.texts("warning").isEmpty());
        QCOMPARE(w.items(), QStringList({"A", "B", "C", folder}));
        QCOMPARE(w.selected(), 3);
        QVERIFY(QFileInfo(w.user + folder).isDir());
        QCOMPARE(w.list->StatusText(), QStringLiteral("共有 4 個帳本"));
        QVERIFY(w.users->LedgerListChanged);
        QVERIFY(!w.closable());
    } else {
        QCOMPARE(w.env.prompts.texts("warning"), QStringList{message});
        QCOMPARE(w.items(), QStringList({"A", "B", "C"}));
        QCOMPARE(QDir(w.user).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), before);
        QVERIFY(!w.users->LedgerListChanged);
        w.list->SaveLedgerList();
        QCOMPARE(TestFiles::get(w.user + "DataBase.lst"), listBefore);
    }
    QCOMPARE(w.env.prompts.shown.first().text, QStringLiteral("新增帳本，請輸入帳本名稱。"));
}

void OpenFormTest::newLedgerEnablesCommands() {
    ListWorld w{QStringList()};
    w.list->EnableLedgerCommands(false);
    w.env.prompts.answerText(std::nullopt); // cancelled: nothing
    w.list->Cmd5->click();
    QCOMPARE(w.ledgerCommands(), QList<bool>({false, false, false, false}));
    w.env.prompts.answerText("N");
    w.list->Cmd5->click();
    QCOMPARE(w.ledgerCommands(), QList<bool>({true, true, true, true}));
}

void OpenFormTest::renameAsksAgain() {
    ListWorld w;
    w.list->List1->setCurrentRow(1);
    w.env.prompts.answerText("B");   // unchanged: exists
    w.env.prompts.answerText("a/b"); // forbidden
    w.env.prompts.answerText("..");  // reserved
    w.env.prompts.answerText("C");   // exists
    w.env.prompts.answerText("D,");  // becomes D
    w.list->Cmd2->click();

    QList<QPair<QString, QString>> inputs;
    for (const ShownBox& b : w.env.prompts.shown)
        if (b.kind == "input") inputs << qMakePair(b.text, b.defaultText);
    const QString prompt = QStringLiteral("請輸入新的名稱");
    QCOMPARE(inputs,
             (QList<QPair<QString, QString>>{
                 {prompt, "B"}, {prompt, "B"}, {prompt, "a/b"}, {prompt, ".."}, {prompt, "C"}}));
    const QString exists = QStringLiteral("已有相同名稱的帳本，請選用其他名稱\r\n\r\n"
                                          "若選單內沒有看到相同名稱的帳本，請按右方的「重整」鍵。");
    QCOMPARE(w.env.prompts.texts("warning"), QStringList({exists, kForbidden, kReserved, exists}));
    QCOMPARE(w.items(), QStringList({"A", "D", "C"}));
    QCOMPARE(w.selected(), 1);
    QVERIFY(QFileInfo(w.user + "D").isDir());
    QVERIFY(!QFileInfo::exists(w.user + "B"));
    QVERIFY(w.users->LedgerListChanged);
}

void OpenFormTest::renameOutcomes_data() {
    QTest::addColumn<int>("outcome");
    QTest::addColumn<QString>("message");
    QTest::newRow("error") << int(Shell::MoveOutcome::Error) << "75";
    QTest::newRow("aborted") << int(Shell::MoveOutcome::Aborted) << QStringLiteral("操作中止");
}

void OpenFormTest::renameOutcomes() {
    QFETCH(int, outcome);
    QFETCH(QString, message);
    ListWorld w;
    w.env.shell.forcedMoveResult = Shell::MoveResult{Shell::MoveOutcome(outcome), 75};
    w.env.prompts.answerText("Z");
    w.list->Cmd2->click();
    QCOMPARE(w.env.prompts.texts("plain"), QStringList{message});
    QCOMPARE(w.items(), QStringList({"A", "B", "C"}));
    QVERIFY(!w.users->LedgerListChanged);
}

void OpenFormTest::copy() {
    ListWorld w;
    TestFiles::put(w.user + "A/Main.qvd", "main");
    TestFiles::put(w.user + "A/Other.txt", "not copied");
    TestFiles::put(w.user + "A-Copy", "a file counts");
    w.list->Cmd4->click();
    w.list->Cmd4->click();
    QCOMPARE(w.items(), QStringList({"A", "B", "C", "A-Copy1", "A-Copy2"}));
    QCOMPARE(w.selected(), 0);
    QCOMPARE(w.fileBytes(w.user + "A-Copy2/Main.qvd"), QByteArray("main"));
    QVERIFY(!QFileInfo::exists(w.user + "A-Copy1/Other.txt"));
    QCOMPARE(w.list->StatusText(), QStringLiteral("共有 5 個帳本"));
    QVERIFY(w.users->LedgerListChanged);
}

void OpenFormTest::copyFailure() {
    ListWorld w;
    // A link into nowhere: the name looks free, but no folder can be made there.
    QVERIFY(QFile::link(w.env.path("nowhere/x"), w.user + "A-Copy"));
    w.list->Cmd4->click();
    QCOMPARE(w.env.prompts.texts("warning"), QStringList{QStringLiteral("帳本複製失敗")});
    QCOMPARE(w.items(), QStringList({"A", "B", "C"}));
    QVERIFY(!w.users->LedgerListChanged);
}

void OpenFormTest::deleteLedger_data() {
    QTest::addColumn<QStringList>("ledgers");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("left");
    QTest::addColumn<int>("selected");
    QTest::newRow("first of three")
        << QStringList{"A", "B", "C"} << 0 << QStringList{"B", "C"} << 0;
    QTest::newRow("last of three") << QStringList{"A", "B", "C"} << 2 << QStringList{"A", "B"} << 1;
    QTest::newRow("middle") << QStringList{"A", "B", "C"} << 1 << QStringList{"A", "C"} << 0;
    QTest::newRow("only one") << QStringList{"A"} << 0 << QStringList{} << -1;
}

void OpenFormTest::deleteLedger() {
    QFETCH(QStringList, ledgers);
    QFETCH(int, row);
    QFETCH(QStringList, left);
    QFETCH(int, selected);
    ListWorld w(ledgers);
    const QString name = ledgers.at(row);
    TestFiles::put(w.user + name + "/Main.qvd", "x");
    w.list->List1->setCurrentRow(row);
    w.env.prompts.answer(Prompts::Answer::Yes);
    w.list->Cmd3->click();
    QCOMPARE(w.env.prompts.texts("question"), QStringList{QStringLiteral("確定刪除這個帳本嗎？")});
    QCOMPARE(w.items(), left);
    QCOMPARE(w.selected(), selected);
    QVERIFY(!QFileInfo::exists(w.user + name));
    const bool any = !left.isEmpty();
    QCOMPARE(w.ledgerCommands(), QList<bool>({any, any, any, any}));
    QVERIFY(w.users->LedgerListChanged);
}

void OpenFormTest::deleteDeclinedOrFailed() {
    ListWorld w;
    w.env.prompts.answer(Prompts::Answer::No);
    w.list->Cmd3->click();
    QCOMPARE(w.items(), QStringList({"A", "B", "C"}));
    QVERIFY(!w.users->LedgerListChanged);

    QDir().mkpath(w.user + "A/inner"); // a sub-folder is not removed by force
    w.env.prompts.answer(Prompts::Answer::Yes);
    w.list->Cmd3->click();
    QCOMPARE(w.env.prompts.texts("warning"), QStringList{QStringLiteral("帳本刪除失敗")});
    QCOMPARE(w.items(), QStringList({"A", "B", "C"}));
}

void OpenFormTest::move_data() {
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("up");
    QTest::addColumn<QStringList>("order");
    QTest::addColumn<int>("selected");
    QTest::newRow("up") << 1 << true << QStringList{"B", "A", "C"} << 0;
    QTest::newRow("down") << 1 << false << QStringList{"A", "C", "B"} << 2;
    QTest::newRow("up on the first") << 0 << true << QStringList{"A", "B", "C"} << 0;
    QTest::newRow("down on the last") << 2 << false << QStringList{"A", "B", "C"} << 2;
}

void OpenFormTest::move() {
    QFETCH(int, row);
    QFETCH(bool, up);
    QFETCH(QStringList, order);
    QFETCH(int, selected);
    ListWorld w;
    w.list->List1->setCurrentRow(row);
    (up ? w.list->Cmd8 : w.list->Cmd9)->click();
    QCOMPARE(w.items(), order);
    QCOMPARE(w.selected(), selected);
    const bool changed = order != QStringList({"A", "B", "C"});
    QCOMPARE(w.users->LedgerListChanged, changed);
    QCOMPARE(w.closable(), !changed);
}

void OpenFormTest::refresh() {
    ListWorld w({"C", "A"});
    QDir().mkpath(w.user + "B");
    QDir().mkpath(w.user + ".hidden");
    QDir().mkpath(w.user + QStringLiteral("表😀")); // a name the list file cannot keep
    w.list->Command2->click();
    QCOMPARE(w.items(), QStringList({"A", "B", "C"}));
    QCOMPARE(w.selected(), -1);
    QCOMPARE(w.list->StatusText(), QStringLiteral("共有 3 個帳本"));
    QVERIFY(w.users->LedgerListChanged);
    // Logging out stores the new order.
    w.list->Cmd6->click();
    QCOMPARE(w.fileBytes(w.user + "DataBase.lst"), QByteArray("A\r\nB\r\nC\r\n"));

    ListWorld empty{QStringList()};
    empty.list->Command2->click();
    QCOMPARE(empty.items(), QStringList());
    QCOMPARE(empty.ledgerCommands(), QList<bool>({false, false, false, false}));
}

void OpenFormTest::listFileWrittenOnlyWhenChanged() {
    ListWorld w;
    TestFiles::put(w.user + "DataBase.lst", "A\r\nB\r\nC\r\nextra\r\n");
    QVERIFY(w.list->SaveLedgerList());
    QCOMPARE(w.fileBytes(w.user + "DataBase.lst"), QByteArray("A\r\nB\r\nC\r\nextra\r\n"));
    w.list->List1->setCurrentRow(2);
    w.list->Cmd8->click();
    QVERIFY(w.list->SaveLedgerList());
    QCOMPARE(w.fileBytes(w.user + "DataBase.lst"), QByteArray("A\r\nC\r\nB\r\n"));
}

void OpenFormTest::search() {
    ListWorld w({"A", "B", "C"});
    FixtureEntry hit;
    hit.detail = QStringLiteral("Lunch");
    writeFixtureEntries(w.user + "A/", {hit});
    writeFixtureEntries(w.user + "C/", {hit});
    w.env.prompts.answerText("lunch");
    w.list->Command1->click();
    w.env.prompts.answerText("zzz");
    w.list->Command1->click();
    w.env.prompts.answerText(std::nullopt);
    w.list->Command1->click();
    QCOMPARE(w.env.prompts.texts("plain"),
             QStringList({QStringLiteral("以下帳本包含文字：lunch\r\n\r\nA\r\nC\r\n"),
                          QStringLiteral("沒有找到包含「zzz」的帳本")}));
    QCOMPARE(w.env.prompts.shown.first().text, QStringLiteral("請輸入要搜尋的字串"));
}

void OpenFormTest::logout() {
    ListWorld w;
    w.env.ctx.ledger.addAccount(AccountRecord());
    w.env.ctx.ledger.markChanged();
    w.form->ListedAccount = "A-現金";
    w.list->List1->setCurrentRow(1);
    w.list->Cmd8->click();
    w.list->Cmd6->click();
    QCOMPARE(w.list->result(), int(OpenForm::LoggedOut));
    QCOMPARE(w.fileBytes(w.user + "DataBase.lst"), QByteArray("B\r\nA\r\nC\r\n"));
    QCOMPARE(w.form->windowTitle(), QStringLiteral("Qivoka v4.0.4"));
    // Nothing of this user is left to be saved by the next one.
    QCOMPARE(w.env.ctx.ledger.AccountCount, 1);
    QVERIFY(!w.env.ctx.ledger.LedgerChangedFlag.isSet());
    QCOMPARE(w.form->ListedAccount, QStringLiteral("A-現金")); // this logout keeps it
}

QTEST_MAIN(OpenFormTest)
#include "tst_openform.moc"
