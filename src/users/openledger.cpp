// Opening a ledger: the one road from a ledger name to the main window showing it.
#include "users/userscontroller.h"

#include "platform/clock.h"
#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "platform/shell.h"
#include "platform/webpages.h"
#include "rules/users/initialperiod.h"
#include "store/appcontext.h"
#include "store/loadledger.h"
#include "users/openform.h"
#include "users/useform.h"
#include "windowparts/ledgerdialogue.h"
#include "windowparts/mainview.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <optional>

bool UsersController::OpenLedger(const QString& name, OpenForm* list) {
    AppContext& ctx = context();
    Session& session = ctx.session;
    if (list) {
        list->SaveLedgerList();
        session.LedgerNames = list->Items();
    }
    // The ledger shown so far is left: nothing of it stays on view, and the windows bound
    // to it close before the next one is read.
    m_form.ClearViews();
    session.LedgerName = name;
    session.ApplyAccounts = [&ctx, &owner = m_form.Window()](const QStringList& others) {
        return AskApplyAccounts(ctx, owner, others);
    };
    // The main window shows the ledger once the period and the filter are set for it.
    std::optional<Ledger::ChangeScope> reading(std::in_place, ctx.ledger);
    if (!OpenLedgerFiles(ctx)) {
        reading.reset();
        // The opening warned about the file and left the tables empty: nothing of the ledger
        // shown before may stay on screen, and the list may not be closed into it.
        m_form.Window().setWindowTitle(ProgramCaption);
        m_form.ClearViews();
        if (list) {
            RemoveCloseCommand(list);
            list->SetOpenLedger(QString());
        }
        return false;
    }
    m_form.Window().setWindowTitle(LedgerCaption(session));

    const Ledger& ledger = ctx.ledger;
    const QString lastDate = ledger.EntryCount > 1
                                 ? ledger.Entries[size_t(ledger.EntryCount - 1)].Date.trimmed()
                                 : QString();
    const InitialPeriod period =
        ChooseInitialPeriod(ledger.EntryCount, lastDate, ctx.services.clock().today(),
                            session.Setting.MonState, session.Setting.DayState);
    m_form.ShowPeriod(period.item, period.year);

    // No filter of the ledger shown before may apply to this one.
    m_form.ResetFilter();
    reading.reset(); // the tree is built, the first account listed
    m_form.LoadExpandedState();
    if (list) list->done(OpenForm::Opened);
    QCoreApplication::processEvents();

    if (list) {
        if (FirstUse == u"1" &&
            ctx.services.prompts().question(
                QStringLiteral("這是您建立帳號後初次使用，要看看使用教學嗎？\r\n\r\n"
                               "目前您已經建立帳本完成，可由「自訂科目」開始看起。"),
                Prompts::Buttons::YesNo) == Prompts::Answer::Yes)
            OpenWebPage(ctx.services.shell(), ctx.services.prompts(), WebPages::Tutorial);
        FirstUse = QStringLiteral("0");
    }
    if (CheckRecordReminders) CheckRecordReminders();
    if (CheckDueRecurring) CheckDueRecurring();
    return true;
}
