// The quick-entry list's command 從現有記錄分析加入: proposes quick entries from the
// entries that repeat in the open ledger.
#include <QCoreApplication>
#include <QEventLoop>
#include <QStatusBar>

#include "entry/quickform.h"
#include "platform/prompts.h"
#include "rules/entry/repeatedentries.h"
#include "store/appcontext.h"

void QuickForm::Command2_Click() {
    if (m_analysing) return;
    const std::optional<QString> answer =
        m_ctx.services.prompts().input(QStringLiteral("要加入重覆幾筆以上的記錄?"));
    if (!answer) return;
    const double threshold = RepeatedEntries::thresholdOf(*answer);
    if (threshold == 0) return;

    m_analysing = true;
    // Repaints only: clicks and keys wait, so no other command of this window runs
    // while the scan is under way.
    const auto progress = [this](int i, int n) {
        StatusBar1->showMessage(QStringLiteral("分析中... (%1/%2 )").arg(i).arg(n));
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    };
    const std::vector<RepeatedEntries::Group> groups =
        RepeatedEntries::groupEntries(m_ctx.ledger, progress);
    const int added = RepeatedEntries::appendProposals(m_ctx.ledger, groups, threshold);
    m_analysing = false;

    AccountsAddCombo();
    ChooseFilter(0);
    if (added > 0) MarkQuickEntriesChanged();
}
