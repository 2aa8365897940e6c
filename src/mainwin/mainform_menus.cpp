// The whole menu bar, the three pop-up menus and the toolbar of the main window.
#include "mainwin/mainform_menus.h"

#include <QAction>
#include <QHash>
#include <QIcon>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QToolButton>

#include "windowparts/colourtable.h"

namespace {

QAction* item(QMenu* menu, const char* name, const QString& caption, bool checkable = false) {
    auto* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    action->setCheckable(checkable);
    return action;
}

QMenu* submenu(QWidget* parent, const char* name, const QString& title) {
    auto* menu = new QMenu(title, parent);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

QMenu* barMenu(QMenuBar* bar, const char* name, const QString& title) {
    QMenu* menu = bar->addMenu(title);
    menu->setObjectName(QString::fromLatin1(name));
    return menu;
}

// The six field-clearing check items of one submenu, named prefix + Date / Type1..Type5.
void clearItems(QMenu* menu, const char* prefix, std::array<QAction**, 6> targets) {
    static const char* const suffixes[] = {"Date", "Type1", "Type2", "Type3", "Type4", "Type5"};
    static const char16_t* const captions[] = {u"日期 (設為今日)", u"金額", u"明細", u"備註",
                                               u"發票號碼",        u"顏色"};
    for (int i = 0; i < 6; ++i) {
        const QByteArray name = QByteArray(prefix) + suffixes[i];
        *targets[size_t(i)] = item(menu, name.constData(), QString::fromUtf16(captions[i]), true);
    }
}

} // namespace

QAction* MainFormMenus::ToolbarButton(int n) const {
    if (n < 1 || n > m_toolbarButtons.size()) return nullptr;
    return m_toolbarButtons[n - 1];
}

QList<QAction*> MainFormMenus::clearingChecks() const {
    QList<QAction*> items;
    for (QAction* a : newClearItems())
        items.append(a);
    for (QAction* a : copyClearItems())
        items.append(a);
    return items;
}

std::array<QAction*, 6> MainFormMenus::newClearItems() const {
    return {NewClear_Date,  NewClear_Type1, NewClear_Type2,
            NewClear_Type3, NewClear_Type4, NewClear_Type5};
}

std::array<QAction*, 6> MainFormMenus::copyClearItems() const {
    return {CopyClear_Date,  CopyClear_Type1, CopyClear_Type2,
            CopyClear_Type3, CopyClear_Type4, CopyClear_Type5};
}

QAction* MainFormMenus::setColorItem(int index) const {
    const std::array<QAction*, 10> items = {SetColor_0, SetColor_1, SetColor_2, SetColor_3,
                                            SetColor_4, SetColor_5, SetColor_6, SetColor_7,
                                            SetColor_8, SetColor_9};
    return index >= 0 && index < 10 ? items[size_t(index)] : nullptr;
}

void MainFormMenus::buildMenus(QMainWindow* window) {
    QMenuBar* bar = window->menuBar();

    Menu_DataBase = barMenu(bar, "Menu_DataBase", QStringLiteral("檔案(&F)"));
    Menu_File = Menu_DataBase;
    File_SetDataBase = item(Menu_DataBase, "File_SetDataBase", QStringLiteral("帳本清單(&D)"));
    File_Save = item(Menu_DataBase, "File_Save", QStringLiteral("儲存資料(&S)"));
    File_Save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    Menu_DataBase->addSeparator();
    File_Add = item(Menu_DataBase, "File_Add", QStringLiteral("合併帳本(A)"));
    File_Export = item(Menu_DataBase, "File_Export", QStringLiteral("匯出目前科目(E)"));
    Menu_DataBase->addSeparator();
    File_Quit = item(Menu_DataBase, "File_Quit", QStringLiteral("結束(&Q)"));

    Menu_Data = barMenu(bar, "Menu_Data", QStringLiteral("記錄(&D)"));
    Data_New = item(Menu_Data, "Data_New", QStringLiteral("新增記錄(&N)"));
    Data_NewClear =
        submenu(Menu_Data, "Data_NewClear", QStringLiteral("使用右鍵選單新增記錄時清空欄位"));
    Menu_Data->addMenu(Data_NewClear);
    clearItems(Data_NewClear, "NewClear_",
               {&NewClear_Date, &NewClear_Type1, &NewClear_Type2, &NewClear_Type3, &NewClear_Type4,
                &NewClear_Type5});
    Data_CopyClear =
        submenu(Menu_Data, "Data_CopyClear", QStringLiteral("使用右鍵選單複製記錄時略過欄位"));
    Menu_Data->addMenu(Data_CopyClear);
    clearItems(Data_CopyClear, "CopyClear_",
               {&CopyClear_Date, &CopyClear_Type1, &CopyClear_Type2, &CopyClear_Type3,
                &CopyClear_Type4, &CopyClear_Type5});
    Data_Del = item(Menu_Data, "Data_Del", QStringLiteral("刪除記錄(&D)"));
    Data_Clear = item(Menu_Data, "Data_Clear", QStringLiteral("以條件刪除記錄(&C)"));
    Menu_Data->addSeparator();
    Data_Fixure = item(Menu_Data, "Data_Fixure", QStringLiteral("定期記錄(&F)"));
    Menu_Data->addSeparator();
    Data_Payoff = item(Menu_Data, "Data_Payoff", QStringLiteral("結帳(&P)"));

    Menu_Set = barMenu(bar, "Menu_Set", QStringLiteral("設定(&S)"));
    Set_Acc = item(Menu_Set, "Set_Acc", QStringLiteral("科目設定(&A)"));
    Set_Note = item(Menu_Set, "Set_Note", QStringLiteral("明細設定(&N)"));
    Menu_Set->addSeparator();
    Set_General = item(Menu_Set, "Set_General", QStringLiteral("一般設定(&G)"));

    Menu_Statement = barMenu(bar, "Menu_Statement", QStringLiteral("財務報表(&S)"));
    Statement_IBS = item(Menu_Statement, "Statement_IBS", QStringLiteral("財務報表(&I)"));
    Menu_Statement->addSeparator();
    Statement_Year = item(Menu_Statement, "Statement_Year", QStringLiteral("整年度報表(&Y)"));
    Statement_Budget = item(Menu_Statement, "Statement_Budget", QStringLiteral("預算表(&B)"));
    Statement_IE = item(Menu_Statement, "Statement_IE", QStringLiteral("每日收支(&E)"));
    Menu_Statement->addSeparator();
    Statement_Note = item(Menu_Statement, "Statement_Note", QStringLiteral("記錄總覽(&N)"));

    Menu_User = barMenu(bar, "Menu_User", QStringLiteral("帳號(&U)"));
    User_ChanegUserName =
        item(Menu_User, "User_ChanegUserName", QStringLiteral("變更帳號名稱(&U)"));
    User_ChanegPassword = item(Menu_User, "User_ChanegPassword", QStringLiteral("變更密碼(&P)"));
    Menu_User->addSeparator();
    User_Logout = item(Menu_User, "User_Logout", QStringLiteral("登出(&O)"));

    Menu_Tools = barMenu(bar, "Menu_Tools", QStringLiteral("工具(&T)"));
    Tools_Download = item(Menu_Tools, "Tools_Download", QStringLiteral("下載記帳資料(&D)"));
    Menu_Tools->addSeparator();
    Tools_Note = item(Menu_Tools, "Tools_Note", QStringLiteral("備忘錄(&N)"));
    Tools_Number = item(Menu_Tools, "Tools_Number", QStringLiteral("統一發票對獎(&P)"));
    Tools_NumberList = item(Menu_Tools, "Tools_NumberList", QStringLiteral("發票清單(&L)"));
    Tools_Calc = item(Menu_Tools, "Tools_Calc", QStringLiteral("小算盤(&C)"));

    Menu_View = barMenu(bar, "Menu_View", QStringLiteral("檢視(&V)"));
    View_Add = item(Menu_View, "View_Add", QStringLiteral("子科目金額加總至父科目 (科目欄)"), true);
    View_Show =
        item(Menu_View, "View_Show", QStringLiteral("子科目記錄顯示在父科目中 (僅收支科目)"), true);
    Menu_View->addSeparator();
    View_Today = item(Menu_View, "View_Today", QStringLiteral("今日收支"), true);
    View_Yesterday = item(Menu_View, "View_Yesterday", QStringLiteral("昨日收支"), true);
    View_Balance = item(Menu_View, "View_Balance", QStringLiteral("收支結餘"), true);
    Menu_View->addSeparator();
    View_Budget = item(Menu_View, "View_Budget", QStringLiteral("顯示所選科目預算"), true);
    View_BudgetI = item(Menu_View, "View_BudgetI", QStringLiteral("顯示收入總和預算"), true);
    View_BudgetE = item(Menu_View, "View_BudgetE", QStringLiteral("顯示支出總和預算"), true);

    Menu_Help = barMenu(bar, "Menu_Help", QStringLiteral("說明(&H)"));
    Help_Chm = item(Menu_Help, "Help_Chm", QStringLiteral("使用說明(&H)"));
    Menu_Help->addSeparator();
    Help_Web = item(Menu_Help, "Help_Web", QStringLiteral("Qivo 網站(&W)"));
    Help_Facebook = item(Menu_Help, "Help_Facebook", QStringLiteral("Qivo FB專頁(&F)"));
    Menu_Help->addSeparator();
    Help_About = item(Menu_Help, "Help_About", QStringLiteral("關於Qivoka(&A)"));

    // A bar item without a submenu: triggering it runs the calendar command.
    Menu_Date = bar->addAction(QStringLiteral("日期"));
    Menu_Date->setObjectName(QStringLiteral("Menu_Date"));

    // Pop-up menus, never in the bar.
    Menu_MenuTools = submenu(window, "Menu_MenuTools", QStringLiteral("功能1"));
    MenuTools_New = item(Menu_MenuTools, "MenuTools_New", QStringLiteral("新增(&N)"));
    MenuTools_Edit = item(Menu_MenuTools, "MenuTools_Edit", QStringLiteral("編輯(&E)"));
    MenuTools_Copy = item(Menu_MenuTools, "MenuTools_Copy", QStringLiteral("複製(&C)"));
    MenuTools_Del = item(Menu_MenuTools, "MenuTools_Del", QStringLiteral("刪除(&D)"));
    Menu_MenuTools->addSeparator();
    MenuTools_SetColor = submenu(Menu_MenuTools, "MenuTools_SetColor", QStringLiteral("設定顏色"));
    Menu_MenuTools->addMenu(MenuTools_SetColor);
    {
        QAction** targets[ColourTable::Count] = {&SetColor_0, &SetColor_1, &SetColor_2, &SetColor_3,
                                                 &SetColor_4, &SetColor_5, &SetColor_6, &SetColor_7,
                                                 &SetColor_8, &SetColor_9};
        for (int i = 0; i < ColourTable::Count; ++i) {
            const QByteArray name = "SetColor_" + QByteArray::number(i);
            *targets[i] = item(MenuTools_SetColor, name.constData(), ColourTable::name(i));
        }
    }
    MenuTools_Jump = item(Menu_MenuTools, "MenuTools_Jump", QStringLiteral("切換至另一個科目"));
    MenuTools_Search =
        submenu(Menu_MenuTools, "MenuTools_Search", QStringLiteral("以此筆記錄作搜尋"));
    Menu_MenuTools->addMenu(MenuTools_Search);
    MenuTools_Search1 = item(MenuTools_Search, "MenuTools_Search1", QStringLiteral("明細"));
    MenuTools_Search2 = item(MenuTools_Search, "MenuTools_Search2", QStringLiteral("備註"));
    MenuTools_SetFixure =
        item(Menu_MenuTools, "MenuTools_SetFixure", QStringLiteral("以此筆記錄來設定定期紀錄"));
    MenuTools_Cal = item(Menu_MenuTools, "MenuTools_Cal", QStringLiteral("計算選擇記錄的金額"));
    Menu_MenuTools->addSeparator();
    MenuTools_Up = item(Menu_MenuTools, "MenuTools_Up", QStringLiteral("上移"));
    MenuTools_Down = item(Menu_MenuTools, "MenuTools_Down", QStringLiteral("下移"));
    Menu_MenuTools->addSeparator();
    MenuTools_Refresh = item(Menu_MenuTools, "MenuTools_Refresh", QStringLiteral("重新整理"));

    Menu_MenuTools2 = submenu(window, "Menu_MenuTools2", QStringLiteral("功能2"));
    MenuTools2_New = item(Menu_MenuTools2, "MenuTools2_New", QStringLiteral("新增記錄(&N)"));
    MenuTools2_Budget = item(Menu_MenuTools2, "MenuTools2_Budget", QStringLiteral("設定預算(&B)"));
    MenuTools2_Open = item(Menu_MenuTools2, "MenuTools2_Open", QStringLiteral("全部展開"));
    MenuTools2_Close = item(Menu_MenuTools2, "MenuTools2_Close", QStringLiteral("全部閉合"));

    Menu_ST = submenu(window, "Menu_ST", QStringLiteral("工作列"));
    ST_Open = item(Menu_ST, "ST_Open", QStringLiteral("開啟"));

    // Toolbar: icons only, the tooltip is the button's text.
    Toolbar1 = new QToolBar(window);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    Toolbar1->setIconSize(QSize(24, 24));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    Toolbar1->setContextMenuPolicy(Qt::PreventContextMenu);
    window->addToolBar(Qt::TopToolBarArea, Toolbar1);

    struct Button {
        const char16_t* tip; // nullptr: separator
        QStyle::StandardPixmap icon;
    };
    static const Button buttons[ToolbarPositions] = {
        {nullptr, {}},
        {u"帳本清單", QStyle::SP_DirOpenIcon},
        {u"儲存資料", QStyle::SP_DialogSaveButton},
        {nullptr, {}},
        {u"新增記錄", QStyle::SP_FileIcon},
        {u"刪除記錄", QStyle::SP_TrashIcon},
        {u"定期記錄", QStyle::SP_BrowserReload},
        {nullptr, {}},
        {u"科目設定", QStyle::SP_FileDialogDetailedView},
        {u"明細設定", QStyle::SP_FileDialogListView},
        {u"一般設定", QStyle::SP_ComputerIcon},
        {nullptr, {}},
        {u"財務報表", QStyle::SP_FileDialogContentsView},
        {u"整年度報表", QStyle::SP_FileDialogInfoView},
        {u"預算表", QStyle::SP_DriveHDIcon},
        {u"記錄總覽", QStyle::SP_FileDialogStart},
        {nullptr, {}},
        {u"下載記帳資料", QStyle::SP_ArrowDown},
        {u"備忘錄", QStyle::SP_MessageBoxInformation},
        {u"統一發票對獎", QStyle::SP_DialogApplyButton},
        {u"小算盤", QStyle::SP_DesktopIcon},
        {nullptr, {}},
        {u"上移", QStyle::SP_ArrowUp},
        {u"下移", QStyle::SP_ArrowDown},
        {nullptr, {}},
        {u"使用說明", QStyle::SP_DialogHelpButton},
        {u"關於Qivo", QStyle::SP_MessageBoxQuestion},
    };
    QStyle* style = window->style();
    QHash<int, QIcon> icons; // a standard image two buttons share is made once
    m_toolbarButtons.clear();
    for (int position = 1; position <= ToolbarPositions; ++position) {
        const Button& b = buttons[position - 1];
        QAction* action = nullptr;
        if (!b.tip) {
            action = Toolbar1->addSeparator();
        } else {
            const QString tip = QString::fromUtf16(b.tip);
            auto icon = icons.find(b.icon);
            if (icon == icons.end()) icon = icons.insert(b.icon, style->standardIcon(b.icon));
            action = Toolbar1->addAction(*icon, tip);
            action->setToolTip(tip);
        }
        action->setObjectName(QStringLiteral("Toolbar1_Button%1").arg(position));
        m_toolbarButtons.append(action);
    }

    Toolbar1Button6Menu = submenu(window, "Toolbar1_Button6Menu", QString());
    Toolbar1Button6Item1 =
        item(Toolbar1Button6Menu, "Toolbar1_ButtonMenu1", QStringLiteral("刪除記錄"));
    Toolbar1Button6Item2 =
        item(Toolbar1Button6Menu, "Toolbar1_ButtonMenu2", QStringLiteral("以條件刪除記錄"));
    ToolbarButton(6)->setMenu(Toolbar1Button6Menu);
    if (auto* button = qobject_cast<QToolButton*>(Toolbar1->widgetForAction(ToolbarButton(6))))
        button->setPopupMode(QToolButton::MenuButtonPopup);

    // A freshly built window has nothing unsaved.
    ToolbarButton(3)->setEnabled(false);
}
