#include "schedule/memoform.h"

#include <QComboBox>
#include <QDateEdit>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cmath>
#include <numeric>

#include "platform/clock.h"
#include "platform/desktop/listchoice.h"
#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "rules/schedule/memoleaddays.h"
#include "schedule/schedulechoices.h"
#include "store/appcontext.h"
#include "store/ledger.h"
#include "store/plaintext.h"
#include "windowparts/imagelist.h"

namespace {

const QString kSection = QStringLiteral("MemoForm");
const QStringList kFixedPeriods = {QStringLiteral("年"), QStringLiteral("月"),
                                   QStringLiteral("週")};
constexpr int IndexColumnMemo = 3;
constexpr int IndexColumnFixed = 4;
constexpr int MinWidthTwips = 11425;
constexpr int MinHeightTwips = 8955;
constexpr int ClosedWidthTwips = 11415;
constexpr int ClosedHeightTwips = 8955;

// A row's record number: shown in its hidden index column, kept as a number beside it.
void setRecordIndex(QTreeWidgetItem* row, int column, int k) {
    row->setText(column, QString::number(k));
    row->setData(column, Qt::UserRole, k);
}

int recordIndex(const QTreeWidgetItem* row, int column) {
    return row->data(column, Qt::UserRole).toInt();
}

QString leadText(const QString& days) {
    return QStringLiteral("前 ") + days + QStringLiteral(" 天提醒");
}

QString memoReminderText(const MemoRecord& m) {
    if (m.RemindOn == 0) return QStringLiteral("不提醒");
    return m.RemindDays == 0 ? QStringLiteral("當天提醒") : leadText(QString::number(m.RemindDays));
}

QString fixedTimeText(const FixedMemoRecord& m) {
    switch (m.Period) {
    case 1:
        return m.When.trimmed();
    case 2:
        return m.When.startsWith(QLatin1String("32")) ? ScheduleChoices::MonthEnd
                                                      : m.When.trimmed();
    case 3: {
        const QChar c = m.When.isEmpty() ? QChar() : m.When.at(0);
        const int d = c.isDigit() ? c.digitValue() : -1;
        return d >= 0 && d <= 6 ? ScheduleChoices::Weekdays().at(d) : QString();
    }
    default:
        return {};
    }
}

QTreeWidget* makeList(QWidget* parent, const char* name, const QStringList& headers,
                      const QList<int>& widths) {
    auto* list = new QTreeWidget(parent);
    list->setObjectName(QLatin1String(name));
    list->setRootIsDecorated(false);
    list->setHeaderLabels(headers);
    for (int c = 0; c < widths.size(); ++c)
        list->setColumnWidth(c, widths.at(c));
    list->header()->setStretchLastSection(false);
    list->setColumnHidden(headers.size() - 1, true); // Index: never shown
    FlattenListHeader(list);
    return list;
}

} // namespace

MemoForm::MemoForm(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("MemoForm"));
    setWindowTitle(QStringLiteral("備忘錄"));
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    buildUpperHalf();
    buildLowerHalf();
    StatusBar1 = StatusLine(this, m_statusText);
    static_cast<QVBoxLayout*>(layout())->addWidget(StatusBar1);
    setMinimumSize(Runtime::twipsToPixels(MinWidthTwips), Runtime::twipsToPixels(MinHeightTwips));
    resize(Runtime::twipsToPixels(ClosedWidthTwips), Runtime::twipsToPixels(ClosedHeightTwips));

    // The opening.
    loadSettings();
    DTPicker1->setDate(ctx.services.clock().today());
    LoadMemoFiles(m_book, ctx.session.userFolder());
    fillMemoList();
    Command2->setEnabled(false);
    Command3->setEnabled(false);
    Command4->setEnabled(Liv1->topLevelItemCount() > 0);
    for (int i = 1; i < m_book.FixedMemoCount; ++i) {
        auto* row = new QTreeWidgetItem(Liv2);
        fillFixedMemoRow(row, m_book.FixedMemos[size_t(i)]);
    }
    fitColumns();
    Liv2->clearSelection();
    for (QPushButton* b : {Command6, Command7, Command10, Command11})
        b->setEnabled(false);
    Combo1->setCurrentIndex(1);
    Combo1_Click();
    renewStatus();
}

