#pragma once
#include <QDialog>
#include <array>

#include "rules/online/paynumfile.h"

class MainView;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;

// 統一發票對獎: the invoices of a two-month period against its winning numbers. The object
// is the loaded window: its constructor is the load, Form_Unload stores the boxes. It also
// holds the user's paper invoices (Liv2), which the invoice list window reads and replaces.
class NumberForm : public QDialog {
    Q_OBJECT
public:
    explicit NumberForm(MainView& main, QWidget* parent = nullptr);

    QLineEdit* Text0 = nullptr;
    QComboBox* Combo1 = nullptr;
    QDateEdit* DTPicker1 = nullptr;
    QDateEdit* DTPicker2 = nullptr;
    std::array<QLineEdit*, 5> Text1{};
    std::array<QLineEdit*, 8> Text2{};
    QTreeWidget* Liv1 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QPushButton* Command4 = nullptr; // 取得號碼
    QPushButton* Command3 = nullptr; // 發票清單
    QPushButton* Command2 = nullptr; // 清空
    QPushButton* Command1 = nullptr; // 開始對獎

    // The paper invoices of the user this window was loaded for (Liv2).
    PaynumFile Liv2;
    QString UserFolder() const { return m_userFolder; }

    void Combo1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Liv1_DblClick();
    void Form_Unload();

    QString StatusText() const;
    // Set by the double-click: the opener runs 全區搜尋 once the window has closed.
    bool SearchRequested() const { return m_searchRequested; }

private:
    int yearOrCurrent();

    MainView& m_main;
    QString m_userFolder;
    bool m_searchRequested = false;
};
