#pragma once
#include <QDialog>
#include <QString>

struct QuickEntry;

class QAction;
class QComboBox;
class QMenu;
class QPushButton;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;
struct AppContext;
class InputForm;
class MainView;

// The quick-entry list (快速入帳), opened modally from the entry window: lists the ledger's
// quick entries under an account filter, adds and edits them through QuickEdit, deletes and
// reorders them, and applies the current one to the entry window. Everything stays in
// memory until the ledger is saved. The constructor is the load step.
class QuickForm : public QDialog {
    Q_OBJECT
public:
    QuickForm(AppContext& ctx, MainView& main, InputForm& input, QWidget* parent = nullptr);
    ~QuickForm() override;

    // Column of the hidden slot number (sub-item 6).
    static constexpr int IndexColumn = 6;

    QPushButton* Command4 = nullptr; // 套用
    QComboBox* Combo1 = nullptr;     // filter
    QTreeWidget* Liv1 = nullptr;
    QPushButton* Command7 = nullptr; // 新增
    QPushButton* Command1 = nullptr; // 編輯
    QPushButton* Command3 = nullptr; // 刪除
    QPushButton* Command5 = nullptr; // 上移
    QPushButton* Command6 = nullptr; // 下移
    QPushButton* Command2 = nullptr; // 從現有記錄分析加入
    QStatusBar* StatusBar1 = nullptr;
    QMenu* Menu_MenuTools = nullptr;
    QAction* MenuTools_Edit = nullptr;
    QAction* MenuTools_Del = nullptr;

    // Refills Liv1 under the filter Combo1 shows.
    void Combo1_Click();
    // Rebuilds the filter items from the quick entries; leaves no item chosen.
    void AccountsAddCombo();
    // Chooses filter item `index` by code, which lists anew.
    void ChooseFilter(int index);

    void Command4_Click(); // apply
    void Command7_Click(); // add
    void Command5_Click(); // up
    void Command6_Click(); // down
    void Command2_Click(); // proposals from repeated entries
    void MenuTools_Edit_Click();
    void MenuTools_Del_Click();

    // The slot number a row names (its Index column).
    static int SlotOf(const QTreeWidgetItem* row);
    // The quick entry a row shows; an empty one for a row naming no slot.
    QuickEntry EntryOf(const QTreeWidgetItem* row) const;
    // Sets QuickEntriesChanged and the unsaved-changes flag.
    void MarkQuickEntriesChanged();
    QString StatusText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void done(int result) override;

private:
    void buildControls();
    void loadSettings();
    void Form_Unload();
    void move(int step);

    AppContext& m_ctx;
    MainView& m_main;
    InputForm& m_input;
    bool m_unloaded = false;
    bool m_analysing = false; // the scan yields to events; the window stays open meanwhile
};
