// The report windows are bound to the open ledger: they close when its user or the ledger
// is left, and while open they show, after a change of the ledger's figures, what the same
// window opened afresh shows.
#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeView>

#include "mainwin/mainform_fixture.h"
#include "reports/budgetform.h"
#include "reports/ibsform.h"
#include "rules/users/userfiles.h"
#include "setup/setform.h"
#include "support/ledgerwindows.h"
#include "users/loginform.h"
#include "users/openform.h"
#include "users/useform.h"
#include "users/userscontroller.h"

namespace {

// Amy's ledger Home on 2026/12/11: the salary of November in 銀行甲, a dinner of December
// paid in cash and a booking of 12/20 still to come. The main window shows 12月 2026.
struct BoundFixture : MainFormFixture {
    BoundFixture() {
        env.clock.setToday(QDate(2026, 12, 11));
        env.ctx.session.DotState = QStringLiteral("0");
        b.account(QStringLiteral("A-現金")).account(QStringLiteral("A-銀行甲"));
        b.account(QStringLiteral("I-薪資")).account(QStringLiteral("E-餐飲費"));
        b.account(QStringLiteral("Equity"));
        b.entry("2026/11/20", "A-銀行甲", "I-薪資", 4222300, "薪水");
        b.entry("2026/12/03", "E-餐飲費", "A-現金", 123400, "聚餐");
        b.entry("2026/12/20", "E-餐飲費", "A-現金", 10000, "訂位");
    }

    // The main window at its place on the screen, on 現金 over December.
    MainForm& show() {
        MainForm& w = open(Periods::FirstMonth + 11, 2026);
        w.setGeometry(0, 0, 1024, 768);
        w.show();
        list(QStringLiteral("A-現金"));
        env.ctx.ledger.LedgerChangedFlag.clear();
        QCoreApplication::processEvents();
        return w;
    }

    // The main window with the users subsystem, the ledger list of Amy holding Home.
    MainForm& showWithUsers() {
        MainForm& w = show();
        InstallUsers(w);
        env.ctx.session.UserPassword = QStringLiteral("abc");
        env.ctx.session.LedgerNames = {QStringLiteral("Home")};
        if (!UserFiles::writeLedgerList(env.ctx.session.userFolder(), {QStringLiteral("Home")}))
            qWarning("the ledger list could not be written");
        return w;
    }

    // 帳本清單 → 新增 `name` → 開啟; at 套用科目 `seen` looks at the window, then 不要.
    void openNewLedger(const QString& name, const std::function<void(UseForm&)>& seen) {
        env.modal.on<OpenForm>([this, name](OpenForm& list) {
            env.prompts.answerText(name);
            QTest::mouseClick(list.Cmd5, Qt::LeftButton);
            QTest::mouseClick(list.Cmd1, Qt::LeftButton);
            return list.result();
        });
        env.modal.on<UseForm>([seen](UseForm& apply) {
            seen(apply);
            QTest::mouseClick(apply.Command2, Qt::LeftButton);
            return apply.result();
        });
        form->File_SetDataBase->trigger();
    }

    // 設定預算 for the listed account (現金): December's budget typed, then 完成.
    void budgetDecember(const QString& amount) {
        env.modal.on<BudgetForm>([amount](BudgetForm& d) {
            QLineEdit* december = d.Text1[12];
            december->setFocus();
            december->selectAll();
            QTest::keyClicks(december, amount);
            QTest::mouseClick(d.Command1, Qt::LeftButton);
            return d.result();
        });
        form->MenuTools2_Budget->trigger();
    }

    // The first entry of the list selected with a click and deleted with the Delete key.
    void deleteFirstListedEntry() {
        QTreeView* list = form->Liv1;
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, row(0).rect().center());
        env.prompts.answer(Prompts::Answer::Yes);
        QTest::keyClick(list, Qt::Key_Delete);
    }
};

// The month start typed into 日期相關 as a user types it: the old text selected and replaced.
void typeMonthStart(SetForm& s, const QString& day) {
    s.Text2->setFocus();
    s.Text2->selectAll();
    QTest::keyClicks(s.Text2, day);
}

bool mentions(const QStringList& shown, const QString& text) {
    return shown.join(u'\n').contains(text);
}

} // namespace

