#pragma once
#include <QMap>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QIcon;

// The notification-area icons of one run. Ids run 1, 2, 3 ... for the run; the id-to-window
// collection keeps every entry, also after its icon is removed; a window that is gone reads
// as null there, never as a dangling pointer. The state lives in this object (owned with
// the other services), not in globals.
class TrayService {
public:
    enum class Click { Left, Right, Double, Middle };
    using ClickHandler = std::function<void(Click)>;

    virtual ~TrayService() = default;

    // Whether the desktop has a notification area to show icons in.
    virtual bool isAvailable() const { return true; }

    // Shows an icon for window with its tip; onClick receives the icon's mouse clicks.
    int AddTrayIcon(QObject* window, const QIcon& icon, const QString& tip,
                    ClickHandler onClick = {});
    // Takes the icon of id away; an id that was never added or is already gone changes nothing.
    void RemoveTrayIcon(int id);

    int TrayIconId() const { return m_lastId; }
    // Key: the id as decimal text; value: the window the icon was added for.
    const QMap<QString, QPointer<QObject>>& TrayIcons() const { return m_windows; }

protected:
    virtual void showIcon(int id, QObject* window, const QIcon& icon, const QString& tip,
                          ClickHandler onClick) = 0;
    // window: null when the window is gone.
    virtual void hideIcon(int id, QObject* window) = 0;

private:
    int m_lastId = 0;
    QMap<QString, QPointer<QObject>> m_windows;
};
