#pragma once
#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <array>
#include <functional>
#include <memory>
#include <vector>

#include "mainwin/mainform_menus.h"
#include "store/ledger.h"
#include "windowparts/mainview.h"

class DiaryForm;
class NumberForm;
class QAction;
class QComboBox;
class QFont;
class QPoint;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QToolButton;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;
class EntryListModel;
class QWidget;
struct AppContext;
struct TreeTotalsCache;
class UsersController;

// Two small arrow buttons beside a box (year arrows, month arrows).
class UpDownArrows;
class IBSForm;
class YearForm;

// The first and last window of a run: account tree, entry list, periods, filters, menus.
// Windows of other folders use it through MainView.
class MainForm : public QMainWindow, public MainFormMenus, public MainView {
    Q_OBJECT
public:
    // Creation: builds the controls, menus and toolbar. The start sequence is Form_Load.
    explicit MainForm(AppContext& ctx, QWidget* parent = nullptr);
    ~MainForm() override;

    AppContext& context() const override { return m_ctx; }
    QWidget& Window() override { return *this; }

    // ---- Start-up --------------------------------------------------------------------
    // The modal login step that ends the start sequence: logs a user in and opens a
    // ledger, or closes the window (cancel). The users window fills it; a test or the
    // program may answer it by opening a named user's ledger directly.
    std::function<void(MainForm&)> LoginStep;
    // The start sequence (folders, settings, stored options, login step).
    void Form_Load();
    // The full-text search hand-over to the journal window (Command4_Click calls it with
    // the filter text); set by the journal once it exists. Until then 全區搜尋 and its
    // Ctrl+Enter key stay disabled.
    void SetJournalSearch(std::function<void(const QString&)> search);
    // True once the close sequence has run to its end (the process is to end).
    bool RunEnded() const { return m_runEnded; }
    // Called when the close sequence ends the run; defaults to quitting the application.
    std::function<void()> EndProcess;

    // ---- Run state (documented names) -----------------------------------------------
    // Entry being edited by InputForm, or the number of selected rows while EditForm is open.
    short SelEdit = 0;
    // Trimmed full name of the account the list shows.
    QString ListedAccount;
    // While nonzero, a change of the period box does nothing.
    short SuppressPeriodClick = 0;
    // Cleared just before the login step, so that an automatic login happens only once.
    bool LoginAttempted = false;
    int EditedEntry() const override { return SelEdit; }
    void ForgetListedAccount() override { ListedAccount.clear(); }
    bool AutoLoginTried() const override { return LoginAttempted; }
    void MarkAutoLoginTried() override { LoginAttempted = true; }

    // ---- Controls (documented names) ------------------------------------------------
    QWidget* Picture1 = nullptr; // backdrop panel (tiles and title banner) holding the controls
    QLineEdit* Text2 = nullptr;  // year of the period, as digits
    UpDownArrows* UpDown1 = nullptr;
    QComboBox* Combo1 = nullptr; // 0 "全部", 1 "整年", 2..13 "01月".."12月"
    UpDownArrows* UpDown2 = nullptr;
    QPushButton* Command2 = nullptr;    // 本月
    QTreeWidget* Trv1 = nullptr;        // account tree; node key in Qt::UserRole of column 0
    QComboBox* Combo2 = nullptr;        // filter box (editable)
    QPushButton* Command1 = nullptr;    // 搜尋
    QPushButton* Command4 = nullptr;    // 全區搜尋
    QTreeView* Liv1 = nullptr;          // entry list, 8 columns; column 8 holds the entry index
    EntryListModel* Liv1Rows = nullptr; // the rows Liv1 shows
    QStatusBar* StatusBar1 = nullptr;
    // Status bar panel n, 1 to 9 (its text is the label's text).
    QLabel* Panel(int n) const;
    QString PanelText(int n) const;
    void SetPanelText(int n, const QString& text) override;
    // A message shown in panel n until the next listing replaces it (budget warnings).
    void DrawPanelText(int n, const QString& text);
    // Lines the panels up from the bar's left edge at their current widths.
    void PlaceStatusPanels();