void MemoForm::buildUpperHalf() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    Label1 = NamedLabel(this, "Label1", QStringLiteral("日期"));
    DTPicker1 = new QDateEdit(this);
    DTPicker1->setObjectName(QStringLiteral("DTPicker1"));
    DTPicker1->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    DTPicker1->setCalendarPopup(true);
    Label2 = NamedLabel(this, "Label2", QStringLiteral("內容"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    const QString options[] = {QStringLiteral("不提醒"), QStringLiteral("當天提醒"),
                               QStringLiteral("前")};
    for (int i = 0; i < 3; ++i) {
        Option1[size_t(i)] = new QRadioButton(options[i], this);
        Option1[size_t(i)]->setObjectName(QStringLiteral("Option1(%1)").arg(i));
    }
    Option1[0]->setChecked(true);
    Text2 = new QLineEdit(QStringLiteral("1"), this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setFixedWidth(Runtime::twipsToPixels(495));
    Text2->installEventFilter(this);
    Label3 = NamedLabel(this, "Label3", QStringLiteral("天提醒"));
    Command1 = NamedButton(this, "Command1", QStringLiteral("新增"));
    Command2 = NamedButton(this, "Command2", QStringLiteral("編輯"));
    Command3 = NamedButton(this, "Command3", QStringLiteral("刪除"));
    Command4 = NamedButton(this, "Command4", QStringLiteral("清除過期備忘"));
    Command4->setMinimumWidth(Runtime::twipsToPixels(1455));
    Liv1 = makeList(this, "Liv1",
                    {QStringLiteral("日期"), QStringLiteral("提醒狀態"), QStringLiteral("備忘內容"),
                     QStringLiteral("Index")},
                    {100, 100, 500, 0});
    Command9 = NamedButton(this, "Command9", QStringLiteral("↑↑一般備忘"));
    Command8 = NamedButton(this, "Command8", QStringLiteral("定期備忘↓↓"));
    for (QPushButton* bar : {Command8, Command9})
        bar->setFixedWidth(Runtime::twipsToPixels(1575));

    auto* line1 = new QHBoxLayout;
    line1->addWidget(Label1);
    line1->addWidget(DTPicker1);
    line1->addWidget(Label2);
    line1->addWidget(Text1, 1);
    auto* line2 = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(Option1[0]), static_cast<QWidget*>(Option1[1]),
                       static_cast<QWidget*>(Option1[2]), static_cast<QWidget*>(Text2),
                       static_cast<QWidget*>(Label3)})
        line2->addWidget(w);
    line2->addStretch();
    for (QPushButton* b : {Command1, Command2, Command3, Command4})
        line2->addWidget(b);
    auto* bars = new QHBoxLayout;
    bars->addWidget(Command9);
    bars->addStretch();
    bars->addWidget(Command8);
    layout->addLayout(line1);
    layout->addLayout(line2);
    layout->addWidget(Liv1, 1);
    layout->addLayout(bars);

    connect(Command1, &QPushButton::clicked, this, &MemoForm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &MemoForm::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &MemoForm::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &MemoForm::Command4_Click);
    OnItemClicked(Liv1, [this] { Liv1_Click(); });
}

