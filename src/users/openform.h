#pragma once
#include <QDialog>
#include <QStringList>

class QListWidget;
class QPushButton;
class QStatusBar;
class UsersController;
struct AppContext;

// The ledger list (帳本清單) of the logged-in user: open, create, rename, copy, delete,
// reorder, refresh, search and log out. The list order is the order of DataBase.lst.
class OpenForm : public QDialog {
    Q_OBJECT
public:
    // How the window ended (its result code).
    enum End { Closed = QDialog::Rejected, Opened = QDialog::Accepted, LoggedOut = 2 };

    OpenForm(AppContext& ctx, UsersController& users, QWidget* parent = nullptr);

    QListWidget* List1 = nullptr;
    QPushButton* Cmd1 = nullptr;     // 開啟
    QPushButton* Cmd5 = nullptr;     // 新增
    QPushButton* Cmd2 = nullptr;     // 更名
    QPushButton* Cmd4 = nullptr;     // 複製
    QPushButton* Cmd3 = nullptr;     // 刪除
    QPushButton* Cmd8 = nullptr;     // 上移
    QPushButton* Cmd9 = nullptr;     // 下移
    QPushButton* Command2 = nullptr; // 重整
    QPushButton* Command1 = nullptr; // 搜尋
    QPushButton* Command3 = nullptr; // 儲存備份
    QPushButton* Command4 = nullptr; // 還原備份
    QPushButton* Command5 = nullptr; // 還原系統備份
    QPushButton* Cmd6 = nullptr;     // 登出
    QStatusBar* StatusBar1 = nullptr;

    // Filling by the callers: the names in order, the status text, item 0 selected.
    void Fill(const QStringList& ledgers);
    QStringList Items() const;
    // "共有 n 個帳本"
    QString StatusText() const;

    void Cmd1_Click();
    void Cmd5_Click();
    void Cmd2_Click();
    void Cmd4_Click();
    void Cmd3_Click();
    void Cmd8_Click();
    void Cmd9_Click();
    void Command2_Click();
    void Command1_Click();
    void Command3_Click(); // 儲存備份
    void Command4_Click(); // 還原備份
    void Command5_Click(); // 還原系統備份
    void Cmd6_Click();

    // Rewrites DataBase.lst from the list when the list was changed; false (after a
    // warning) when the file could not be written.
    bool SaveLedgerList();

    // Enables or disables the commands that need a ledger.
    void EnableLedgerCommands(bool on);

    // The ledger open in the main window when the list is shown from it (none from the
    // login). Renaming it moves the open ledger along; deleting it closes the open ledger,
    // so no later save can write into a folder that is gone.
    void SetOpenLedger(const QString& name) { m_openLedger = name; }

private:
    QString userFolder() const;
    void updateStatus();
    // After a change of the list: no closing without a decision, and the list is to be stored.
    void listChanged();
    void moveSelected(int offset);
    // 登出; after a restore without the automatic backup, which would replace today's
    // automatic copy (the last copy of the data from before the restore).
    void logOut(bool autoBackup);

    AppContext& m_ctx;
    UsersController& m_users;
    QString m_openLedger;
};
