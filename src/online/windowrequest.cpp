#include "online/windowrequest.h"

#include <QCoreApplication>
#include <QPointer>
#include <QWidget>

HttpClient::Reply GetWithoutInput(QWidget& window, HttpClient& http, const QString& url) {
    // Disabling the window takes the keyboard away; it goes back where it was.
    const QPointer<QWidget> focus = window.focusWidget();
    window.setEnabled(false);
    const HttpClient::Reply reply = http.get(url);
    QCoreApplication::processEvents();
    window.setEnabled(true);
    if (focus && focus->isEnabled() && focus->isVisible()) focus->setFocus();
    return reply;
}
