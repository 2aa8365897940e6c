#include "platform/desktop/windowroutines.h"

#include "platform/prompts.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTreeWidget>

#include <algorithm>
#include <optional>

void FlattenListHeader(QTreeView* list) {
    if (!list) return;
    QHeaderView* header = list->header();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setSortIndicatorShown(false);
}

namespace {

// Refuses every close request (the window manager's and close()) and Esc. Window managers
// do not mark their requests reliably, so all close events are refused; the program ends
// such a window with accept(), reject(), done() or hide(), which send no close event.
class CloseRefuser : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier) {
                event->accept();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }
};

constexpr const char* kRefuserName = "qivo_close_refuser";

} // namespace

void RemoveCloseCommand(QWidget* window) {
    if (!window) return;
    Qt::WindowFlags flags = window->windowFlags();
    flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    flags &= ~Qt::WindowCloseButtonHint;
    if (flags != window->windowFlags()) {
        const bool wasVisible = window->isVisible();
        window->setWindowFlags(flags); // hides the window; show it again as it was
        if (wasVisible) window->show();
    }
    if (!window->findChild<QObject*>(QLatin1String(kRefuserName), Qt::FindDirectChildrenOnly)) {
        auto* refuser = new CloseRefuser(window);
        refuser->setObjectName(QLatin1String(kRefuserName));
        window->installEventFilter(refuser);
    }
}

bool FitComboDropWidth(QComboBox* combo, int screenWidth) {
    if (!combo || combo->count() == 0) return false;
    const QFontMetrics metrics(combo->font());
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i)
        widest = std::max(widest, metrics.horizontalAdvance(combo->itemText(i)) + 20);

    // The list is never narrower than the combo box itself.
    QAbstractItemView* view = combo->view();
    const int current = std::max(view->minimumWidth(), combo->width());
    if (current > widest) return true;

    if (screenWidth < 0) {
        const QScreen* screen = combo->screen();
        screenWidth = screen ? screen->geometry().width() : 0;
    }
    if (screenWidth > 0 && widest > screenWidth - 20) widest = screenWidth - 20;
    view->setMinimumWidth(widest);
    return true;
}

void DrawPanelText(QLabel* panel, const QString& text) {
    if (panel) panel->setText(text);
}

QString BrowseForFolder(Prompts& prompts, const QString& title) {
    return prompts.browseFolder(title);
}

void PlaceDialog(QDialog& dialog) {
    const bool fixedSize =
        dialog.minimumSize() == dialog.maximumSize() ||
        (dialog.layout() && dialog.layout()->sizeConstraint() == QLayout::SetFixedSize);
    if (fixedSize) {
        Qt::WindowFlags flags = dialog.windowFlags();
        // Without the customise hint the window manager picks the buttons itself.
        if (!(flags & Qt::CustomizeWindowHint))
            flags |= Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                     Qt::WindowCloseButtonHint;
        flags &= ~Qt::WindowMaximizeButtonHint;
        if (flags != dialog.windowFlags()) dialog.setWindowFlags(flags);
    }
    if (dialog.testAttribute(Qt::WA_Moved)) return;
    // The size it will show with, so that its middle can be placed.
    if (dialog.layout()) dialog.layout()->activate();
    if (!dialog.testAttribute(Qt::WA_Resized)) dialog.adjustSize();
    const QWidget* parent = dialog.parentWidget() ? dialog.parentWidget()->window() : nullptr;
    QRect area;
    if (parent && parent->isVisible() && !parent->isMinimized()) {
        area = parent->frameGeometry();
    } else {
        const QScreen* screen = parent ? parent->screen() : dialog.screen();
        if (!screen) return;
        area = screen->availableGeometry();
    }
    dialog.move(area.center() - QPoint(dialog.width() / 2, dialog.height() / 2));
}

namespace {

std::optional<int> storedWholeNumber(const QString& text) {
    bool ok = false;
    const int v = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(v) : std::nullopt;
}

} // namespace

std::optional<int> StoredWholeNumber(const SettingsStore& store, const QString& section,
                                     const QString& key) {
    return storedWholeNumber(store.GetSetting(section, key, QString()));
}

void LoadWindowPlacement(QWidget& window, const SettingsStore& store, const QString& section) {
    const int w = Runtime::pixelsToTwips(window.width());
    const int h = Runtime::pixelsToTwips(window.height());
    const auto width =
        storedWholeNumber(store.GetSetting(section, QStringLiteral("Width"), QString::number(w)));
    const auto height =
        storedWholeNumber(store.GetSetting(section, QStringLiteral("Height"), QString::number(h)));
    window.resize(std::max(Runtime::twipsToPixels(width.value_or(w)), 100),
                  std::max(Runtime::twipsToPixels(height.value_or(h)), 100));
    if (storedWholeNumber(
            store.GetSetting(section, QStringLiteral("WinState"), QStringLiteral("0"))) == 2)
        window.setWindowState(Qt::WindowMaximized);
}

void SaveWindowPlacement(const QWidget& window, SettingsStore& store, const QString& section,
                         int closedWidthTwips, int closedHeightTwips) {
    const Qt::WindowStates s = window.windowState();
    const bool normal = !(s & (Qt::WindowMaximized | Qt::WindowMinimized));
    SaveSettingQuietly(
        store, section, QStringLiteral("Width"),
        QString::number(normal ? Runtime::pixelsToTwips(window.width()) : closedWidthTwips));
    SaveSettingQuietly(
        store, section, QStringLiteral("Height"),
        QString::number(normal ? Runtime::pixelsToTwips(window.height()) : closedHeightTwips));
    const int state = s & Qt::WindowMinimized ? 1 : s & Qt::WindowMaximized ? 2 : 0;
    SaveSettingQuietly(store, section, QStringLiteral("WinState"), QString::number(state));
}

void LoadColumnWidths(QTreeView* list, const SettingsStore& store, const QString& section,
                      const QString& prefix, int count, int narrowest) {
    for (int c = 0; c < count; ++c) {
        const auto w = storedWholeNumber(store.GetSetting(section, prefix + QString::number(c + 1),
                                                          QString::number(list->columnWidth(c))));
        if (w && *w >= 0 && *w > narrowest) list->setColumnWidth(c, *w);
    }
}

void SaveColumnWidths(const QTreeView* list, SettingsStore& store, const QString& section,
                      const QString& prefix, int count) {
    for (int c = 0; c < count; ++c)
        SaveSettingQuietly(store, section, prefix + QString::number(c + 1),
                           QString::number(list->columnWidth(c)));
}

void ApplyListFontSize(QWidget* list, const SettingsStore& store) {
    const auto size = storedWholeNumber(store.GetSetting(
        QStringLiteral("Setting"), QStringLiteral("MainFontSize"), QStringLiteral("9")));
    if (!size || *size <= 0) return;
    QFont f = list->font();
    f.setPointSize(*size);
    list->setFont(f);
}

QLabel* NamedLabel(QWidget* parent, const char* name, const QString& text) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}

QStatusBar* StatusLine(QWidget* parent, QLabel*& text) {
    auto* bar = new QStatusBar(parent);
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setSizeGripEnabled(false);
    text = new QLabel(bar);
    bar->addWidget(text, 1);
    return bar;
}

QPushButton* NamedButton(QWidget* parent, const char* name, const QString& caption) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setAutoDefault(false);
    return b;
}
