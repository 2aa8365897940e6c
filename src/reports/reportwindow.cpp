#include "reports/reportwindow.h"

#include <QRegularExpression>
#include <QTreeWidget>

#include "platform/runtime.h"
#include "platform/settingsstore.h"

namespace ReportWindow {

std::optional<int> wholeSetting(const SettingsStore& store, const QString& section,
                                const QString& key) {
    static const QRegularExpression whole(QStringLiteral("^\\s*-?\\d{1,9}\\s*$"));
    const QString text = store.GetSetting(section, key, QString());
    if (!whole.match(text).hasMatch()) return std::nullopt;
    return text.trimmed().toInt();
}

void restoreSize(QWidget* window, const SettingsStore& store, const QString& section,
                 int designWidthTwips, int designHeightTwips) {
    const int w = wholeSetting(store, section, QStringLiteral("Width")).value_or(designWidthTwips);
    const int h =
        wholeSetting(store, section, QStringLiteral("Height")).value_or(designHeightTwips);
    window->resize(std::max(Runtime::twipsToPixels(w), 100),
                   std::max(Runtime::twipsToPixels(h), 100));
    if (wholeSetting(store, section, QStringLiteral("WinState")).value_or(0) == 2)
        window->setWindowState(window->windowState() | Qt::WindowMaximized);
}

void saveSize(const QWidget* window, SettingsStore& store, const QString& section,
              int designWidthTwips, int designHeightTwips) {
    const Qt::WindowStates state = window->windowState();
    const bool normal = !(state & (Qt::WindowMinimized | Qt::WindowMaximized));
    const int w = normal ? Runtime::pixelsToTwips(window->width()) : designWidthTwips;
    const int h = normal ? Runtime::pixelsToTwips(window->height()) : designHeightTwips;
    store.SaveSetting(section, QStringLiteral("Width"), QString::number(w));
    store.SaveSetting(section, QStringLiteral("Height"), QString::number(h));
    const int winState = state & Qt::WindowMinimized ? 1 : state & Qt::WindowMaximized ? 2 : 0;
    store.SaveSetting(section, QStringLiteral("WinState"), QString::number(winState));
}

void applyListFont(QTreeWidget* list, const SettingsStore& store) {
    const double points = Runtime::leadingNumber(store.GetSetting(
        QStringLiteral("Setting"), QStringLiteral("MainFontSize"), QStringLiteral("9")));
    if (points <= 0) return;
    QFont f = list->font();
    f.setPointSizeF(points);
    list->setFont(f);
}

} // namespace ReportWindow