class ReportBindingTest : public QObject {
    Q_OBJECT
private slots:
    // 帳號 → 登出: when the login window shows, no window shows the figures of the user who
    // left.
    void logoutClosesTheLedgersWindows() {
        BoundFixture f;
        MainForm& w = f.showWithUsers();
        QWidget* statements = OpenLedgerWindow(w, QStringLiteral("statements"));
        QWidget* yearly = OpenLedgerWindow(w, QStringLiteral("yearly"));
        QVERIFY(OpenLedgerWindow(w, QStringLiteral("journal")));
        QVERIFY(statements && yearly);
        QVERIFY(mentions(LedgerWindowFigures(statements), QStringLiteral("42,223")));
        QCOMPARE(ShownLedgerWindows(w), QStringList({"DiaryForm", "IBSForm", "YearForm"}));

        QStringList shownAtLogin = {QStringLiteral("<no login window>")};
        f.env.modal.on<LoginForm>([&](LoginForm& login) {
            shownAtLogin = ShownLedgerWindows(w);
            login.cmdCancel->click();
            return login.result();
        });
        w.User_Logout->trigger();
        QCOMPARE(shownAtLogin, QStringList());
        DeleteClosedWindows();
        QVERIFY(!w.findChild<IBSForm*>());
        QCOMPARE(ShownLedgerWindows(w), QStringList());
    }

    // 帳本清單 → 新增 測試 → 開啟, 不要 at 套用科目: the windows of Home are gone before the
    // new ledger is read, and the menu then opens windows of their own over the new ledger.
    void openingAnotherLedgerClosesTheWindowsOfTheOld() {
        BoundFixture f;
        MainForm& w = f.showWithUsers();
        const QPointer<QWidget> oldStatements = OpenLedgerWindow(w, QStringLiteral("statements"));
        const QPointer<QWidget> oldYearly = OpenLedgerWindow(w, QStringLiteral("yearly"));
        QVERIFY(oldStatements && oldYearly);
        QCOMPARE(ShownLedgerWindows(w), QStringList({"IBSForm", "YearForm"}));

        QStringList shownAtApply = {QStringLiteral("<no 套用科目 window>")};
        f.openNewLedger(QStringLiteral("測試"),
                        [&](UseForm&) { shownAtApply = ShownLedgerWindows(w); });
        QCOMPARE(f.env.ctx.session.LedgerName, QStringLiteral("測試"));
        QCOMPARE(shownAtApply, QStringList());
        QCOMPARE(ShownLedgerWindows(w), QStringList());

        QWidget* statements = OpenLedgerWindow(w, QStringLiteral("statements"));
        QWidget* yearly = OpenLedgerWindow(w, QStringLiteral("yearly"));
        QVERIFY(statements && statements != oldStatements);
        QVERIFY(yearly && yearly != oldYearly);
        QCOMPARE(ShownLedgerWindows(w), QStringList({"IBSForm", "YearForm"}));
        const QStringList fresh = LedgerWindowFigures(statements) + LedgerWindowFigures(yearly);
        QVERIFY(!mentions(fresh, QStringLiteral("銀行甲")));
        QVERIFY(!mentions(fresh, QStringLiteral("42,223")));
        DeleteClosedWindows();
        QVERIFY(!oldStatements && !oldYearly);
    }

    // The 套用科目 window belongs to the main window and opens over its middle.
    void applyWindowOverTheMainWindow() {
        BoundFixture f;
        MainForm& w = f.showWithUsers();
        QWidget* owner = nullptr;
        QPoint middle;
        f.openNewLedger(QStringLiteral("測試"), [&](UseForm& apply) {
            owner = apply.parentWidget() ? apply.parentWidget()->window() : nullptr;
            middle = apply.frameGeometry().center();
        });
        QCOMPARE(owner, &w);
        const QPoint mainMiddle = w.frameGeometry().center();
        QVERIFY2((middle - mainMiddle).manhattanLength() <= 2,
                 qPrintable(QStringLiteral("套用科目 centred at %1,%2, the main window at %3,%4")
                                .arg(middle.x())
                                .arg(middle.y())
                                .arg(mainMiddle.x())
                                .arg(mainMiddle.y())));
    }

