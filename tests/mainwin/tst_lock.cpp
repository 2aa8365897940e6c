// Minimising into the notification area and coming back, with the password lock.
#include <QMenu>
#include <QtTest>

#include "commandsfixture.h"

namespace {

void minimise(MainForm& w) {
    // As the user's minimise button does: the state changes on a shown window.
    w.setWindowState(w.windowState() | Qt::WindowMinimized);
}

} // namespace

class TestLock : public QObject {
    Q_OBJECT
private slots:
    void minimiseWithoutTrayOptionStaysMinimised();
    void minimiseHidesIntoOneIconAndLeftClickRestores();
    void rightClickShowsTheOpenMenu();
    void lockAsksUntilRightOrEmpty_data();
    void lockAsksUntilRightOrEmpty();
};

void TestLock::minimiseWithoutTrayOptionStaysMinimised() {
    CommandsFixture f;
    MainForm& w = f.open(QString());
    w.show();
    minimise(w);
    QVERIFY(f.env.tray.visible.isEmpty());
    QVERIFY(w.isVisible());
    QCOMPARE(w.TrayIconId, 0);
}

void TestLock::minimiseHidesIntoOneIconAndLeftClickRestores() {
    CommandsFixture f;
    f.env.ctx.session.Setting.MinState = "1";
    MainForm& w = f.open(QString());
    w.showMaximized();
    w.RestoreWindowState = 2;
    minimise(w);
    QCOMPARE(f.env.tray.visible.size(), 1);
    QCOMPARE(f.env.tray.visible[0].tip, QStringLiteral("Qivoka"));
    QVERIFY(!w.isVisible());
    const int first = w.TrayIconId;
    QVERIFY(first != 0);
    w.LayoutPass(); // a second pass while hidden adds nothing
    QCOMPARE(f.env.tray.visible.size(), 1);

    QVERIFY(f.env.tray.click(first, TrayService::Click::Left));
    QVERIFY(w.isVisible());
    QVERIFY(w.isMaximized());
    QVERIFY(f.env.tray.visible.isEmpty());
    QCOMPARE(w.TrayIconId, 0);

    minimise(w); // again: a new icon with the next id
    QCOMPARE(f.env.tray.visible.size(), 1);
    QCOMPARE(w.TrayIconId, first + 1);
    QVERIFY(f.env.prompts.shown.isEmpty());
}

void TestLock::rightClickShowsTheOpenMenu() {
    CommandsFixture f;
    f.env.ctx.session.Setting.MinState = "1";
    MainForm& w = f.open(QString());
    w.show();
    minimise(w);
    QVERIFY(f.env.tray.click(w.TrayIconId, TrayService::Click::Right));
    QVERIFY(w.Menu_ST->isVisible());
    QCOMPARE(w.Menu_ST->actions().size(), 1);
    QCOMPARE(w.Menu_ST->actions()[0]->text(), QStringLiteral("開啟"));
    w.Menu_ST->hide();
    QVERIFY(!w.isVisible());
    w.ST_Open->trigger();
    QVERIFY(w.isVisible());
}

void TestLock::lockAsksUntilRightOrEmpty_data() {
    QTest::addColumn<QStringList>("answers"); // "<cancel>" for Cancel
    QTest::addColumn<bool>("opens");
    QTest::newRow("right at once") << QStringList{"s3cret"} << true;
    QTest::newRow("wrong, wrong, right") << QStringList{"x", "S3CRET", "s3cret"} << true;
    QTest::newRow("empty") << QStringList{""} << false;
    QTest::newRow("cancel") << QStringList{"<cancel>"} << false;
    QTest::newRow("wrong then cancel") << QStringList{"s3cre", "<cancel>"} << false;
    QTest::newRow("surrounding blanks count") << QStringList{" s3cret", ""} << false;
}

void TestLock::lockAsksUntilRightOrEmpty() {
    QFETCH(QStringList, answers);
    QFETCH(bool, opens);
    CommandsFixture f;
    f.env.ctx.session.Setting.MinState = "1";
    f.env.ctx.session.Setting.MinLockState = "1";
    f.env.ctx.session.UserPassword = "s3cret";
    MainForm& w = f.open(QString());
    w.show();
    w.RestoreWindowState = 0;
    minimise(w);
    const int id = w.TrayIconId;
    for (const QString& a : answers)
        f.env.prompts.answerText(a == "<cancel>" ? std::nullopt : std::optional<QString>(a));

    QVERIFY(f.env.tray.click(id, TrayService::Click::Left));

    QCOMPARE(f.env.prompts.pendingAnswers(), 0);
    QStringList expected{"Qivo 已鎖定，請輸入您的登入密碼以解除鎖定"};
    while (expected.size() < answers.size())
        expected << "密碼錯誤！請重新輸入";
    QCOMPARE(f.env.prompts.texts("password"), expected); // masked input every time
    for (const ShownBox& box : f.env.prompts.shown)
        QCOMPARE(box.title, QStringLiteral("輸入密碼"));
    QCOMPARE(w.isVisible(), opens);
    QCOMPARE(f.env.tray.isShown(id), !opens);
}

QTEST_MAIN(TestLock)
#include "tst_lock.moc"
