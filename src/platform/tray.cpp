#include "platform/tray.h"

int TrayService::AddTrayIcon(QObject* window, const QIcon& icon, const QString& tip,
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