    // ---- Tree nodes by position and key ---------------------------------------------
    // Positions are 1-based in creation order; 1 to 5 are the kind roots.
    int NodeCount() const override { return int(m_nodes.size()); }
    QTreeWidgetItem* Node(int position) const;
    QTreeWidgetItem* NodeByKey(const QString& key) const;
    static QString NodeKey(const QTreeWidgetItem* node);
    QTreeWidgetItem* SelectedNode() const;
    QString SelectedNodeKey() const override;
    void SelectNode(QTreeWidgetItem* node); // selects without running any handler
    bool IsRootNode(const QTreeWidgetItem* node) const;
    // FindAccountIndex of the selected node's key; 0 for a root, no node or no account.
    int SelectedAccountIndex() const override;
    bool ShowAccountNode(const QString& key) override;
    // Removes every node and row and closes the windows that show the ledger (logout, the
    // opening of a ledger).
    void ClearViews() override;
    bool SelectAccountNode(const QString& key) override;

    // ---- The journal (mainform_journal.cpp) ----------------------------------------------
    // The one journal window of the run; the first touch creates it, which loads it.
    DiaryForm* Diary();
    // The journal when it is open, else nullptr.
    DiaryForm* OpenDiary() const;
    // 記錄總覽(&N) and toolbar button 16: shows the journal, or brings it to the front.
    void Statement_Note_Click();
    // 匯出目前科目(E): the rows of the entry list to a page or a CSV file.
    void File_Export_Click();

    // ---- Entry list rows --------------------------------------------------------------
    // Entry index held by a row (column 8); 0 for no row.
    int RowEntryIndex(int row) const;
    // Deselects every row, selects the last one and scrolls to it.
    void SelectLastRow() override;
    void SelectEntryRows(const QList<int>& entries, bool everyRow, int currentEntry) override;
    QList<int> SelectedEntryIndices() const override;
    int CurrentEntryIndex() const override;
    int EntryRowCount() const override;
    QList<QStringList> ListedRows() const override;
    // The text a cell of the list shows (0-based row and column).
    QString EntryRowText(int row, int column) const;
    void AppendEntryRow(const ProvisionalRow& row) override;
    // Removes every row of the list.
    void ClearEntryList();
    void FocusEntryList() override;
    // The list's current row, -1 for none; whether a row is selected.
    int CurrentRow() const;
    bool IsRowSelected(int row) const;
    QComboBox* FilterCombo() const { return Combo2; }
    void ClearFilter() override;
    void ResetFilter() override;
    void ChooseFilterText(const QString& text) override;
    void SetListFontSize(double points) override;
    // Default column widths of the entry list that fit their usual content (a date beside
    // the check box and the icon, an account name, an amount) in the list's font.
    void FitColumnWidthsToFont();

    // ---- Refresh operations -----------------------------------------------------------
    // Other windows change the ledger only; the main window follows its change notification
    // (ledgerChanged) with these.
    void BuildAccountTree();
    void UpdateTreeTotals();
    // Refills the entry list and panels 4, 6, 7, 9 for account accountIndex (0: nothing).
    void ListAccountRecords(int accountIndex) override;
    void FillClassFilterCombo();
    void Trv1Click();
    void Command4_Click();

    // Tree state file of the open ledger (Expanded.qvd).
    void LoadExpandedState() override;
    void SaveExpandedState() override;

    // ---- Period -----------------------------------------------------------------------
    void ShowPeriod(int item, int year) override;
    void SetYearText(const QString& text) override;
    // The year of Text2, after replacing a text that is no usable year with the current one.
    int PeriodYear() override;
    int PeriodIndex() const override;
    QString PeriodText() const override;
    QString PeriodYearText() const override;
    // Sets Combo1 by code; runs Combo1_Click like a user's choice unless suppressed.
    void SetPeriodIndex(int index);

