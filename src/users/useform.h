#pragma once
#include <QDialog>
#include <QStringList>

class QLabel;
class QListWidget;
class QPushButton;
struct AppContext;

// Takes data from another ledger of the user. Apply mode (套用科目): a new ledger gets the
// accounts, detail texts and quick entries of the chosen ledger. Merge mode (合併帳本): the
// chosen ledger's entries and new accounts are appended to the open ledger in memory.
// The mode is told by the caption, as the callers set it.
class UseForm : public QDialog {
    Q_OBJECT
public:
    explicit UseForm(AppContext& ctx, QWidget* parent = nullptr);

    QListWidget* List1 = nullptr;
    QLabel* Label1 = nullptr;
    QPushButton* Command1 = nullptr; // 套用 / 確定
    QPushButton* Command2 = nullptr; // 不要 / 取消

    // The callers' preparations: captions, texts and the list (first item selected in
    // apply mode, none in merge mode).
    void PrepareApply(const QStringList& otherLedgers);
    void PrepareMerge(const QStringList& otherLedgers);
    bool IsMerge() const;

    void Command1_Click();
    void Command2_Click();

private:
    void apply(const QString& source);
    void merge(const QString& source);

    AppContext& m_ctx;
};

// The apply question of a new ledger, for the ledger loader: shows the window in apply mode
// over its owner (the main window) and tells whether the files were applied.
bool AskApplyAccounts(AppContext& ctx, QWidget& owner, const QStringList& otherLedgers);
