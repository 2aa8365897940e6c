#include "reports/ieform.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "platform/clock.h"
#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "reports/periodarrows.h"
#include "rules/reports/dailyfigures.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/periods.h"
#include "store/settingoptions.h"
#include "windowparts/formwidgets.h"
#include "windowparts/imagelist.h"
#include "windowparts/mainview.h"

namespace {
const QString Section = QStringLiteral("IEForm");
constexpr int DesignWidth = 8400; // twips
constexpr int DesignHeight = 8100;
} // namespace

IEForm::IEForm(AppContext& ctx, MainView& main, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_main(main) {
    setObjectName(QStringLiteral("IEForm"));
    setWindowTitle(QStringLiteral("每日收支"));

    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(8, 8, 52, 24);
    UpDown1 = new UpDownArrows(this);
    UpDown1->setObjectName(QStringLiteral("UpDown1"));
    UpDown1->setGeometry(60, 8, 17, 24);
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    for (int m = 1; m <= 12; ++m)
        Combo1->addItem(QStringLiteral("%1月").arg(m, 2, 10, QChar(u'0')));
    Combo1->setCurrentIndex(-1);
    Combo1->setGeometry(86, 8, 72, 24);
    UpDown2 = new UpDownArrows(this);
    UpDown2->setObjectName(QStringLiteral("UpDown2"));
    UpDown2->setGeometry(158, 8, 17, 24);
    Command1 = new QPushButton(QStringLiteral("匯出"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    Command1->setGeometry(186, 7, 64, 26);

    Liv1 = new QTreeWidget(this);
    Liv1->setObjectName(QStringLiteral("Liv1"));
    Liv1->setRootIsDecorated(false);
    Liv1->setUniformRowHeights(true);
    Liv1->setColumnCount(5);
    Liv1->setHeaderLabels({QStringLiteral("日期"), QStringLiteral("收入"), QStringLiteral("支出"),
                           QStringLiteral("結餘"), QStringLiteral("Date")});
    for (int c = 0; c < 4; ++c)
        Liv1->setColumnWidth(c, 120);
    for (int c = 1; c <= 3; ++c)
        Liv1->headerItem()->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
    Liv1->setColumnHidden(4, true);
    Liv1->move(8, 40);

    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(UpDown1, &UpDownArrows::upClicked, this, [this] { UpDown1_UpClick(); });
    connect(UpDown1, &UpDownArrows::downClicked, this, [this] { UpDown1_DownClick(); });
    connect(UpDown2, &UpDownArrows::upClicked, this, [this] { UpDown2_UpClick(); });
    connect(UpDown2, &UpDownArrows::downClicked, this, [this] { UpDown2_DownClick(); });
    Form_Load();
}

void IEForm::Form_Load() {
    const SettingsStore& store = m_ctx.services.settings();
    FlattenListHeader(Liv1);
    resize(Runtime::twipsToPixels(DesignWidth), Runtime::twipsToPixels(DesignHeight));
    LoadWindowPlacement(*this, store, Section);
    // The size the settings window shows, read as the main window reads it.
    ApplyListFontSize(Liv1, store, SettingOptions::fallback(u"MainFontSize"));
    Text1->setText(m_main.PeriodYearText());
    // A month of the main window opens that month, 全部 January, 整年 no month at all.
    const int p = m_main.PeriodIndex();
    Combo1->setCurrentIndex(p > 0 ? p - 2 : 0);
}

void IEForm::Combo1_Click() {
    IEShow();
}

void IEForm::IEShow() {
    Liv1->clear();
    // A year box that holds no year (letters, 12345, 2024.5) forms no dates: no rows.
    const std::optional<int> year = Periods::yearFromText(Text1->text());
    const int month = Combo1->currentIndex() + 1;
    if (!year || month < 1) return;
    const Session& session = m_ctx.session;
    const QIcon day = ImageList2::icon(12);
    for (const DayIncomeExpense& d : DailyIncomeExpense(m_ctx.ledger, *year, month)) {
        auto* row = new QTreeWidgetItem(Liv1);
        const double balance = d.income - d.expense;
        row->setIcon(0, day);
        row->setText(0, d.date.toString(QStringLiteral("yyyy/MM/dd")));
        row->setText(1, FormatAmount(d.income, session));
        row->setText(2, FormatAmount(d.expense, session));
        row->setText(3, FormatAmount(balance, session));
        row->setText(4, Periods::dateKey(d.date));
        for (int c = 1; c <= 3; ++c)
            row->setTextAlignment(c, Qt::AlignRight | Qt::AlignVCenter);
        if (balance < 0) row->setForeground(3, QColor(255, 0, 0));
    }
    Liv1->clearSelection();
    Liv1->setCurrentItem(nullptr);
}

void IEForm::UpDown1_UpClick() {
    PeriodArrows::StepYear(Text1, true, m_ctx.session.Setting.YearState,
                           m_ctx.services.clock().today());
    Combo1_Click();
}

void IEForm::UpDown1_DownClick() {
    PeriodArrows::StepYear(Text1, false, m_ctx.session.Setting.YearState,
                           m_ctx.services.clock().today());
    Combo1_Click();
}

void IEForm::UpDown2_UpClick() {
    PeriodArrows::StepMonth(Combo1, Text1, false, PeriodArrows::DailyList,
                            m_ctx.services.clock().today());
}

void IEForm::UpDown2_DownClick() {
    PeriodArrows::StepMonth(Combo1, Text1, true, PeriodArrows::DailyList,
                            m_ctx.services.clock().today());
}

void IEForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    if (isMinimized()) return;
    const int left = Liv1->x();
    const int gap = Liv1->y() - (Text1->geometry().bottom() + 1);
    Liv1->resize(std::max(width() - 2 * left, 0), std::max(height() - Liv1->y() - gap, 0));
}

// The daily window keeps its size alone, in every state (no WinState, no fixed size for a
// maximised window), which the shared placement routine would add.
void IEForm::Form_Unload() {
    if (m_unloaded) return;
    m_unloaded = true;
    SettingsStore& store = m_ctx.services.settings();
    // One rewrite of the file for the whole close.
    const SettingsBatch once(store, m_ctx.services.prompts());
    SaveSettingQuietly(store, Section, QStringLiteral("Width"),
                       QString::number(Runtime::pixelsToTwips(width())));
    SaveSettingQuietly(store, Section, QStringLiteral("Height"),
                       QString::number(Runtime::pixelsToTwips(height())));
}

void IEForm::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void IEForm::closeEvent(QCloseEvent* event) {
    Form_Unload();
    QDialog::closeEvent(event);
}
