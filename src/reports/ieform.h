#pragma once
#include <QDialog>

class MainView;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class UpDownArrows;
struct AppContext;

// 每日收支: the days of one calendar month with their income, expense and balance.
class IEForm : public QDialog {
    Q_OBJECT
public:
    IEForm(AppContext& ctx, MainView& main, QWidget* parent = nullptr);

    QLineEdit* Text1 = nullptr; // year
    UpDownArrows* UpDown1 = nullptr;
    QComboBox* Combo1 = nullptr; // "01月" .. "12月"
    UpDownArrows* UpDown2 = nullptr;
    QPushButton* Command1 = nullptr; // 匯出
    QTreeWidget* Liv1 = nullptr;     // 日期, 收入, 支出, 結餘, hidden Date

    // Rebuilds the list for the year of Text1 and the month of Combo1.
    void IEShow();

    void Form_Load();
    void Combo1_Click();
    void Command1_Click(); // export (export/ieexport.cpp)
    void UpDown1_UpClick();
    void UpDown1_DownClick();
    void UpDown2_UpClick();
    void UpDown2_DownClick();

    // Closing in any way stores the window's size first.
    void done(int result) override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Form_Unload();

    AppContext& m_ctx;
    MainView& m_main;
    bool m_unloaded = false;
};
