#include "testenv.h"

#include <QCoreApplication>
#include <QEvent>

TestEnv::TestEnv() {
    ctx.services.setModal(modal);
}

void DeleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
