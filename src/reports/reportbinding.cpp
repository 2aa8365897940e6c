#include "reports/reportbinding.h"

#include <QEvent>
#include <QWidget>

namespace {
// Lives as the window's child: it goes with the window, and its connection with it.
class ReportBinding : public QObject {
public:
    ReportBinding(QWidget& window, Ledger& ledger, std::function<void()> recount)
        : QObject(&window), m_window(window), m_recount(std::move(recount)) {
        connect(&ledger.Notifier, &LedgerNotifier::changed, this, [this](LedgerChanges what) {
            if (!(what & ReportedChanges)) return;
            if (m_window.isHidden())
                m_missed = true;
            else
                m_recount();
        });
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &m_window && event->type() == QEvent::Show && m_missed) {
            m_missed = false;
            m_recount();
        }
        return false;
    }

private:
    QWidget& m_window;
    std::function<void()> m_recount;
    bool m_missed = false;
};
} // namespace

void FollowReportedChanges(QWidget& window, Ledger& ledger, std::function<void()> recount) {
    new ReportBinding(window, ledger, std::move(recount));
}
