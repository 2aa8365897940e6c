#pragma once
#include "platform/tray.h"

#include <QList>

// Keeps the icons in memory; click() plays a mouse click on a shown icon.
class RecordingTray : public TrayService {
public:
    struct Icon {
        int id = 0;
        QObject* window = nullptr;
        QString tip;
        ClickHandler onClick;
    };
    QList<Icon> visible; // icons shown and not yet removed
    QList<int> removed;  // ids passed to hideIcon, in order

    bool isShown(int id) const;
    // Plays a click on icon id; false when it is not shown.
    bool click(int id, Click click);

protected:
    void showIcon(int id, QObject* window, const QIcon& icon, const QString& tip,
                  ClickHandler onClick) override;
    void hideIcon(int id, QObject* window) override;
};
