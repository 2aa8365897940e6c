#include "platform/desktop/windowroutines.h"

#include "platform/prompts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QTreeWidget>

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
