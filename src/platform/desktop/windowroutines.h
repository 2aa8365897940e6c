#pragma once
#include <QList>
#include <QObject>
#include <QString>
#include <initializer_list>
#include <optional>

class Prompts;
class QDialog;
class QComboBox;
class QLabel;
class QStatusBar;
class QTreeView;
class QWidget;

// Small routines that windows of every subsystem share. The notification-area icon
// routines AddTrayIcon / RemoveTrayIcon live on TrayService (platform/tray.h), which
// owns their id counter and collection.

// Flat column headers that no longer act as buttons (no click sorting, no pressed look).
void FlattenListHeader(QTreeView* list);

// Takes the close command away from a top-level window: the title bar's close button is
// hidden and, because a window manager may ignore that hint, every close request (the window
// manager's, and close() too) and the Esc key are refused. The program still ends the window
// by code: accept(), reject() or done() of a dialog, or hide(), which send no close event.
// Calling it twice changes nothing.
void RemoveCloseCommand(QWidget* window);

// Widens the drop-down list of a combo box to its widest item + 20 pixels, measured in the
// combo's font, at most the screen width - 20; an existing wider list stays as it is and
// the combo box itself keeps its width. False for an empty combo box.
// screenWidth < 0: the width of the combo's screen (tests pass a width).
bool FitComboDropWidth(QComboBox* combo, int screenWidth = -1);

// Bounds the drop-down list of a combo box to `rows` visible items, a scroll bar beyond
// them, dropped below the box (above it where the screen has no room below) and inside the
// screen. The style would otherwise drop a pick-only list as tall as the screen, with the
// chosen item over the box.
void BoundDropHeight(QComboBox* combo, int rows);

// Shows text in a status-bar panel until the next listing replaces it.
void DrawPanelText(QLabel* panel, const QString& text);

// The folder picker: the chosen folder without a trailing "/", "" when cancelled.
QString BrowseForFolder(Prompts& prompts, const QString& title);

// Readies a dialog for its modal showing: centred over its parent's window when that is
// shown, else over the screen (a dialog that placed itself keeps its place); a fixed-size
// dialog gets no maximise button, which window managers otherwise offer.
void PlaceDialog(QDialog& dialog);
// Centres a window on the window it belongs to (its parent's window when that is shown,
// else the screen); a window that was moved already keeps its place.
void CentreOnOwner(QWidget& window);
// Shows a modeless window of the main window: centred on its owner the first time, then
// shown, raised and activated (a minimised one comes back in its normal state).
void ShowOwnedWindow(QWidget& window);
// Shows a hidden owner (the main window while the program starts) and paints it, so that a
// window opening next is centred on it instead of on a window not yet drawn.
void ShowOwnerFirst(QWidget& owner);
// The window a box or file dialog belongs to: the active modal window, else the active
// window, else `fallback`.
QWidget* OwnerWindow(QWidget* fallback);

