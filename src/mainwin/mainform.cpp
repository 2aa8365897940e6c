#include "mainwin/mainform.h"
#include "journal/diaryform.h"
#include "online/numberform.h"
#include "reports/ibsform.h"
#include "reports/yearform.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QTreeView>
#include <QTreeWidget>
#include <algorithm>

#include "mainwin/accounttree.h"
#include "mainwin/entrylistmodel.h"
#include "platform/desktop/windowroutines.h"
#include "store/appcontext.h"
#include "windowparts/formwidgets.h"
#include "windowparts/rowselection.h"

namespace {
// Design widths and texts of the nine status panels.
struct PanelDesign {
    int width;
    const char16_t* text;
};
constexpr PanelDesign panelDesign[9] = {
    {60, u"今日收支"}, {177, u""}, {60, u"金額累計"}, {80, u""}, {40, u"預算"},
    {96, u""},         {82, u""},  {60, u"記錄筆數"}, {80, u""},
};

struct ColumnDesign {
    const char16_t* header;
    int width;
    bool right;
};
// What a column usually shows, beside its check box (column 1) or icon (columns 1 and 2):
// a column's default width is at least what this needs in the list's font.
struct ColumnContent {
    const char16_t* text;
    bool check;
    bool icon;
};
constexpr ColumnContent usualContent[7] = {
    {u"0000/00/00", true, true},       {u"E-餐飲費用", false, true},
    {u"-99,999,999.00", false, false}, {u"-99,999,999.00", false, false},
    {u"早餐午餐晚餐", false, false},   {u"早餐午餐晚餐", false, false},
    {u"AB12345678", false, false},
};

constexpr ColumnDesign listColumns[8] = {
    {u"日期", 125, false}, {u"類別", 140, false}, {u"金額", 80, true},  {u"累計", 80, true},
    {u"明細", 150, false}, {u"備註", 150, false}, {u"發票", 65, false}, {u"編號", 0, true},
};
} // namespace

MainForm::MainForm(AppContext& ctx, QWidget* parent) : QMainWindow(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("MainForm"));
    EndProcess = [] { QCoreApplication::quit(); };
    buildMenus(this);
    buildControls();
    connectHandlers();
    connectCommands();
    connectJournal();
}

MainForm::~MainForm() {
    // The list and its viewport still send events while QWidget's destructor deletes the
    // children, when this window's members are gone: its tap must not pass them on.
    delete m_listTap;
    // The journal is a window of its own; it ends with the run, without its close.
    delete m_diary;
}

