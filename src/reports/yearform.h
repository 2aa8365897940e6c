#pragma once
#include <QDialog>
#include <QStringList>
#include <array>
#include <memory>

#include "rules/reports/yearfigures.h"
#include "store/ledger.h"

class EntryAccountCache;
class MainView;
class QCheckBox;
class QComboBox;
class QFrame;
class QLineEdit;
class QPushButton;
class QTabBar;
class QTreeWidget;
class QTreeWidgetItem;
class ReportChart;
class UpDownArrows;
struct AppContext;

// 整年度圖表: one year month by month in three tabs, each a chart and one or two lists:
// chosen accounts against their budgets, month-end assets and liabilities, monthly
// income and expense. Modeless; the main window keeps one.
class YearForm : public QDialog {
    Q_OBJECT
public:
    YearForm(AppContext& ctx, MainView& main, QWidget* parent = nullptr);
    ~YearForm() override;

    QLineEdit* Text1 = nullptr; // year
    UpDownArrows* UpDown1 = nullptr;
    std::array<QComboBox*, 2> Combo1{};     // account choosers 1 and 2
    std::array<UpDownArrows*, 2> UpDown2{}; // their arrows
    QPushButton* Command1 = nullptr;        // 匯出
    QCheckBox* Check1 = nullptr;            // 子科目金額加總至父科目
    QTabBar* TabStrip1 = nullptr;           // tabs 0..2 here for 1 "各項科目統計" .. 3
    ReportChart* MSChart1 = nullptr;
    std::array<QTreeWidget*, 2> Liv1{}; // list 1 and list 2

    // The shown tab, 1 to 3.
    int SelectedTab() const;
    void SelectTab(int tab); // as a click on the tab

    // Tab 1 for chooser `index` (0 or 1): the chosen account's months against its budget.
    void Combo1_Click(int index);
    // Tab 2: month-end assets, liabilities and net worth; tab 3: monthly income, expense,
    // surplus and surplus ratio.
    void ShowAL();
    void ShowIE();

    void Form_Load();
    void TabStrip1_Click();
    void Check1_Click();
    void Command1_Click(); // export (export/yearexport.cpp)
    void UpDown1_UpClick();
    void UpDown1_DownClick();
    void UpDown2_UpClick(int index);
    void UpDown2_DownClick(int index);

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void layoutControls();
    void Form_Unload();
    // The year of the year box, a text that is no year replaced by the current one first.
    int checkedYear();
    // The shown tab's figures computed anew: another year, or a change of the ledger's figures
    // (on the accounts tab the choosers follow the account table first).
    void showTabFigures();
    // Fills both choosers with the account names, or refills them when the account table
    // changed since, selecting the chosen names again.
    void fillChoosers();
    void syncChoosers();
    void setSeries(int series, const YearFigures::Months& values);
    void nameSeries();
    void fitLists();
    int figuresWidth() const;
    int stripHeight() const; // the tab strip's
    // On the tabs of figures: the width the list needs for every column whole, and the room
    // the chart leaves it in a strip of the given width (a third, or its labels' width).
    int figureListWidth() const;
    int figureListRoom(int stripWidth);
    // On the tabs of figures, a window too narrow for the list and the chart's labels widens,
    // within its screen.
    void widenForFigures();
    void clearSeries(int series);
    // The surplus column of list 2 for an income and an expense account.
    void showSurplus();

    AppContext& m_ctx;
    MainView& m_main;
    QFrame* m_strip = nullptr;  // the tab strip's area
    QStringList m_chooserNames; // the account names the choosers were filled with
    // Month amounts of the last computation of each list (0 the sum of the year).
    std::array<YearFigures::Months, 2> m_amounts{};
    std::array<bool, 2> m_hasAmounts{};
    std::unique_ptr<EntryAccountCache> m_cache;
    bool m_filling = false;
    bool m_unloaded = false;
};
