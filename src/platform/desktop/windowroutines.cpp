#include "platform/desktop/windowroutines.h"

#include "platform/prompts.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QProxyStyle>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QStyle>
#include <QStyleFactory>
#include <QTreeWidget>
#include <QWindow>

#include <algorithm>
#include <optional>
#include <utility>

namespace {

// The program's style but for one hint: a combo box drops a list of its visible-items
// count below itself, as an editable one does, instead of a menu over the box that
// ignores the count. A style sheet would do the same but changes the box's own size.
class DropListStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        if (hint == SH_ComboBox_Popup) return 0;
        return QProxyStyle::styleHint(hint, option, widget, returned);
    }
};

// The item view draws a text with a margin on either side of it.
int textWidth(const QTreeView* list, const QFontMetrics& metrics, const QString& text) {
    const int margin =
        2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    return metrics.horizontalAdvance(text) + margin + 1;
}

int columnWidthFor(const QTreeView* list, const QFont& font, const QString& text) {
    return textWidth(list, QFontMetrics(font), text);
}

} // namespace

void FlattenListHeader(QTreeView* list) {
    if (!list) return;
    QHeaderView* header = list->header();
    header->setSectionsClickable(false);
    header->setHighlightSections(false);
    header->setSortIndicatorShown(false);
}

namespace {

// The shown, enabled button of a window that reads 取消 (with or without a key mark).
QAbstractButton* cancelButton(QWidget* window) {
    if (!window) return nullptr;
    for (QAbstractButton* b : window->findChildren<QAbstractButton*>()) {
        if (b->window() != window || !b->isVisibleTo(window) || !b->isEnabled()) continue;
        if (b->text().remove(QLatin1Char('&')).startsWith(QStringLiteral("取消"))) return b;
    }
    return nullptr;
}

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
                // Esc is the window's 取消 button when it has one, else nothing.
                if (event->type() == QEvent::KeyPress)
                    if (QAbstractButton* cancel = cancelButton(static_cast<QWidget*>(parent())))
                        cancel->click();
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
        if (QWindow* shown = window->isVisible() ? window->windowHandle() : nullptr) {
            // setWindowFlags would hide a shown window, and hiding a modal dialog ends its
            // exec(): the flags go to the window as it stands instead.
            window->overrideWindowFlags(flags);
            shown->setFlags(flags);
        } else {
            window->setWindowFlags(flags);
        }
    }
    if (!window->findChild<QObject*>(QLatin1String(kRefuserName), Qt::FindDirectChildrenOnly)) {
        auto* refuser = new CloseRefuser(window);
        refuser->setObjectName(QLatin1String(kRefuserName));
        window->installEventFilter(refuser);
    }
}

namespace {

// The widths of item texts measured so far, by font: the same account names fill the lists of
// many windows and of every entry window opened, and each measuring shapes the text anew.
int itemTextWidth(const QFont& font, const QFontMetrics& metrics, const QString& text) {
    static QHash<QString, QHash<QString, int>> measured;
    QHash<QString, int>& widths = measured[font.key()];
    if (widths.size() > 100000) widths.clear(); // a bound, never reached by a ledger's names
    if (const auto known = widths.constFind(text); known != widths.cend()) return *known;
    const int width = metrics.horizontalAdvance(text);
    widths.insert(text, width);
    return width;
}

} // namespace

