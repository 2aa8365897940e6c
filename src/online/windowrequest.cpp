#include "online/windowrequest.h"

#include <QCoreApplication>
#include <QWidget>

HttpClient::Reply GetWithoutInput(QWidget& window, HttpClient& http, const QString& url) {
    window.setEnabled(false);
    const HttpClient::Reply reply = http.get(url);
    QCoreApplication::processEvents();
    window.setEnabled(true);
    return reply;
}
