#include "reports/reportbinding.h"

#include <QObject>

void FollowReportedChanges(QObject& window, Ledger& ledger, std::function<void()> recount) {
    QObject::connect(&ledger.Notifier, &LedgerNotifier::changed, &window,
                     [recount = std::move(recount)](LedgerChanges what) {
                         if (what & ReportedChanges) recount();
                     });
}
