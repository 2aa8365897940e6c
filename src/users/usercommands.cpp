// The commands of the main window's 帳號 menu, and its merge and about commands.
#include "users/userscontroller.h"

#include "platform/desktop/windowroutines.h"
#include "platform/fileio.h"
#include "platform/modalrunner.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"
#include "rules/users/namecheck.h"
#include "rules/users/renamefolder.h"
#include "rules/users/userfiles.h"
#include "store/appcontext.h"
#include "store/autobackup.h"
#include "users/aboutform.h"
#include "users/useform.h"
#include "windowparts/mainview.h"

#include <QFileInfo>

namespace {
const QString kDemoUser = QStringLiteral("Test");
} // namespace

void UsersController::User_ChanegUserName_Click() {
    AppContext& ctx = context();
    Session& session = ctx.session;
    Prompts& prompts = ctx.services.prompts();
    if (session.CurrentUser == kDemoUser) {
        prompts.plain(QStringLiteral("Test 帳號無法變更名稱"));
        return;
    }
    QString name;
    for (;;) {
        const auto answer =
            prompts.input(QStringLiteral("請輸入新的帳號名稱\r\n\r\n"
                                         "變更後將無法還原之前帳號備份的資料，請重新做備份。"));
        if (!answer || answer->isEmpty()) return;
        name = answer->trimmed();
        // Checked before the folder is looked at: the name becomes a folder of the data folder.
        const NameCheck::Problem problem = NameCheck::checkUserName(name);
        if (problem != NameCheck::Problem::None) {
            prompts.warning(NameCheck::userMessage(problem));
            continue;
        }
        if (QFileInfo::exists(session.DataRoot + name)) {
            prompts.warning(QStringLiteral("這個帳號名稱已經存在，無法變更!"));
            continue;
        }
        break;
    }
    if (!RenameFolder(ctx, session.DataRoot + session.CurrentUser, session.DataRoot + name)) return;
    session.CurrentUser = name;
    if (!ctx.services.settings().SaveSetting(QStringLiteral("Setting"), QStringLiteral("UserName"),
                                             name))
        ctx.services.prompts().warning(SettingsNotStoredText());
    m_form.Window().setWindowTitle(name + QStringLiteral(" - ") + ProgramCaption);
    if (session.Setting.AutoLoginState == u"1") session.Setting.AutoLoginUsername = name;
}

void UsersController::User_ChanegPassword_Click() {
    AppContext& ctx = context();
    Session& session = ctx.session;
    Prompts& prompts = ctx.services.prompts();
    if (session.CurrentUser == kDemoUser) {
        prompts.plain(QStringLiteral("Test 帳號無法變更密碼"));
        return;
    }
    if (!session.UserPassword.isEmpty()) {
        for (;;) {
            const auto old = prompts.password(QStringLiteral("請輸入舊密碼"));
            if (!old || old->isEmpty()) return;
            if (*old == session.UserPassword) break;
            prompts.warning(QStringLiteral("密碼錯誤，請重新輸入"));
        }
    }
    QString password;
    for (;;) {
        const auto answer = prompts.password(QStringLiteral("輸入新密碼 (請輸入3-16個英文或數字)"));
        if (!answer || answer->isEmpty()) return;
        if (UserFiles::isPasswordAcceptable(*answer)) {
            password = *answer;
            break;
        }
        prompts.warning(UserFiles::PasswordFormatMessage);
    }
    for (;;) {
        const auto again = prompts.password(QStringLiteral("再一次輸入新密碼"));
        if (!again || again->isEmpty()) return;
        if (*again == password) break;
        prompts.warning(QStringLiteral("與前一次輸入不符合，請重新輸入"));
    }
    // The password in memory follows the file, never the other way round.
    if (!UserFiles::writePassword(session.userFolder(), password)) {
        prompts.warning(QStringLiteral("發生錯誤!"));
        return;
    }
    session.UserPassword = password;
    if (session.Setting.AutoLoginState == u"1") session.Setting.AutoLoginPassword = password;
}

void UsersController::User_Logout_Click() {
    AppContext& ctx = context();
    // A save that failed and was not given up keeps the user here with the changes.
    if (!m_form.ConfirmSaveChanges()) return;
    {
        const WaitCursor waiting;
        AutoBackup(ctx);
    }
    if (m_form.NodeCount() > 0) m_form.SaveExpandedState();
    LeaveUser(true);
    MemoCheckDone = false;
    RunLogin();
}

void UsersController::File_Add_Click() {
    AppContext& ctx = context();
    QStringList others = FileIO::subFolders(ctx.session.userFolder());
    others.removeAll(ctx.session.LedgerName);
    UseForm form(ctx, &m_form.Window());
    form.PrepareMerge(others);
    ctx.services.modal().run(form);
}

void UsersController::Help_About_Click() {
    AppContext& ctx = context();
    AboutForm form(ctx, &m_form.Window());
    ctx.services.modal().run(form);
}