// The wait cursor over work that takes a while: the screen is repainted first, so that no
// half-drawn window stays up while the work runs; the cursor comes back when it ends.
class WaitCursor {
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

// The width a window needs for its title to read whole beside the title bar's icon and
// buttons.
int TitleBarWidth(const QWidget& window);

class QTreeView;
// Widens the given columns of figures (amounts, dates, invoice numbers, shares) of a list so
// that their widest text reads whole: a figure cut with "..." reads as another figure. A
// column wider already keeps its width.
void FitColumnsToTexts(QTreeView* list, std::initializer_list<int> columns);
// The same for one column, measuring only the given rows: the first LongestTextsMeasured
// rows whose texts are the longest, as a model that knows them without formatting every row
// finds them.
void FitColumnToTexts(QTreeView* list, int column, const QList<int>& longestRows);
// How many of the rows with the longest texts of a column are measured.
constexpr int LongestTextsMeasured = 64;
// A free-text column that gives way to the columns after it, the width it has when the view
// has room for it, and the narrowest it may become where that is more than its header
// caption needs. A column with `texts` gives way below that width (what its texts need) only
// after every other column gave what it could.
struct YieldingColumn {
    int column;
    int width;
    int narrowest = 0;
    int texts = 0;
};
// Gives the free-text columns their widths, then narrows them, in the order given and each
// down to the width its header caption needs (or its narrowest or texts), then once more down to
// the caption's (or narrowest) where their texts gave way, until the list's last shown column
// ends within the view (beside the vertical scroll bar when the rows need one): a column of figures
// at the right edge then reads whole, and the texts take back their room when the view widens.
void KeepColumnsInView(QTreeView* list, const QList<YieldingColumn>& yielding);

// The free-text columns of a list that give way to the columns after them, as KeepColumnsInView
// narrows them, each at its own width where the view has room: the width the user last dragged
// it to, not one it gave way to. Made a child of the list.
class YieldingColumns : public QObject {
public:
    // The columns in the order they give way; their own widths are those they have now.
    YieldingColumns(QTreeView* list, const QList<int>& columns);
    // The widths the columns have now become their own (stored widths just loaded).
    void takeWidths();
    // What a column needs besides its own width: at least `width` where the view has room,
    // never below `narrowest`, and below `texts` only after the others (see YieldingColumn).
    void setNeeds(int column, int width, int narrowest, int texts = 0);
    // The columns in view, as KeepColumnsInView.
    void keepInView();
    // Puts the own widths back without redrawing, for a closing window to store them.
    void restoreWidths();

private:
    QTreeView* m_list;
    QList<YieldingColumn> m_own;   // the user's widths
    QList<YieldingColumn> m_needs; // what setNeeds gave, width the least where there is room
    bool m_fitting = false;
};
// The width a column of figures needs for its widest text, with the check box and icon its
// rows draw before it.
int ColumnTextWidth(const QTreeView* list, int column);
// The same, measuring the given rows only.
int ColumnTextWidth(const QTreeView* list, int column, const QList<int>& longestRows);
// The width a list column needs to show text whole in the list's font.
int ColumnWidthFor(const QTreeView* list, const QString& text);
// The width a list of `listWidth` pixels (< 0: its own width) leaves its columns inside its
// frame, a vertical scroll bar's width kept free whether or not one shows, so that a scroll
// bar appearing later covers no column.
int ColumnRoom(const QTreeView* list, int listWidth = -1);
// A column and the narrowest it may become.
struct ColumnFloor {
    int column;
    int narrowest;
};
// Narrows the given columns, one after the other in the order given and each at most down to
// its floor, until the shown columns end within `room` pixels, so that a column of figures
// is not pushed past the list's edge. False when they still do not fit.
bool NarrowColumnsToRoom(QTreeView* list, std::initializer_list<ColumnFloor> columns, int room);

class SettingsStore;

// A stored whole number of a window's settings section; nullopt when the key is missing or
// holds anything else.
std::optional<int> StoredWholeNumber(const SettingsStore& store, const QString& section,
                                     const QString& key);

// A resizable window's place kept in a settings section: "Width" and "Height" in twips (the
// window's current size as default; never below 100 pixels, so that a window always opens
// where it can be grabbed), then "WinState", a stored 2 opening it maximised and any other
// value (a minimised 1 too) in the normal state. Values that are not whole numbers are
// ignored.
void LoadWindowPlacement(QWidget& window, const SettingsStore& store, const QString& section);
// Stores the size, or the fixed pair when the window is not in the normal state, then the state.
void SaveWindowPlacement(const QWidget& window, SettingsStore& store, const QString& section,
                         int closedWidthTwips, int closedHeightTwips);
// Column widths of a list under keys prefix & n, n from 1 to count, in pixels. A stored
// width is applied only when it is greater than narrowest.
void LoadColumnWidths(QTreeView* list, const SettingsStore& store, const QString& section,
                      const QString& prefix, int count, int narrowest = -1);
void SaveColumnWidths(const QTreeView* list, SettingsStore& store, const QString& section,
                      const QString& prefix, int count);
// The lists of a window take the font size of setting MainFontSize (`fallback` when it is
// missing).
void ApplyListFontSize(QWidget* list, const SettingsStore& store,
                       const QString& fallback = QStringLiteral("9"));

class QPushButton;
// A label or a push button carrying its documented name as its object name. Buttons are
// not default buttons by themselves: Enter belongs to the window's own keys.
QLabel* NamedLabel(QWidget* parent, const char* name, const QString& text = QString());
QPushButton* NamedButton(QWidget* parent, const char* name, const QString& caption);
// A window's status bar "StatusBar1" without a size grip, with one text panel across it
// (handed back in `text`).
QStatusBar* StatusLine(QWidget* parent, QLabel*& text);