bool FitComboDropWidth(QComboBox* combo, int screenWidth) {
    if (!combo || combo->count() == 0) return false;
    const QFont font = combo->font();
    const QFontMetrics metrics(font);
    int widest = 0;
    for (int i = 0; i < combo->count(); ++i)
        widest = std::max(widest, itemTextWidth(font, metrics, combo->itemText(i)) + 20);

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

void BoundDropHeight(QComboBox* combo, int rows) {
    if (!combo) return;
    combo->setMaxVisibleItems(std::max(rows, 1));
    // The list style that counts visible items and places the list at the box: one for
    // the whole run, made on first use and gone with the application object.
    static QPointer<DropListStyle> style;
    if (!style) {
        style = new DropListStyle(QStyleFactory::create(QApplication::style()->name()));
        style->setParent(qApp);
    }
    combo->setStyle(style);
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
    CentreOnOwner(dialog);
}

void CentreOnOwner(QWidget& window) {
    if (window.testAttribute(Qt::WA_Moved)) return;
    // The size it will show with, so that its middle can be placed.
    if (window.layout()) window.layout()->activate();
    if (!window.testAttribute(Qt::WA_Resized)) window.adjustSize();
    const QWidget* parent = window.parentWidget() ? window.parentWidget()->window() : nullptr;
    QRect area;
    if (parent && parent->isVisible() && !parent->isMinimized()) {
        area = parent->frameGeometry();
    } else {
        const QScreen* screen = parent ? parent->screen() : window.screen();
        if (!screen) return;
        area = screen->availableGeometry();
    }
    // A window's place is that of its frame: the frame's middle goes over the owner's. The
    // frame is known once the window exists on the screen (a dialog being shown).
    const QSize frame =
        window.testAttribute(Qt::WA_WState_Created) ? window.frameGeometry().size() : window.size();
    QPoint topLeft = area.center() - QPoint(frame.width() / 2, frame.height() / 2);
    // A window larger than its owner still opens with its title bar on the screen.
    if (const QScreen* screen = window.screen()) {
        const QRect shown = screen->availableGeometry();
        topLeft.setX(std::max(shown.left(), topLeft.x()));
        topLeft.setY(std::max(shown.top(), topLeft.y()));
    }
    window.move(topLeft);
}

void ShowOwnedWindow(QWidget& window) {
    if (!window.isVisible()) CentreOnOwner(window);
    if (window.isMinimized()) window.showNormal();
    window.show();
    window.raise();
    window.activateWindow();
}

void ShowOwnerFirst(QWidget& owner) {
    if (owner.isVisible()) return;
    owner.show();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QWidget* OwnerWindow(QWidget* fallback) {
    if (QWidget* modal = QApplication::activeModalWidget()) return modal;
    if (QWidget* active = QApplication::activeWindow()) return active;
    return fallback;
}

WaitCursor::WaitCursor() {
    // Paint what is pending (a box just closed, a window just opened) before the work holds
    // the event loop; input waits until the work is done.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

WaitCursor::~WaitCursor() {
    QApplication::restoreOverrideCursor();
}

int TitleBarWidth(const QWidget& window) {
    // An icon and three buttons, each about as wide as the title bar is high, and a margin.
    const int button = window.style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, &window);
    return QFontMetrics(QApplication::font()).horizontalAdvance(window.windowTitle()) +
           4 * std::max(button, 24) + 16;
}

namespace {
// A column wider already keeps its width.
void widenColumn(QTreeView* list, int column, int widest) {
    if (widest > list->columnWidth(column)) list->setColumnWidth(column, widest);
}
} // namespace

int ColumnWidthFor(const QTreeView* list, const QString& text) {
    return columnWidthFor(list, list->font(), text);
}

int ColumnTextWidth(const QTreeView* list, int column) {
    if (!list || !list->model()) return 0;
    const QAbstractItemModel* model = list->model();
    const int rows = model->rowCount();
    // Figures are drawn in digits of one width: the longest texts are the widest, and only
    // they are measured (a listing of 30000 rows stays quick). A bold row is measured too.
    int longest = 0;
    QList<int> measured;
    for (int r = 0; r < rows; ++r) {
        const int length = int(model->index(r, column).data(Qt::DisplayRole).toString().size());
        if (length > longest) {
            longest = length;
            measured.clear();
        }
        if (length == longest && measured.size() < LongestTextsMeasured) measured << r;
    }
    return ColumnTextWidth(list, column, measured);
}

int ColumnTextWidth(const QTreeView* list, int column, const QList<int>& longestRows) {
    if (!list || !list->model()) return 0;
    const QAbstractItemModel* model = list->model();
    const int rows = model->rowCount();
    const QStyle* style = list->style();
    const int margin = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, list) + 1);
    int widest = 0;
    for (int r : longestRows) {
        const QModelIndex index = model->index(r, column);
        const QString text = index.data(Qt::DisplayRole).toString();
        const QVariant font = index.data(Qt::FontRole);
        // A cell's own font counts only in what it sets (bold, say), the rest is the list's,
        // as the view draws it.
        widest = std::max(widest,
                          columnWidthFor(list,
                                         font.isValid() ? font.value<QFont>().resolve(list->font())
                                                        : list->font(),
                                         text));
    }
    // The check box and icon a column draws before its text, as its first row shows them.
    if (rows > 0) {
        const QModelIndex first = model->index(0, column);
        if (first.data(Qt::CheckStateRole).isValid())
            widest += style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, list) + margin;
        if (!first.data(Qt::DecorationRole).isNull())
            widest += (list->iconSize().width() > 0
                           ? list->iconSize().width()
                           : style->pixelMetric(QStyle::PM_SmallIconSize, nullptr, list)) +
                      margin;
    }
    return widest;
}

int ColumnRoom(const QTreeView* list, int listWidth) {
    if (!list) return 0;
    const int width = listWidth < 0 ? list->width() : listWidth;
    const int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    return std::max(width - 2 * list->frameWidth() - scrollBar, 0);
}

