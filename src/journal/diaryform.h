#pragma once
#include <QMainWindow>
#include <QString>

#include "platform/desktop/windowroutines.h"
#include "rules/journal/journallisting.h"
#include "store/ledger.h"

class JournalModel;
class MainView;
class QAction;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QStatusBar;
class QTreeView;
class UpDownArrows;
struct AppContext;

// 記錄總覽: the journal over a period or a date range with a type choice and a keyword, its
// sums, moves within a day, the jump to the main window and the export of its rows. One
// modeless window per run; the main window creates it (which loads it) and shows it.
class DiaryForm : public QMainWindow {
    Q_OBJECT
public:
    // Creating it is its load: settings, filters, and the main window's period listed.
    explicit DiaryForm(MainView& main, QWidget* parent = nullptr);
    ~DiaryForm() override;

    // ---- Controls (documented names) ----------------------------------------------------
    QLabel* Label1 = nullptr;
    QDateEdit* DTPicker1 = nullptr;
    QLabel* Label2 = nullptr;
    QDateEdit* DTPicker2 = nullptr;
    QPushButton* Cmd2 = nullptr; // 顯示
    QLineEdit* Text1 = nullptr;  // year
    QComboBox* Combo1 = nullptr; // 0 全部, 1 整年, 2..13 01月..12月
    UpDownArrows* UpDown1 = nullptr;
    UpDownArrows* UpDown2 = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* Combo2 = nullptr; // type choice
    // The rows: a view over the journal's model; column 8 (hidden) holds the entry index.
    QTreeView* Liv1 = nullptr;
    QLineEdit* Text2 = nullptr;      // keyword
    QPushButton* Command1 = nullptr; // 搜尋
    QPushButton* Command2 = nullptr; // 結束搜尋
    QStatusBar* StatusBar1 = nullptr;
    QMenu* Menu_Export = nullptr;
    QAction* Export_All = nullptr;
    QAction* Export_Sel = nullptr;
    QMenu* Menu_MenuTools = nullptr; // pop-up menu of the list
    QAction* MenuTools_Cal = nullptr;
    QAction* MenuTools_Line = nullptr;
    QAction* MenuTools_Up = nullptr;
    QAction* MenuTools_Down = nullptr;

    JournalModel* model() const { return m_model; }
    // The sums line (the status bar's one text).
    QString StatusText() const;
    // Entry index of a row (column 編號); 0 outside the rows.
    int RowEntryIndex(int row) const;
    int RowCount() const;
    // Rows whose selection state is on, first to last.
    QList<int> SelectedRows() const;

    // ---- State ------------------------------------------------------------------------------
    QString ListingTitle;
    quint8 ListingMode = 0; // 1 period listing, 2 range listing
    bool FiltersReady = false;
    bool EntriesMoved = false;

    // ---- Listing ------------------------------------------------------------------------------
    void Combo1_Click();
    void Cmd2_Click();
    void Combo2_Click();
    void Command1_Click();
    void Command2_Click();
    // The listing of the current mode with the current controls.
    void Relist();

    // ---- Lifecycle, jump, tick, pop-up menu ---------------------------------------------------
    void Form_Load();
    void Form_Resize();
    void Form_Unload();
    // The general settings changed the lists' size of type: the list takes it, its columns
    // fitted. (Their figures follow the ledger's notice.)
    void FollowListFont();
    void Liv1_DblClick();
    void Liv1_ItemCheck(int row, bool checked);
    void Liv1_MouseUp(Qt::MouseButton button, const QPoint& globalPos);

    // ---- Tools ---------------------------------------------------------------------------------
    void MenuTools_Cal_Click();
    void MenuTools_Up_Click();
    void MenuTools_Down_Click();
    void Text2_KeyDown(int key);
    void UpDown1_UpClick();
    void UpDown1_DownClick();
    void UpDown2_UpClick();
    void UpDown2_DownClick();

    // ---- Export
    // ----------------------------------------------------------------------------------
    void Export_All_Click();
    void Export_Sel_Click();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void connectHandlers();
    void readSettings();
    void writeSettings();
    // The list's font size: the one the main window's list has.
    void applyListFont();
    // Figure columns wide enough for their widest texts, kept within the view.
    void fitColumns();
    // Shows a listing: rows, pickers for 全部, sums line, mode, remembered change count.
    void showListing(const Journal::Listing& listing, int type, quint8 mode);
    // Follows the ledger's change notification: any change of the entry tables lists again.
    void ledgerChanged(LedgerChanges what);
    // False (after relisting) when the entry tables changed since the rows were listed.
    bool rowsCurrent();
    // Relists when the entry tables changed since the rows were listed.
    void relistWhenChanged();
    int currentRow() const;
    void moveCurrent(int step);
    void exportRows(bool selectedOnly);

    MainView& m_main;
    AppContext& m_ctx;
    JournalModel* m_model = nullptr;
    QLabel* m_statusText = nullptr;
    QWidget* m_central = nullptr;
    quint64 m_listedChanges = 0;
    // 分類, 科目, 明細 and 備註 at the widths they have when there is room, narrowed as far
    // as 發票 needs to end within the view.
    YieldingColumns* m_textColumns = nullptr;
    // While above 0 the window changes the entries itself and keeps its rows.
    int m_ownChange = 0;
    struct OwnChange {
        explicit OwnChange(DiaryForm& form) : f(form) { ++f.m_ownChange; }
        ~OwnChange() { --f.m_ownChange; }
        OwnChange(const OwnChange&) = delete;
        OwnChange& operator=(const OwnChange&) = delete;
        DiaryForm& f;
    };
};
