#include "users/loginform.h"

#include "platform/codec.h"
#include "platform/desktop/windowroutines.h"
#include "platform/fileio.h"
#include "platform/modalrunner.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"
#include "platform/version.h"
#include "rules/users/backupcommands.h"
#include "rules/users/namecheck.h"
#include "rules/users/userfiles.h"
#include "store/appcontext.h"
#include "users/newuserform.h"
#include "users/userscontroller.h"
#include "windowparts/mainview.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kSetting = QStringLiteral("Setting");
} // namespace

LoginForm::LoginForm(AppContext& ctx, UsersController& users, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_users(users) {
    setObjectName(QStringLiteral("LoginForm"));
    setWindowTitle(QStringLiteral("登入"));

    auto* menuBar = new QMenuBar(this);
    Menu_Misc = menuBar->addMenu(QStringLiteral("其他(&M)"));
    Menu_Misc->setObjectName(QStringLiteral("Menu_Misc"));
    Misc_SetPath = Menu_Misc->addAction(QStringLiteral("變更資料庫路徑"));
    Misc_SetPath->setObjectName(QStringLiteral("Misc_SetPath"));
    Misc_Data = Menu_Misc->addAction(QStringLiteral("資料庫路徑回復原預設路徑"));
    Misc_Data->setObjectName(QStringLiteral("Misc_Data"));

    Label2 = new QLabel(QStringLiteral("歡迎使用Qivoka v"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3 = new QLabel(
        QStringLiteral("請輸入您的帳號密碼登入，或者用測試帳號登入試用 (帳號 Test 密碼 583)"
                       "\r\n\r\n創建新帳號請按<建立新帳號>"),
        this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setWordWrap(true);

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setEditable(true);
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setEchoMode(QLineEdit::Password);
    Check1 = new QCheckBox(QStringLiteral("自動登入我的帳號"), this);
    Check1->setObjectName(QStringLiteral("Check1"));

    cmdOK = new QPushButton(QStringLiteral("登入"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    cmdCancel = new QPushButton(QStringLiteral("結束"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    Cmd1 = new QPushButton(QStringLiteral("建立新帳號"), this);
    Cmd1->setObjectName(QStringLiteral("Cmd1"));
    Command1 = new QPushButton(QStringLiteral("還原備份"), this);
    Command1->setObjectName(QStringLiteral("Command1"));

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("帳號"), this), 0, 0);
    fields->addWidget(Combo1, 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("密碼"), this), 1, 0);
    fields->addWidget(Text2, 1, 1);
    fields->addWidget(Check1, 2, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {cmdOK, cmdCancel, Cmd1, Command1})
        buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize); // a fixed dialog, no maximise button
    layout->setMenuBar(menuBar);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addLayout(fields);
    layout->addLayout(buttons);

    connect(cmdOK, &QPushButton::clicked, this, &LoginForm::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &LoginForm::cmdCancel_Click);
    connect(Cmd1, &QPushButton::clicked, this, &LoginForm::Cmd1_Click);
    connect(Command1, &QPushButton::clicked, this, &LoginForm::Command1_Click);
    connect(Misc_SetPath, &QAction::triggered, this, &LoginForm::Misc_SetPath_Click);
    connect(Misc_Data, &QAction::triggered, this, &LoginForm::Misc_Data_Click);
    Combo1->installEventFilter(this);
    Combo1->lineEdit()->installEventFilter(this);
}

void LoginForm::Form_Load() {
    Session& session = m_ctx.session;
    const SettingMirrors& mirrors = session.Setting;
    RemoveCloseCommand(this);
    if (!mirrors.MyDataBasePath.isEmpty())
        setWindowTitle(session.DataRoot);
    else
        Misc_Data->setEnabled(false);
    GetDirName();
    Label2->setText(Label2->text() + ProgramVersion);
    if (QFileInfo(session.DataRoot + Combo1->currentText()).isDir())
        Text2->setFocus();
    else if (Combo1->count() > 0)
        Combo1->setCurrentIndex(0);
    Check1->setChecked(mirrors.AutoLoginState == u"1");
    const QString userName = m_ctx.services.settings().GetSetting(
        kSetting, QStringLiteral("UserName"), QStringLiteral("Test"));
    const int found = Combo1->findText(userName, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found >= 0) Combo1->setCurrentIndex(found);
    session.CurrentUser.clear();
    if (mirrors.AutoLoginState == u"1" && !m_users.form().AutoLoginTried()) {
        Check1->setChecked(true);
        Combo1->setEditText(mirrors.AutoLoginUsername);
        Text2->setText(mirrors.AutoLoginPassword);
        cmdOK_Click();
    }
}

void LoginForm::GetDirName() {
    Combo1->clear();
    Combo1->addItems(FileIO::subFolders(m_ctx.session.DataRoot));
    // Right after the refill no user is chosen yet.
    Combo1->setCurrentIndex(-1);
    Combo1->setEditText(QString());
}

QString LoginForm::PassInit(const QString& us) const {
    return UserFiles::readPassword(FileIO::subFolder(m_ctx.session.DataRoot, us));
}

void LoginForm::cmdOK_Click() {
    Session& session = m_ctx.session;
    Prompts& prompts = m_ctx.services.prompts();
    m_users.form().MarkAutoLoginTried();
    m_users.FirstUse = QStringLiteral("0");
    const QString user = Combo1->currentText();
    const QString password = Text2->text();
    const QString userFolder = FileIO::subFolder(session.DataRoot, user);

    // A name that could not be a user folder is no user: nothing outside the data folder
    // (or the data folder itself) is ever looked at.
    if (!NameCheck::isValidUserName(user) || !QFileInfo::exists(session.DataRoot + user)) {
        prompts.warning(QStringLiteral("目前軟體內沒有 ") + user +
                        QStringLiteral(" 這個帳號，請檢查資料庫路徑或使用備份還原帳號"));
        Combo1->setEditText(QString());
        Text2->clear();
        return;
    }
    if (!QFileInfo::exists(userFolder + UserFiles::PasswordFileName)) {
        prompts.warning(QStringLiteral("找不到 DataBase.pwd 檔案，請檢查"));
        return;
    }
    const QString stored = PassInit(user);
    if (stored.isEmpty()) {
        prompts.warning(QStringLiteral("無法取得密碼設定，資料可能已經損壞!\r\n\r\n"
                                       "請試著還原備份看看能否恢復正常。"));
        return;
    }
    if (password != stored) {
        prompts.warning(QStringLiteral("密碼不正確，請重新輸入!"));
        return;
    }

    m_ledgers = UserFiles::readLedgerList(userFolder);
    if (m_ledgers.isEmpty()) m_users.FirstUse = QStringLiteral("1");

    SettingMirrors& mirrors = session.Setting;
    const bool autoLogin = Check1->isChecked();
    mirrors.AutoLoginState = autoLogin ? QStringLiteral("1") : QStringLiteral("0");
    mirrors.AutoLoginUsername = autoLogin ? user : QString();
    mirrors.AutoLoginPassword = autoLogin ? password : QString();

    session.CurrentUser = user;
    session.UserPassword = stored;
    if (!m_ctx.services.settings().SaveSetting(kSetting, QStringLiteral("UserName"), user))
        m_ctx.services.prompts().warning(SettingsNotStoredText());
    m_users.form().Window().setWindowTitle(ProgramCaption);
    m_loggedIn = true;
    accept();
}

void LoginForm::cmdCancel_Click() {
    SettingMirrors& mirrors = m_ctx.session.Setting;
    mirrors.AutoLoginState = Check1->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (!Check1->isChecked()) {
        mirrors.AutoLoginUsername.clear();
        mirrors.AutoLoginPassword.clear();
    }
    m_loggedIn = false;
    reject();
}

void LoginForm::Cmd1_Click() {
    NewUserForm form(m_ctx, this);
    if (m_ctx.services.modal().run(form) != QDialog::Accepted || form.CreatedUser().isEmpty())
        return;
    Combo1->addItem(form.CreatedUser());
    Combo1->setCurrentIndex(Combo1->count() - 1);
    Text2->setText(form.CreatedPassword());
    // Name and password are filled in: Enter logs in, it does not make another user.
    cmdOK->setFocus();
}

void LoginForm::Command1_Click() {
    const QString owner = BackupCommands::RestoreBackupBeforeLogin(m_ctx);
    if (owner.isEmpty()) return;
    GetDirName();
    const int found = Combo1->findText(owner, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found >= 0) Combo1->setCurrentIndex(found);
    m_ctx.services.prompts().information(QStringLiteral("還原資料完成"));
    Text2->setFocus();
}

void LoginForm::Combo1_GotFocus() {
    setTabOrder(Combo1, Text2);
    Combo1->lineEdit()->selectAll();
}

void LoginForm::Misc_SetPath_Click() {
    Prompts& prompts = m_ctx.services.prompts();
    QString path = BrowseForFolder(prompts, QStringLiteral("請選擇一個資料夾"));
    if (path.isEmpty()) return;
    // The data files name folders in cp950: a path outside it could never be used.
    if (path.contains(u'?') || !Ansi::isEncodable(path)) {
        prompts.warning(path +
                        QStringLiteral("\r\n\r\n無法使用此資料夾！\r\n\r\n"
                                       "路徑名稱可能含有軟體不支援的文字，請改選其他資料夾！"));
        return;
    }
    path = FileIO::withTrailingSlash(path);
    // A path the settings file did not take is reported, never shown as changed.
    if (!m_ctx.services.settings().SaveSetting(kSetting, QStringLiteral("MyDataBasePath"), path)) {
        prompts.warning(SettingsNotStoredText());
        return;
    }
    prompts.information(path +
                        QStringLiteral("\r\n\r\n資料庫路徑已變更至此路徑，請重開軟體才會生效"));
}

void LoginForm::Misc_Data_Click() {
    if (!m_ctx.services.settings().SaveSetting(kSetting, QStringLiteral("MyDataBasePath"),
                                               QString())) {
        m_ctx.services.prompts().warning(SettingsNotStoredText());
        return;
    }
    m_ctx.services.prompts().information(
        QStringLiteral("資料庫路徑已回復預設路徑，請重開軟體才會生效"));
}

bool LoginForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn && (watched == Combo1 || watched == Combo1->lineEdit()))
        Combo1_GotFocus();
    return QDialog::eventFilter(watched, event);
}
