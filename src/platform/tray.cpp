#include "platform/tray.h"

#include <QSystemTrayIcon>

int TrayService::AddTrayIcon(QWidget* window, const QIcon& icon, const QString& tip,
                             ClickHandler onClick) {
    const int id = ++m_lastId;
    m_windows.insert(QString::number(id), window);
    showIcon(id, window, icon, tip, std::move(onClick));
    return id;
}

void TrayService::RemoveTrayIcon(int id) {
    const auto it = m_windows.constFind(QString::number(id));
    if (it == m_windows.constEnd()) return;
    hideIcon(id, it.value());
}

bool SystemTrayService::isAvailable() const {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

SystemTrayService::~SystemTrayService() {
    qDeleteAll(m_icons);
}

void SystemTrayService::showIcon(int id, QWidget*, const QIcon& icon, const QString& tip,
                                 ClickHandler onClick) {
    auto* tray = new QSystemTrayIcon(icon);
    tray->setToolTip(tip);
    if (onClick) {
        QObject::connect(tray, &QSystemTrayIcon::activated, tray,
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

void SystemTrayService::hideIcon(int id, QWidget*) {
    if (QSystemTrayIcon* tray = m_icons.take(id)) {
        tray->hide();
        delete tray;
    }
}