    // An open window shows after each change what the same window opened afresh shows: the
    // statements over the period of the month chooser as the options now make it.
    void openWindowFollowsChanges_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("change");
        for (const char* window : {"statements", "yearly"}) {
            for (const char* change : {"delete", "future", "monthStart"})
                QTest::addRow("%s %s", window, change) << window << change;
        }
        // Only the yearly window shows budgets.
        QTest::newRow("yearly budget") << "yearly"
                                       << "budget";
    }

    void openWindowFollowsChanges() {
        QFETCH(QString, window);
        QFETCH(QString, change);
        BoundFixture f;
        MainForm& w = f.show();
        QPointer<QWidget> open = OpenLedgerWindow(w, window);
        QVERIFY(open);
        const QStringList before = LedgerWindowFigures(open);

        if (change == u"delete") {
            f.deleteFirstListedEntry();
            QCOMPARE(f.env.ctx.ledger.EntryCount, 3);
        } else if (change == u"future") {
            ChangeGeneralSettings(f.env, w, QStringLiteral("日期相關"),
                                  [](SetForm& s) { ClickCheckBox(s.Check9); });
            QCOMPARE(f.env.ctx.session.Setting.AftState, QStringLiteral("0"));
        } else if (change == u"monthStart") {
            ChangeGeneralSettings(f.env, w, QStringLiteral("日期相關"),
                                  [](SetForm& s) { typeMonthStart(s, QStringLiteral("5")); });
            QCOMPARE(f.env.ctx.session.Setting.DayState, QStringLiteral("5"));
        } else {
            f.budgetDecember(QStringLiteral("500"));
            QCOMPARE(f.env.ctx.ledger.Accounts[1].Budget[12].value(), 50000.0);
        }
        const QStringList shown = LedgerWindowFigures(open);
        QVERIFY(shown != before);

        open->close();
        DeleteClosedWindows();
        QVERIFY(!open);
        QCOMPARE(LedgerWindowFigures(OpenLedgerWindow(w, window)), shown);
    }

    // The chosen period's figures: the dinner and the booking count 1,334 in December while
    // future entries count, 1,234 without them; from the 5th, December runs to 2027/01/04.
    void statementsOfTheChosenPeriod() {
        BoundFixture f;
        MainForm& w = f.show();
        auto* s = qobject_cast<IBSForm*>(OpenLedgerWindow(w, QStringLiteral("statements")));
        QVERIFY(s);
        QVERIFY(mentions(LedgerWindowFigures(s), QStringLiteral("餐飲費|1,334|")));

        ChangeGeneralSettings(f.env, w, QStringLiteral("日期相關"),
                              [](SetForm& set) { ClickCheckBox(set.Check9); });
        QVERIFY(mentions(LedgerWindowFigures(s), QStringLiteral("餐飲費|1,234|")));

        ChangeGeneralSettings(f.env, w, QStringLiteral("日期相關"), [](SetForm& set) {
            ClickCheckBox(set.Check9);
            typeMonthStart(set, QStringLiteral("5"));
        });
        QCOMPARE(s->DTPicker3->text(), QStringLiteral("2026/12/05"));
        QCOMPARE(s->DTPicker2->text(), QStringLiteral("2027/01/04"));
        QVERIFY(mentions(LedgerWindowFigures(s), QStringLiteral("餐飲費|100|")));
    }

    // Dates set by hand in the pickers and shown with 顯示 stay after a change of the
    // options and of the entries; the figures of those dates are counted anew.
    void datesSetByHandStay() {
        BoundFixture f;
        MainForm& w = f.show();
        auto* s = qobject_cast<IBSForm*>(OpenLedgerWindow(w, QStringLiteral("statements")));
        QVERIFY(s);
        QTest::mouseClick(s->TabStrip1, Qt::LeftButton, {}, s->TabStrip1->tabRect(1).center());
        s->DTPicker3->setDate(QDate(2026, 12, 2));
        s->DTPicker2->setDate(QDate(2026, 12, 31));
        QTest::mouseClick(s->Cmd4, Qt::LeftButton);
        QVERIFY(mentions(LedgerWindowFigures(s), QStringLiteral("餐飲費|1,334|")));

        ChangeGeneralSettings(f.env, w, QStringLiteral("日期相關"),
                              [](SetForm& set) { typeMonthStart(set, QStringLiteral("5")); });
        f.deleteFirstListedEntry(); // the main window's December starts on the 5th: the booking
        QCOMPARE(s->DTPicker3->text(), QStringLiteral("2026/12/02"));
        QCOMPARE(s->DTPicker2->text(), QStringLiteral("2026/12/31"));
        QVERIFY2(mentions(LedgerWindowFigures(s), QStringLiteral("餐飲費|1,234|")),
                 qPrintable(LedgerWindowFigures(s).join(u'\n')));
    }
};

QTEST_MAIN(ReportBindingTest)
#include "tst_reportbinding.moc"
