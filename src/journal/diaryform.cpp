// The journal window: its controls, load, layout, settings and close.
#include "journal/diaryform.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QResizeEvent>
#include <QStatusBar>
#include <QTreeView>

#include "journal/journalmodel.h"
#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "store/appcontext.h"
#include "store/settingoptions.h"
#include "windowparts/formwidgets.h"
#include "windowparts/mainview.h"

namespace {
const QString section = QStringLiteral("DiaryForm");
// Stored sizes are twips; the layout is in pixels.
constexpr int designedWidth = 12855; // outer, twips; also stored when not in the normal state
constexpr int designedHeight = 9075;
constexpr int leastWidth = 12855; // twips
constexpr int leastHeight = 5000;
constexpr int margin = 8; // 120 twips: the year box's left and top
constexpr int designedColumns[] = {120, 110, 110, 90, 170, 170, 90};

// Where the view is too narrow for 發票 at its right edge, the texts before it give way,
// notes first.
constexpr int yieldingColumns[] = {JournalModel::NoteColumn, JournalModel::DetailColumn,
                                   JournalModel::Account2Column, JournalModel::Account1Column};

} // namespace

DiaryForm::DiaryForm(MainView& main, QWidget* parent)
    : QMainWindow(parent), m_main(main), m_ctx(main.context()) {
    setObjectName(QStringLiteral("DiaryForm"));
    setWindowTitle(QStringLiteral("記錄總覽"));
    setAttribute(Qt::WA_DeleteOnClose);
    buildControls();
    connectHandlers();
    Form_Load();
}

DiaryForm::~DiaryForm() = default;

