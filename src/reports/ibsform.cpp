#include "reports/ibsform.h"

#include "platform/clock.h"
#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "reports/reportbinding.h"
#include "reports/reportchart.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/periods.h"
#include "store/settingoptions.h"
#include "windowparts/formwidgets.h"
#include "windowparts/mainview.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTabBar>
#include <QTreeWidget>

namespace {
const QString section = QStringLiteral("IBSForm");
// The designed size, in twips.
constexpr int designedWidth = 11985;
constexpr int designedHeight = 9120;

QTreeWidget* makeList(QWidget* parent, const char* name, const QString& nameHeader) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setHeaderLabels({nameHeader, QStringLiteral("金額"), QStringLiteral("比例")});
    list->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
    list->headerItem()->setTextAlignment(2, Qt::AlignRight | Qt::AlignVCenter);
    list->setColumnWidth(0, 150);
    list->setColumnWidth(1, 110);
    list->setColumnWidth(2, 60);
    // 比例 keeps its width: a stretched last column would leave no room to measure against.
    list->header()->setStretchLastSection(false);
    FlattenListHeader(list);
    return list;
}

QDateEdit* makePicker(QWidget* parent, const char* name) {
    auto* picker = new QDateEdit(parent);
    picker->setObjectName(QLatin1String(name));
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    picker->setDateRange(QDate(1601, 1, 1), QDate(9999, 12, 31));
    picker->resize(104, 25);
    return picker;
}
} // namespace

IBSForm::IBSForm(AppContext& ctx, MainView& main, QWidget* parent)
    : QMainWindow(parent), m_ctx(ctx), m_main(main) {
    setObjectName(QStringLiteral("IBSForm"));
    setWindowFlag(Qt::Window);
    setWindowTitle(QStringLiteral("財務報表"));
    buildControls();
    connectHandlers();
    ListView1a = {KindAsset, 2, QStringLiteral("資產總合"), {}, {}, {}, {}, 0, {}};
    ListView2a = {KindLiability, 3, QStringLiteral("負債總合"), {}, {}, {}, {}, 0, {}};
    ListView3a = {KindIncome, 4, QStringLiteral("收入總合"), {}, {}, {}, {}, 0, {}};
    ListView4a = {KindExpense, 5, QStringLiteral("支出總合"), {}, {}, {}, {}, 0, {}};
}

IBSForm::~IBSForm() = default;

