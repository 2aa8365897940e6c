// The yearly window: controls, loading, tabs, arrows, layout and closing.
#include "reports/yearform.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabBar>
#include <QTreeWidget>

#include "platform/clock.h"
#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "reports/periodarrows.h"
#include "reports/reportbinding.h"
#include "reports/reportchart.h"
#include "store/appcontext.h"
#include "store/periods.h"
#include "store/settingoptions.h"
#include "store/treefigures.h"
#include "windowparts/formwidgets.h"
#include "windowparts/mainview.h"

namespace {
const QString Section = QStringLiteral("YearForm");
constexpr int DesignWidth = 12000; // twips
constexpr int DesignHeight = 8490;
constexpr int ColumnWidths[4] = {45, 100, 100, 150};
constexpr int StripLeft = 8; // the tab strip's place
constexpr int StripTop = 40;

// The narrowest a column of figures reads whole: its widest text and its header.
int figureFloor(const QTreeWidget* list, int column) {
    return std::max(ColumnTextWidth(list, column), list->header()->sectionSizeHint(column));
}
} // namespace

YearForm::YearForm(AppContext& ctx, MainView& main, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_main(main), m_cache(std::make_unique<EntryAccountCache>()) {
    setObjectName(QStringLiteral("YearForm"));
    setWindowTitle(QStringLiteral("整年度圖表 - 各項科目"));
    setModal(false);
    setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
    buildControls();
    Form_Load();
}

YearForm::~YearForm() = default;

void YearForm::buildControls() {
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    UpDown1 = new UpDownArrows(this);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    for (int i = 0; i < 2; ++i) {
        Combo1[size_t(i)] = new QComboBox(this);
        Combo1[size_t(i)]->setObjectName(QStringLiteral("Combo1_%1").arg(i));
        BoundDropHeight(Combo1[size_t(i)], 25);
        UpDown2[size_t(i)] = new UpDownArrows(this);
        UpDown2[size_t(i)]->setObjectName(QStringLiteral("UpDown2_%1").arg(i));
    }
    Command1 = new QPushButton(QStringLiteral("匯出"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    Check1 = new QCheckBox(QStringLiteral("子科目金額加總至父科目"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setChecked(true);
    Check1->adjustSize();

    m_strip = new QFrame(this);
    m_strip->setFrameShape(QFrame::StyledPanel);
    TabStrip1 = new QTabBar(this);
    TabStrip1->setObjectName(QStringLiteral("TabStrip1"));
    TabStrip1->addTab(QStringLiteral("各項科目統計"));
    TabStrip1->addTab(QStringLiteral("資產負債統計"));
    TabStrip1->addTab(QStringLiteral("收入支出統計"));
    TabStrip1->setDrawBase(false);

    MSChart1 = new ReportChart(this);
    MSChart1->setObjectName(QStringLiteral("MSChart1"));
    MSChart1->MakeRowChart();

    for (int i = 0; i < 2; ++i) {
        auto* list = new QTreeWidget(this);
        list->setObjectName(QStringLiteral("Liv1_%1").arg(i));
        list->setRootIsDecorated(false);
        list->setUniformRowHeights(true);
        list->setColumnCount(5);
        list->setHeaderLabels({QStringLiteral("月份"), QStringLiteral("金額"),
                               QStringLiteral("預算"), QString(),
                               i == 0 ? QString() : QStringLiteral("結餘")});
        for (int c = 1; c <= 3; ++c)
            list->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        list->headerItem()->setTextAlignment(4, (i == 0 ? Qt::AlignRight : Qt::AlignLeft) |
                                                    Qt::AlignVCenter);
        for (int c = 0; c < 4; ++c)
            list->setColumnWidth(c, ColumnWidths[c]);
        // Columns keep their widths, so that what they need can be told from what they have
        // (set before a column is hidden: afterwards the header would count the hidden one's
        // width in its length, a scroll range over nothing).
        list->header()->setStretchLastSection(false);
        list->setColumnHidden(4, true);
        Liv1[size_t(i)] = list;
    }

    connect(TabStrip1, &QTabBar::tabBarClicked, this, [this](int tab) {
        if (tab < 0) return;
        TabStrip1->setCurrentIndex(tab);
        TabStrip1_Click();
    });
    connect(Check1, &QCheckBox::clicked, this, [this] { Check1_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(UpDown1, &UpDownArrows::upClicked, this, [this] { UpDown1_UpClick(); });
    connect(UpDown1, &UpDownArrows::downClicked, this, [this] { UpDown1_DownClick(); });
    for (int i = 0; i < 2; ++i) {
        connect(Combo1[size_t(i)], &QComboBox::currentIndexChanged, this, [this, i] {
            if (!m_filling) Combo1_Click(i);
        });
        connect(UpDown2[size_t(i)], &UpDownArrows::upClicked, this,
                [this, i] { UpDown2_UpClick(i); });
        connect(UpDown2[size_t(i)], &UpDownArrows::downClicked, this,
                [this, i] { UpDown2_DownClick(i); });
    }
    FollowReportedChanges(*this, m_ctx.ledger, [this] { showTabFigures(); });
}

void YearForm::Form_Load() {
    SettingsStore& store = m_ctx.services.settings();
    FlattenListHeader(Liv1[0]);
    FlattenListHeader(Liv1[1]);
    resize(Runtime::twipsToPixels(DesignWidth), Runtime::twipsToPixels(DesignHeight));
    LoadWindowPlacement(*this, store, Section);
    if (const auto check = StoredWholeNumber(store, Section, QStringLiteral("CheckState")))
        Check1->setChecked(*check == 1);
    for (int i = 0; i < 2; ++i) {
        // The size the settings window shows, read as the main window reads it.
        ApplyListFontSize(Liv1[size_t(i)], store, SettingOptions::fallback(u"MainFontSize"));
        LoadColumnWidths(Liv1[size_t(i)], store, Section, QStringLiteral("L%1W").arg(i), 4);
    }

    // The main window's year box gets the current year when it holds no year.
    const QDate today = m_ctx.services.clock().today();
    if (!Periods::yearFromText(m_main.PeriodYearText()))
        m_main.SetYearText(QString::number(today.year()));
    Text1->setText(m_main.PeriodYearText());

    fillChoosers();
    if (Combo1[0]->count() > 0) Combo1[0]->setCurrentIndex(0); // tab 1 for chooser 1
    FitComboDropWidth(Combo1[0]);
    FitComboDropWidth(Combo1[1]);
    clearSeries(2);
    layoutControls();
}

void YearForm::fillChoosers() {
    const Ledger& ledger = m_ctx.ledger;
    m_chooserNames.clear();
    for (int i = 1; i < ledger.AccountCount; ++i)
        m_chooserNames.append(ledger.Accounts[size_t(i)].Name.trimmed().trimmed());
    m_filling = true;
    for (QComboBox* c : Combo1) {
        c->clear();
        c->addItems(m_chooserNames);
        c->setCurrentIndex(-1);
    }
    m_filling = false;
}

void YearForm::syncChoosers() {
    const Ledger& ledger = m_ctx.ledger;
    QStringList names;
    for (int i = 1; i < ledger.AccountCount; ++i)
        names.append(ledger.Accounts[size_t(i)].Name.trimmed().trimmed());
    if (names == m_chooserNames) return;
    // The table changed while the window was open: a position would now stand for another
    // account, so the choosers are filled again and keep the names they show.
    const QString chosen1 = Combo1[0]->currentText();
    const QString chosen2 = Combo1[1]->currentText();
    fillChoosers();
    m_filling = true;
    const int at1 = chosen1.isEmpty() ? -1 : int(m_chooserNames.indexOf(chosen1));
    Combo1[0]->setCurrentIndex(at1 >= 0 ? at1 : (m_chooserNames.isEmpty() ? -1 : 0));
    const int at2 = chosen2.isEmpty() ? -1 : int(m_chooserNames.indexOf(chosen2));
    Combo1[1]->setCurrentIndex(at2);
    m_filling = false;
    if (at2 < 0) {
        Liv1[1]->clear();
        m_hasAmounts[1] = false;
    }
    FitComboDropWidth(Combo1[0]);
    FitComboDropWidth(Combo1[1]);
}

int YearForm::checkedYear() {
    const QDate today = m_ctx.services.clock().today();
    const std::optional<int> year = Periods::yearFromText(Text1->text());
    if (!year) Text1->setText(QString::number(today.year()));
    return year.value_or(today.year());
}

int YearForm::SelectedTab() const {
    return TabStrip1->currentIndex() + 1;
}

void YearForm::SelectTab(int tab) {
    TabStrip1->setCurrentIndex(tab - 1);
    TabStrip1_Click();
}

void YearForm::TabStrip1_Click() {
    const ReportChart::Hold once(*MSChart1); // the chart is laid out for the tab's figures
    checkedYear();
    const bool accounts = SelectedTab() == 1;
    for (QWidget* w : {static_cast<QWidget*>(Combo1[0]), static_cast<QWidget*>(Combo1[1]),
                       static_cast<QWidget*>(UpDown2[0]), static_cast<QWidget*>(UpDown2[1]),
                       static_cast<QWidget*>(Check1), static_cast<QWidget*>(Liv1[1])})
        w->setVisible(accounts);
    layoutControls();
    switch (SelectedTab()) {
    case 1:
        setWindowTitle(QStringLiteral("整年度圖表 - 各項科目統計"));
        Combo1_Click(0);
        Combo1_Click(1);
        break;
    case 2:
        setWindowTitle(QStringLiteral("整年度圖表 - 資產負債統計"));
        ShowAL();
        break;
    default:
        setWindowTitle(QStringLiteral("整年度圖表 - 收入支出統計"));
        ShowIE();
        break;
    }
}

void YearForm::Check1_Click() {
    if (Liv1[0]->topLevelItemCount() == 0) return;
    const ReportChart::Hold once(*MSChart1);
    Combo1_Click(0);
    Combo1_Click(1);
}

void YearForm::showTabFigures() {
    const ReportChart::Hold once(*MSChart1);
    switch (SelectedTab()) {
    case 1:
        Combo1_Click(0);
        Combo1_Click(1);
        break;
    case 2:
        ShowAL();
        break;
    default:
        ShowIE();
        break;
    }
}

void YearForm::UpDown1_UpClick() {
    PeriodArrows::StepYear(Text1, true, m_ctx.session.Setting.YearState,
                           m_ctx.services.clock().today());
    showTabFigures();
}

void YearForm::UpDown1_DownClick() {
    PeriodArrows::StepYear(Text1, false, m_ctx.session.Setting.YearState,
                           m_ctx.services.clock().today());
    showTabFigures();
}

void YearForm::UpDown2_DownClick(int index) {
    QComboBox* c = Combo1[size_t(index)];
    if (c->currentIndex() + 1 < c->count()) c->setCurrentIndex(c->currentIndex() + 1);
}

void YearForm::UpDown2_UpClick(int index) {
    QComboBox* c = Combo1[size_t(index)];
    if (c->currentIndex() > 0) c->setCurrentIndex(c->currentIndex() - 1);
}

void YearForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (!isMinimized()) layoutControls();
}

void YearForm::layoutControls() {
    const int w = width();
    Text1->setGeometry(8, 8, 52, 24);
    UpDown1->setGeometry(60, 8, 17, 24);
    Combo1[0]->setGeometry(86, 8, 170, 24);
    UpDown2[0]->setGeometry(256, 8, 17, 24);
    Combo1[1]->setGeometry(282, 8, 170, 24);
    UpDown2[1]->setGeometry(452, 8, 17, 24);
    const int exportLeft =
        (SelectedTab() == 1 ? UpDown2[1]->geometry().right() : UpDown1->geometry().right()) + 1 + 6;
    Command1->setGeometry(exportLeft, 7, 64, 26);
    Check1->move(w - Check1->width() - 8, 11);

    const int stripWidth = std::max(w - 2 * StripLeft, 0);
    const int stripHeight = this->stripHeight();
    TabStrip1->setGeometry(StripLeft, StripTop, stripWidth, TabStrip1->sizeHint().height());
    const int bodyTop = StripTop + TabStrip1->sizeHint().height();
    m_strip->setGeometry(StripLeft, bodyTop - 1, stripWidth,
                         std::max(stripHeight - (bodyTop - StripTop) + 1, 0));
    // The lists take the width their figures need, at least the designed 35 per cent of the
    // strip; the chart the rest.
    const int designed = std::max(stripWidth - int(0.65 * stripWidth) - 24, 0);
    int listWidth = 0;
    if (SelectedTab() == 1) {
        listWidth = std::max(std::min(std::max(designed, figuresWidth()), stripWidth / 2), 0);
    } else {
        // Every column is a figure: the list grows to show each whole, while the chart keeps a
        // third of the strip or the width its month labels need, the more of the two (a window
        // too narrow for both widened when the figures were shown, within its screen; where
        // the screen is too narrow, the list scrolls), and columns wider than their figures
        // give way first.
        QTreeWidget* list = Liv1[0];
        // The list gives the labels' room up down to its designed width.
        const int widest = std::max(figureListRoom(stripWidth), designed);
        listWidth = std::max(designed, std::min(figureListWidth(), widest));
        NarrowColumnsToRoom(list,
                            {{4, figureFloor(list, 4)},
                             {3, figureFloor(list, 3)},
                             {2, figureFloor(list, 2)},
                             {1, figureFloor(list, 1)}},
                            ColumnRoom(list, listWidth));
    }
    const int chartWidth = std::max(stripWidth - listWidth - 24, 0);
    const int chartHeight = std::max(stripHeight - 40, 0);
    const int chartTop = StripTop + 32;
    MSChart1->setGeometry(StripLeft + 4, chartTop, chartWidth, chartHeight);
    const int listLeft = StripLeft + 4 + chartWidth + 8;
    const int listHeight = SelectedTab() == 1 ? chartHeight / 2 - 3 : chartHeight;
    Liv1[0]->setGeometry(listLeft, chartTop, listWidth, std::max(listHeight, 0));
    Liv1[1]->setGeometry(listLeft, chartTop + listHeight + 6, listWidth, std::max(listHeight, 0));
}

int YearForm::stripHeight() const {
    const int gap = StripTop - (Text1->geometry().bottom() + 1);
    return std::max(height() - StripTop - gap, 0);
}

int YearForm::figureListWidth() const {
    const QTreeWidget* list = Liv1[0];
    const QHeaderView* header = list->header();
    // The frame and scroll bar that the room of the columns leaves out.
    constexpr int any = 1 << 16;
    int needed = any - ColumnRoom(list, any);
    for (int c = 0; c < header->count(); ++c)
        if (!header->isSectionHidden(c))
            needed += c == 0 ? list->columnWidth(0) : figureFloor(list, c);
    return needed;
}

int YearForm::figureListRoom(int stripWidth) {
    const int labels = MSChart1->RowLabelsWidth(std::max(stripHeight() - 40, 0));
    return std::min(stripWidth - stripWidth / 3, stripWidth - labels) - 24;
}

void YearForm::widenForFigures() {
    if (SelectedTab() == 1 || (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        return;
    const int needed = figureListWidth();
    int strip = std::max(width() - 2 * StripLeft, 0);
    if (figureListRoom(strip) >= needed) return;
    const QScreen* screen = this->screen();
    if (!screen) return;
    const QRect area = screen->availableGeometry();
    const int margins = frameGeometry().width() - width();
    // The chart keeps its third of the strip and the room of its labels beside the list.
    const int labels = MSChart1->RowLabelsWidth(std::max(stripHeight() - 40, 0));
    strip = std::max(needed + 24 + labels, (3 * (needed + 24) + 1) / 2);
    while (figureListRoom(strip) < needed)
        ++strip;
    const int wanted = std::min(strip + 2 * StripLeft, area.width() - margins);
    if (wanted <= width()) return;
    resize(wanted, height());
    // Where it grew past the screen's right edge, it moves back onto the screen.
    const int right = x() + margins + wanted;
    if (right > area.x() + area.width())
        move(std::max(area.x(), area.x() + area.width() - margins - wanted), y());
}

int YearForm::figuresWidth() const {
    // Up to the last column of figures: on the accounts tab the note column that follows
    // is free text.
    const int last = SelectedTab() == 1 ? 2 : 4;
    int widest = 0;
    for (const QTreeWidget* list : Liv1) {
        int width = 2 * list->frameWidth() + list->verticalScrollBar()->sizeHint().width();
        for (int c = 0; c <= last; ++c)
            if (!list->isColumnHidden(c)) width += list->columnWidth(c);
        widest = std::max(widest, width);
    }
    return widest;
}

void YearForm::fitLists() {
    for (QTreeWidget* list : Liv1) {
        if (SelectedTab() == 1)
            FitColumnsToTexts(list, {1, 2, 4});
        else
            FitColumnsToTexts(list, {1, 2, 3, 4});
    }
    if (isMinimized()) return;
    widenForFigures();
    layoutControls();
}

void YearForm::Form_Unload() {
    if (m_unloaded) return;
    m_unloaded = true;
    SettingsStore& store = m_ctx.services.settings();
    // One rewrite of the file for the whole close.
    const SettingsBatch once(store, m_ctx.services.prompts());
    SaveWindowPlacement(*this, store, Section, DesignWidth, DesignHeight);
    for (int i = 0; i < 2; ++i)
        SaveColumnWidths(Liv1[size_t(i)], store, Section, QStringLiteral("L%1W").arg(i), 4);
    SaveSettingQuietly(store, Section, QStringLiteral("CheckState"),
                       Check1->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

void YearForm::closeEvent(QCloseEvent* event) {
    Form_Unload();
    QDialog::closeEvent(event);
}
