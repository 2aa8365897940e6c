// The budget table window: controls, loading, the rows, the clear command and the ways to
// the budget entry window.
#include "reports/budgetshowform.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>

#include "platform/clock.h"
#include "platform/desktop/windowroutines.h"
#include "platform/modalrunner.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "reports/budgetform.h"
#include "reports/periodarrows.h"
#include "rules/reports/budgetcells.h"
#include "store/appcontext.h"
#include "store/periods.h"
#include "store/settingoptions.h"
#include "store/treefigures.h"
#include "windowparts/formwidgets.h"
#include "windowparts/imagelist.h"
#include "windowparts/mainview.h"

namespace {
const QString Section = QStringLiteral("BudgetShowForm");
// The design size, in twips; also what is stored when the window closes minimised or
// maximised.
constexpr int DesignWidth = 9855;
constexpr int DesignHeight = 8085;
const QString SeparatorText = QStringLiteral("---");
} // namespace

BudgetShowForm::BudgetShowForm(AppContext& ctx, MainView& main, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_main(main), m_cache(std::make_unique<EntryAccountCache>()) {
    setObjectName(QStringLiteral("BudgetShowForm"));
    setWindowTitle(QStringLiteral("預算表"));
    buildControls();
    Form_Load();
}

BudgetShowForm::~BudgetShowForm() = default;

void BudgetShowForm::buildControls() {
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    UpDown1 = new UpDownArrows(this);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItem(QStringLiteral("整年"));
    for (int m = 1; m <= 12; ++m)
        Combo1->addItem(QStringLiteral("%1月").arg(m, 2, 10, QChar(u'0')));
    Combo1->setCurrentIndex(-1);
    UpDown2 = new UpDownArrows(this);
    UpDown2->setObjectName(QStringLiteral("UpDown2"));
    Command2 = new QPushButton(QStringLiteral("設定預算"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command3 = new QPushButton(QStringLiteral("清除整年預算"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command1 = new QPushButton(QStringLiteral("匯出"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    for (QPushButton* b : {Command1, Command2, Command3})
        b->setAutoDefault(false);
    Check1 = new QCheckBox(QStringLiteral("子科目金額加總至父科目"), this);
    Check1->setObjectName(QStringLiteral("Check1"));

    Liv1 = new QTreeWidget(this);
    Liv1->setObjectName(QStringLiteral("Liv1"));
    Liv1->setRootIsDecorated(false);
    Liv1->setUniformRowHeights(true);
    Liv1->setColumnCount(10);
    Liv1->setHeaderLabels({QStringLiteral("科目"), QStringLiteral("實際"), QStringLiteral("預算"),
                           QString(), QStringLiteral("Index"), QStringLiteral("實際1"),
                           QStringLiteral("實際2"), QStringLiteral("預算1"),
                           QStringLiteral("預算2"), QStringLiteral("類型")});
    Liv1->headerItem()->setTextAlignment(ColActual, Qt::AlignRight | Qt::AlignVCenter);
    Liv1->headerItem()->setTextAlignment(ColBudget, Qt::AlignRight | Qt::AlignVCenter);
    // The progress column keeps its width: it is not stretched over the rest of the list.
    // Set before the columns are hidden: afterwards the header would count their widths in
    // its length, a scroll range over nothing.
    Liv1->header()->setStretchLastSection(false);
    for (int c = ColIndex; c <= ColPrefix; ++c)
        Liv1->setColumnHidden(c, true);
    for (int c : {ColName, ColProgress})
        Liv1->setColumnWidth(c, 2 * Liv1->columnWidth(ColActual));
    Liv1->viewport()->installEventFilter(this);
    m_textColumns = new YieldingColumns(Liv1, {ColName, ColProgress});

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    m_status = new QLabel(StatusBar1);
    m_status->setObjectName(QStringLiteral("StatusPanel1"));
    StatusBar1->addWidget(m_status, 1);

    Menu_MenuTools = new QMenu(QStringLiteral("功能"), this);
    Menu_MenuTools->setObjectName(QStringLiteral("Menu_MenuTools"));
    MenuTools_Budget = Menu_MenuTools->addAction(QStringLiteral("設定預算(&B)"));
    MenuTools_Budget->setObjectName(QStringLiteral("MenuTools_Budget"));

    // Places in pixels; the list and the roll-up box follow the window's size.
    Text1->setGeometry(8, 8, 56, 24);
    UpDown1->setGeometry(64, 8, 17, 24);
    Combo1->setGeometry(88, 8, 80, 24);
    UpDown2->setGeometry(168, 8, 17, 24);
    Command2->setGeometry(196, 7, 84, 26);
    Command3->setGeometry(286, 7, 104, 26);
    Command1->setGeometry(396, 7, 64, 26);
    Check1->adjustSize();

    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_loading || Combo1->currentIndex() >= 0) Combo1_Click();
    });
    connect(Check1, &QCheckBox::clicked, this, [this] { Check1_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(MenuTools_Budget, &QAction::triggered, this, [this] { MenuTools_Budget_Click(); });
    connect(Liv1, &QTreeWidget::itemDoubleClicked, this, [this] { Liv1_DblClick(); });
    connect(UpDown1, &UpDownArrows::upClicked, this, [this] { UpDown1_UpClick(); });
    connect(UpDown1, &UpDownArrows::downClicked, this, [this] { UpDown1_DownClick(); });
    connect(UpDown2, &UpDownArrows::upClicked, this, [this] { UpDown2_UpClick(); });
    connect(UpDown2, &UpDownArrows::downClicked, this, [this] { UpDown2_DownClick(); });
}

void BudgetShowForm::Form_Load() {
    m_loading = true;
    SettingsStore& store = m_ctx.services.settings();
    FlattenListHeader(Liv1);
    resize(Runtime::twipsToPixels(DesignWidth), Runtime::twipsToPixels(DesignHeight));
    LoadWindowPlacement(*this, store, Section);
    Check1->setChecked(StoredWholeNumber(store, Section, QStringLiteral("CheckState")) == 1);
    Text1->setText(m_main.PeriodYearText());
    // The size the settings window shows, read as the main window reads it.
    ApplyListFontSize(Liv1, store, SettingOptions::fallback(u"MainFontSize"));
    buildRows();
    // The main window's period: 全部 or nothing gives 整年, otherwise the same entry; the
    // selection runs the first refresh.
    const int mainPeriod = m_main.PeriodIndex();
    m_loading = false;
    Combo1->setCurrentIndex(mainPeriod <= Periods::All ? 0 : mainPeriod - 1);
    m_status->setText(
        QStringLiteral("收入及支出總和現在也能設定預算，若沒設定則由所有科目預算加總"));
}

void BudgetShowForm::buildRows() {
    const Ledger& ledger = m_ctx.ledger;
    Liv1->clear();
    m_rows.clear();
    auto separator = [this] {
        m_rows.push_back({true, 0, QString(), SeparatorText});
        auto* row = new QTreeWidgetItem(Liv1);
        row->setText(ColName, SeparatorText);
        for (int c = ColActual; c <= ColProgress; ++c)
            row->setText(c, QStringLiteral(" "));
        row->setText(ColPrefix, QStringLiteral("--"));
    };
    for (int kind = 1; kind <= 4; ++kind) {
        for (int i = 1; i < ledger.AccountCount; ++i) {
            const AccountRecord& a = ledger.Accounts[size_t(i)];
            if (a.Kind != kind) continue;
            const QString name = a.Name.trimmed().trimmed();
            m_rows.push_back({false, i, name.left(2), name.mid(2)});
            auto* row = new QTreeWidgetItem(Liv1);
            row->setText(ColName, name.mid(2));
            row->setIcon(ColName, ImageList2::icon(kind + 1));
            row->setText(ColIndex, QString::number(i));
            row->setText(ColPrefix, name.left(2));
        }
        separator();
    }
    const struct {
        const char16_t* name;
        int image;
        int index;
    } totals[] = {{u"收入總和", 4, BudgetCells::IncomeTotal},
                  {u"支出總和", 5, BudgetCells::ExpenseTotal}};
    for (const auto& t : totals) {
        m_rows.push_back({false, t.index, QString(), QString::fromUtf16(t.name)});
        auto* row = new QTreeWidgetItem(Liv1);
        row->setText(ColName, QString::fromUtf16(t.name));
        row->setIcon(ColName, ImageList2::icon(t.image));
        row->setText(ColIndex, QString::number(t.index));
    }
    for (int r = 0; r < Liv1->topLevelItemCount(); ++r) {
        QTreeWidgetItem* row = Liv1->topLevelItem(r);
        row->setTextAlignment(ColActual, Qt::AlignRight | Qt::AlignVCenter);
        row->setTextAlignment(ColBudget, Qt::AlignRight | Qt::AlignVCenter);
    }
}

int BudgetShowForm::choice() const {
    return std::max(Combo1->currentIndex(), 0);
}

const BudgetShowForm::ShownRow* BudgetShowForm::shownRow(const QTreeWidgetItem* row) const {
    // Qt looks the item up without changing it, through a non-const pointer.
    const int r = row ? Liv1->indexOfTopLevelItem(const_cast<QTreeWidgetItem*>(row)) : -1;
    return r >= 0 && size_t(r) < m_rows.size() ? &m_rows[size_t(r)] : nullptr;
}

bool BudgetShowForm::IsSeparator(const QTreeWidgetItem* row) const {
    const ShownRow* shown = shownRow(row);
    return shown && shown->separator;
}

void BudgetShowForm::refresh() {
    budget();
    BudgetShow();
}

void BudgetShowForm::Combo1_Click() {
    refresh();
}

void BudgetShowForm::Check1_Click() {
    if (Liv1->topLevelItemCount() > 0) BudgetShow();
}

void BudgetShowForm::UpDown1_UpClick() {
    PeriodArrows::StepYear(Text1, true, m_ctx.session.Setting.YearState,
                           m_ctx.services.clock().today());
    Combo1_Click();
}

void BudgetShowForm::UpDown1_DownClick() {
    PeriodArrows::StepYear(Text1, false, m_ctx.session.Setting.YearState,
                           m_ctx.services.clock().today());
    Combo1_Click();
}

void BudgetShowForm::UpDown2_UpClick() {
    PeriodArrows::StepMonth(Combo1, Text1, false, PeriodArrows::BudgetList,
                            m_ctx.services.clock().today());
}

void BudgetShowForm::UpDown2_DownClick() {
    PeriodArrows::StepMonth(Combo1, Text1, true, PeriodArrows::BudgetList,
                            m_ctx.services.clock().today());
}

void BudgetShowForm::Command3_Click() {
    if (m_ctx.services.prompts().question(QStringLiteral("您確定要清除嗎？")) !=
        Prompts::Answer::Yes)
        return;
    Ledger& ledger = m_ctx.ledger;
    const int cell = choice();
    const int n = Liv1->topLevelItemCount();
    for (int r = 0; r < n - 3; ++r) {
        const QTreeWidgetItem* row = Liv1->topLevelItem(r);
        if (IsSeparator(row)) continue;
        if (AccountRecord* a = BudgetCells::target(ledger, m_rows[size_t(r)].index))
            BudgetCells::clearCell(*a, cell);
    }
    BudgetCells::clearCell(ledger.KindTotals[3], cell);
    BudgetCells::clearCell(ledger.KindTotals[4], cell);
    ledger.markBudgetsChanged();
    refresh();
}

bool BudgetShowForm::rowsHaveFocusRow() const {
    const QTreeWidgetItem* row = Liv1->currentItem();
    return row && row->isSelected();
}

void BudgetShowForm::MenuTools_Budget_Click() {
    if (!rowsHaveFocusRow()) return;
    const QTreeWidgetItem* row = Liv1->currentItem();
    const ShownRow* shown = shownRow(row);
    if (!shown || shown->separator) return;
    const int v = shown->index;
    if (!BudgetCells::target(m_ctx.ledger, v)) return;
    BudgetForm form(m_ctx, this);
    form.OpenRecord(v);
    m_ctx.services.modal().run(form);
    refresh();
}

void BudgetShowForm::Command2_Click() {
    if (!rowsHaveFocusRow()) return;
    if (IsSeparator(Liv1->currentItem())) {
        m_ctx.services.prompts().plain(QStringLiteral("此項目無法編列預算"));
        return;
    }
    MenuTools_Budget_Click();
}

void BudgetShowForm::Liv1_DblClick() {
    if (Liv1->topLevelItemCount() == 0 || !rowsHaveFocusRow()) return;
    if (IsSeparator(Liv1->currentItem())) return;
    MenuTools_Budget_Click();
}

void BudgetShowForm::Liv1_MouseUp(Qt::MouseButton button, const QPoint& globalPos) {
    MenuTools_Budget->setEnabled(rowsHaveFocusRow() && !IsSeparator(Liv1->currentItem()));
    if (button == Qt::RightButton) Menu_MenuTools->popup(globalPos);
}

bool BudgetShowForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Liv1->viewport() && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        Liv1_MouseUp(mouse->button(), mouse->globalPosition().toPoint());
    }
    return QDialog::eventFilter(watched, event);
}

void BudgetShowForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (isMinimized()) return;
    const int statusHeight = StatusBar1->sizeHint().height();
    StatusBar1->setGeometry(0, height() - statusHeight, width(), statusHeight);
    Liv1->setGeometry(8, 40, std::max(width() - 16, 0),
                      std::max(height() - Text1->height() - statusHeight - 24, 0));
    Check1->move(width() - Check1->width() - 8, 10);
    // The texts that gave way take their room back in a wider window.
    if (Liv1->topLevelItemCount() > 0) fitColumns(false);
}

void BudgetShowForm::Form_Unload() {
    if (m_unloaded) return;
    m_unloaded = true;
    SettingsStore& store = m_ctx.services.settings();
    // One rewrite of the file for the whole close.
    const SettingsBatch once(store, m_ctx.services.prompts());
    SaveWindowPlacement(*this, store, Section, DesignWidth, DesignHeight);
    SaveSettingQuietly(store, Section, QStringLiteral("CheckState"),
                       Check1->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
}

void BudgetShowForm::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void BudgetShowForm::closeEvent(QCloseEvent* event) {
    Form_Unload();
    QDialog::closeEvent(event);
}
