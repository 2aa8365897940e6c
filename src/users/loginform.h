#pragma once
#include <QDialog>
#include <QStringList>

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class UsersController;
struct AppContext;

// The login window (登入): the first window of every run and the one every logout returns
// to. A successful login closes it with Accepted; the ledger road then goes on in
// UsersController. 結束 closes it with Rejected.
class LoginForm : public QDialog {
    Q_OBJECT
public:
    LoginForm(AppContext& ctx, UsersController& users, QWidget* parent = nullptr);

    QComboBox* Combo1 = nullptr; // user name; the user folders of the data folder
    QLineEdit* Text2 = nullptr;  // password
    QCheckBox* Check1 = nullptr; // 自動登入我的帳號
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* Cmd1 = nullptr;     // 建立新帳號
    QPushButton* Command1 = nullptr; // 還原備份
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QMenu* Menu_Misc = nullptr;
    QAction* Misc_SetPath = nullptr;
    QAction* Misc_Data = nullptr;

    // The load: fills the window and, when automatic login is on and no login was tried in
    // this run, logs in at once (a successful one closes the window before it is shown).
    void Form_Load();
    void GetDirName();
    // The decoded password of user `us`; empty text when it cannot be read.
    QString PassInit(const QString& us) const;

    void cmdOK_Click();
    void cmdCancel_Click();
    void Cmd1_Click();
    void Command1_Click(); // 還原備份
    void Combo1_GotFocus();
    void Misc_SetPath_Click();
    void Misc_Data_Click();

    // After the window closed: whether a user logged in, and the ledgers of its list.
    bool LoggedIn() const { return m_loggedIn; }
    QStringList Ledgers() const { return m_ledgers; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppContext& m_ctx;
    UsersController& m_users;
    bool m_loggedIn = false;
    QStringList m_ledgers;
};
