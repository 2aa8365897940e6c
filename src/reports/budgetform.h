#pragma once
#include <QDialog>
#include <array>

#include "rules/reports/budgetcells.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
struct AppContext;

// 編列預算: the 13 budget amounts of one account or of the income or expense total. The
// window is left only through 完成, which stores the boxes; it has no close box and Esc
// does nothing.
class BudgetForm : public QDialog {
    Q_OBJECT
public:
    explicit BudgetForm(AppContext& ctx, QWidget* parent = nullptr);

    // The record edited: 1 .. AccountCount - 1 an account, -3 the income total and -4 the
    // expense total (BudgetCells::target).
    short bi = 0;

    std::array<QLineEdit*, BudgetCells::CellCount> Text1{}; // 0 the year, 1..12 the months
    std::array<QLabel*, BudgetCells::CellCount> Label1{};   // "年度預算", "一月份" ..
    QPushButton* Command1 = nullptr;                        // 完成
    QPushButton* Command2 = nullptr;                        // 月份加總
    QPushButton* Command3 = nullptr;                        // 上一個
    QPushButton* Command4 = nullptr;                        // 下一個
    QPushButton* Command5 = nullptr;                        // 月份均分
    QPushButton* Command6 = nullptr;                        // 清除
    QStatusBar* StatusBar1 = nullptr;

    // What an opener does before showing the window: the boxes from the record's cells,
    // the caption "編列預算：" and its name, 上一個 and 下一個 disabled for a total, bi.
    void OpenRecord(int index);

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Text1_GotFocus(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Boxes in order: a box that is no number ends it with its label's warning (false);
    // every valid box is rewritten to its absolute value first.
    bool validate();
    // The boxes into the record bi (validated before).
    void storeBoxes();
    void showRecord(int index);
    void step(int direction);

    AppContext& m_ctx;
};
