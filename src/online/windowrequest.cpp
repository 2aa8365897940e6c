#include "online/windowrequest.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPointer>
#include <QWidget>

namespace {

// Refuses the window's close while it waits: a close asked of the window system then would
// be carried out once the reply is in, and the rows it brought would go nowhere.
class CloseRefuser : public QObject {
public:
    explicit CloseRefuser(QWidget& window) : m_window(window) { m_window.installEventFilter(this); }
    ~CloseRefuser() override { m_window.removeEventFilter(this); }
    CloseRefuser(const CloseRefuser&) = delete;
    CloseRefuser& operator=(const CloseRefuser&) = delete;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &m_window || event->type() != QEvent::Close) return false;
        event->ignore();
        return true;
    }

private:
    QWidget& m_window;
};

} // namespace

HttpClient::Reply GetWithoutInput(QWidget& window, HttpClient& http, const QString& url) {
    // Disabling the window takes the keyboard away; it goes back where it was.
    const QPointer<QWidget> focus = window.focusWidget();
    HttpClient::Reply reply;
    {
        const CloseRefuser refuser(window);
        window.setEnabled(false);
        reply = http.get(url);
        QCoreApplication::processEvents();
        window.setEnabled(true);
    }
    if (focus && focus->isEnabled() && focus->isVisible()) focus->setFocus();
    return reply;
}