void MainForm::buildControls() {
    auto* backdrop = new BackdropPanel(this);
    Picture1 = backdrop;
    Picture1->setObjectName(QStringLiteral("Picture1"));
    setCentralWidget(Picture1);

    Text2 = new QLineEdit(Picture1);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->resize(48, 23);
    UpDown1 = new UpDownArrows(Picture1);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->resize(17, 23);
    Combo1 = new QComboBox(Picture1);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItem(QStringLiteral("全部"));
    Combo1->addItem(QStringLiteral("整年"));
    for (int m = 1; m <= 12; ++m)
        Combo1->addItem(QStringLiteral("%1月").arg(m, 2, 10, QLatin1Char('0')));
    UpDown2 = new UpDownArrows(Picture1);
    UpDown2->setObjectName(QStringLiteral("UpDown2"));
    UpDown2->resize(17, 23);
    Command2 = new QPushButton(QStringLiteral("本月"), Picture1);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->resize(49, 23);

    Trv1 = new AccountTree(Picture1);
    Trv1->setObjectName(QStringLiteral("Trv1"));
    Trv1->setHeaderHidden(true);
    Trv1->setColumnCount(1);
    Trv1->setIconSize(QSize(16, 16));
    Trv1->setSelectionMode(QAbstractItemView::SingleSelection);
    Trv1->setUniformRowHeights(true);
    // A narrow step per level leaves the names beside their figures the more room.
    Trv1->setIndentation(12);

    Combo2 = new QComboBox(Picture1);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    Combo2->setEditable(true);
    Combo2->setInsertPolicy(QComboBox::NoInsert);
    Combo2->setMaxVisibleItems(300 / 20); // a drop-down about 300 pixels high
    Combo1->setMaxVisibleItems(14);
    Command1 = new QPushButton(QStringLiteral("搜尋"), Picture1);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->resize(65, 23);
    Command4 = new QPushButton(QStringLiteral("全區搜尋"), Picture1);
    Command4->setObjectName(QStringLiteral("Command4"));
    Command4->resize(65, 23);
    Command4->setEnabled(false); // until the journal window connects its search

    Liv1 = new QTreeView(Picture1);
    Liv1->setObjectName(QStringLiteral("Liv1"));
    Liv1Rows = new EntryListModel(m_ctx.ledger, m_ctx.session, Liv1);
    Liv1->setModel(Liv1Rows);
    Liv1->setRootIsDecorated(false);
    Liv1->setItemsExpandable(false);
    Liv1->setUniformRowHeights(true);
    Liv1->setAllColumnsShowFocus(true);
    Liv1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Liv1->setIconSize(QSize(16, 16));
    QStringList headers;
    for (const ColumnDesign& c : listColumns)
        headers << QString::fromUtf16(c.header);
    Liv1Rows->setHeaderTexts(headers);
    Liv1->header()->setSectionsClickable(true);
    Liv1->header()->setStretchLastSection(false);
    Liv1->header()->setMinimumSectionSize(0);
    Liv1->header()->setSortIndicatorShown(true);
    Liv1->header()->setSortIndicator(0, Qt::AscendingOrder);
    for (int c = 0; c < 8; ++c)
        Liv1->setColumnWidth(c, listColumns[c].width);
    for (size_t c = 0; c < m_listWidths.size(); ++c)
        m_listWidths[c] = listColumns[c].width;

    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    // The panels abut and are placed by the layout pass, not by the bar's own layout: that
    // layout puts spacing between them and hands the free room to its trailing spacer, and
    // fixed minimum widths would push the window wider than the widths computed from it.
    for (int n = 0; n < 9; ++n) {
        auto* label = new QLabel(QString::fromUtf16(panelDesign[n].text), StatusBar1);
        label->setObjectName(QStringLiteral("Panel%1").arg(n + 1));
        label->resize(panelDesign[n].width, label->sizeHint().height());
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        m_panels << label;
    }
    StatusBar1->setMinimumHeight(m_panels.first()->sizeHint().height() + 2);
    PlaceStatusPanels();
}

