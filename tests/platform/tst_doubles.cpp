#include "support/testenv.h"

#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QTest>

// The scripted services every window test relies on must fail loudly on a box or window
// nobody scripted, and answer in order otherwise.
class TestDoubles : public QObject {
    Q_OBJECT
private slots:
    void promptsAnswerInOrderAndRecord();
    void promptsFailOnUnscriptedBox_data();
    void promptsFailOnUnscriptedBox();
    void promptsFailOnAnswerOfWrongKind();
    void promptsScriptTheFileType();
    void modalRunnerRunsHandlerAndFailsWithoutOne();
    void envWiresServicesAndFolders();
};

void TestDoubles::promptsAnswerInOrderAndRecord() {
    ScriptedPrompts p;
    p.onFailure = [](const QString& m) { QFAIL(qPrintable(m)); };
    p.answer(Prompts::Answer::No);
    p.answerText(QStringLiteral("name"));
    p.answerText(QString()); // an empty answer counts as no answer
    p.answerPath(QStringLiteral("/tmp/a.csv"));
    p.information(QStringLiteral("line1\r\nline2"));
    QCOMPARE(
        p.question(QStringLiteral("sure?"), Prompts::Buttons::YesNoCancel, QStringLiteral("注意")),
        Prompts::Answer::No);
    QCOMPARE(p.input(QStringLiteral("who"), {}, QStringLiteral("def")),
             std::optional<QString>("name"));
    QCOMPARE(p.password(QStringLiteral("pw")), std::optional<QString>());
    QCOMPARE(p.saveFile(QStringLiteral("save"), QStringLiteral("CSV檔案|*.csv"),
                        QStringLiteral("q.csv")),
             QStringLiteral("/tmp/a.csv"));
    QCOMPARE(p.pendingAnswers(), 0);
    QCOMPARE(p.texts(), (QStringList{"line1\r\nline2", "sure?", "who", "pw", "save"}));
    QCOMPARE(p.shown.at(1).title, QStringLiteral("注意"));
    QCOMPARE(p.shown.at(1).buttons, Prompts::Buttons::YesNoCancel);
    QCOMPARE(p.shown.at(2).defaultText, QStringLiteral("def"));
    QCOMPARE(p.shown.at(4).filter, QStringLiteral("CSV檔案|*.csv"));
    QCOMPARE(p.texts(QStringLiteral("information")), QStringList{"line1\r\nline2"});
    QVERIFY(p.failures.isEmpty());
}

// A save dialog reports the type scripted with its answer, the first one when none was; a
// type the dialog does not offer fails the test.
void TestDoubles::promptsScriptTheFileType() {
    ScriptedPrompts p;
    QStringList caught;
    p.onFailure = [&](const QString& m) { caught.append(m); };
    const QString filter = QStringLiteral("網頁檔案(*.Htm)|*.htm|CSV檔案|*.csv");
    p.answerPath(QStringLiteral("/tmp/a"));
    p.answerPath(QStringLiteral("/tmp/b"), QStringLiteral("CSV檔案 (*.csv)"));
    p.answerPath(QStringLiteral("/tmp/c"), QStringLiteral("CSV檔案"));
    QString type;
    QCOMPARE(p.saveFile(QStringLiteral("save"), filter, {}, &type), QStringLiteral("/tmp/a"));
    QCOMPARE(type, QStringLiteral("*.htm"));
    QCOMPARE(p.saveFile(QStringLiteral("save"), filter, {}, &type), QStringLiteral("/tmp/b"));
    QCOMPARE(type, QStringLiteral("*.csv"));
    QVERIFY(caught.isEmpty());
    p.saveFile(QStringLiteral("save"), filter, {}, &type);
    QCOMPARE(caught.size(), 1);
    QVERIFY2(caught.first().contains(QStringLiteral("CSV檔案")), qPrintable(caught.first()));
}

void TestDoubles::promptsFailOnUnscriptedBox_data() {
    QTest::addColumn<QString>("kind");
    for (const char* kind :
         {"question", "input", "password", "openFile", "saveFile", "browseFolder"})
        QTest::newRow(kind) << QString::fromLatin1(kind);
}

