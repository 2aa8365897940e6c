#include "schedule/fixureform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/desktop/listchoice.h"
#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "rules/entry/entryrules.h"
#include "schedule/schedulechoices.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/detailtext.h"
#include "store/figures.h"
#include "store/plaintext.h"
#include "windowparts/imagelist.h"
#include "windowparts/mainview.h"

namespace {

const QString kSection = QStringLiteral("FixureForm");
const QStringList kPeriods = {QStringLiteral("年"), QStringLiteral("月"),   QStringLiteral("週"),
                              QStringLiteral("日"), QStringLiteral("單月"), QStringLiteral("雙月")};
constexpr int RecordRole = Qt::UserRole;
constexpr int MinWidthTwips = 11535;
constexpr int MinHeightTwips = 5000;
constexpr int ClosedWidthTwips = 11535;
constexpr int ClosedHeightTwips = 7890;
constexpr int Capacity = Ledger::RecurringCapacity;

} // namespace

QStringList RecurringRowTexts(const RecurringRecord& r, const Session& session) {
    const QString when = r.When.trimmed();
    QString time;
    switch (r.Period) {
    case 0:
        time = when;
        break;
    case 1:
    case 4:
    case 5:
        time = when.startsWith(QLatin1String("32")) ? ScheduleChoices::MonthEnd : when;
        break;
    case 2: {
        const QChar c = when.isEmpty() ? QChar() : when.at(0);
        const int d = c.isDigit() ? c.digitValue() : -1;
        time = d >= 0 && d <= 6 ? ScheduleChoices::Weekdays().at(d) : QString();
        break;
    }
    case 3:
        time = QStringLiteral("每日");
        break;
    default:
        break;
    }
    return {r.Period < kPeriods.size() ? kPeriods.at(r.Period) : QString(),
            TrimFixed(time),
            r.Overdue == 1 ? QStringLiteral("是") : QStringLiteral("否"),
            r.Account1.trimmed(),
            r.Account2.trimmed(),
            FormatAmount(r.Amount, session),
            r.Detail.trimmed()};
}