bool NarrowColumnsToRoom(QTreeView* list, std::initializer_list<ColumnFloor> columns, int room) {
    if (!list) return false;
    const QHeaderView* header = list->header();
    int total = 0;
    for (int c = 0; c < header->count(); ++c)
        if (!header->isSectionHidden(c)) total += list->columnWidth(c);
    for (const ColumnFloor& f : columns) {
        if (total <= room) break;
        if (header->isSectionHidden(f.column)) continue;
        const int width = list->columnWidth(f.column);
        const int cut = std::min(total - room, width - std::max(f.narrowest, 0));
        if (cut <= 0) continue;
        list->setColumnWidth(f.column, width - cut);
        total -= cut;
    }
    return total <= room;
}

void FitColumnsToTexts(QTreeView* list, std::initializer_list<int> columns) {
    if (!list) return;
    for (int c : columns)
        widenColumn(list, c, ColumnTextWidth(list, c));
}

void FitColumnToTexts(QTreeView* list, int column, const QList<int>& longestRows) {
    if (list) widenColumn(list, column, ColumnTextWidth(list, column, longestRows));
}

void KeepColumnsInView(QTreeView* list, const QList<YieldingColumn>& yielding) {
    if (!list) return;
    const QHeaderView* header = list->header();
    // The view's width from the list's own size: a list not yet shown has no laid-out
    // viewport. The rows need a vertical scroll bar when they are taller than the view.
    const QSize view = list->maximumViewportSize();
    int width = view.width();
    const QAbstractItemModel* model = list->model();
    const int rows = model ? model->rowCount(list->rootIndex()) : 0;
    const int headerHeight = header->isHidden() ? 0 : header->sizeHint().height();
    if (rows > 0 && list->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff &&
        qint64(rows) * list->sizeHintForRow(0) > view.height() - headerHeight)
        width -= list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr,
                                            list->verticalScrollBar());
    // The columns' length with every text at its own width; each width is set once, so that a
    // listing that keeps the widths redraws nothing.
    int length = header->length();
    for (const YieldingColumn& y : yielding)
        if (!list->isColumnHidden(y.column)) length += y.width - list->columnWidth(y.column);
    int excess = length - width;
    QList<int> widths;
    for (const YieldingColumn& y : yielding)
        widths << y.width;
    // First each down to what its texts need, then, where that is not enough, down to its least.
    for (bool textsGiveWay : {false, true})
        for (qsizetype i = 0; i < yielding.size() && excess > 0; ++i) {
            const YieldingColumn& y = yielding[i];
            if (list->isColumnHidden(y.column)) continue;
            const int least =
                std::max({header->minimumSectionSize(), header->sectionSizeHint(y.column),
                          y.narrowest, textsGiveWay ? 0 : y.texts});
            const int given = std::clamp(widths[i] - least, 0, excess);
            excess -= given;
            widths[i] -= given;
        }
    for (qsizetype i = 0; i < yielding.size(); ++i)
        if (!list->isColumnHidden(yielding[i].column) &&
            list->columnWidth(yielding[i].column) != widths[i])
            list->setColumnWidth(yielding[i].column, widths[i]);
}

YieldingColumns::YieldingColumns(QTreeView* list, const QList<int>& columns)
    : QObject(list), m_list(list) {
    for (int c : columns) {
        m_own.append({c, list->columnWidth(c)});
        m_needs.append({c, 0});
    }
    // A column the user widens or narrows keeps that width whenever there is room.
    connect(list->header(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (m_fitting) return;
        for (YieldingColumn& y : m_own)
            if (y.column == column) y.width = size;
    });
}

void YieldingColumns::takeWidths() {
    for (YieldingColumn& y : m_own)
        y.width = m_list->columnWidth(y.column);
}

void YieldingColumns::setNeeds(int column, int width, int narrowest, int texts) {
    for (YieldingColumn& y : m_needs)
        if (y.column == column) y = {column, width, narrowest, texts};
}

void YieldingColumns::keepInView() {
    QList<YieldingColumn> yielding = m_needs;
    for (qsizetype i = 0; i < yielding.size(); ++i)
        yielding[i].width = std::max(yielding[i].width, m_own[i].width);
    const bool wasFitting = std::exchange(m_fitting, true);
    KeepColumnsInView(m_list, yielding);
    m_fitting = wasFitting;
}

void YieldingColumns::restoreWidths() {
    const QSignalBlocker quiet(m_list->header());
    for (const YieldingColumn& y : m_own)
        m_list->setColumnWidth(y.column, y.width);
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

void ApplyListFontSize(QWidget* list, const SettingsStore& store, const QString& fallback) {
    const auto size = storedWholeNumber(
        store.GetSetting(QStringLiteral("Setting"), QStringLiteral("MainFontSize"), fallback));
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