void DiaryForm::buildControls() {
    m_central = new QWidget(this);
    setCentralWidget(m_central);
    auto label = [this](const char* name, const QString& text) {
        auto* l = new QLabel(text, m_central);
        l->setObjectName(QString::fromLatin1(name));
        return l;
    };
    auto button = [this](const char* name, const QString& text) {
        auto* b = new QPushButton(text, m_central);
        b->setObjectName(QString::fromLatin1(name));
        return b;
    };
    auto picker = [this](const char* name) {
        auto* d = new QDateEdit(m_central);
        d->setObjectName(QString::fromLatin1(name));
        d->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
        d->setCalendarPopup(true);
        d->setMinimumDate(QDate(1601, 1, 1));
        d->setMaximumDate(QDate(9999, 12, 31));
        return d;
    };

    Text1 = new QLineEdit(m_central);
    Text1->setObjectName(QStringLiteral("Text1"));
    UpDown2 = new UpDownArrows(m_central);
    UpDown2->setObjectName(QStringLiteral("UpDown2"));
    Combo1 = new QComboBox(m_central);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItem(QStringLiteral("全部"));
    Combo1->addItem(QStringLiteral("整年"));
    for (int m = 1; m <= 12; ++m)
        Combo1->addItem(QStringLiteral("%1月").arg(m, 2, 10, QLatin1Char('0')));
    Combo1->setMaxVisibleItems(14); // a drop-down about 300 pixels high
    UpDown1 = new UpDownArrows(m_central);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    Label3 = label("Label3", QStringLiteral("類型"));
    Combo2 = new QComboBox(m_central);
    Combo2->setObjectName(QStringLiteral("Combo2"));
    Combo2->addItems({QStringLiteral("全部"), QStringLiteral("資產負債轉移"),
                      QStringLiteral("資產"), QStringLiteral("負債"), QStringLiteral("收入"),
                      QStringLiteral("支出")});
    Label1 = label("Label1", QStringLiteral("日期"));
    DTPicker1 = picker("DTPicker1");
    Label2 = label("Label2", QStringLiteral("到"));
    DTPicker2 = picker("DTPicker2");
    Cmd2 = button("Cmd2", QStringLiteral("顯示"));

    m_model = new JournalModel(m_ctx.ledger, m_ctx.session, this);
    Liv1 = new QTreeView(m_central);
    Liv1->setObjectName(QStringLiteral("Liv1"));
    Liv1->setModel(m_model);
    Liv1->setRootIsDecorated(false);
    Liv1->setUniformRowHeights(true); // a row height measured once: 30000 rows stay quick
    Liv1->setItemsExpandable(false);
    Liv1->setAllColumnsShowFocus(true);
    Liv1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Liv1->setSelectionBehavior(QAbstractItemView::SelectRows);
    Liv1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Liv1->setContextMenuPolicy(Qt::PreventContextMenu);
    Liv1->header()->setStretchLastSection(false);
    Liv1->header()->setSectionResizeMode(QHeaderView::Interactive);
    FlattenListHeader(Liv1);
    for (int c = 0; c < 7; ++c)
        Liv1->setColumnWidth(c, designedColumns[c]);
    Liv1->setColumnHidden(JournalModel::IndexColumn, true);

    Text2 = new QLineEdit(m_central);
    Text2->setObjectName(QStringLiteral("Text2"));
    Command1 = button("Command1", QStringLiteral("搜尋"));
    Command2 = button("Command2", QStringLiteral("結束搜尋"));

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    m_statusText = new QLabel(StatusBar1);
    StatusBar1->addWidget(m_statusText, 1);
    setStatusBar(StatusBar1);

    Menu_Export = menuBar()->addMenu(QStringLiteral("匯出(&E)"));
    Menu_Export->setObjectName(QStringLiteral("Menu_Export"));
    Export_All = Menu_Export->addAction(QStringLiteral("匯出全部"));
    Export_All->setObjectName(QStringLiteral("Export_All"));
    Export_Sel = Menu_Export->addAction(QStringLiteral("匯出選擇的部份"));
    Export_Sel->setObjectName(QStringLiteral("Export_Sel"));

    // Hidden menu: only the list's pop-up shows it.
    Menu_MenuTools = new QMenu(QStringLiteral("功能1"), this);
    Menu_MenuTools->setObjectName(QStringLiteral("Menu_MenuTools"));
    MenuTools_Cal = Menu_MenuTools->addAction(QStringLiteral("計算選擇記錄的金額"));
    MenuTools_Cal->setObjectName(QStringLiteral("MenuTools_Cal"));
    MenuTools_Line = Menu_MenuTools->addSeparator();
    MenuTools_Line->setObjectName(QStringLiteral("MenuTools_Line"));
    MenuTools_Up = Menu_MenuTools->addAction(QStringLiteral("上移"));
    MenuTools_Up->setObjectName(QStringLiteral("MenuTools_Up"));
    MenuTools_Down = Menu_MenuTools->addAction(QStringLiteral("下移"));
    MenuTools_Down->setObjectName(QStringLiteral("MenuTools_Down"));

    // Designed layout of the top row, left to right.
    int x = margin;
    auto place = [&](QWidget* w, int width, int gap = 4) {
        w->setGeometry(x, margin, width, 22);
        x += width + gap;
    };
    place(Text1, 48, 0);
    place(UpDown2, 16, 8);
    place(Combo1, 72, 0);
    place(UpDown1, 16, 12);
    place(Label3, 28);
    place(Combo2, 112, 12);
    place(Label1, 28);
    place(DTPicker1, 108);
    place(Label2, 16);
    place(DTPicker2, 108, 8);
    place(Cmd2, 64);
    Liv1->move(margin, margin + 22 + margin);
    Text2->resize(420, 22);
    Command1->resize(72, 24);
    Command2->resize(88, 24);
    setMinimumSize(Runtime::twipsToPixels(leastWidth), Runtime::twipsToPixels(leastHeight));
    resize(Runtime::twipsToPixels(designedWidth), Runtime::twipsToPixels(designedHeight));
}

void DiaryForm::connectHandlers() {
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    connect(Combo2, &QComboBox::currentIndexChanged, this, [this] { Combo2_Click(); });
    connect(Cmd2, &QPushButton::clicked, this, [this] { Cmd2_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(UpDown1, &UpDownArrows::upClicked, this, [this] { UpDown1_UpClick(); });
    connect(UpDown1, &UpDownArrows::downClicked, this, [this] { UpDown1_DownClick(); });
    connect(UpDown2, &UpDownArrows::upClicked, this, [this] { UpDown2_UpClick(); });
    connect(UpDown2, &UpDownArrows::downClicked, this, [this] { UpDown2_DownClick(); });
    connect(Liv1, &QTreeView::doubleClicked, this, [this] { Liv1_DblClick(); });
    connect(m_model, &JournalModel::checkToggled, this,
            [this](int row, bool checked) { Liv1_ItemCheck(row, checked); });
    connect(MenuTools_Cal, &QAction::triggered, this, [this] { MenuTools_Cal_Click(); });
    connect(MenuTools_Up, &QAction::triggered, this, [this] { MenuTools_Up_Click(); });
    connect(MenuTools_Down, &QAction::triggered, this, [this] { MenuTools_Down_Click(); });
    connect(Export_All, &QAction::triggered, this, [this] { Export_All_Click(); });
    connect(Export_Sel, &QAction::triggered, this, [this] { Export_Sel_Click(); });
    Text2->installEventFilter(this);
    Liv1->viewport()->installEventFilter(this);
    connect(&m_ctx.ledger.Notifier, &LedgerNotifier::changed, this,
            [this](LedgerChanges what) { ledgerChanged(what); });
    m_textColumns = new YieldingColumns(
        Liv1, QList<int>(std::begin(yieldingColumns), std::end(yieldingColumns)));
}

bool DiaryForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text2 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        Text2_KeyDown(key);
        if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
    } else if (watched == Liv1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        Liv1_MouseUp(mouse->button(), mouse->globalPosition().toPoint());
    }
    return QMainWindow::eventFilter(watched, event);
}