void MainForm::connectHandlers() {
    // The save button, the tree and the list follow the ledger's changes.
    if (QAction* save = ToolbarButton(3)) save->setEnabled(m_ctx.ledger.LedgerChangedFlag.isSet());
    connect(&m_ctx.ledger.Notifier, &LedgerNotifier::changed, this,
            [this](LedgerChanges what) { ledgerChanged(what); });
    connect(Trv1, &QTreeWidget::itemExpanded, this, [this] { Trv1_Expand(); });
    connect(Trv1, &QTreeWidget::itemCollapsed, this, [this] { Trv1_Collapse(); });
    connect(Trv1, &QTreeWidget::itemDoubleClicked, this, [this] { Trv1_DblClick(); });
    Trv1->viewport()->installEventFilter(this);
    Trv1->installEventFilter(this);

    connect(UpDown1, &UpDownArrows::upClicked, this, [this] { UpDown1_UpClick(); });
    connect(UpDown1, &UpDownArrows::downClicked, this, [this] { UpDown1_DownClick(); });
    connect(UpDown2, &UpDownArrows::upClicked, this, [this] { UpDown2_UpClick(); });
    connect(UpDown2, &UpDownArrows::downClicked, this, [this] { UpDown2_DownClick(); });
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    Combo2->installEventFilter(this);
    if (Combo2->lineEdit()) Combo2->lineEdit()->installEventFilter(this);
    connect(Liv1->header(), &QHeaderView::sectionClicked, this,
            [this](int section) { Liv1_ColumnClick(section + 1); });
    connect(Liv1Rows, &EntryListModel::checkToggled, this,
            [this](int row, bool checked) { Liv1_ItemCheck(row, checked); });
    // A width the user drags a column to (or the start sequence gives it) is the column's
    // own; the widths the fitting gives it are not.
    connect(Liv1->header(), &QHeaderView::sectionResized, this, [this](int column, int, int size) {
        if (!m_fittingColumns && column >= 0 && column < int(m_listWidths.size()))
            m_listWidths[size_t(column)] = size;
    });

    connect(File_Quit, &QAction::triggered, this, [this] { File_Quit_Click(); });
    // A check item has inverted its mark already when the menu triggers it.
    connect(View_Add, &QAction::triggered, this, [this] { viewSwitched(); });
    connect(View_Show, &QAction::triggered, this, [this] { viewSwitched(); });
    connect(View_Today, &QAction::triggered, this, [this] { View_Today_Click(); });
    connect(View_Yesterday, &QAction::triggered, this, [this] { View_Yesterday_Click(); });
    connect(View_Balance, &QAction::triggered, this, [this] { View_Balance_Click(); });
    connect(View_Budget, &QAction::triggered, this, [this] { View_Budget_Click(); });
    connect(View_BudgetI, &QAction::triggered, this, [this] { View_BudgetI_Click(); });
    connect(View_BudgetE, &QAction::triggered, this, [this] { View_BudgetE_Click(); });
}

