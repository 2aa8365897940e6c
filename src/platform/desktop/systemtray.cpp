#include "platform/desktop/systemtray.h"

#include <QSystemTrayIcon>

bool SystemTrayService::isAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

SystemTrayService::~SystemTrayService() {
    qDeleteAll(m_icons);
}

void SystemTrayService::showIcon(int id, QObject* window, const QIcon& icon, const QString& tip,
                                 ClickHandler onClick) {
    auto* tray = new QSystemTrayIcon(icon);
    tray->setToolTip(tip);
    if (onClick) {
        // Tied to the window: once it is gone, a click on its icon reaches nothing.
        QObject::connect(tray, &QSystemTrayIcon::activated, window ? window : tray,
                         [onClick](QSystemTrayIcon::ActivationReason reason) {
                             switch (reason) {
                             case QSystemTrayIcon::Trigger:
                                 onClick(Click::Left);
                                 break;
                             case QSystemTrayIcon::Context:
                                 onClick(Click::Right);
                                 break;
                             case QSystemTrayIcon::DoubleClick:
                                 onClick(Click::Double);
                                 break;
                             case QSystemTrayIcon::MiddleClick:
                                 onClick(Click::Middle);
                                 break;
                             default:
                                 break;
                             }
                         });
    }
    delete m_icons.take(id);
    m_icons.insert(id, tray);
    tray->show();
}

void SystemTrayService::hideIcon(int id, QObject*) {
    if (QSystemTrayIcon* tray = m_icons.take(id)) {
        tray->hide();
        delete tray;
    }
}
