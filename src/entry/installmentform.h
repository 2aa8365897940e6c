#pragma once
#include <QDialog>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct AppContext;
class InputForm;
class MainView;

// 分期付款: turns the entry being typed in the entry window into dated installments.
class InstallmentForm : public QDialog {
    Q_OBJECT
public:
    InstallmentForm(AppContext& ctx, MainView& main, InputForm& input, QWidget* parent = nullptr);

    QComboBox* Combo1 = nullptr; // 分期單位: 年, 月, 日
    QLineEdit* Text1 = nullptr;  // 分期期數
    QLineEdit* Text2 = nullptr;  // 每期間隔
    QCheckBox* Check1 = nullptr; // 週六日順延至週一
    QCheckBox* Check2 = nullptr; // 週六日提前至週五
    QCheckBox* Check3 = nullptr; // 週六提前，週日延後
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QPushButton* Command1 = nullptr; // 新增
    QPushButton* Command2 = nullptr; // 取消

    void Command1_Click();

private:
    AppContext& m_ctx;
    MainView& m_main;
    InputForm& m_input;
};
