#pragma once
#include <QDialog>

class MainView;
class NumberForm;
class QDateEdit;
class QLineEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// 發票清單: the user's paper invoices. Opening copies the lottery window's list; closing
// copies it back and rewrites Paynum.dat.
class NumberListForm : public QDialog {
    Q_OBJECT
public:
    NumberListForm(MainView& main, NumberForm& lottery, QWidget* parent = nullptr);

    QDateEdit* DTPicker1 = nullptr;
    QLineEdit* Text1 = nullptr;
    QTreeWidget* Liv1 = nullptr;
    QPushButton* Command1 = nullptr; // 新增
    QPushButton* Command4 = nullptr; // 編輯
    QPushButton* Command2 = nullptr; // 刪除
    QPushButton* Command3 = nullptr; // 刪除過期發票
    QPushButton* Command5 = nullptr; // 清空

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Liv1_Click();
    // Stores the list in the lottery window and in Paynum.dat; warns when the file could
    // not be written.
    void Form_Unload();

private:
    bool readInput(QString& date, QString& number);
    QTreeWidgetItem* selectedRow() const; // the row 編輯 and 刪除 act on, or nullptr

    MainView& m_main;
    NumberForm& m_lottery;
};

// Shows the invoice list over `parent` for the lottery window `lottery` and stores it.
void ShowInvoiceList(MainView& main, NumberForm& lottery, QWidget* parent);
