#pragma once
#include <QDialog>
#include <QString>
#include <optional>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QStatusBar;
struct AppContext;

// 科目設定: the account table of the open ledger in table order, the fields a name is
// composed from (kind, parent, own name) and the commands 新增, 編輯, 刪除, 匯出 and the
// ordering commands. Every command works on the tables through AccountCommands; the
// window only reads its fields, asks, and shows the result. Enter runs 新增 and Esc runs
// 編輯 (Esc does not close the window).
class AccountForm : public QDialog {
    Q_OBJECT
public:
    explicit AccountForm(AppContext& ctx, QWidget* parent = nullptr);

    QListWidget* List1 = nullptr;
    QRadioButton* Option1 = nullptr; // 資產
    QRadioButton* Option2 = nullptr; // 負債
    QRadioButton* Option3 = nullptr; // 收入
    QRadioButton* Option4 = nullptr; // 支出
    QComboBox* Combo1 = nullptr;     // parent: "<無>" and the accounts of the kind
    QComboBox* Cob1 = nullptr;       // own name, typed or a suggested name
    QPushButton* Cmd0 = nullptr;     // 新增
    QPushButton* Cmd1 = nullptr;     // 編輯
    QPushButton* Cmd2 = nullptr;     // 刪除
    QPushButton* Command1 = nullptr; // 匯出
    QPushButton* Command2 = nullptr; // 排序
    QPushButton* Command3 = nullptr; // 上移
    QPushButton* Command4 = nullptr; // 下移
    QPushButton* Command5 = nullptr; // 上移至該分類最頂
    QPushButton* Command6 = nullptr; // 下移至該分類最底
    QStatusBar* StatusBar1 = nullptr;
    QLabel* Label1 = nullptr; // help text
    QLabel* Label2 = nullptr; // 所屬科目
    QLabel* Label4 = nullptr; // ↑這裡可以用打字輸入
    QLabel* Label5 = nullptr; // 科目名稱

    QString StatusText() const;
    // The chosen kind option: 1 to 4, 0 when none is selected.
    int SelectedKind() const;
    // The opening-balance answer in hundredths: Cancel, an empty answer, a text that is not
    // a number, a negative number or one beyond the amount range give 0.
    static double OpeningHundredths(const std::optional<QString>& answer);

    void Form_Load();
    void AccountsAddCombo();
    void List1_Click();
    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Option4_Click();
    void Cmd0_Click();
    void Cmd1_Click();
    void Cmd2_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    QRadioButton* option(int kind) const;
    void optionClicked(int kind);
    // The list again from the table, no item selected, and the status count.
    void refillList();
    // Selects list row `row` and shows it in the fields, as a click would.
    void selectRow(int row);
    void setStatus();
    // The selected row (-1: none), which is the row shown in the fields.
    int selectedRow() const;
    // The selected row, or -1 after the information box of a command that needs one.
    int selectedRowOrTell();
    // 編輯 and 刪除 are disabled exactly while a fixed account is selected.
    void showFixedCommands();
    static bool isFixedAccount(const QString& name); // "A-現金" and "Equity"
    void warn(const QString& text);

    AppContext& m_ctx;
    QLabel* m_status = nullptr;
    bool m_quietList = false; // list filled or selected by a command: no click handler
};
