// Menu bar and toolbar commands of the main window itself.
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <QtTest>

#include "commandsfixture.h"
#include "entry/inputform.h"

class TestMenu : public QObject {
    Q_OBJECT
private slots:
    void toolbarPositions();
    void saveClearsTheFlagsOnlyOnSuccess();
    void saveFailureKeepsTheFlags();
    void saveShortcutIsCtrlS();
    void clearingItemsToggleAndStartUnchecked();
    void calculatorAndHelpPages();
    void everyCommandAvailable();
    void afterTheDownload();
    void colourNamesInMenuAndEntryWindow();
};

// The context menu's colour items and the entry window's colour list name the same ten
// colours in index order.
void TestMenu::colourNamesInMenuAndEntryWindow() {
    CommandsFixture f;
    f.accounts();
    MainForm& w = f.open(QString());
    const QStringList names = {"黑色", "藍色", "紅色",   "綠色",   "橘色",
                               "紫色", "灰色", "天藍色", "淺綠色", "淡黃色"};
    QStringList captions;
    QStringList objectNames;
    for (QAction* a : w.MenuTools_SetColor->actions()) {
        captions << a->text();
        objectNames << a->objectName();
    }
    QCOMPARE(captions, names);
    QCOMPARE(objectNames.first(), QStringLiteral("SetColor_0"));
    QCOMPARE(objectNames.last(), QStringLiteral("SetColor_9"));
    QCOMPARE(w.setColorItem(7), w.MenuTools_SetColor->actions().at(7));

    InputForm form(f.env.ctx, w, &w);
    QStringList listed;
    for (int i = 0; i < form.ColorCombo->count(); ++i)
        listed << form.ColorCombo->itemText(i);
    QCOMPARE(listed, names);
}

void TestMenu::toolbarPositions() {
    CommandsFixture f;
    f.accounts();
    MainForm& w = f.open(QString());
    QCOMPARE(w.Toolbar1->actions().size(), MainFormMenus::ToolbarPositions);
    const QList<int> separators = {1, 4, 8, 12, 17, 22, 25};
    for (int n = 1; n <= MainFormMenus::ToolbarPositions; ++n)
        QCOMPARE(w.ToolbarButton(n)->isSeparator(), separators.contains(n));
    QCOMPARE(w.ToolbarButton(3)->toolTip(), QStringLiteral("儲存資料"));
    QCOMPARE(w.ToolbarButton(6)->toolTip(), QStringLiteral("刪除記錄"));
    QCOMPARE(w.ToolbarButton(27)->toolTip(), QStringLiteral("關於Qivo"));
    QVERIFY(!w.ToolbarButton(0));
    QVERIFY(!w.ToolbarButton(28));
    // Button 6 carries the two-item drop-down.
    auto* six = qobject_cast<QToolButton*>(w.Toolbar1->widgetForAction(w.ToolbarButton(6)));
    QVERIFY(six);
    QCOMPARE(six->popupMode(), QToolButton::MenuButtonPopup);
    QStringList items;
    for (QAction* a : w.ToolbarButton(6)->menu()->actions())
        items << a->text();
    QCOMPARE(items, QStringList({"刪除記錄", "以條件刪除記錄"}));
    // A new window has nothing unsaved.
    QVERIFY(!w.ToolbarButton(3)->isEnabled());
}

void TestMenu::saveClearsTheFlagsOnlyOnSuccess() {
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "午餐");
    MainForm& w = f.open("A-現金");
    Ledger& l = f.env.ctx.ledger;
    l.AccountsChanged = l.DetailTextsChanged = l.QuickEntriesChanged = l.RecurringChanged = true;
    l.TreeStateChanged = true;
    w.SetLedgerChanged(true);

    w.ToolbarButton(3)->trigger();

    QVERIFY(QFile::exists(f.env.ctx.session.ledgerFolder() + "Main.qvd"));
    QVERIFY(!w.LedgerChanged());
    QVERIFY(!w.ToolbarButton(3)->isEnabled());
    QVERIFY(!l.AccountsChanged && !l.DetailTextsChanged && !l.QuickEntriesChanged &&
            !l.RecurringChanged);
    QVERIFY(l.TreeStateChanged); // written when the ledger is left

    // With nothing changed the files are still rewritten; the button stays disabled.
    QFile::remove(f.env.ctx.session.ledgerFolder() + "Main.qvd");
    w.File_Save->trigger();
    QVERIFY(QFile::exists(f.env.ctx.session.ledgerFolder() + "Main.qvd"));
    QVERIFY(!w.ToolbarButton(3)->isEnabled());
    QVERIFY(f.env.prompts.shown.isEmpty());
}

void TestMenu::saveFailureKeepsTheFlags() {
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "午餐");
    MainForm& w = f.open("A-現金");
    Ledger& l = f.env.ctx.ledger;
    l.AccountsChanged = l.RecurringChanged = true;
    w.SetLedgerChanged(true);
    QVERIFY(QDir(f.env.ctx.session.ledgerFolder()).removeRecursively()); // nowhere to write
    f.env.prompts.answer(Prompts::Answer::No);                           // no second attempt

    w.File_Save->trigger();

    QCOMPARE(f.env.prompts.texts("question"),
             QStringList({QStringLiteral("儲存失敗，請按「是(Y)」再試一次")}));
    QVERIFY(w.LedgerChanged());
    QVERIFY(w.ToolbarButton(3)->isEnabled());
    QVERIFY(l.AccountsChanged && l.RecurringChanged);
}