FixureForm::FixureForm(MainView& main, QWidget* parent)
    : QDialog(parent), m_main(main), m_ledger(main.context().ledger) {
    setObjectName(QStringLiteral("FixureForm"));
    setWindowTitle(QStringLiteral("定期記錄"));
    auto combo = [this](const QString& name) {
        auto* c = new QComboBox(this);
        c->setObjectName(name);
        BoundDropHeight(c, 400 / 20); // a drop-down list 400 pixels high
        return c;
    };
    Label1 = NamedLabel(this, "Label1", QStringLiteral("週期"));
    Label2 = NamedLabel(this, "Label2", QStringLiteral("時間"));
    Label8 = NamedLabel(this, "Label8", QStringLiteral("/"));
    Label3 = NamedLabel(this, "Label3", QStringLiteral("分類"));
    Label4 = NamedLabel(this, "Label4", QStringLiteral("科目"));
    Label5 = NamedLabel(this, "Label5", QStringLiteral("金額"));
    Label6 = NamedLabel(this, "Label6", QStringLiteral("明細"));
    Combo1 = combo(QStringLiteral("Combo1"));
    Combo1->addItems(kPeriods);
    Combo2[0] = combo(QStringLiteral("Combo2(0)"));
    Combo2[1] = combo(QStringLiteral("Combo2(1)"));
    ScheduleChoices::FitTimeBox(Combo2[0]);
    Combo3[0] = combo(QStringLiteral("Combo3(0)"));
    Combo3[1] = combo(QStringLiteral("Combo3(1)"));
    Check1 = new QCheckBox(QStringLiteral("逾期補登"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text3 = new QLineEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Command1 = NamedButton(this, "Command1", QStringLiteral("新增"));
    Command2 = NamedButton(this, "Command2", QStringLiteral("編輯"));
    Command3 = NamedButton(this, "Command3", QStringLiteral("刪除"));

    Liv1 = new QTreeWidget(this);
    Liv1->setObjectName(QStringLiteral("Liv1"));
    Liv1->setRootIsDecorated(false);
    Liv1->setHeaderLabels({QStringLiteral("週期"), QStringLiteral("時間"),
                           QStringLiteral("逾期補登"), QStringLiteral("分類"),
                           QStringLiteral("科目"), QStringLiteral("金額"), QStringLiteral("明細")});
    const int widths[] = {50, 60, 65, 105, 105, 80, 245};
    for (int c = 0; c < 7; ++c)
        Liv1->setColumnWidth(c, widths[c]);
    Liv1->header()->setSectionsClickable(true);
    Liv1->header()->setSortIndicatorShown(false);
    Liv1->header()->setStretchLastSection(false);

    StatusBar1 = StatusLine(this, m_statusText);

    auto* line1 = new QHBoxLayout;
    line1->addWidget(Label1);
    line1->addWidget(Combo1);
    line1->addWidget(Label2);
    line1->addWidget(Combo2[0]);
    line1->addWidget(Label8);
    line1->addWidget(Combo2[1]);
    line1->addWidget(Check1);
    line1->addStretch();
    line1->addWidget(Command1);
    line1->addWidget(Command2);
    line1->addWidget(Command3);
    auto* fields = new QGridLayout;
    fields->addWidget(Label3, 0, 0);
    fields->addWidget(Combo3[0], 0, 1);
    fields->addWidget(Label5, 0, 2);
    fields->addWidget(Text2, 0, 3);
    fields->addWidget(Label4, 1, 0);
    fields->addWidget(Combo3[1], 1, 1);
    fields->addWidget(Label6, 1, 2);
    fields->addWidget(Text3, 1, 3);
    fields->setColumnStretch(1, 1);
    fields->setColumnStretch(3, 2);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->addLayout(line1);
    layout->addLayout(fields);
    layout->addWidget(Liv1, 1);
    layout->addWidget(StatusBar1);
    setMinimumSize(Runtime::twipsToPixels(MinWidthTwips), Runtime::twipsToPixels(MinHeightTwips));
    resize(Runtime::twipsToPixels(ClosedWidthTwips), Runtime::twipsToPixels(ClosedHeightTwips));

    connect(Combo1, &QComboBox::currentIndexChanged, this, &FixureForm::Combo1_Click);
    for (QComboBox* c : Combo3)
        connect(c, &QComboBox::currentIndexChanged, this, &FixureForm::Combo3_Click);
    connect(Command1, &QPushButton::clicked, this, &FixureForm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &FixureForm::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &FixureForm::Command3_Click);
    OnItemClicked(Liv1, [this] { Liv1_Click(); });
    connect(Liv1->header(), &QHeaderView::sectionClicked, this, &FixureForm::Liv1_ColumnClick);

    // The opening: settings, account lists, the rows in table order.
    loadSettings();
    fillAccountLists();
    Combo3_Click(); // both lists now show an account: their captions follow it
    for (int i = 1; i < m_ledger.RecurringCount; ++i)
        addRow(m_ledger.RecurringRecords[size_t(i)]);
    fitColumns(); // once for all the rows
    Liv1->setCurrentItem(nullptr);
    Liv1->clearSelection();
    renewStatus();
    Combo1->setCurrentIndex(1);
    Combo1_Click();
    Command2->setEnabled(false);
    Command3->setEnabled(false);
}

void FixureForm::loadSettings() {
    const SettingsStore& store = m_main.context().services.settings();
    LoadWindowPlacement(*this, store, kSection);
    LoadColumnWidths(Liv1, store, kSection, QStringLiteral("LW"), 7);
    ApplyListFontSize(Liv1, store);
}

void FixureForm::saveSettings() {
    SettingsStore& store = m_main.context().services.settings();
    // One rewrite of the file for the whole close.
    const SettingsBatch once(store, m_main.context().services.prompts());
    SaveWindowPlacement(*this, store, kSection, ClosedWidthTwips, ClosedHeightTwips);
    SaveColumnWidths(Liv1, store, kSection, QStringLiteral("LW"), 7);
}

void FixureForm::fillAccountLists() {
    QStringList first, second;
    for (int i = 1; i < m_ledger.AccountCount; ++i) {
        const AccountRecord& a = m_ledger.Accounts[size_t(i)];
        const QString name = a.Name.trimmed();
        if (a.Kind != KindEquity) first << name;
        if (a.Kind != KindIncome && a.Kind != KindExpense) second << name;
    }
    const QSignalBlocker b0(Combo3[0]);
    const QSignalBlocker b1(Combo3[1]);
    ScheduleChoices::Refill(Combo3[0], first);
    ScheduleChoices::Refill(Combo3[1], second);
    FitComboDropWidth(Combo3[0]);
    FitComboDropWidth(Combo3[1]);
}

void FixureForm::showRow(QTreeWidgetItem* row, const RecurringRecord& r) {
    const QStringList texts = RecurringRowTexts(r, m_main.context().session);
    for (int c = 0; c < texts.size(); ++c)
        row->setText(c, texts.at(c));
}

void FixureForm::fitColumns() {
    FitColumnsToTexts(Liv1, {0, 5}); // 週期 beside its icon and 金額 read whole
}

void FixureForm::addRow(const RecurringRecord& r) {
    auto* row = new QTreeWidgetItem(Liv1); // the last row, sorted or not
    row->setIcon(0, ImageList2::icon(13));
    row->setData(0, RecordRole, int(m_records.size()));
    m_records.push_back(r);
    showRow(row, r);
}

const RecurringRecord& FixureForm::recordOf(const QTreeWidgetItem* row) const {
    return m_records[size_t(row->data(0, RecordRole).toInt())];
}

// After rows moved or went: the records follow the rows' order, each row its place again.
void FixureForm::renumberRows() {
    std::vector<RecurringRecord> ordered;
    ordered.reserve(size_t(Liv1->topLevelItemCount()));
    for (int i = 0; i < Liv1->topLevelItemCount(); ++i) {
        QTreeWidgetItem* row = Liv1->topLevelItem(i);
        ordered.push_back(recordOf(row));
        row->setData(0, RecordRole, i);
    }
    m_records = std::move(ordered);
}

QTreeWidgetItem* FixureForm::selectedRow() const {
    const auto rows = Liv1->selectedItems();
    return rows.isEmpty() ? nullptr : rows.first();
}

QString FixureForm::StatusText() const {
    return m_statusText->text();
}

void FixureForm::renewStatus() {
    m_statusText->setText(QStringLiteral("共有 %1 筆定期記錄").arg(Liv1->topLevelItemCount()));
}

void FixureForm::markChanged() {
    m_ledger.markRecurringChanged();
}

void FixureForm::Combo1_Click() {
    const int period = Combo1->currentIndex();
    Label2->setVisible(true);
    Combo2[0]->setVisible(true);
    Check1->setVisible(true);
    switch (period) {
    case 0:
        ScheduleChoices::Refill(Combo2[0], ScheduleChoices::TwoDigitNumbers(1, 12));
        ScheduleChoices::Refill(Combo2[1], ScheduleChoices::TwoDigitNumbers(1, 31));
        break;
    case 1:
    case 4:
    case 5:
        ScheduleChoices::Refill(Combo2[0], ScheduleChoices::TwoDigitNumbers(1, 31)
                                               << ScheduleChoices::MonthEnd);
        break;
    case 2:
        ScheduleChoices::Refill(Combo2[0], ScheduleChoices::Weekdays());
        break;
    case 3:
        Label2->setVisible(false);
        Combo2[0]->setVisible(false);
        Check1->setVisible(false);
        Check1->setChecked(false);
        break;
    default:
        break;
    }
    Combo2[1]->setVisible(period == 0);
    Label8->setVisible(period == 0);
}

void FixureForm::Combo3_Click() {
    if (Combo3[0]->currentIndex() < 0 || Combo3[1]->currentIndex() < 0) return;
    const int kind = PrefixKindCode(Combo3[0]->currentText());
    if (kind == KindAsset || kind == KindLiability) {
        Label3->setText(QStringLiteral("轉換到"));
        Label4->setText(QStringLiteral("從科目"));
    } else if (kind == KindIncome) {
        Label3->setText(QStringLiteral("進帳從"));
        Label4->setText(QStringLiteral("到科目"));
    } else if (kind == KindExpense) {
        Label3->setText(QStringLiteral("支付給"));
        Label4->setText(QStringLiteral("從科目"));
    }
}

RecurringRecord FixureForm::recordFromEditor(double hundredths) const {
    RecurringRecord r;
    const int period = Combo1->currentIndex();
    r.Period = quint8(period);
    QString when;
    switch (period) {
    case 0:
        when = Combo2[0]->currentText() + QLatin1Char('/') + Combo2[1]->currentText();
        break;
    case 1:
    case 4:
    case 5:
        when = Combo2[0]->currentText() == ScheduleChoices::MonthEnd ? QStringLiteral("32")
                                                                     : Combo2[0]->currentText();
        break;
    case 2:
        when = QString::number(
            std::max(0, int(ScheduleChoices::Weekdays().indexOf(Combo2[0]->currentText()))));
        break;
    default:
        when = QStringLiteral("0");
        break;
    }
    r.When = when;
    r.Overdue = period != 3 && Check1->isChecked() ? 1 : 0;
    r.Account1 = TrimFixed(Combo3[0]->currentText());
    r.Account2 = TrimFixed(Combo3[1]->currentText());
    r.Amount = TaggedNumber::fromDouble(hundredths);
    r.Detail = TrimFixed(Text3->text());
    return r;
}

bool FixureForm::detailIsPlain() {
    if (PlainText::isPlain(Text3->text())) return true;
    m_main.context().services.prompts().warning(DetailText::unsupportedMessage());
    return false;
}

// 新增. The amount is read whole, grouping commas allowed (1,234 is 1234); a text that is
// no number becomes "0", and a number too large to keep every hundredth is refused.
void FixureForm::Command1_Click() {
    Prompts& prompts = m_main.context().services.prompts();
    if (Liv1->topLevelItemCount() >= Capacity) {
        prompts.warning(QStringLiteral("定期記錄筆數已經到達200筆上限，無法再新增!"));
        return;
    }
    if (Combo3[0]->currentText() == Combo3[1]->currentText()) {
        prompts.warning(QStringLiteral("選擇的科目不能重複"));
        return;
    }
    if (!detailIsPlain()) return;
    if (!Runtime::isNumeric(Text2->text())) Text2->setText(QStringLiteral("0"));
    const std::optional<double> hundredths = EntryRules::typedHundredths(Text2->text(), 1.0);
    if (!hundredths) {
        prompts.warning(EntryRules::amountRangeMessage());
        return;
    }
    Command2->setEnabled(true);
    Command3->setEnabled(true);
    addRow(recordFromEditor(*hundredths));
    fitColumns();
    QTreeWidgetItem* row = Liv1->topLevelItem(Liv1->topLevelItemCount() - 1);
    Liv1->clearSelection();
    Liv1->setCurrentItem(row);
    row->setSelected(true);
    renewStatus();
    markChanged();
}

// 編輯: the selected row from the editor. The amount is the number at the start of the
// text (commas dropped first), as the row had no numeric test; equal accounts are refused
// as 新增 refuses them, since such a record could never be posted, and so is an amount too
// large to keep every hundredth.
void FixureForm::Command2_Click() {
    QTreeWidgetItem* row = selectedRow();
    if (Liv1->topLevelItemCount() == 0 || !row) return;
    Prompts& prompts = m_main.context().services.prompts();
    if (Combo3[0]->currentText() == Combo3[1]->currentText()) {
        prompts.warning(QStringLiteral("選擇的科目不能重複"));
        return;
    }
    if (!detailIsPlain()) return;
    QString text = Text2->text();
    text.remove(QLatin1Char(','));
    // A number past the largest double would read as 0 from the start of the text.
    const bool tooLarge = Runtime::isNumeric(text) && !EntryRules::typedNumber(text);
    const auto hundredths = EntryRules::amountHundredths(Runtime::leadingNumber(text), 1.0);
    if (tooLarge || !hundredths) {
        prompts.warning(EntryRules::amountRangeMessage());
        return;
    }
    const RecurringRecord r = recordFromEditor(*hundredths);
    m_records[size_t(row->data(0, RecordRole).toInt())] = r;
    showRow(row, r);
    fitColumns();
    markChanged();
}

void FixureForm::Command3_Click() {
    QTreeWidgetItem* row = selectedRow();
    if (Liv1->topLevelItemCount() == 0 || !row) return;
    delete row;
    renumberRows();
    if (Liv1->topLevelItemCount() == 0) {
        Command2->setEnabled(false);
        Command3->setEnabled(false);
    }
    renewStatus();
    markChanged();
    Liv1->setFocus();
}

void FixureForm::Liv1_Click() {
    QTreeWidgetItem* row = selectedRow();
    if (Liv1->topLevelItemCount() == 0 || !row) return;
    Command2->setEnabled(true);
    Command3->setEnabled(true);
    const RecurringRecord& r = recordOf(row);
    const QString time = RecurringRowTexts(r, m_main.context().session).at(1);
    const int period = r.Period <= 5 ? r.Period : 1;
    Combo1->setCurrentIndex(period);
    Combo1_Click();
    if (period == 0) {
        Combo2[0]->setCurrentIndex(time.left(2).toInt() - 1);
        Combo2[1]->setCurrentIndex(time.right(2).toInt() - 1);
    } else if (period == 1 || period == 4 || period == 5) {
        Combo2[0]->setCurrentIndex(time == ScheduleChoices::MonthEnd ? 31 : time.toInt() - 1);
    } else if (period == 2) {
        Combo2[0]->setCurrentIndex(Combo2[0]->findText(time));
    }
    Check1->setChecked(r.Overdue == 1);
    const QString names[] = {r.Account1.trimmed(), r.Account2.trimmed()};
    for (int k = 0; k < 2; ++k) {
        const int at = Combo3[k]->findText(names[k]);
        if (at >= 0) Combo3[k]->setCurrentIndex(at);
    }
    Text2->setText(EntryRules::numberText(r.Amount.value() / 100.0));
    Text3->setText(r.Detail.trimmed());
}

void FixureForm::Liv1_ColumnClick(int column) {
    if (column == m_sortColumn)
        m_sortOrder = m_sortOrder == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    else
        m_sortColumn = column;
    Liv1->sortItems(m_sortColumn, m_sortOrder);
    renumberRows(); // the table is written in the order the user sorted the rows
}

void FixureForm::PresetEntry(const EntryCore& entry) {
    Text2->setText(EntryRules::numberText(entry.Amount.value() / 100.0));
    Text3->setText(entry.Detail.trimmed());
    const QString names[] = {entry.Account1.trimmed(), entry.Account2.trimmed()};
    for (int k = 0; k < 2; ++k) {
        const int account = FindAccountIndex(m_ledger, names[k]);
        if (account == 0) continue;
        const int at = Combo3[k]->findText(m_ledger.Accounts[size_t(account)].Name.trimmed());
        if (at >= 0) Combo3[k]->setCurrentIndex(at);
    }
}

// The unload: settings, then, while the recurring table has unsaved changes, the table
// written from the window's records, in the order the list shows them.
void FixureForm::done(int result) {
    if (!m_unloaded) {
        m_unloaded = true;
        saveSettings();
        if (m_ledger.RecurringChanged) m_ledger.replaceRecurring(m_records);
    }
    QDialog::done(result);
}
