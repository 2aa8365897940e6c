#pragma once
#include <QDialog>

class MainView;
class QDateEdit;
class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;
struct AppContext;

// 以條件刪除紀錄: deletes from the open ledger every entry dated on a day, after it, inside a
// range of two days or outside it. Left only through 取消; stays open after a deletion.
class DelForm : public QDialog {
    Q_OBJECT
public:
    DelForm(AppContext& ctx, MainView& main, QWidget* parent = nullptr);

    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr; // 指定日期
    QRadioButton* Option2 = nullptr; // 之後
    QRadioButton* Option3 = nullptr; // 範圍內
    QRadioButton* Option4 = nullptr; // 範圍外
    QLabel* Label2 = nullptr;
    QDateEdit* DTPicker1 = nullptr;
    QLabel* Label1 = nullptr; // the word between the dates
    QLabel* Label3 = nullptr;
    QDateEdit* DTPicker2 = nullptr;
    QPushButton* Cmd1 = nullptr; // 刪除
    QPushButton* Cmd0 = nullptr; // 取消

    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Cmd1_Click();
    void Cmd0_Click();

private:
    void showSecondDate(const QString& between, bool shown);

    AppContext& m_ctx;
    MainView& m_main;
};

// The main window after entries were removed in bulk (it has listed what is left): the last
// row of the selected account's list selected.
void SelectLastRowAfterRemoval(MainView& main);