void TestMenu::saveShortcutIsCtrlS() {
    CommandsFixture f;
    MainForm& w = f.open(QString());
    QCOMPARE(w.File_Save->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
}

void TestMenu::clearingItemsToggleAndStartUnchecked() {
    CommandsFixture f;
    MainForm& w = f.open(QString());
    const QList<QAction*> items = w.clearingChecks();
    QCOMPARE(items.size(), 12);
    for (QAction* item : items) {
        QVERIFY(!item->isChecked());
        item->trigger();
        QVERIFY(item->isChecked());
        item->trigger();
        QVERIFY(!item->isChecked());
    }
    QCOMPARE(items.first()->objectName(), QStringLiteral("NewClear_Date"));
    QCOMPARE(items.last()->objectName(), QStringLiteral("CopyClear_Type5"));
    QCOMPARE(f.env.settings.GetSetting("MainForm", "NewClear_Date", "absent"),
             QStringLiteral("absent"));
}

void TestMenu::calculatorAndHelpPages() {
    CommandsFixture f;
    MainForm& w = f.open(QString());
    w.ToolbarButton(21)->trigger();
    QCOMPARE(f.env.shell.calculatorStarts, 1);
    QVERIFY(f.env.prompts.shown.isEmpty());

    f.env.shell.calculatorResult = false;
    w.Tools_Calc->trigger();
    QCOMPARE(f.env.prompts.texts("warning"), QStringList({"找不到小算盤程式!"}));

    w.Help_Chm->trigger();
    w.ToolbarButton(26)->trigger();
    w.Help_Web->trigger();
    w.Help_Facebook->trigger();
    QCOMPARE(f.env.shell.openedUrls.size(), 4);
    QCOMPARE(f.env.shell.openedUrls[0], f.env.shell.openedUrls[1]);
    QCOMPARE(QSet<QString>(f.env.shell.openedUrls.begin(), f.env.shell.openedUrls.end()).size(), 3);

    f.env.shell.openResult = false; // a page no browser opens is reported with its address
    w.Help_Web->trigger();
    QCOMPARE(f.env.prompts.shown.size(), 2);
    QVERIFY(f.env.prompts.shown.last().text.endsWith(f.env.shell.openedUrls.last()));
}

void TestMenu::everyCommandAvailable() {
    // Every window is built: each item is available and its toolbar button follows it.
    CommandsFixture f;
    MainForm& w = f.open(QString());
    const QList<QPair<QAction*, int>> pairs = {
        {w.File_SetDataBase, 2}, {w.Data_Fixure, 7},       {w.Set_Acc, 9},
        {w.Set_Note, 10},        {w.Set_General, 11},      {w.Statement_IBS, 13},
        {w.Statement_Year, 14},  {w.Statement_Budget, 15}, {w.Statement_Note, 16},
        {w.Tools_Download, 18},  {w.Tools_Note, 19},       {w.Tools_Number, 20},
        {w.Help_About, 27}};
    for (const auto& [item, position] : pairs) {
        QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
        QVERIFY(w.ToolbarButton(position)->isEnabled());
        item->setEnabled(false);
        QVERIFY(!w.ToolbarButton(position)->isEnabled());
    }
    for (QAction* item :
         {w.File_Add, w.File_Export, w.User_ChanegUserName, w.User_ChanegPassword, w.User_Logout})
        QVERIFY2(item->isEnabled(), qPrintable(item->objectName()));
    for (int position : {5, 6, 21, 23, 24, 26})
        QVERIFY(w.ToolbarButton(position)->isEnabled());
}

void TestMenu::afterTheDownload() {
    CommandsFixture f;
    f.accounts();
    f.b.entry("2024/01/02", "E-餐飲費", "A-現金", 100, "一");
    MainForm& w = f.open("A-現金");
    // The download posted two entries while its window was open.
    f.b.entry("2024/01/03", "E-餐飲費", "A-現金", 200, "二");
    f.b.entry("2024/01/04", "E-交通費", "A-現金", 300, "三");

    w.AfterDownload();
    QCOMPARE(f.listedEntries(), QList<int>({1, 2, 3}));
    QCOMPARE(f.selectedEntries(), QList<int>({3}));

    // With a kind root selected only the totals are recomputed.
    f.b.entry("2024/01/05", "E-交通費", "A-現金", 400, "四");
    w.SelectNode(w.NodeByKey("資產"));
    w.AfterDownload();
    QCOMPARE(f.listedEntries(), QList<int>({1, 2, 3}));
    QVERIFY(w.NodeByKey("E-交通費")->text(0).contains("7.00"));
}

QTEST_MAIN(TestMenu)
#include "tst_menu.moc"
