#pragma once
#include <QDialog>
#include <memory>
#include <vector>

class MainView;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QMenu;
class QAction;
class QLabel;
class QPushButton;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;
class EntryAccountCache;
class UpDownArrows;
class YieldingColumns;
struct AppContext;

// 預算表: every asset, liability, income and expense account and the income and expense
// totals against their budgets, for one month or the whole year.
class BudgetShowForm : public QDialog {
    Q_OBJECT
public:
    BudgetShowForm(AppContext& ctx, MainView& main, QWidget* parent = nullptr);
    ~BudgetShowForm() override;

    // Columns of Liv1 (the last six are hidden and hold figures as number text).
    enum Column {
        ColName = 0,
        ColActual = 1,
        ColBudget = 2,
        ColProgress = 3,
        ColIndex = 4,
        ColOwnActual = 5,
        ColRolledActual = 6,
        ColOwnBudget = 7,
        ColRolledBudget = 8,
        ColPrefix = 9,
    };

    QLineEdit* Text1 = nullptr; // year
    UpDownArrows* UpDown1 = nullptr;
    QComboBox* Combo1 = nullptr; // "整年", "01月" .. "12月"
    UpDownArrows* UpDown2 = nullptr;
    QCheckBox* Check1 = nullptr;     // 子科目金額加總至父科目
    QPushButton* Command1 = nullptr; // 匯出
    QPushButton* Command2 = nullptr; // 設定預算
    QPushButton* Command3 = nullptr; // 清除本月預算 / 清除整年預算
    QTreeWidget* Liv1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QMenu* Menu_MenuTools = nullptr;     // 功能
    QAction* MenuTools_Budget = nullptr; // 設定預算(&B)

    // Fills the hidden figures of every account row for the chosen month or year.
    void budget();
    // Actual figure of account `index` for the chosen month or year (after budget()).
    double BudgetShowCnv(int index) const;
    // Writes the shown figures, progress texts, colours and bold rows, the clear caption.
    void BudgetShow();

    void Form_Load();
    void Combo1_Click();
    void Check1_Click();
    void Command1_Click(); // export (export/budgetshowexport.cpp)
    void Command2_Click();
    void Command3_Click();
    void MenuTools_Budget_Click();
    void Liv1_DblClick();
    void Liv1_MouseUp(Qt::MouseButton button, const QPoint& globalPos);
    void UpDown1_UpClick();
    void UpDown1_DownClick();
    void UpDown2_UpClick();
    void UpDown2_DownClick();

    // Closing in any way stores the window's settings first.
    void done(int result) override;

    // Separator rows ("---"); every command skips them.
    bool IsSeparator(const QTreeWidgetItem* row) const;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void buildRows();
    void refresh();
    // The amount columns fit their widest figure; the name and progress columns are each
    // twice as wide as an amount column (or as the user made them) where the view has room.
    // Where it has not, the name gives way first, then the progress, each down to its
    // widest text; then the name alone, cut, so that every figure and progress text reads
    // whole in view whatever the figures' width.
    // `measure`: the texts changed; otherwise only the view's width did.
    void fitColumns(bool measure);
    void Form_Unload();
    int choice() const; // 0 the year, m month m

    // One row of the table as the window keeps it; the hidden columns show the same.
    struct ShownRow {
        bool separator = false;
        int index = 0;  // the account's index, or the total's (BudgetCells)
        QString prefix; // the account name's first two characters
        QString name;   // as 科目 shows it
        double ownActual = 0, rolledActual = 0, ownBudget = 0, rolledBudget = 0;
    };
    std::vector<ShownRow> m_rows; // in the list's order
    // The kept row of a list row; nullptr for none.
    const ShownRow* shownRow(const QTreeWidgetItem* row) const;
    bool rowsHaveFocusRow() const;

    AppContext& m_ctx;
    MainView& m_main;
    QLabel* m_status = nullptr;
    std::vector<double> m_actuals; // by account index, for the chosen period
    std::unique_ptr<EntryAccountCache> m_cache;
    bool m_loading = false;
    bool m_unloaded = false;
    YieldingColumns* m_textColumns = nullptr; // the name and the progress
};
