#pragma once
#include <QList>
#include <QMainWindow>
#include <QString>
#include <QStringList>

#include "rules/reports/reportfigures.h"
#include "store/ledger.h"
#include "store/treefigures.h"

class MainView;
class ReportChart;
class UpDownArrows;
class QAction;
class QComboBox;
class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabBar;
class QTreeWidget;
struct AppContext;

// One kind's statement table: a row per account of the kind, in the order of the account
// table, and the kind's total.
struct StatementTable {
    int kind = 0;      // AccountKind 1..4
    int image = 0;     // icon of its rows in ImageList2
    QString totalName; // "資產總合", ...
    QList<int> index;  // account index of each row
    QList<ReportFigures::RollUpRow> rows;
    QStringList share1; // share of the own amount
    QStringList share2; // share of the amount with sub-accounts
    double total = 0;
    QString totalText;
};

// The statements window: the balance sheet at a date and the income statement of a period,
// each as two lists with two pies, on two tabs. Modeless, one at a time.
class IBSForm : public QMainWindow {
    Q_OBJECT
public:
    IBSForm(AppContext& ctx, MainView& main, QWidget* parent = nullptr);
    ~IBSForm() override;

    // Builds the window as it opens: settings, tables, year and period from the main
    // window, the income statement of that period and the balance sheet at today.
    void Form_Load();

    // Computations and their display.
    void BScal(const QString& date1);
    void BSshow();
    void IScal(const QString& date1, const QString& date2);
    void ISshow();

    // The width of the four lists, in pixels.
    static constexpr int ListWidth = 340;

    // Handlers.
    void Cmd3_Click();
    void Cmd4_Click();
    void Combo1_Click();
    void Command2_Click(); // export of the selected tab's statement
    void TabStrip1_Click();
    void View_Add_Click();
    void View_Zero_Click();
    void UpDown1_UpClick();   // month back
    void UpDown1_DownClick(); // month forward
    void UpDown2_UpClick();   // year arrows
    void UpDown2_DownClick();

    // Controls.
    QTabBar* TabStrip1 = nullptr;
    QFrame* TabPage = nullptr; // the page under the tabs
    QDateEdit* DTPicker1 = nullptr;
    QPushButton* Cmd3 = nullptr;
    QLineEdit* Text1 = nullptr;
    UpDownArrows* UpDown2 = nullptr;
    QComboBox* Combo1 = nullptr;
    UpDownArrows* UpDown1 = nullptr;
    QLabel* Label1 = nullptr;
    QDateEdit* DTPicker3 = nullptr;
    QLabel* Label2 = nullptr;
    QDateEdit* DTPicker2 = nullptr;
    QPushButton* Cmd4 = nullptr;
    QPushButton* Command2 = nullptr;
    QTreeWidget* ListView1 = nullptr; // assets
    QTreeWidget* ListView2 = nullptr; // liabilities
    QTreeWidget* ListView3 = nullptr; // income
    QTreeWidget* ListView4 = nullptr; // expenses
    ReportChart* MSChart1 = nullptr;
    ReportChart* MSChart2 = nullptr;
    ReportChart* MSChart3 = nullptr;
    ReportChart* MSChart4 = nullptr;
    QLabel* StatusBar1 = nullptr; // the status bar's one text
    QMenu* Menu_View = nullptr;
    QAction* View_Add = nullptr;
    QAction* View_Zero = nullptr;

    // The statement tables (assets, liabilities, income, expenses).
    StatementTable ListView1a, ListView2a, ListView3a, ListView4a;

    // Figures and titles of the last computations.
    double NetWorth = 0;
    double Surplus = 0;
    QString BalanceSheetTitle;
    QString IncomeStatementTitle;
    // The days last handed to BScal and IScal.
    QString BalanceDate;
    QString IncomeStart;
    QString IncomeEnd;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    void loadSettings();
    void Form_Resize();
    void Form_Unload();
    void placeTabRow();
    // Rebuilds the tables of two kinds from the current account table.
    void buildTables(StatementTable& a, StatementTable& b);
    void fillTable(StatementTable& table, const std::vector<double>& figure);
    void showTable(const StatementTable& table, QTreeWidget* list, ReportChart* chart,
                   const QString& pieLabel);
    void showStatus();
    QString ledgerTitle(const QString& rest) const;
    // The income statement of a period: title, figures, lists, pies and status.
    void showIncome(const QString& start, const QString& end);
    // After a change of the ledger's figures: both statements counted anew, as the window
    // opened afresh would count them, over the day and the dates set by hand, or over the
    // chosen period as the options now make it.
    void recount();

    AppContext& m_ctx;
    MainView& m_main;
    EntryAccountCache m_cache;
    // The income statement shows the dates of the pickers (顯示), not the chosen period.
    bool m_incomeByHand = false;
};
