#pragma once
#include <QDialog>

class QLineEdit;
class QPushButton;
struct AppContext;

// 建立新帳號: creates a user folder with an empty ledger list and the password file. The
// user is not logged in: the login window receives the name and password.
class NewUserForm : public QDialog {
    Q_OBJECT
public:
    explicit NewUserForm(AppContext& ctx, QWidget* parent = nullptr);

    QLineEdit* Text1 = nullptr;  // 帳號名稱
    QLineEdit* Text2 = nullptr;  // 密碼
    QLineEdit* Text3 = nullptr;  // 再一次
    QPushButton* Cmd1 = nullptr; // 確定
    QPushButton* Cmd2 = nullptr; // 取消

    void Cmd1_Click();
    void Cmd2_Click();

    // After 確定 succeeded.
    QString CreatedUser() const { return m_user; }
    QString CreatedPassword() const { return m_password; }

private:
    AppContext& m_ctx;
    QString m_user;
    QString m_password;
};
