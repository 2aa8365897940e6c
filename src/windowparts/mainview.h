#pragma once
#include <QList>
#include <QString>
#include <QStringList>

class QWidget;
struct AppContext;

// What the windows of other folders may use of the main window. MainForm implements it;
// a window that needs the main window takes a MainView&, never MainForm itself, so that it
// neither sees nor depends on the main window's controls and handlers.
// Grouped by concern: a new operation goes into the group it belongs to.
class MainView {
public:
    virtual ~MainView() = default;

    // ---- The window and the run ---------------------------------------------------------
    virtual AppContext& context() const = 0;
    // The main window itself: parent of the windows opened over it, its caption, closing.
    virtual QWidget& Window() = 0;

    // ---- The run's state that other windows read -----------------------------------------
    // The entry the entry window changes (its opener has chosen it).
    virtual int EditedEntry() const = 0;
    // Lists no account when a ledger is opened next (a logout that forgets it).
    virtual void ForgetListedAccount() = 0;
    // Whether the automatic login has been tried in this run; it is tried once only.
    virtual bool AutoLoginTried() const = 0;
    virtual void MarkAutoLoginTried() = 0;

    // ---- Account tree ---------------------------------------------------------------------------
    // The tree, its totals, the list of the shown account, the filter's choices and the
    // unsaved-changes mark follow the ledger's change notification: a window that changes
    // the ledger refreshes nothing here.
    // Number of tree nodes; 0 while no ledger is shown.
    virtual int NodeCount() const = 0;
    virtual QString SelectedNodeKey() const = 0;
    // The account index of the selected node; 0 for a root, no node or no account.
    virtual int SelectedAccountIndex() const = 0;
    // Selects the account node `key` and lists it as a click on it would; false when no
    // account node has that key.
    virtual bool ShowAccountNode(const QString& key) = 0;
    // Selects the account node `key` (nodes 1 to 5, the kind roots, never match) without
    // listing anything; false when no account node has that key.
    virtual bool SelectAccountNode(const QString& key) = 0;
    // Tree state file of the open ledger (expanded nodes).
    virtual void LoadExpandedState() = 0;
    virtual void SaveExpandedState() = 0;

    // ---- Entry list ---------------------------------------------------------------------------
    virtual int EntryRowCount() const = 0;
    // Every listed row as the list shows it, 日期 to 發票 (seven texts, without the entry
    // index), made from the listing's rows.
    virtual QList<QStringList> ListedRows() const = 0;
    // A row put in after the rows listed, until the next listing replaces them: its eight
    // texts, check mark, the clock image and a red date.
    struct ProvisionalRow {
        QStringList texts;
        bool checked = false;
        bool clockIcon = false;
        bool red = false;
    };
    virtual void AppendEntryRow(const ProvisionalRow& row) = 0;
    // Gives the list the keyboard focus.
    virtual void FocusEntryList() = 0;
    // Refills the list and its panels for account accountIndex (0: nothing).
    virtual void ListAccountRecords(int accountIndex) = 0;
    // Deselects every row, selects the last one and scrolls to it.
    virtual void SelectLastRow() = 0;
    // Selects the rows of `entries` (only the first row of each unless everyRow), makes the
    // first row of currentEntry current (without one, the first selected row) and scrolls to
    // it.
    virtual void SelectEntryRows(const QList<int>& entries, bool everyRow, int currentEntry) = 0;
    // Entry indices of the selected rows, first to last (as the rows hold them).
    virtual QList<int> SelectedEntryIndices() const = 0;
    // The entry of the list's current row; 0 for none.
    virtual int CurrentEntryIndex() const = 0;
    // Font size of the list and the tree, in points.
    virtual void SetListFontSize(double points) = 0;

    // ---- Filter ---------------------------------------------------------------------------------
    // The filter box (Combo2, editable): empties its text; resets it also drops its choices.
    virtual void ClearFilter() = 0;
    virtual void ResetFilter() = 0;
    // Puts `text` in the filter box as a choice of it would.
    virtual void ChooseFilterText(const QString& text) = 0;

    // ---- Period
    // ----------------------------------------------------------------------------------- Shows
    // period item (0 all, 1 whole year, 2.. months) of `year` without listing anything.
    virtual void ShowPeriod(int item, int year) = 0;
    // The period choice's index and text, and the year box's text.
    virtual int PeriodIndex() const = 0;
    virtual QString PeriodText() const = 0;
    virtual QString PeriodYearText() const = 0;
    // The year of the year box, after replacing a text that is no usable year with the
    // current one.
    virtual int PeriodYear() = 0;
    // Sets the year box's text without listing anything.
    virtual void SetYearText(const QString& text) = 0;

    // ---- Status bar
    // -------------------------------------------------------------------------------
    virtual void SetPanelText(int n, const QString& text) = 0;

    // ---- Unsaved changes and leaving the ledger ------------------------------------------------
    // Save step before the open ledger is left: true to go on, false to stay.
    virtual bool ConfirmSaveChanges() = 0;
    // Removes every node and row and closes the windows that show the ledger (logout, the
    // opening of a ledger).
    virtual void ClearViews() = 0;

    // ---- Invoice lottery -------------------------------------------------------------------
    // The paper-invoice list of the logged-in user over `parent` (the lottery window that
    // holds the invoices is loaded, not shown, on first use).
    virtual void ShowInvoiceList(QWidget* parent) = 0;
    // Unloads the windows that hold the logged-in user's own data (the lottery window with
    // the paper invoices) without storing anything: after a logout nobody sees or stores
    // that list, not even the same user after a restore.
    virtual void ForgetUserWindows() = 0;

protected:
    MainView() = default;
    MainView(const MainView&) = default;
    MainView& operator=(const MainView&) = default;
};
