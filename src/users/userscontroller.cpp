#include "users/userscontroller.h"

#include "platform/desktop/windowroutines.h"
#include "platform/modalrunner.h"
#include "platform/prompts.h"
#include "rules/users/demoprofile.h"
#include "rules/users/olderfiles.h"
#include "rules/users/userfiles.h"
#include "store/appcontext.h"
#include "users/loginform.h"
#include "users/openform.h"
#include "windowparts/ledgerdialogue.h"
#include "windowparts/mainview.h"

#include <QAction>
#include <utility>

UsersController::UsersController(MainView& form) : QObject(&form.Window()), m_form(form) {
    setObjectName(QStringLiteral("UsersController"));
}

AppContext& UsersController::context() const {
    return m_form.context();
}

void UsersController::RunLogin() {
    AppContext& ctx = context();
    // The login window invites to the demo profile: a first start puts it into the data
    // folder it made. Without it the login simply offers what there is.
    if (std::exchange(ctx.session.DataRootCreated, false))
        CreateDemoProfile(ctx, OpenLedgerFiles, [](AppContext& demo) { return SaveLedger(demo); });
    // One login window after the other: a logout or a failure comes back here instead of
    // opening windows inside windows.
    for (;;) {
        LoginForm login(ctx, *this, &m_form.Window());
        login.Form_Load();
        if (!login.LoggedIn()) ctx.services.modal().run(login);
        if (!login.LoggedIn()) {
            // 結束: nobody is logged in, so the main window closes without a save question.
            m_form.Window().close();
            return;
        }
        switch (runAfterLogin(login.Ledgers())) {
        case AfterLogin::LedgerOpen:
            return;
        case AfterLogin::LoggedOut:
            break;
        case AfterLogin::Failed:
            ctx.services.prompts().warning(QStringLiteral("發生錯誤!"));
            ctx.session.CurrentUser.clear();
            break;
        }
    }
}

UsersController::AfterLogin UsersController::runAfterLogin(const QStringList& ledgers) {
    AppContext& ctx = context();
    ctx.session.LedgerNames = ledgers;
    if (!OlderFiles::convertUser(ctx.session.userFolder(), ledgers)) return AfterLogin::Failed;
    if (!MemoCheckDone) {
        MemoCheckDone = true;
        if (CheckMemoReminders) CheckMemoReminders();
    }
    if (ctx.session.Setting.AutoOpenState == u"1" && !ledgers.isEmpty()) {
        if (OpenLedger(ledgers.first())) return AfterLogin::LedgerOpen;
        // The first ledger could not be read: the list lets the user choose another.
    }
    return showLedgerList(ledgers, true) == ListEnd::Opened ? AfterLogin::LedgerOpen
                                                            : AfterLogin::LoggedOut;
}

UsersController::ListEnd UsersController::showLedgerList(const QStringList& ledgers,
                                                         bool fromLogin) {
    AppContext& ctx = context();
    OpenForm list(ctx, *this, &m_form.Window());
    list.Fill(ledgers);
    if (fromLogin) {
        if (ledgers.isEmpty()) list.EnableLedgerCommands(false);
        LedgerListChanged = false;
        RemoveCloseCommand(&list);
    } else {
        list.SetOpenLedger(ctx.session.LedgerName);
    }
    const int end = ctx.services.modal().run(list);
    if (end == OpenForm::Opened) return ListEnd::Opened;
    if (end == OpenForm::LoggedOut) return ListEnd::LoggedOut;
    // Closed: only possible while the Close command is there (shown from the main window);
    // from the login nothing is open, so it counts as leaving the user.
    return fromLogin ? ListEnd::LoggedOut : ListEnd::Closed;
}

void UsersController::LeaveUser(bool forgetListedAccount) {
    ClearOpenLedger(forgetListedAccount);
    m_form.ForgetUserWindows();
}

void UsersController::ClearOpenLedger(bool forgetListedAccount) {
    AppContext& ctx = context();
    if (forgetListedAccount) m_form.ForgetListedAccount();
    m_form.Window().setWindowTitle(ProgramCaption);
    m_form.ClearViews();
    for (int panel : {2, 4, 6, 7, 9})
        m_form.SetPanelText(panel, QString());
    m_form.ClearFilter();
    Ledger& ledger = ctx.ledger;
    ledger.clear();
    ledger.AccountsChanged = false;
    ledger.DetailTextsChanged = false;
    ledger.QuickEntriesChanged = false;
    ledger.RecurringChanged = false;
    ledger.TreeStateChanged = false;
    ledger.LedgerChangedFlag.clear();
}

void UsersController::File_SetDataBase_Click() {
    AppContext& ctx = context();
    if (!m_form.ConfirmSaveChanges()) return;
    if (m_form.NodeCount() > 0) m_form.SaveExpandedState();
    // The next click on a tree node lists its account, whichever ledger then is open.
    m_form.ForgetListedAccount();
    const ListEnd end = showLedgerList(UserFiles::readLedgerList(ctx.session.userFolder()), false);
    if (end == ListEnd::LoggedOut) RunLogin();
}
