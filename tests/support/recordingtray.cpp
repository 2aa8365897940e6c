#include "recordingtray.h"

bool RecordingTray::isShown(int id) const {
    for (const Icon& icon : visible)
        if (icon.id == id) return true;
    return false;
}

bool RecordingTray::click(int id, Click click) {
    for (const Icon& icon : visible) {
        if (icon.id == id) {
            if (icon.onClick) icon.onClick(click);
            return true;
        }
    }
    return false;
}

void RecordingTray::showIcon(int id, QObject* window, const QIcon&, const QString& tip,
                             ClickHandler onClick) {
    visible.append({id, window, tip, std::move(onClick)});
}

void RecordingTray::hideIcon(int id, QObject*) {
    removed.append(id);
    for (qsizetype i = 0; i < visible.size(); ++i) {
        if (visible.at(i).id == id) {
            visible.removeAt(i);
            return;
        }
    }
}
