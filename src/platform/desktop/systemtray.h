#pragma once
#include <QMap>

#include "platform/tray.h"

class QSystemTrayIcon;

// Production: one QSystemTrayIcon per id.
class SystemTrayService : public TrayService {
public:
    ~SystemTrayService() override;
    bool isAvailable() const override;

protected:
    void showIcon(int id, QObject* window, const QIcon& icon, const QString& tip,
                  ClickHandler onClick) override;
    void hideIcon(int id, QObject* window) override;

private:
    QMap<int, QSystemTrayIcon*> m_icons;
};
