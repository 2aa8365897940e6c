#pragma once
#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QStatusBar;
struct AppContext;

// 編輯明細資料: the detail texts of the open ledger, per account. The commands work on a
// copy of the table (List2), which goes back into the table whenever the window closes;
// there is no cancel. Export and import go through the text dialog (AccountNoteForm).
class NoteForm : public QDialog {
    Q_OBJECT
public:
    explicit NoteForm(AppContext& ctx, QWidget* parent = nullptr);

    QListWidget* List3 = nullptr; // accounts: "未分類", then the accounts except "Equity"
    QListWidget* List1 = nullptr; // texts of the selected account
    // The working list (a hidden list box in the window's design): every detail text as
    // account, U+0001, text, in table order.
    QStringList List2;
    QPushButton* Command2 = nullptr; // 新增
    QPushButton* Command3 = nullptr; // 編輯
    QPushButton* Command7 = nullptr; // 移動
    QPushButton* Command8 = nullptr; // 複製
    QPushButton* Command4 = nullptr; // 刪除
    QPushButton* Command5 = nullptr; // 上移
    QPushButton* Command6 = nullptr; // 下移
    QPushButton* Command9 = nullptr; // 匯入
    QPushButton* Command1 = nullptr; // 匯出
    QStatusBar* StatusBar1 = nullptr;

    QLabel* Panel(int n) const; // status panels 1 and 2
    QString PanelText(int n) const;
    QString SelectedAccount() const; // the List3 item, "" when none
    QStringList ListedTexts() const; // the texts of the List1 items, whole

    void Form_Load();
    void Form_Unload();
    void List3_Click();
    void List1_DblClick();
    // Enter edits, Delete deletes the selected text; true when the key was one of them.
    bool List1_KeyDown(int key);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();

    // Every way the window closes ends here: the working list goes back into the table.
    void done(int result) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QStringList accountChoices() const;
    QListWidgetItem* selectedItem() const; // the List1 item commands act on, or nullptr
    void moveSelected(int step);
    void copyOrMove(bool move);
    void listChanged();
    void rewriteCount();

    AppContext& m_ctx;
    QLabel* m_panels[2] = {nullptr, nullptr};
};
