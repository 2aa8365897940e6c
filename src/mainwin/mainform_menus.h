#pragma once
#include <QList>
#include <QString>
#include <array>

class QAction;
class QDate;
class QMainWindow;
class QMenu;
class QToolBar;

// Every menu, submenu and action of the main window's menu bar, its three pop-up menus and
// its toolbar, under their control names (also their object names). MainForm inherits these
// members and calls buildMenus(this) once in its constructor; the handlers are connected by
// MainForm::connectCommands.
struct MainFormMenus {
    // 檔案(&F)
    QMenu* Menu_DataBase = nullptr;
    QMenu* Menu_File = nullptr; // the same menu as Menu_DataBase
    QAction* File_SetDataBase = nullptr;
    QAction* File_Save = nullptr;
    QAction* File_Add = nullptr;
    QAction* File_Export = nullptr;
    QAction* File_Quit = nullptr;

    // 記錄(&D), with the two submenus of field-clearing check items
    QMenu* Menu_Data = nullptr;
    QAction* Data_New = nullptr;
    QMenu* Data_NewClear = nullptr;
    QMenu* Data_CopyClear = nullptr;
    QAction* NewClear_Date = nullptr;
    QAction* NewClear_Type1 = nullptr;
    QAction* NewClear_Type2 = nullptr;
    QAction* NewClear_Type3 = nullptr;
    QAction* NewClear_Type4 = nullptr;
    QAction* NewClear_Type5 = nullptr;
    QAction* CopyClear_Date = nullptr;
    QAction* CopyClear_Type1 = nullptr;
    QAction* CopyClear_Type2 = nullptr;
    QAction* CopyClear_Type3 = nullptr;
    QAction* CopyClear_Type4 = nullptr;
    QAction* CopyClear_Type5 = nullptr;
    QAction* Data_Del = nullptr;
    QAction* Data_Clear = nullptr;
    QAction* Data_Fixure = nullptr;
    QAction* Data_Payoff = nullptr;

    // 設定(&S)
    QMenu* Menu_Set = nullptr;
    QAction* Set_Acc = nullptr;
    QAction* Set_Note = nullptr;
    QAction* Set_General = nullptr;

    // 財務報表(&S)
    QMenu* Menu_Statement = nullptr;
    QAction* Statement_IBS = nullptr;
    QAction* Statement_Year = nullptr;
    QAction* Statement_Budget = nullptr;
    QAction* Statement_IE = nullptr;
    QAction* Statement_Note = nullptr;

    // 帳號(&U)
    QMenu* Menu_User = nullptr;
    QAction* User_ChanegUserName = nullptr;
    QAction* User_ChanegPassword = nullptr;
    QAction* User_Logout = nullptr;

    // 工具(&T)
    QMenu* Menu_Tools = nullptr;
    QAction* Tools_Download = nullptr;
    QAction* Tools_Note = nullptr;
    QAction* Tools_Number = nullptr;
    QAction* Tools_NumberList = nullptr;
    QAction* Tools_Calc = nullptr;

    // 檢視(&V): two check items and two groups of three (not exclusive: stored settings may
    // check two of a group, and the view handlers set the marks themselves).
    QMenu* Menu_View = nullptr;
    QAction* View_Add = nullptr;
    QAction* View_Show = nullptr;
    QAction* View_Today = nullptr;
    QAction* View_Yesterday = nullptr;
    QAction* View_Balance = nullptr;
    QAction* View_Budget = nullptr;
    QAction* View_BudgetI = nullptr;
    QAction* View_BudgetE = nullptr;

    // 說明(&H)
    QMenu* Menu_Help = nullptr;
    QAction* Help_Chm = nullptr;
    QAction* Help_Web = nullptr;
    QAction* Help_Facebook = nullptr;
    QAction* Help_About = nullptr;

    // Last item of the bar, without a submenu: its text is today's date (dateMenuCaption),
    // triggering it opens the calendar.
    QAction* Menu_Date = nullptr;
    // "yyyy/mm/dd (星期X)" with X the weekday character, 日 for Sunday.
    static QString dateMenuCaption(const QDate& date);

    // 功能1: context menu of the entry list
    QMenu* Menu_MenuTools = nullptr;
    QAction* MenuTools_New = nullptr;
    QAction* MenuTools_Edit = nullptr;
    QAction* MenuTools_Copy = nullptr;
    QAction* MenuTools_Del = nullptr;
    QMenu* MenuTools_SetColor = nullptr;
    QAction* SetColor_0 = nullptr;
    QAction* SetColor_1 = nullptr;
    QAction* SetColor_2 = nullptr;
    QAction* SetColor_3 = nullptr;
    QAction* SetColor_4 = nullptr;
    QAction* SetColor_5 = nullptr;
    QAction* SetColor_6 = nullptr;
    QAction* SetColor_7 = nullptr;
    QAction* SetColor_8 = nullptr;
    QAction* SetColor_9 = nullptr;
    QAction* MenuTools_Jump = nullptr;
    QMenu* MenuTools_Search = nullptr;
    QAction* MenuTools_Search1 = nullptr;
    QAction* MenuTools_Search2 = nullptr;
    QAction* MenuTools_SetFixure = nullptr;
    QAction* MenuTools_Cal = nullptr;
    QAction* MenuTools_Up = nullptr;
    QAction* MenuTools_Down = nullptr;
    QAction* MenuTools_Refresh = nullptr;

    // 功能2: context menu of the account tree
    QMenu* Menu_MenuTools2 = nullptr;
    QAction* MenuTools2_New = nullptr;
    QAction* MenuTools2_Budget = nullptr;
    QAction* MenuTools2_Open = nullptr;
    QAction* MenuTools2_Close = nullptr;

    // 工作列: menu of the notification-area icon
    QMenu* Menu_ST = nullptr;
    QAction* ST_Open = nullptr;

    // Toolbar: positions 1 to 27, separators included. Button 3's enabled state is the
    // unsaved-changes flag; button 6 has a drop-down of two items.
    static constexpr int ToolbarPositions = 27;
    QToolBar* Toolbar1 = nullptr;
    // Toolbar buttons by their number, from 1 (separators count as buttons); nullptr outside.
    QAction* ToolbarButton(int n) const;
    QMenu* Toolbar1Button6Menu = nullptr;
    QAction* Toolbar1Button6Item1 = nullptr; // "刪除記錄"
    QAction* Toolbar1Button6Item2 = nullptr; // "以條件刪除記錄"

    // The twelve field-clearing check items in their settings order (NewClear_* then CopyClear_*).
    QList<QAction*> clearingChecks() const;
    // The six items of one submenu, 日期 first.
    std::array<QAction*, 6> newClearItems() const;
    std::array<QAction*, 6> copyClearItems() const;
    // SetColor_0 … SetColor_9 by index; nullptr outside 0..9.
    QAction* setColorItem(int index) const;

    // Creates the menus and the toolbar of the window, with their captions.
    void buildMenus(QMainWindow* window);

protected:
    QList<QAction*> m_toolbarButtons; // index 0 is button 1
};