void TestDoubles::promptsFailOnUnscriptedBox() {
    QFETCH(QString, kind);
    ScriptedPrompts p;
    QStringList caught;
    p.onFailure = [&](const QString& m) { caught.append(m); };
    const QString text = QStringLiteral("刪除嗎?");
    if (kind == "question")
        QCOMPARE(p.question(text), Prompts::Answer::Cancel);
    else if (kind == "input")
        QCOMPARE(p.input(text), std::optional<QString>());
    else if (kind == "password")
        QCOMPARE(p.password(text), std::optional<QString>());
    else if (kind == "openFile")
        QCOMPARE(p.openFile(text, {}), QString());
    else if (kind == "saveFile")
        QCOMPARE(p.saveFile(text, {}), QString());
    else
        QCOMPARE(p.browseFolder(text), QString());
    QCOMPARE(caught.size(), 1);
    QVERIFY2(caught.first().contains(text), qPrintable(caught.first()));
    QCOMPARE(p.shown.size(), 1);
    // OK-only boxes never fail.
    p.warning(QStringLiteral("x"));
    QCOMPARE(caught.size(), 1);
}

void TestDoubles::promptsFailOnAnswerOfWrongKind() {
    ScriptedPrompts p;
    QStringList caught;
    p.onFailure = [&](const QString& m) { caught.append(m); };
    p.answerPath(QStringLiteral("/x"));
    QCOMPARE(p.question(QStringLiteral("q1")), Prompts::Answer::Cancel);
    QCOMPARE(p.pendingAnswers(), 1); // the path stays for the dialog it was meant for
    p.clear();
    p.answer(Prompts::Answer::Ok); // not a button of a Yes/No box
    QCOMPARE(p.question(QStringLiteral("q2")), Prompts::Answer::Cancel);
    QCOMPARE(caught.size(), 2);
    QVERIFY(caught.at(1).contains(QStringLiteral("q2")));
}

class ProbeDialog : public QDialog {
    Q_OBJECT
public:
    QPushButton* ok = new QPushButton(this);
    bool shownBeforeHandler = false;
    ProbeDialog() {
        connect(ok, &QPushButton::clicked, this, [this] { done(7); });
    }
};

void TestDoubles::modalRunnerRunsHandlerAndFailsWithoutOne() {
    ScriptedModalRunner runner;
    QStringList caught;
    runner.onFailure = [&](const QString& m) { caught.append(m); };

    ProbeDialog unhandled;
    QCOMPARE(runner.run(unhandled), int(QDialog::Rejected));
    QCOMPARE(caught.size(), 1);
    QVERIFY(caught.first().contains(QStringLiteral("ProbeDialog")));

    runner.on<ProbeDialog>([](ProbeDialog& d) {
        d.shownBeforeHandler = d.isVisible();
        d.ok->click();
        return d.result();
    });
    ProbeDialog dialog;
    QCOMPARE(runner.run(dialog), 7);
    QVERIFY(dialog.shownBeforeHandler);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(runner.shown, (QStringList{"ProbeDialog", "ProbeDialog"}));
    QCOMPARE(caught.size(), 1);
}

void TestDoubles::envWiresServicesAndFolders() {
    TestEnv env;
    QCOMPARE(&env.ctx.services.prompts(), static_cast<Prompts*>(&env.prompts));
    QCOMPARE(&env.ctx.services.settings(), static_cast<SettingsStore*>(&env.settings));
    QCOMPARE(&env.ctx.services.tray(), static_cast<TrayService*>(&env.tray));
    QCOMPARE(&env.ctx.services.modal(), static_cast<ModalRunner*>(&env.modal));
    QCOMPARE(&env.ctx.services.clock(), static_cast<Clock*>(&env.clock));
    QCOMPARE(&env.ctx.services.shell(), static_cast<Shell*>(&env.shell));
    QCOMPARE(&env.ctx.services.http(), static_cast<HttpClient*>(&env.http));
    QVERIFY(QDir(env.ctx.session.AppFolder).exists());
    QCOMPARE(env.ctx.session.DataRoot, env.path("DataBase/"));
    const QString ledger = env.makeLedger(QStringLiteral("Test"), QStringLiteral("帳本1"));
    QCOMPARE(ledger, env.path(QStringLiteral("DataBase/Test/帳本1/")));
    QVERIFY(QDir(ledger).exists());
    QCOMPARE(env.ctx.session.ledgerFolder(), ledger);
    QVERIFY(env.settings.SaveSetting("Setting", "MinState", "True"));
    QVERIFY(env.settings.fileName().startsWith(env.path()));

    // The shell double really moves folders.
    const auto moved =
        env.shell.moveFolder(ledger, env.path(QStringLiteral("DataBase/Test/帳本2")));
    QCOMPARE(moved.outcome, Shell::MoveOutcome::Ok);
    QVERIFY(QDir(env.path(QStringLiteral("DataBase/Test/帳本2"))).exists());
    QCOMPARE(env.shell.moveFolder(ledger, env.path("elsewhere")).outcome,
             Shell::MoveOutcome::Error);
}

QTEST_MAIN(TestDoubles)
#include "tst_doubles.moc"
