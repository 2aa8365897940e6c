#pragma once
#include <QDialog>

class MainView;
class QCheckBox;
class QDateEdit;
class QLabel;
class QPushButton;
struct AppContext;

// 結帳: removes the entries dated before a date and gives every asset and liability account
// an opening entry on it; on request the removed entries first go into a new ledger.
class PayoffForm : public QDialog {
    Q_OBJECT
public:
    PayoffForm(AppContext& ctx, MainView& main, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr; // the explanation
    QLabel* Label2 = nullptr; // 日期
    QDateEdit* DTPicker1 = nullptr;
    QCheckBox* Check1 = nullptr;     // keep the removed entries in a new ledger
    QPushButton* Command1 = nullptr; // 結帳
    QPushButton* Command2 = nullptr; // 取消

    void Check1_Click();
    void Command1_Click();
    void Command2_Click();

private:
    // Asks for the new ledger's name and writes it; false when the closing is not to go on.
    bool makeClosedLedger(const QString& dateText, const QString& key);

    AppContext& m_ctx;
    MainView& m_main;
};