void MemoForm::buildLowerHalf() {
    auto* layout = static_cast<QVBoxLayout*>(this->layout());
    Liv2 = makeList(this, "Liv2",
                    {QStringLiteral("週期"), QStringLiteral("時間"), QStringLiteral("提醒狀態"),
                     QStringLiteral("備忘內容"), QStringLiteral("Index")},
                    {50, 50, 100, 500, 0});
    Label5 = NamedLabel(this, "Label5", QStringLiteral("週期"));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItems(kFixedPeriods);
    Label6 = NamedLabel(this, "Label6", QStringLiteral("內容"));
    Text3 = new QLineEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Label4 = NamedLabel(this, "Label4", QStringLiteral("時間"));
    Combo2[0] = new QComboBox(this);
    Combo2[0]->setObjectName(QStringLiteral("Combo2(0)"));
    Combo2[1] = new QComboBox(this);
    Combo2[1]->setObjectName(QStringLiteral("Combo2(1)"));
    ScheduleChoices::FitTimeBox(Combo2[0]);
    Label8 = NamedLabel(this, "Label8", QStringLiteral("/"));
    Picture1 = new QWidget(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Option2[0] = new QRadioButton(QStringLiteral("當天提醒"), Picture1);
    Option2[0]->setObjectName(QStringLiteral("Option2(0)"));
    Option2[1] = new QRadioButton(QStringLiteral("前"), Picture1);
    Option2[1]->setObjectName(QStringLiteral("Option2(1)"));
    Option2[0]->setChecked(true);
    Text4 = new QLineEdit(QStringLiteral("1"), Picture1);
    Text4->setObjectName(QStringLiteral("Text4"));
    Text4->setFixedWidth(Runtime::twipsToPixels(495));
    Text4->installEventFilter(this);
    Label7 = NamedLabel(Picture1, "Label7", QStringLiteral("天提醒"));
    auto* panel = new QHBoxLayout(Picture1);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->addWidget(Option2[0]);
    panel->addWidget(Option2[1]);
    panel->addWidget(Text4);
    panel->addWidget(Label7);
    Command5 = NamedButton(this, "Command5", QStringLiteral("新增"));
    Command6 = NamedButton(this, "Command6", QStringLiteral("編輯"));
    Command7 = NamedButton(this, "Command7", QStringLiteral("刪除"));
    Command10 = NamedButton(this, "Command10", QStringLiteral("↑"));
    Command11 = NamedButton(this, "Command11", QStringLiteral("↓"));
    for (QPushButton* b : {Command10, Command11})
        b->setFixedWidth(Runtime::twipsToPixels(495));

    auto* line1 = new QHBoxLayout;
    line1->addWidget(Label5);
    line1->addWidget(Combo1);
    line1->addWidget(Label6);
    line1->addWidget(Text3, 1);
    auto* line2 = new QHBoxLayout;
    line2->addWidget(Label4);
    line2->addWidget(Combo2[0]);
    line2->addWidget(Label8);
    line2->addWidget(Combo2[1]);
    line2->addWidget(Picture1);
    line2->addStretch();
    for (QPushButton* b : {Command5, Command6, Command7, Command10, Command11})
        line2->addWidget(b);
    layout->addWidget(Liv2, 1);
    layout->addLayout(line1);
    layout->addLayout(line2);

    connect(Combo1, &QComboBox::currentIndexChanged, this, &MemoForm::Combo1_Click);
    connect(Command5, &QPushButton::clicked, this, &MemoForm::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &MemoForm::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &MemoForm::Command7_Click);
    connect(Command10, &QPushButton::clicked, this, &MemoForm::Command10_Click);
    connect(Command11, &QPushButton::clicked, this, &MemoForm::Command11_Click);
    OnItemClicked(Liv2, [this] { Liv2_Click(); });
}

void MemoForm::loadSettings() {
    const SettingsStore& store = m_ctx.services.settings();
    LoadColumnWidths(Liv1, store, kSection, QStringLiteral("L1W"), 3);
    LoadColumnWidths(Liv2, store, kSection, QStringLiteral("L2W"), 4);
    LoadWindowPlacement(*this, store, kSection);
    ApplyListFontSize(Liv1, store);
    ApplyListFontSize(Liv2, store);
}

void MemoForm::saveSettings() {
    SettingsStore& store = m_ctx.services.settings();
    // One rewrite of the file for the whole close.
    const SettingsBatch once(store, m_ctx.services.prompts());
    SaveColumnWidths(Liv1, store, kSection, QStringLiteral("L1W"), 3);
    SaveColumnWidths(Liv2, store, kSection, QStringLiteral("L2W"), 4);
    SaveWindowPlacement(*this, store, kSection, ClosedWidthTwips, ClosedHeightTwips);
}

void MemoForm::fillMemoList() {
    Liv1->clear();
    for (int i = 1; i < m_book.MemoCount; ++i) {
        const MemoRecord& m = m_book.Memos[size_t(i)];
        auto* row = new QTreeWidgetItem(Liv1);
        row->setIcon(0, ImageList2::icon(13));
        row->setText(0, m.Date);
        row->setText(1, memoReminderText(m));
        row->setText(2, TrimFixed(m.Text));
        setRecordIndex(row, IndexColumnMemo, i);
    }
    fitColumns();
    Liv1->clearSelection();
}

void MemoForm::fitColumns() {
    for (QTreeWidget* list : {Liv1, Liv2}) {
        QList<int> rows(list->topLevelItemCount());
        std::iota(rows.begin(), rows.end(), 0);
        for (int c : list == Liv1 ? QList<int>{0} : QList<int>{0, 1})
            FitColumnToTexts(list, c, rows);
    }
}

void MemoForm::fillFixedMemoRow(QTreeWidgetItem* row, const FixedMemoRecord& m) {
    row->setIcon(0, ImageList2::icon(13));
    row->setText(0, m.Period >= 1 && m.Period <= 3 ? kFixedPeriods.at(m.Period - 1) : QString());
    row->setText(1, fixedTimeText(m));
    row->setText(2, m.RemindDays == 0 ? QStringLiteral("當天提醒")
                                      : leadText(QString::number(m.RemindDays)));
    row->setText(3, TrimFixed(m.Text));
    setRecordIndex(row, IndexColumnFixed, Liv2->indexOfTopLevelItem(row) + 1);
}

QString MemoForm::StatusText() const {
    return m_statusText->text();
}

void MemoForm::renewStatus() {
    m_statusText->setText(QStringLiteral("共有 %1 筆備忘，%2 筆定期備忘")
                              .arg(Liv1->topLevelItemCount())
                              .arg(Liv2->topLevelItemCount()));
}

QTreeWidgetItem* MemoForm::selected(QTreeWidget* list) const {
    const auto rows = list->selectedItems();
    return rows.isEmpty() ? nullptr : rows.first();
}

bool MemoForm::memoTextIsPlain(const QLineEdit* text) {
    if (PlainText::isPlain(text->text())) return true;
    m_ctx.services.prompts().warning(QStringLiteral("備忘內容不可以包含軟體不支援的文字!"));
    return false;
}

std::optional<int> MemoForm::leadDays(QLineEdit* box, LeadDaysReading reading) {
    QString days = box->text();
    const std::optional<int> n = MemoLeadDays(days, reading);
    box->setText(days);
    if (!n) m_ctx.services.prompts().warning(MemoLeadDaysMessage());
    return n;
}

std::optional<MemoRecord> MemoForm::memoFromEditor(QString& reminderText) {
    MemoRecord m;
    m.Date = DTPicker1->date().toString(QStringLiteral("yyyy/MM/dd"));
    if (Option1[2]->isChecked()) {
        const std::optional<int> n = leadDays(Text2, LeadDaysReading::WholeText);
        if (!n) return std::nullopt;
        const QString days = Text2->text();
        m.RemindDays = qint16(*n);
        m.RemindOn = -1;
        reminderText = leadText(days);
    } else if (Option1[1]->isChecked()) {
        m.RemindOn = -1;
        reminderText = QStringLiteral("當天提醒");
    } else {
        reminderText = QStringLiteral("不提醒");
    }
    m.Text = Text1->text().left(100);
    return m;
}

// 新增 of a one-off memo: appended to the table and the list.
void MemoForm::Command1_Click() {
    if (!memoTextIsPlain(Text1)) return;
    QString reminder;
    const std::optional<MemoRecord> m = memoFromEditor(reminder);
    if (!m) return;
    if (m_book.MemoCount > MemoBook::MemoCapacity) {
        m_ctx.services.prompts().warning(QStringLiteral("備忘數量已經到達200筆上限，無法再新增!"));
        return;
    }
    const int k = m_book.MemoCount;
    m_book.addMemo(*m);
    auto* row = new QTreeWidgetItem(Liv1);
    row->setIcon(0, ImageList2::icon(13));
    row->setText(0, m->Date);
    row->setText(1, reminder);
    row->setText(2, Text1->text());
    setRecordIndex(row, IndexColumnMemo, k);
    fitColumns();
    Liv1->clearSelection();
    Liv1->setCurrentItem(row);
    row->setSelected(true);
    Liv1->setFocus();
    Command2->setEnabled(true);
    Command3->setEnabled(true);
    Command4->setEnabled(true);
    renewStatus();
}

void MemoForm::Command2_Click() {
    QTreeWidgetItem* row = selected(Liv1);
    if (!row || !memoTextIsPlain(Text1)) return;
    QString reminder;
    const std::optional<MemoRecord> m = memoFromEditor(reminder);
    if (!m) return;
    const int k = recordIndex(row, IndexColumnMemo);
    if (k < 1 || k >= m_book.MemoCount) return;
    m_book.Memos[size_t(k)] = *m;
    row->setText(0, m->Date);
    row->setText(1, reminder);
    row->setText(2, Text1->text());
    fitColumns();
    Liv1->setFocus();
}

void MemoForm::Command3_Click() {
    QTreeWidgetItem* row = selected(Liv1);
    if (!row) return;
    if (m_ctx.services.prompts().question(QStringLiteral("確定要刪除這筆備忘嗎？")) !=
        Prompts::Answer::Yes)
        return;
    const int k = recordIndex(row, IndexColumnMemo);
    if (k < 1 || k >= m_book.MemoCount) return;
    m_book.Memos[size_t(k)].Date = QStringLiteral("DeleteData");
    m_book.compactMemos();
    fillMemoList();
    renewStatus();
    if (Liv1->topLevelItemCount() == 0)
        for (QPushButton* b : {Command2, Command3, Command4})
            b->setEnabled(false);
}

// 清除過期備忘: memos dated before today go; today's and later ones stay.
void MemoForm::Command4_Click() {
    if (Liv1->topLevelItemCount() == 0) return;
    if (m_ctx.services.prompts().question(QStringLiteral("確定要清除過期的備忘嗎？")) !=
        Prompts::Answer::Yes)
        return;
    const QString today = m_ctx.services.clock().today().toString(QStringLiteral("yyyyMMdd"));
    for (int i = 1; i < m_book.MemoCount; ++i) {
        QString key = m_book.Memos[size_t(i)].Date;
        key.remove(QLatin1Char('/'));
        if (key < today) m_book.Memos[size_t(i)].Date = QStringLiteral("DeleteData");
    }
    m_book.compactMemos();
    fillMemoList();
    renewStatus();
    if (Liv1->topLevelItemCount() == 0)
        for (QPushButton* b : {Command2, Command3, Command4})
            b->setEnabled(false);
}

void MemoForm::Combo1_Click() {
    const int period = Combo1->currentIndex();
    if (period == 0) {
        ScheduleChoices::Refill(Combo2[0], ScheduleChoices::TwoDigitNumbers(1, 12));
        ScheduleChoices::Refill(Combo2[1], ScheduleChoices::TwoDigitNumbers(1, 31));
    } else if (period == 1) {
        ScheduleChoices::Refill(Combo2[0], ScheduleChoices::TwoDigitNumbers(1, 31)
                                               << ScheduleChoices::MonthEnd);
    } else {
        ScheduleChoices::Refill(Combo2[0], ScheduleChoices::Weekdays());
    }
    Combo2[1]->setVisible(period == 0);
    Label8->setVisible(period == 0);
    Picture1->setVisible(period != 2);
}

std::optional<FixedMemoRecord> MemoForm::fixedMemoFromEditor(QStringList& rowTexts) {
    FixedMemoRecord m;
    const int period = Combo1->currentIndex();
    const bool lead = Option2[1]->isChecked() && period != 2;
    if (lead) {
        const std::optional<int> n = leadDays(Text4, LeadDaysReading::NumberAtStart);
        if (!n) return std::nullopt;
        m.RemindDays = qint16(*n);
    } else if (Option2[1]->isChecked()) {
        QString days = Text4->text(); // a weekly memo: the box is hidden and only tidied
        MemoLeadDays(days, LeadDaysReading::NumberAtStart);
        Text4->setText(days);
    }
    const QString days = Text4->text();
    m.Period = quint8(period + 1);
    QString time = Combo2[0]->currentText();
    if (period == 0) {
        time += QLatin1Char('/') + Combo2[1]->currentText();
        m.When = time;
    } else if (period == 1) {
        m.When = time == ScheduleChoices::MonthEnd ? QStringLiteral("32") : time;
    } else {
        m.When = QString::number(std::max(0, Combo2[0]->currentIndex()));
    }
    m.Text = Text3->text().left(100);
    rowTexts = {Combo1->currentText(), time, lead ? leadText(days) : QStringLiteral("當天提醒"),
                Text3->text()};
    return m;
}

void MemoForm::Command5_Click() {
    if (!memoTextIsPlain(Text3)) return;
    if (m_book.FixedMemoCount > MemoBook::FixedMemoCapacity) {
        m_ctx.services.prompts().warning(
            QStringLiteral("定期備忘的數量已經到達100筆上限，無法再新增!"));
        return;
    }
    QStringList texts;
    const std::optional<FixedMemoRecord> m = fixedMemoFromEditor(texts);
    if (!m) return;
    const int k = m_book.FixedMemoCount;
    m_book.addFixedMemo(*m);
    auto* row = new QTreeWidgetItem(Liv2);
    row->setIcon(0, ImageList2::icon(13));
    for (int c = 0; c < 4; ++c)
        row->setText(c, texts.at(c));
    setRecordIndex(row, IndexColumnFixed, k);
    fitColumns();
    Liv2->clearSelection();
    Liv2->setCurrentItem(row);
    row->setSelected(true);
    Liv2->setFocus();
    for (QPushButton* b : {Command6, Command7, Command10, Command11})
        b->setEnabled(true);
    renewStatus();
}

void MemoForm::Command6_Click() {
    QTreeWidgetItem* row = selected(Liv2);
    if (!row) return;
    const int k = recordIndex(row, IndexColumnFixed);
    if (k < 1 || k >= m_book.FixedMemoCount || !memoTextIsPlain(Text3)) return;
    QStringList texts;
    const std::optional<FixedMemoRecord> m = fixedMemoFromEditor(texts);
    if (!m) return;
    m_book.FixedMemos[size_t(k)] = *m;
    for (int c = 0; c < 4; ++c)
        row->setText(c, texts.at(c));
    fitColumns();
    Liv2->setFocus();
}

void MemoForm::Command7_Click() {
    QTreeWidgetItem* row = selected(Liv2);
    if (!row) return;
    if (m_ctx.services.prompts().question(QStringLiteral("確定要刪除這筆備忘嗎？")) !=
        Prompts::Answer::Yes)
        return;
    const int k = Liv2->indexOfTopLevelItem(row) + 1;
    m_book.FixedMemos[size_t(k)].Period = 0;
    m_book.compactFixedMemos();
    QTreeWidgetItem* next = Liv2->topLevelItem(k); // the row after it, if any
    Liv2->clearSelection();
    if (next) {
        Liv2->setCurrentItem(next);
        next->setSelected(true);
    }
    delete row;
    for (int i = k - 1; i < Liv2->topLevelItemCount(); ++i)
        setRecordIndex(Liv2->topLevelItem(i), IndexColumnFixed, i + 1);
    renewStatus();
    if (Liv2->topLevelItemCount() == 0)
        for (QPushButton* b : {Command6, Command7, Command10, Command11})
            b->setEnabled(false);
}

void MemoForm::moveFixedMemo(int step) {
    QTreeWidgetItem* row = selected(Liv2);
    if (!row) return;
    const int k = Liv2->indexOfTopLevelItem(row) + 1;
    const int j = k + step;
    if (j < 1 || j > Liv2->topLevelItemCount()) return;
    std::swap(m_book.FixedMemos[size_t(j)], m_book.FixedMemos[size_t(k)]);
    QTreeWidgetItem* other = Liv2->topLevelItem(j - 1);
    for (int c = 0; c < 4; ++c) {
        const QString t = row->text(c);
        row->setText(c, other->text(c));
        other->setText(c, t);
    }
    row->setSelected(false);
    Liv2->setCurrentItem(other);
    other->setSelected(true);
}

void MemoForm::Command10_Click() {
    moveFixedMemo(-1);
}

void MemoForm::Command11_Click() {
    moveFixedMemo(+1);
}

void MemoForm::Liv1_Click() {
    QTreeWidgetItem* row = selected(Liv1);
    if (Liv1->topLevelItemCount() == 0 || !row) return;
    Command2->setEnabled(true);
    Command3->setEnabled(true);
    const int k = recordIndex(row, IndexColumnMemo);
    if (k < 1 || k >= m_book.MemoCount) return;
    const MemoRecord& m = m_book.Memos[size_t(k)];
    const QDate date = QDate::fromString(m.Date, QStringLiteral("yyyy/MM/dd"));
    if (date.isValid()) DTPicker1->setDate(date);
    if (m.RemindOn == 0) {
        Option1[0]->setChecked(true);
    } else if (m.RemindDays == 0) {
        Option1[1]->setChecked(true);
    } else {
        Option1[2]->setChecked(true);
        Text2->setText(QString::number(m.RemindDays));
    }
    Text1->setText(TrimFixed(m.Text));
}

void MemoForm::Liv2_Click() {
    QTreeWidgetItem* row = selected(Liv2);
    if (Liv2->topLevelItemCount() == 0 || !row) return;
    for (QPushButton* b : {Command6, Command7, Command10, Command11})
        b->setEnabled(true);
    const int k = recordIndex(row, IndexColumnFixed);
    if (k < 1 || k >= m_book.FixedMemoCount) return;
    const FixedMemoRecord& m = m_book.FixedMemos[size_t(k)];
    if (m.Period >= 1 && m.Period <= 3) Combo1->setCurrentIndex(m.Period - 1);
    Combo1_Click();
    Picture1->setVisible(true);
    if (m.Period == 1) {
        Combo2[0]->setCurrentIndex(Combo2[0]->findText(m.When.left(2)));
        Combo2[1]->setCurrentIndex(Combo2[1]->findText(m.When.mid(3, 2)));
    } else if (m.Period == 2) {
        Combo2[0]->setCurrentIndex(
            fixedTimeText(m) == ScheduleChoices::MonthEnd ? 31 : m.When.left(2).toInt() - 1);
    } else if (m.Period == 3) {
        const QChar c = m.When.isEmpty() ? QChar() : m.When.at(0);
        if (c.isDigit() && c.digitValue() <= 6) Combo2[0]->setCurrentIndex(c.digitValue());
        Picture1->setVisible(false);
    }
    if (m.RemindDays != 0) {
        Option2[1]->setChecked(true);
        Text4->setText(QString::number(m.RemindDays));
    } else {
        Option2[0]->setChecked(true);
    }
    Text3->setText(TrimFixed(m.Text));
}

// A click into a lead-day box chooses its option.
bool MemoForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == Text2) Option1[2]->setChecked(true);
        if (watched == Text4) Option2[1]->setChecked(true);
    }
    return QDialog::eventFilter(watched, event);
}

void MemoForm::done(int result) {
    if (!m_unloaded) {
        m_unloaded = true;
        saveSettings();
        const QString folder = m_ctx.session.userFolder();
        if (!SaveMemoFile(m_book, folder))
            m_ctx.services.prompts().warning(QStringLiteral("一般備忘儲存失敗"));
        if (!SaveFixedMemoFile(m_book, folder))
            m_ctx.services.prompts().warning(QStringLiteral("定期備忘儲存失敗"));
    }
    QDialog::done(result);
}
