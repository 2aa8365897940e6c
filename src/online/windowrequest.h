#pragma once
#include <QString>

#include "platform/http.h"

class QWidget;

// One request to the service while window takes no input. Clicks and keys given while it
// runs are held back by the window system; they reach the window, still refusing input,
// when its pending events are processed once after the reply, and so are dropped instead of
// acting on what the reply brought. A close asked of the window meanwhile (by the window
// system) is refused the same way. The keyboard focus is given back afterwards.
HttpClient::Reply GetWithoutInput(QWidget& window, HttpClient& http, const QString& url);