bool MainForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Trv1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        Trv1_MouseUp(static_cast<QMouseEvent*>(event)->button());
    } else if (watched == Trv1 && event->type() == QEvent::KeyRelease) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) Trv1_KeyUp(key->key());
    } else if ((watched == Combo2 || watched == Combo2->lineEdit()) &&
               event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            Combo2_KeyDown(key->key(), key->modifiers() & ~Qt::KeypadModifier);
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Status panels ---------------------------------------------------------------------

QLabel* MainForm::Panel(int n) const {
    if (n < 1 || n > m_panels.size()) return nullptr;
    return m_panels[n - 1];
}

QString MainForm::PanelText(int n) const {
    QLabel* p = Panel(n);
    return p ? p->text() : QString();
}

void MainForm::SetPanelText(int n, const QString& text) {
    if (QLabel* p = Panel(n)) p->setText(text);
}

void MainForm::DrawPanelText(int n, const QString& text) {
    ::DrawPanelText(Panel(n), text);
}

// ---- Unsaved changes ------------------------------------------------------------------

void MainForm::SetLedgerChanged(bool on) {
    m_ctx.ledger.LedgerChangedFlag.set(on);
    if (QAction* save = ToolbarButton(3)) save->setEnabled(on);
}

void MainForm::ledgerChanged(LedgerChanges what) {
    if (what & LedgerChange::Mark)
        if (QAction* save = ToolbarButton(3))
            save->setEnabled(m_ctx.ledger.LedgerChangedFlag.isSet());
    if (m_ownChange > 0) return;
    if (what & (LedgerChange::Accounts | LedgerChange::Loaded)) {
        BuildAccountTree(); // the totals, the first account's list and the filter with it
        return;
    }
    if (what & (LedgerChange::Entries | LedgerChange::EntriesAdded)) {
        UpdateTreeTotals();
        const int account = SelectedAccountIndex();
        // Added entries that the list already shows (the entry window put them in) need no
        // listing; any other change of the entries does.
        const bool missing = m_listCoversUpTo < m_ctx.ledger.EntryCount;
        if (account > 0) {
            if (what & LedgerChange::Entries || missing) ListAccountRecords(account);
        } else if (what & LedgerChange::Entries) {
            // Rows left from before would name entries that have moved.
            ClearEntryList();
        }
    }
    if (what & LedgerChange::Figures && !(what & LedgerChange::Entries)) {
        // Running totals and the panels' figures were counted by the options before: the shown
        // account is listed anew, on the rows the user had selected and at the same place.
        UpdateTreeTotals();
        if (const int account = SelectedAccountIndex(); account > 0) {
            // A row is known by its entry and the side of it the account sees: an entry
            // with both sides in the account has two rows, of which one may be selected.
            auto sideOf = [this](int row) {
                const EntryListRow& r = Liv1Rows->row(row);
                return qint64(r.entry) * 2 + (r.firstSide ? 1 : 0);
            };
            std::vector<qint64> selected;
            for (int row : SelectedRows())
                selected.push_back(sideOf(row));
            std::sort(selected.begin(), selected.end());
            const int currentRow = CurrentRow();
            const qint64 current = currentRow >= 0 ? sideOf(currentRow) : -1;
            const int scrolled = Liv1->verticalScrollBar()->value();
            ListAccountRecords(account);
            selectRowsWhere(
                [&](int row) {
                    return std::binary_search(selected.begin(), selected.end(), sideOf(row));
                },
                [&](int row) { return sideOf(row) == current; });
            Liv1->verticalScrollBar()->setValue(scrolled);
        }
    }
    // The list reads marks and colours from the ledger as it draws.
    if (what & LedgerChange::EntryMarks) Liv1->viewport()->update();
    if (what & LedgerChange::DetailTexts) FillClassFilterCombo();
}

bool MainForm::LedgerChanged() const {
    return m_ctx.ledger.LedgerChangedFlag.isSet();
}

// ---- Entry list rows -------------------------------------------------------------------

int MainForm::RowEntryIndex(int row) const {
    return Liv1Rows->entryAt(row);
}

int MainForm::EntryRowCount() const {
    return Liv1Rows->rowCount();
}

QString MainForm::EntryRowText(int row, int column) const {
    return Liv1Rows->cellText(row, column);
}

QList<QStringList> MainForm::ListedRows() const {
    QList<QStringList> rows;
    rows.reserve(Liv1Rows->rowCount());
    for (int r = 0; r < Liv1Rows->rowCount(); ++r)
        rows.append(Liv1Rows->shownTexts(r));
    return rows;
}

void MainForm::AppendEntryRow(const ProvisionalRow& row) {
    EntryListRow r;
    r.entry = row.texts.value(EntryListModel::Index).toInt();
    r.fixedTexts = row.texts;
    while (r.fixedTexts.size() < EntryListModel::ColumnCount)
        r.fixedTexts << QString();
    r.fixedChecked = row.checked;
    r.fixedClock = row.clockIcon;
    r.fixedRed = row.red;
    m_listCoversUpTo = std::max(m_listCoversUpTo, r.entry + 1);
    Liv1Rows->appendRow(std::move(r));
    fitListColumns(Liv1Rows->rowCount() - 1); // its figures read whole too
}

void MainForm::ClearEntryList() {
    Liv1Rows->clear();
}

int MainForm::CurrentRow() const {
    const QModelIndex current = Liv1->currentIndex();
    return current.isValid() ? current.row() : -1;
}

bool MainForm::IsRowSelected(int row) const {
    return Liv1->selectionModel()->isRowSelected(row, QModelIndex());
}

void MainForm::selectRow(int row, bool on) {
    Liv1->selectionModel()->select(Liv1Rows->index(row, 0), (on ? QItemSelectionModel::Select
                                                                : QItemSelectionModel::Deselect) |
                                                                QItemSelectionModel::Rows);
}

void MainForm::showCurrentRow(int row) {
    const QModelIndex index = Liv1Rows->index(row, 0);
    Liv1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    Liv1->scrollTo(index);
}

void MainForm::SelectLastRow() {
    const int n = EntryRowCount();
    if (n == 0) return;
    Liv1->clearSelection();
    selectRow(n - 1, true);
    showCurrentRow(n - 1);
}

void MainForm::SelectEntryRows(const QList<int>& entries, bool everyRow, int currentEntry) {
    // Sorted, the entries answer for each row without a scan of them.
    std::vector<int> wanted(entries.begin(), entries.end());
    std::sort(wanted.begin(), wanted.end());
    wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
    std::vector<bool> taken(wanted.size(), false); // an entry's first row is selected
    selectRowsWhere(
        [&](int row) {
            const int entry = RowEntryIndex(row);
            const auto at = std::lower_bound(wanted.begin(), wanted.end(), entry);
            if (at == wanted.end() || *at != entry) return false;
            const size_t k = size_t(at - wanted.begin());
            if (taken[k] && !everyRow) return false;
            taken[k] = true;
            return true;
        },
        [&](int row) { return currentEntry > 0 && RowEntryIndex(row) == currentEntry; });
}

void MainForm::selectRowsWhere(const std::function<bool(int)>& wanted,
                               const std::function<bool(int)>& current) {
    std::vector<int> rows;
    int currentRow = -1;
    for (int r = 0; r < EntryRowCount(); ++r) {
        if (wanted(r)) rows.push_back(r);
        if (currentRow < 0 && current(r)) currentRow = r;
    }
    SelectListRows(*Liv1->selectionModel(), rows);
    if (currentRow < 0 && !rows.empty()) currentRow = rows.front();
    if (currentRow >= 0) showCurrentRow(currentRow);
}

int MainForm::CurrentEntryIndex() const {
    const int row = CurrentRow();
    return row >= 0 ? RowEntryIndex(row) : 0;
}

QList<int> MainForm::SelectedEntryIndices() const {
    QList<int> entries;
    for (int row : SelectedRows())
        entries << RowEntryIndex(row);
    return entries;
}

int MainForm::usualContentWidth(int column) const {
    if (column < 0 || column >= 7) return 0;
    const QStyle* style = Liv1->style();
    // The item view gives each element (check box, icon, text) a margin on either side.
    const int margin = 2 * (style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, Liv1) + 1);
    const ColumnContent& usual = usualContent[column];
    int needed =
        QFontMetrics(Liv1->font()).horizontalAdvance(QString::fromUtf16(usual.text)) + margin + 4;
    if (usual.check)
        needed += style->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, Liv1) + margin;
    if (usual.icon) needed += Liv1->iconSize().width() + margin;
    return needed;
}

void MainForm::FitColumnWidthsToFont() {
    for (int c = 0; c < 7; ++c)
        Liv1->setColumnWidth(c, std::max(listColumns[c].width, usualContentWidth(c)));
}

void MainForm::SetListFontSize(double points) {
    QFont f = Liv1->font();
    f.setPointSizeF(points);
    Liv1->setFont(f);
    Trv1->setFont(f);
}

void MainForm::ShowPeriod(int item, int year) {
    ++SuppressPeriodClick;
    Combo1->setCurrentIndex(item);
    Text2->setText(QString::number(year));
    --SuppressPeriodClick;
}

void MainForm::SetYearText(const QString& text) {
    ++SuppressPeriodClick;
    Text2->setText(text);
    --SuppressPeriodClick;
}

void MainForm::ClearViews() {
    // The ledger is left: the windows that show it go with it, their settings stored. They
    // are forgotten at once, so that a command of the next ledger opens its own window even
    // before the event loop has deleted these.
    const auto leave = [](auto& bound) {
        if (bound) bound->close();
        bound.clear();
    };
    leave(m_diary);
    leave(m_ibsForm);
    leave(m_yearForm);
    clearTree();
    ClearEntryList();
}