    // ---- Unsaved changes ----------------------------------------------------------------
    // The enabled state of toolbar button 3, following the ledger's LedgerChangedFlag.
    void SetLedgerChanged(bool on);
    bool LedgerChanged() const;

    // ---- Shut-down ----------------------------------------------------------------------
    // Save step before the open ledger is left: true to go on, false to stay.
    bool ConfirmSaveChanges() override;
    // 結束: asks the window to close, which runs the close sequence.
    void File_Quit_Click();

    // ---- Layout -------------------------------------------------------------------------
    void LayoutPass();
    // Window state recorded by the last layout pass (0 normal, 2 maximised).
    int RestoreWindowState = 2;

    // ---- Navigation handlers -------------------------------------------------------------
    void Trv1_MouseUp(Qt::MouseButton button);
    void Trv1_KeyUp(int key);
    void Trv1_DblClick();
    void Trv1_Expand();
    void Trv1_Collapse();
    void UpDown1_UpClick();
    void UpDown1_DownClick();
    void UpDown2_UpClick();
    void UpDown2_DownClick();
    void Combo1_Click();
    void Command2_Click();
    void Command1_Click();
    void Combo2_KeyDown(int key, Qt::KeyboardModifiers modifiers);
    void Liv1_ColumnClick(int column); // 1-based column
    void View_Add_Click();
    void View_Show_Click();
    void View_Today_Click();
    void View_Yesterday_Click();
    void View_Balance_Click();
    void View_Budget_Click();
    void View_BudgetI_Click();
    void View_BudgetE_Click();
    // Sort state of the entry list (1-based column, order).
    int SortColumn() const { return m_sortColumn; }
    bool SortDescending() const { return m_sortDescending; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Creation and start-up (mainform.cpp, mainform_startup.cpp).
    void buildControls();
    void connectHandlers();
    void startFolders();
    void startBackupPaths();
    void startDeleteOldFiles();
    void startMigrateSettings();
    void startReadOptions();
    void startListFont();
    void startViewSwitches();
    void startColumnWidths();
    void startWindowPlacement();
    void setDateMenuCaption();
    void writeCloseSettings(bool loggedIn);

    // The entry list's columns (mainform_list.cpp): the columns of figures as wide as their
    // widest texts, then the free-text columns narrowed as far as the last column needs to
    // end within the view. With a row given, the row just added: the columns widen for it.
    void fitListColumns(int addedRow = -1);
    void keepListColumnsInView();
    // The width a column's usual content needs in the list's font (0-based column).
    int usualContentWidth(int column) const;
    // The widths of 日期 to 發票 as loaded or as the user set them: what the close stores,
    // the least a column of figures is given, what a text column takes back when there is
    // room.
    std::array<int, 7> m_listWidths{};
    bool m_fittingColumns = false;

    // Tree (mainform_tree.cpp).
    QTreeWidgetItem* addNode(QTreeWidgetItem* parent, const QString& key, const QString& text,
                             int image);
    void reselectListedNode();
    void clearTree();
    // A new account chosen in the tree: empty filter, its rows, last row, filter choices.
    void listNewAccount(int accountIndex);
    // Trv1Click's step; false when there is no node or the selection went back to the
    // listed account's node.
    bool listSelectedNode();
    // After a period change: totals, and the selected account's rows from an empty filter.
    void refreshPeriod();
    void clearFilterText();
    void relistSelected();
    void yearStep(bool upArrow);
    void viewSwitched();
    void checkFigureItem(QAction* item, const QString& label);
    void checkBudgetItem(QAction* item, const QString& label);

    // The nodes an account's figure goes into: its own node and, for the roll-up, the
    // ancestors below the root (positions). Kept per account index and rebuilt when the
    // stored name at that index changes.
    struct AccountNodes {
        QByteArray name;
        int own = 0;
        QList<int> ancestors;
    };
    const AccountNodes& accountNodes(int accountIndex);
    void setNodeText(int position, const QString& text);

    AppContext& m_ctx;
    QList<QTreeWidgetItem*> m_nodes;
    QStringList m_nodeLabels; // plain label by position - 1
    QHash<QTreeWidgetItem*, int> m_positionOf;
    std::vector<AccountNodes> m_accountNodes;
    // What the tree totals remember between runs (mainform_totals.cpp).
    std::shared_ptr<TreeTotalsCache> m_totalsCache;
    QHash<QString, QTreeWidgetItem*> m_nodeByKey;
    QList<QLabel*> m_panels;
    std::function<void(const QString&)> m_journalSearch;
    QPointer<DiaryForm> m_diary;
    // Passes the list's keys and mouse releases on; removed first when the window dies.
    QObject* m_listTap = nullptr;
    std::unique_ptr<NumberForm> m_numberForm;
    void connectJournal();
    void journalSearch(const QString& keyword);
    int m_sortColumn = 1;
    bool m_sortDescending = false;
    bool m_runEnded = false;
    // The arrow keys emptied the list on a root node: the listed account is shown no more.
    bool m_listStale = false;
    // Entries below this index are in the list (listed, or put in as provisional rows): an
    // entry added at or above it is missing there.
    int m_listCoversUpTo = 0;

    // What the ledger's change notification asks of the window: the tree when accounts
    // changed or another ledger was read, else the totals and the list of the shown account
    // when entries changed or an option of figures was switched, the filter's choices when detail
    // texts changed, the save button.
    void ledgerChanged(LedgerChanges what);
    // Held by the window's own commands that show their change themselves (rows moved in
    // place, the steps after the accounts window): the notification then only moves the
    // save button. Counted, for commands that run one another.
    int m_ownChange = 0;
    struct OwnChange {
        explicit OwnChange(MainForm& form) : f(form) { ++f.m_ownChange; }
        ~OwnChange() { --f.m_ownChange; }
        OwnChange(const OwnChange&) = delete;
        OwnChange& operator=(const OwnChange&) = delete;
        MainForm& f;
    };
    bool m_programFolderWritable = true;
    QPointer<YearForm> m_yearForm; // the one yearly window while it is open
    // The users subsystem set up on this window (InstallUsers), owned as a child.
    UsersController* m_users = nullptr;
    friend UsersController& InstallUsers(MainForm& form);

public:
    // Record commands, menus, context commands, date menu, tray and lock
    // Connects the menus, the toolbar, the pop-up menus and the list's keys and mouse to the
    // handlers below; the constructor calls it once after connectHandlers.
    void connectCommands();

    // Adding and editing entries (mainform_records.cpp).
    void Data_New_Click();
    void MenuTools_New_Click();
    void Liv1_DblClick();
    void MenuTools_Edit_Click();

    // Copying, deleting, ticking, colouring, reordering, summing (mainform_records_change.cpp).
    void MenuTools_Copy_Click();
    void Data_Del_Click();
    // Delete by date condition and closing of books: their windows do the refresh.
    void Data_Clear_Click();
    void Data_Payoff_Click();
    void Set_Note_Click();
    void Set_Acc_Click();
    void Set_General_Click();
    // Recurring records and the memo book (mainform_schedule_windows.cpp).
    void Data_Fixure_Click();
    void MenuTools_SetFixure_Click();
    void Tools_Note_Click();
    void Tools_Number_Click();
    void Tools_NumberList_Click();
    // The lottery window of the logged-in user, loaded (not shown) on first use; it holds
    // the user's paper invoices.
    NumberForm& LotteryWindow();
    void ShowInvoiceList(QWidget* parent) override;
    void ForgetUserWindows() override;
    // The download window, modal; AfterDownload once it has closed.
    void Tools_Download_Click();
    // The statements window, modeless: made on first use, else brought to the front.
    void Statement_IBS_Click();
    void MenuTools_Del_Click();
    // A user's check-box click on a list row (filling the list never reports one).
    void Liv1_ItemCheck(int row, bool checked);
    void Liv1_KeyDown(int key);
    // Right button: adjusts and pops up the list's context menu at globalPos.
    void Liv1_MouseUp(Qt::MouseButton button, const QPoint& globalPos);
    void SetSelectedRecordsColor(int c);
    void MenuTools_Up_Click();
    void MenuTools_Down_Click();
    void MenuTools_Cal_Click();
    // Rows of Liv1 whose selected state is on, first to last.
    QList<int> SelectedRows() const;

    // Menu bar and toolbar (mainform_menu_commands*.cpp).
    void File_Save_Click();
    void Help_Chm_Click();
    void Help_Web_Click();
    void Help_Facebook_Click();
    void Tools_Calc_Click();
    // Runs the command of a toolbar position (1..27); separators do nothing.
    void Toolbar1_ButtonClick(int position);
    // An item of button 6's drop-down, compared by its text with the two items.
    void Toolbar1_ButtonMenuClick(const QString& itemText);
    // The menu item whose command a toolbar position runs (nullptr for separators).
    QAction* toolbarCommand(int position) const;
    // What the main window does after windows of other subsystems opened from the menu
    // close (mainform_menu_windows.cpp); the subsystem that shows the window calls it.
    // After the accounts window: BuildAccountTree; after the detail texts: FillClassFilterCombo.
    // After the general settings: the layout and the lists' columns (the figures follow the
    // ledger's notice).
    void AfterGeneralSettings(const QString& accStateBefore, const QString& trvStateBefore,
                              const QFont& listFontBefore);
    void AfterBudgetTable();
    void AfterDownload();

    // Context commands (mainform_context.cpp).
    void MenuTools_Jump_Click();
    void MenuTools_Search1_Click();
    void MenuTools_Search2_Click();
    void MenuTools_Refresh_Click();
    void MenuTools2_Open_Click();
    void MenuTools2_Close_Click();
    // The tree's 設定預算(&B): the budget window for the selected account
    // (mainform_report_windows.cpp).
    void MenuTools2_Budget_Click();
    // The statements menu's report windows (mainform_report_windows.cpp): the budget table
    // and the daily window modal, the yearly window modeless and single.
    void Statement_Budget_Click();
    void Statement_Year_Click();
    void Statement_IE_Click();

    // Date menu (mainform_datemenu.cpp): sets Menu_Date's text again (setDateMenuCaption)
    // and shows the calendar on today.
    void Menu_Date_Click();

    // Notification-area icon and lock (mainform_tray.cpp).
    // The minimise step of the resize handling: with MinState "1" and a notification area,
    // hides the window into an icon; returns true when it did.
    bool MinimiseToTray();
    void ST_Open_Click();
    int TrayIconId = 0; // 0 while no icon is shown

private:
    QPointer<IBSForm> m_ibsForm; // the open statements window, if any

    // Helpers of the record commands.
    // The entry a row names, or 0 when its hidden index names no entry of the tables.
    int rowEntry(int row) const;
    // The entries of rows, or an empty list when any row names no entry of the tables.
    QList<int> rowEntries(const QList<int>& rows) const;
    // With a full ledger: the warning of the commands that add entries from the list, true.
    bool warnLedgerFull();
    // Makes row the list's current row and scrolls to it, leaving the selection as it is.
    void showCurrentRow(int row);
    void selectRow(int row, bool on);
    // Selects, in one selection, exactly the rows `wanted` accepts (asked once per row, top to
    // bottom), and makes current the first row `current` accepts, else the first selected row;
    // scrolled into view.
    void selectRowsWhere(const std::function<bool(int)>& wanted,
                         const std::function<bool(int)>& current);
    void selectRowsFrom(int firstEntryIndex);
    void moveSelectedEntry(int step);
    void searchWithRowText(int column);
    void expandAccountNodes(bool expand);
};

// Sets up the users subsystem on a main window, once: the login step of its start-up and the
// menu commands of users and ledgers (帳本清單, 合併帳本, the 帳號 menu, 關於).
UsersController& InstallUsers(MainForm& form);