// ---- Load, settings, resize, close ---------------------------------------------------------

void DiaryForm::Form_Load() {
    readSettings();
    // The list gets its size before the first listing fits its columns into it.
    if (layout()) layout()->activate();
    Form_Resize();
    // The main window's year box gets the current year when it holds no number.
    const int year = m_main.PeriodYear();
    Q_UNUSED(year);
    FiltersReady = false;
    Combo2->setCurrentIndex(0);
    FiltersReady = true;
    EntriesMoved = false;
    Text1->setText(m_main.PeriodYearText());
    // The listing runs also when the index does not change.
    {
        const QSignalBlocker quiet(Combo1);
        Combo1->setCurrentIndex(qBound(0, m_main.PeriodIndex(), Combo1->count() - 1));
    }
    Combo1_Click();
}

void DiaryForm::readSettings() {
    const SettingsStore& store = m_ctx.services.settings();
    // A column narrower than 11 pixels could not be found again to widen it.
    LoadColumnWidths(Liv1, store, section, QStringLiteral("LW"), 6, 10);
    m_textColumns->takeWidths();
    LoadWindowPlacement(*this, store, section);
    applyListFont();
}

// The journal lists the entries that the main window lists, in the same size of type: the
// setting read as the main window and the settings window read it, so that confirming the
// settings unchanged leaves the size as it was.
void DiaryForm::applyListFont() {
    ApplyListFontSize(Liv1, m_ctx.services.settings(), SettingOptions::fallback(u"MainFontSize"));
}

void DiaryForm::fitColumns() {
    for (int column :
         {JournalModel::DateColumn, JournalModel::AmountColumn, JournalModel::InvoiceColumn})
        FitColumnToTexts(Liv1, column, m_model->longestTextRows(column, LongestTextsMeasured));
    m_textColumns->keepInView();
}

void DiaryForm::FollowListFont() {
    applyListFont();
    fitColumns();
}

void DiaryForm::writeSettings() {
    SettingsStore& store = m_ctx.services.settings();
    // One rewrite of the file for the whole close.
    const SettingsBatch once(store, m_ctx.services.prompts());
    // The texts' own widths, not those they gave way to at this size.
    m_textColumns->restoreWidths();
    SaveColumnWidths(Liv1, store, section, QStringLiteral("LW"), 6);
    SaveWindowPlacement(*this, store, section, designedWidth, designedHeight);
}

void DiaryForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void DiaryForm::Form_Resize() {
    if (isMinimized()) return;
    // The minimum size keeps the window at least 12855 x 5000 twips.
    const int left = Liv1->x();
    const int top = Liv1->y();
    const int inner = m_central->height();
    Liv1->resize(std::max(0, m_central->width() - 2 * left),
                 std::max(0, inner - top - 2 * margin - Text2->height()));
    const int rowTop = top + Liv1->height() + margin;
    Text2->move(left, rowTop);
    Command1->move(Text2->x() + Text2->width() + 8, rowTop - 1);
    Command2->move(Command1->x() + Command1->width() + 4, rowTop - 1);
    m_textColumns->keepInView();
}

void DiaryForm::closeEvent(QCloseEvent* event) {
    Form_Unload();
    QMainWindow::closeEvent(event);
}

void DiaryForm::Form_Unload() {
    writeSettings();
}

QString DiaryForm::StatusText() const {
    return m_statusText->text();
}