void IBSForm::buildControls() {
    Menu_View = menuBar()->addMenu(QStringLiteral("檢視(&V)"));
    Menu_View->setObjectName(QStringLiteral("Menu_View"));
    View_Add = Menu_View->addAction(QStringLiteral("子科目金額加總至父科目"));
    View_Add->setObjectName(QStringLiteral("View_Add"));
    View_Add->setCheckable(true);
    View_Zero = Menu_View->addAction(QStringLiteral("為0的項目不顯示"));
    View_Zero->setObjectName(QStringLiteral("View_Zero"));
    View_Zero->setCheckable(true);

    auto* page = new QWidget(this);
    setCentralWidget(page);
    TabStrip1 = new QTabBar(page);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->addTab(QStringLiteral("資產負債表"));
    TabStrip1->addTab(QStringLiteral("損益表"));
    TabStrip1->setDrawBase(false);
    TabPage = new QFrame(page);
    TabPage->setFrameShape(QFrame::StyledPanel);

    DTPicker1 = makePicker(page, "DTPicker1");
    Cmd3 = new QPushButton(QStringLiteral("顯示"), page);
    Cmd3->setObjectName(QStringLiteral("Cmd3"));
    Text1 = new QLineEdit(page);
    Text1->setObjectName(QStringLiteral("Text1"));
    UpDown2 = new UpDownArrows(page);
    UpDown2->setObjectName(QStringLiteral("UpDown2"));
    Combo1 = new QComboBox(page);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    QStringList periods{QStringLiteral("全部"), QStringLiteral("整年")};
    for (int m = 1; m <= 12; ++m)
        periods << QStringLiteral("%1月").arg(m, 2, 10, QLatin1Char('0'));
    Combo1->addItems(periods);
    Combo1->setMaxVisibleItems(14); // a drop-down of about 300 pixels
    UpDown1 = new UpDownArrows(page);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    Label1 = new QLabel(QStringLiteral("日期"), page);
    Label1->setObjectName(QStringLiteral("Label1"));
    DTPicker3 = makePicker(page, "DTPicker3");
    Label2 = new QLabel(QStringLiteral("到"), page);
    Label2->setObjectName(QStringLiteral("Label2"));
    DTPicker2 = makePicker(page, "DTPicker2");
    Cmd4 = new QPushButton(QStringLiteral("顯示"), page);
    Cmd4->setObjectName(QStringLiteral("Cmd4"));
    Command2 = new QPushButton(QStringLiteral("匯出"), page);
    Command2->setObjectName(QStringLiteral("Command2"));
    for (QWidget* w : {static_cast<QWidget*>(Cmd3), static_cast<QWidget*>(Cmd4),
                       static_cast<QWidget*>(Command2)})
        w->resize(60, 25);
    Text1->resize(48, 23);
    UpDown2->resize(17, 23);
    UpDown1->resize(17, 23);
    Combo1->resize(72, 23);
    Label1->resize(30, 17);
    Label2->resize(18, 17);

    ListView1 = makeList(page, "ListView1", QStringLiteral("資產"));
    ListView2 = makeList(page, "ListView2", QStringLiteral("負債"));
    ListView3 = makeList(page, "ListView3", QStringLiteral("收入"));
    ListView4 = makeList(page, "ListView4", QStringLiteral("支出"));
    MSChart1 = new ReportChart(page);
    MSChart2 = new ReportChart(page);
    MSChart3 = new ReportChart(page);
    MSChart4 = new ReportChart(page);
    const char* chartNames[] = {"MSChart1", "MSChart2", "MSChart3", "MSChart4"};
    ReportChart* charts[] = {MSChart1, MSChart2, MSChart3, MSChart4};
    for (int i = 0; i < 4; ++i)
        charts[i]->setObjectName(QLatin1String(chartNames[i]));

    StatusBar1 = new QLabel(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    statusBar()->addWidget(StatusBar1, 1);
    statusBar()->setSizeGripEnabled(true);
}

void IBSForm::connectHandlers() {
    connect(Cmd3, &QPushButton::clicked, this, [this] { Cmd3_Click(); });
    connect(Cmd4, &QPushButton::clicked, this, [this] { Cmd4_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    // A choice in the list by the user; the arrows and the load run the click themselves.
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    connect(TabStrip1, &QTabBar::currentChanged, this, [this] { TabStrip1_Click(); });
    connect(View_Add, &QAction::triggered, this, [this] { View_Add_Click(); });
    connect(View_Zero, &QAction::triggered, this, [this] { View_Zero_Click(); });
    connect(UpDown1, &UpDownArrows::upClicked, this, [this] { UpDown1_UpClick(); });
    connect(UpDown1, &UpDownArrows::downClicked, this, [this] { UpDown1_DownClick(); });
    connect(UpDown2, &UpDownArrows::upClicked, this, [this] { UpDown2_UpClick(); });
    connect(UpDown2, &UpDownArrows::downClicked, this, [this] { UpDown2_DownClick(); });
    FollowReportedChanges(*this, m_ctx.ledger, [this] { recount(); });
}

void IBSForm::recount() {
    if (ListView1->topLevelItemCount() > 0) {
        BScal(BalanceDate);
        BSshow();
    }
    if (ListView3->topLevelItemCount() > 0) {
        if (m_incomeByHand)
            showIncome(IncomeStart, IncomeEnd);
        else
            Combo1_Click(); // the period's dates may have moved with the options
    }
    showStatus();
}

void IBSForm::Form_Load() {
    loadSettings();
    const QDate today = m_ctx.services.clock().today();
    // The main window's year box gets the current year when it holds no year.
    m_main.PeriodYear();
    Text1->setText(m_main.PeriodYearText());
    DTPicker1->setDate(today);
    DTPicker3->setDate(QDate(Periods::reportYear(Text1->text(), today), 1, 1));
    DTPicker2->setDate(today);
    TabStrip1->setCurrentIndex(0);
    TabStrip1_Click();
    const int period = m_main.PeriodIndex();
    if (period >= 0 && period < Combo1->count()) {
        Combo1->setCurrentIndex(period);
        Combo1_Click();
    }
    Cmd3_Click();
}

void IBSForm::loadSettings() {
    SettingsStore& store = m_ctx.services.settings();
    resize(Runtime::twipsToPixels(designedWidth), Runtime::twipsToPixels(designedHeight));
    LoadWindowPlacement(*this, store, section);
    auto ticked = [&](const QString& key, bool fallback) {
        return Runtime::toBool(store.GetSetting(section, key, Runtime::boolText(fallback)))
            .value_or(fallback);
    };
    View_Add->setChecked(ticked(QStringLiteral("CheckState"), true));
    View_Zero->setChecked(ticked(QStringLiteral("ZeroState"), false));

    QTreeWidget* lists[] = {ListView1, ListView2, ListView3, ListView4};
    for (int n = 1; n <= 4; ++n) {
        // The size the settings window shows, read as the main window reads it.
        ApplyListFontSize(lists[n - 1], store, SettingOptions::fallback(u"MainFontSize"));
        // A stored width of 0 would leave a column no one can grab again.
        LoadColumnWidths(lists[n - 1], store, section, QStringLiteral("L%1W").arg(n), 3, 0);
    }
}

void IBSForm::Form_Unload() {
    SettingsStore& store = m_ctx.services.settings();
    // One rewrite of the file for the whole close.
    const SettingsBatch once(store, m_ctx.services.prompts());
    SaveWindowPlacement(*this, store, section, designedWidth, designedHeight);
    SaveSettingQuietly(store, section, QStringLiteral("CheckState"),
                       Runtime::boolText(View_Add->isChecked()));
    SaveSettingQuietly(store, section, QStringLiteral("ZeroState"),
                       Runtime::boolText(View_Zero->isChecked()));
    QTreeWidget* lists[] = {ListView1, ListView2, ListView3, ListView4};
    for (int n = 1; n <= 4; ++n)
        SaveColumnWidths(lists[n - 1], store, section, QStringLiteral("L%1W").arg(n), 3);
}

void IBSForm::closeEvent(QCloseEvent* event) {
    Form_Unload();
    event->accept();
}

void IBSForm::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void IBSForm::Form_Resize() {
    if (windowState() & Qt::WindowMinimized) return;
    const QWidget* page = centralWidget();
    const int w = page->width();
    const int h = height() - menuBar()->height(); // the inner height below the menu
    const int top = 8 + Cmd3->height() + 5;
    const int tabWidth = w - 18;
    const int tabHeight = h - statusBar()->height() - Cmd3->height() - 21;
    TabStrip1->setGeometry(9, top, tabWidth, TabStrip1->sizeHint().height());
    const int pageTop = top + TabStrip1->height() - 1;
    TabPage->setGeometry(9, pageTop, tabWidth, tabHeight - TabStrip1->height() + 1);
    const int listHeight = std::max(0, (tabHeight - 39) / 2);
    const int listTop = pageTop + 6;
    ListView1->setGeometry(14, listTop, ListWidth, listHeight);
    ListView3->setGeometry(14, listTop, ListWidth, listHeight);
    ListView2->setGeometry(14, listTop + listHeight - 1, ListWidth, listHeight);
    ListView4->setGeometry(14, listTop + listHeight - 1, ListWidth, listHeight);
    const int chartLeft = ListWidth + 18;
    const int chartWidth = std::max(0, tabWidth - ListWidth - 22);
    MSChart1->setGeometry(chartLeft, listTop, chartWidth, listHeight);
    MSChart3->setGeometry(chartLeft, listTop, chartWidth, listHeight);
    MSChart2->setGeometry(chartLeft, ListView2->y(), chartWidth, listHeight);
    MSChart4->setGeometry(chartLeft, ListView2->y(), chartWidth, listHeight);
    placeTabRow();
}

// The row of controls above the tabs: date picker, 顯示, 匯出 for the balance sheet; year
// box, period list, the two pickers, 顯示, 匯出 for the income statement.
void IBSForm::placeTabRow() {
    const bool balance = TabStrip1->currentIndex() == 0;
    const int hidden = centralWidget()->height(); // the bottom edge, out of view
    Cmd3->setVisible(balance);
    Cmd4->setVisible(!balance);
    Cmd3->move(Cmd3->x(), 8);
    Command2->move(Command2->x(), 8);
    if (balance) {
        DTPicker1->move(9, 9);
        Cmd3->move(DTPicker1->x() + DTPicker1->width() + 7, 8);
        Command2->move(Cmd3->x() + Cmd3->width() + 7, 8);
    } else {
        DTPicker1->move(9, hidden);
    }
    const int rowTop = balance ? hidden : 9;
    int x = 9;
    auto place = [&](QWidget* w, int gap, int top) {
        w->move(x, top);
        x += w->width() + gap;
    };
    place(Text1, 0, rowTop);
    place(UpDown2, 6, rowTop);
    place(Combo1, 0, rowTop);
    place(UpDown1, 8, rowTop);
    place(Label1, 2, balance ? hidden : 14);
    place(DTPicker3, 6, rowTop);
    place(Label2, 2, balance ? hidden : 14);
    place(DTPicker2, 6, rowTop);
    if (!balance) {
        Cmd4->move(x, 8);
        Command2->move(Cmd4->x() + Cmd4->width() + 7, 8);
    }
    ListView1->setVisible(balance);
    ListView2->setVisible(balance);
    MSChart1->setVisible(balance);
    MSChart2->setVisible(balance);
    ListView3->setVisible(!balance);
    ListView4->setVisible(!balance);
    MSChart3->setVisible(!balance);
    MSChart4->setVisible(!balance);
}

void IBSForm::TabStrip1_Click() {
    placeTabRow();
    showStatus();
}

void IBSForm::showStatus() {
    StatusBar1->setText(TabStrip1->currentIndex() == 0
                            ? QStringLiteral("財產淨值  ") + FormatAmount(NetWorth, m_ctx.session)
                            : QStringLiteral("結餘  ") + FormatAmount(Surplus, m_ctx.session));
}

QString IBSForm::ledgerTitle(const QString& rest) const {
    return m_ctx.session.LedgerName + QLatin1Char('_') + rest;
}
