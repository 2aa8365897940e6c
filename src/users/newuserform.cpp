#include "users/newuserform.h"

#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "rules/users/namecheck.h"
#include "rules/users/userfiles.h"
#include "store/amounts.h"
#include "store/appcontext.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

NewUserForm::NewUserForm(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("NewUserForm"));
    setWindowTitle(QStringLiteral("建立新帳號"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setEchoMode(QLineEdit::Password);
    Text3 = new QLineEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setEchoMode(QLineEdit::Password);
    Cmd1 = new QPushButton(QStringLiteral("確定"), this);
    Cmd1->setObjectName(QStringLiteral("Cmd1"));
    Cmd1->setDefault(true);
    Cmd2 = new QPushButton(QStringLiteral("取消"), this);
    Cmd2->setObjectName(QStringLiteral("Cmd2"));

    auto* layout = new QGridLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("帳號名稱"), this), 0, 0);
    layout->addWidget(Text1, 0, 1);
    layout->addWidget(new QLabel(QStringLiteral("密碼"), this), 1, 0);
    layout->addWidget(Text2, 1, 1);
    layout->addWidget(new QLabel(QStringLiteral("密碼請輸入3-16個英文或數字"), this), 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("再一次"), this), 2, 0);
    layout->addWidget(Text3, 2, 1);
    layout->addWidget(Cmd1, 3, 1);
    layout->addWidget(Cmd2, 3, 2);

    connect(Cmd1, &QPushButton::clicked, this, &NewUserForm::Cmd1_Click);
    connect(Cmd2, &QPushButton::clicked, this, &NewUserForm::Cmd2_Click);
    RemoveCloseCommand(this);
}

void NewUserForm::Cmd1_Click() {
    Prompts& prompts = m_ctx.services.prompts();
    if (Text1->text().isEmpty()) {
        prompts.warning(QStringLiteral("您還沒輸入帳號名稱"));
        return;
    }
    if (Text2->text().isEmpty() || Text3->text().isEmpty()) {
        prompts.warning(QStringLiteral("您還沒輸入密碼"));
        return;
    }
    if (!UserFiles::isPasswordAcceptable(Text2->text())) {
        prompts.warning(UserFiles::PasswordFormatMessage);
        return;
    }
    if (Text2->text() != Text3->text()) {
        prompts.warning(QStringLiteral("兩次輸入的密碼不一樣，請重新輸入"));
        return;
    }
    const QString name = FirstLine(Text1->text().trimmed());
    Text1->setText(name);
    const QString exists = QStringLiteral("帳號名稱已存在，請使用其他名稱");
    // Blanks only: the name left is the data folder itself, which exists.
    if (name.isEmpty()) {
        prompts.warning(exists);
        return;
    }
    const NameCheck::Problem problem = NameCheck::checkUserName(name);
    if (problem != NameCheck::Problem::None) {
        prompts.warning(NameCheck::userMessage(problem));
        return;
    }
    const QString& root = m_ctx.session.DataRoot;
    if (QFileInfo::exists(root + name)) {
        prompts.warning(exists);
        return;
    }
    if (!UserFiles::createUser(root, name, Text2->text())) {
        prompts.warning(QStringLiteral("發生錯誤!"));
        return;
    }
    m_user = name;
    m_password = Text2->text();
    accept();
}

void NewUserForm::Cmd2_Click() {
    reject();
}
