// The quick-entry list: load and unload, listing, filter items, apply, delete, moves, and
// the two commands that open the editor.
#include "entry/quickform.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "entry/inputform.h"
#include "entry/quickedit.h"
#include "platform/codec.h"
#include "platform/desktop/windowroutines.h"
#include "platform/modalrunner.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "store/appcontext.h"
#include "store/figures.h"
#include "windowparts/imagelist.h"
#include "windowparts/mainview.h"
#include "windowparts/plainbutton.h"

namespace {

const QString OwnSection = QStringLiteral("QuickForm");
const QString ListSection = QStringLiteral("InputForm"); // column widths and filter
const QString All = QStringLiteral("全部");
constexpr int DesignedWidthTwips = 11295;
constexpr int DesignedHeightTwips = 8235;
constexpr int MinWidthTwips = 8500;
constexpr int MinHeightTwips = 5000;
constexpr int ColumnTwips[6] = {300, 1950, 1950, 1200, 2325, 2925};

QTreeWidgetItem* rowOf(const QuickEntry& q, int slot) {
    auto* row = new QTreeWidgetItem;
    row->setIcon(0, ImageList2::icon(ImageList2::kindImage(q.Account1)));
    row->setText(1, q.Account1);
    row->setText(2, q.Account2);
    row->setText(3, q.Amount);
    row->setText(4, q.Detail);
    row->setText(5, q.Note);
    row->setText(QuickForm::IndexColumn, QString::number(slot));
    row->setData(QuickForm::IndexColumn, Qt::UserRole, slot);
    return row;
}

} // namespace

QuickForm::QuickForm(AppContext& ctx, MainView& main, InputForm& input, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_main(main), m_input(input) {
    setObjectName(QStringLiteral("QuickForm"));
    setWindowTitle(QStringLiteral("快速入帳"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint & ~Qt::WindowMinMaxButtonsHint);
    buildControls();
    loadSettings();
}

QuickForm::~QuickForm() = default;

void QuickForm::buildControls() {
    auto* outer = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    Command4 = PlainButton(this, QStringLiteral("Command4"), QStringLiteral("套用"));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setMinimumWidth(160);
    top->addWidget(Command4);
    top->addStretch(1);
    top->addWidget(Combo1);
    outer->addLayout(top);

    Liv1 = new QTreeWidget(this);
    Liv1->setObjectName(QStringLiteral("Liv1"));
    Liv1->setColumnCount(7);
    Liv1->setHeaderLabels({QString(), QStringLiteral("分類"), QStringLiteral("科目"),
                           QStringLiteral("金額"), QStringLiteral("明細"), QStringLiteral("備註"),
                           QStringLiteral("Index")});
    Liv1->setColumnHidden(IndexColumn, true);
    Liv1->header()->setMinimumSectionSize(0); // stored widths come back as they were
    Liv1->setRootIsDecorated(false);
    Liv1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    Liv1->setContextMenuPolicy(Qt::CustomContextMenu);
    Liv1->installEventFilter(this);
    outer->addWidget(Liv1, 1);

    auto* row = new QHBoxLayout;
    Command7 = PlainButton(this, QStringLiteral("Command7"), QStringLiteral("新增"));
    Command1 = PlainButton(this, QStringLiteral("Command1"), QStringLiteral("編輯"));
    Command3 = PlainButton(this, QStringLiteral("Command3"), QStringLiteral("刪除"));
    Command5 = PlainButton(this, QStringLiteral("Command5"), QStringLiteral("上移"));
    Command6 = PlainButton(this, QStringLiteral("Command6"), QStringLiteral("下移"));
    Command2 = PlainButton(this, QStringLiteral("Command2"), QStringLiteral("從現有記錄分析加入"));
    for (QPushButton* b : {Command7, Command1, Command3, Command5, Command6})
        row->addWidget(b);
    row->addStretch(1);
    row->addWidget(Command2);
    outer->addLayout(row);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    outer->addWidget(StatusBar1);

    Menu_MenuTools = new QMenu(QStringLiteral("功能"), this);
    MenuTools_Edit = Menu_MenuTools->addAction(QStringLiteral("編輯(&E)"));
    MenuTools_Del = Menu_MenuTools->addAction(QStringLiteral("刪除(&D)"));

    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { MenuTools_Edit_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { MenuTools_Del_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(MenuTools_Edit, &QAction::triggered, this, [this] { MenuTools_Edit_Click(); });
    connect(MenuTools_Del, &QAction::triggered, this, [this] { MenuTools_Del_Click(); });
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    connect(Liv1, &QTreeWidget::itemDoubleClicked, this, [this] { Command4_Click(); });
    connect(Liv1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { Menu_MenuTools->popup(Liv1->viewport()->mapToGlobal(at)); });
}

// ---- Load and unload ----------------------------------------------------------------------

void QuickForm::loadSettings() {
    SettingsStore& s = m_ctx.services.settings();
    FlattenListHeader(Liv1);
    BoundDropHeight(Combo1, 500 / qMax(1, Combo1->fontMetrics().height() + 4));
    setMinimumSize(Runtime::twipsToPixels(MinWidthTwips), Runtime::twipsToPixels(MinHeightTwips));
    // A hand-edited value that is no whole number falls back to the designed one.
    resize(
        Runtime::twipsToPixels(
            StoredWholeNumber(s, OwnSection, QStringLiteral("Width")).value_or(DesignedWidthTwips)),
        Runtime::twipsToPixels(StoredWholeNumber(s, OwnSection, QStringLiteral("Height"))
                                   .value_or(DesignedHeightTwips)));
    for (int n = 1; n <= 6; ++n)
        Liv1->setColumnWidth(
            n - 1,
            Runtime::twipsToPixels(StoredWholeNumber(s, ListSection, QStringLiteral("LW%1").arg(n))
                                       .value_or(ColumnTwips[n - 1])));
    ApplyListFontSize(Liv1, s);
    AccountsAddCombo();
    int v = StoredWholeNumber(s, ListSection, QStringLiteral("Combo1")).value_or(0);
    if (v < 0 || v >= Combo1->count()) v = 0;
    ChooseFilter(v);
}

void QuickForm::done(int result) {
    if (m_analysing) return; // closing waits for the analysis to end
    if (!m_unloaded) {
        m_unloaded = true;
        Form_Unload();
    }
    QDialog::done(result);
}

void QuickForm::Form_Unload() {
    SettingsStore& s = m_ctx.services.settings();
    // One rewrite of the file for the whole close.
    const SettingsBatch once(s, m_ctx.services.prompts());
    SaveSettingQuietly(s, OwnSection, QStringLiteral("Width"),
                       QString::number(Runtime::pixelsToTwips(width())));
    SaveSettingQuietly(s, OwnSection, QStringLiteral("Height"),
                       QString::number(Runtime::pixelsToTwips(height())));
    for (int n = 1; n <= 6; ++n)
        SaveSettingQuietly(s, ListSection, QStringLiteral("LW%1").arg(n),
                           QString::number(Runtime::pixelsToTwips(Liv1->columnWidth(n - 1))));
    SaveSettingQuietly(s, ListSection, QStringLiteral("Combo1"),
                       QString::number(Combo1->currentIndex()));
}

// ---- Listing and filter ---------------------------------------------------------------------

void QuickForm::Combo1_Click() {
    Liv1->clear();
    const Ledger& ledger = m_ctx.ledger;
    const QString filter = Combo1->currentText();
    QList<QTreeWidgetItem*> rows;
    for (int i = 1; i < ledger.QuickEntryCount; ++i) {
        const QuickEntry& q = ledger.QuickEntries[size_t(i)];
        if (filter == All || filter == q.Account1 || filter == q.Account2) rows << rowOf(q, i);
    }
    Liv1->addTopLevelItems(rows);
    StatusBar1->showMessage(QStringLiteral("共 %1 筆記錄").arg(rows.size()));
}

void QuickForm::AccountsAddCombo() {
    const QSignalBlocker blocker(Combo1);
    Combo1->clear();
    Combo1->addItem(All);
    QStringList names;
    const Ledger& ledger = m_ctx.ledger;
    for (int i = 1; i < ledger.QuickEntryCount; ++i) {
        const QuickEntry& q = ledger.QuickEntries[size_t(i)];
        for (const QString& name : {q.Account1, q.Account2})
            if (name != All && !names.contains(name)) names << name;
    }
    if (!names.isEmpty()) {
        // Grouped by kind prefix; the rest (the equity account) last.
        QStringList rest = names;
        for (int kind = KindAsset; kind <= KindExpense; ++kind)
            for (const QString& name : names)
                if (PrefixKindCode(name) == kind) {
                    Combo1->addItem(name);
                    rest.removeOne(name);
                }
        Combo1->addItems(rest);
        FitComboDropWidth(Combo1);
    }
    Combo1->setCurrentIndex(-1);
}

void QuickForm::ChooseFilter(int index) {
    {
        const QSignalBlocker blocker(Combo1);
        Combo1->setCurrentIndex(index);
    }
    Combo1_Click();
}

QString QuickForm::StatusText() const {
    return StatusBar1->currentMessage();
}

int QuickForm::SlotOf(const QTreeWidgetItem* row) {
    return row ? row->data(IndexColumn, Qt::UserRole).toInt() : 0;
}

QuickEntry QuickForm::EntryOf(const QTreeWidgetItem* row) const {
    const int slot = SlotOf(row);
    const Ledger& ledger = m_ctx.ledger;
    return slot >= 1 && slot < ledger.QuickEntryCount ? ledger.QuickEntries[size_t(slot)]
                                                      : QuickEntry();
}

void QuickForm::MarkQuickEntriesChanged() {
    m_ctx.ledger.markQuickEntriesChanged();
}

// ---- Apply ----------------------------------------------------------------------------------

void QuickForm::Command4_Click() {
    // The focus row counts only while it is selected: Ctrl+click leaves it current but not
    // selected, and nothing may be applied that the list does not show selected.
    const QTreeWidgetItem* row = Liv1->currentItem();
    if (Liv1->topLevelItemCount() == 0 || !row || !row->isSelected()) return;
    InputForm& f = m_input;

    auto choose = [](QComboBox* list, const QString& text, void (InputForm::*react)(),
                     InputForm& f) {
        const int at = list->findText(text);
        if (at < 0) return;
        if (list->currentIndex() == at)
            (f.*react)(); // the choice is made again: the entry window reacts as to a new one
        else
            list->setCurrentIndex(at);
    };
    const QuickEntry q = EntryOf(row);
    f.ReleaseKindFilter(true);
    choose(f.Cob2, q.Account1, &InputForm::Cob2_Click, f);
    f.ReleaseKindFilter(false);
    choose(f.Cob3, q.Account2, &InputForm::Cob3_Click, f);

    f.Text2->setText(q.Amount);
    const QString detail = q.Detail;
    f.Combo3->setEditText(detail);
    int b = Ansi::byteLength(detail);
    f.Label13->setText(QStringLiteral("明細字數: %1").arg(b) +
                       (b > 60 ? QStringLiteral(" (超過上限60個字元，請縮減字數)") : QString()));
    const QString note = q.Note;
    f.SetNoteText(QString(note).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    b = Ansi::byteLength(note);
    f.Label14->setText(
        QStringLiteral("備註字數: %1").arg(b) +
        (b > 5000 ? QStringLiteral(" (超過上限5000個字元，請縮減字數)") : QString()));
    f.Text3->setText(QStringLiteral("1"));
    accept();
}

// ---- Delete and moves -------------------------------------------------------------------------

void QuickForm::MenuTools_Del_Click() {
    if (Liv1->topLevelItemCount() == 0) return;
    Ledger& ledger = m_ctx.ledger;
    bool marked = false;
    for (int r = 0; r < Liv1->topLevelItemCount(); ++r) {
        const QTreeWidgetItem* row = Liv1->topLevelItem(r);
        const int slot = SlotOf(row);
        if (!row->isSelected() || slot < 1 || slot >= ledger.QuickEntryCount) continue;
        ledger.markQuickEntryDeleted(slot);
        marked = true;
    }
    if (!marked) return; // nothing selected: nothing changes
    ledger.compactQuickEntries();
    MarkQuickEntriesChanged();

    const QString t = Combo1->currentText();
    Combo1_Click();
    AccountsAddCombo();
    if (Liv1->topLevelItemCount() == 0) {
        ChooseFilter(0);
    } else {
        const int at = Combo1->findText(t);
        ChooseFilter(at < 0 ? 0 : at);
    }
}

void QuickForm::Command5_Click() {
    move(-1);
}

void QuickForm::Command6_Click() {
    move(1);
}

void QuickForm::move(int step) {
    QTreeWidgetItem* row = Liv1->currentItem();
    if (Liv1->topLevelItemCount() == 0 || !row || !row->isSelected()) return;
    const int s = Liv1->indexOfTopLevelItem(row);
    QTreeWidgetItem* other = Liv1->topLevelItem(s + step);
    if (!other) return;
    Ledger& ledger = m_ctx.ledger;
    const int a = SlotOf(row), b = SlotOf(other);
    if (a < 1 || b < 1 || a >= ledger.QuickEntryCount || b >= ledger.QuickEntryCount) return;
    ledger.swapQuickEntries(a, b);
    MarkQuickEntriesChanged();

    const QIcon icon = row->icon(0);
    row->setIcon(0, other->icon(0));
    other->setIcon(0, icon);
    for (int c = 1; c <= 5; ++c) {
        const QString text = row->text(c);
        row->setText(c, other->text(c));
        other->setText(c, text);
    }
    row->setSelected(false);
    other->setSelected(true);
    Liv1->selectionModel()->setCurrentIndex(Liv1->indexFromItem(other),
                                            QItemSelectionModel::NoUpdate);
    Liv1->scrollToItem(other);
}

bool QuickForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Liv1 && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        MenuTools_Del_Click();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

// ---- The editor's two roads -----------------------------------------------------------------

void QuickForm::Command7_Click() {
    QuickEdit edit(m_ctx, *this, this);
    edit.FillAccountLists();
    edit.Label1->clear();
    edit.Label6->clear();
    edit.QuickEditState = QuickEdit::Add;
    edit.setWindowTitle(QStringLiteral("新增記錄"));
    m_ctx.services.modal().run(edit);
}

void QuickForm::MenuTools_Edit_Click() {
    if (Liv1->topLevelItemCount() == 0) return;
    QList<QTreeWidgetItem*> selected;
    for (int r = 0; r < Liv1->topLevelItemCount(); ++r)
        if (Liv1->topLevelItem(r)->isSelected()) selected << Liv1->topLevelItem(r);
    QTreeWidgetItem* current = Liv1->currentItem();
    if (!current && selected.size() == 1) {
        Liv1->setCurrentItem(selected.first());
        current = selected.first();
    }
    if (selected.size() <= 1 && !current) return; // no row to edit

    QuickEdit edit(m_ctx, *this, this);
    edit.FillAccountLists();
    FitComboDropWidth(edit.Cob1);
    FitComboDropWidth(edit.Cob2);
    if (selected.size() > 1) {
        auto shared = [&](int column, QString& value) {
            // Columns 1 to 5 show the fields 0 to 4.
            QuickEntry first = EntryOf(selected.first());
            value = QuickEntryField(first, column - 1);
            for (const QTreeWidgetItem* row : selected) {
                QuickEntry q = EntryOf(row);
                if (QuickEntryField(q, column - 1) != value) return false;
            }
            return true;
        };
        QString v;
        if (shared(1, v)) edit.Cob1->setCurrentIndex(edit.Cob1->findText(v));
        if (shared(2, v)) edit.Cob2->setCurrentIndex(edit.Cob2->findText(v));
        if (shared(3, v)) edit.Text1->setText(v);
        if (shared(4, v)) edit.Text2->setText(v);
        if (shared(5, v)) edit.SetNoteText(v);
        for (QCheckBox* box : edit.Check1) {
            box->setChecked(false);
            box->setVisible(true);
        }
        edit.QuickEditState = QuickEdit::EditMany;
        edit.setWindowTitle(QStringLiteral("編輯多筆記錄"));
    } else {
        const QuickEntry q = EntryOf(current);
        edit.Cob1->setCurrentIndex(edit.Cob1->findText(q.Account1));
        edit.Cob2->setCurrentIndex(edit.Cob2->findText(q.Account2));
        edit.Text1->setText(q.Amount);
        const QString detail = Runtime::trimBlanks(q.Detail);
        const QString note = Runtime::trimBlanks(q.Note);
        edit.Text2->setText(detail);
        edit.SetNoteText(note);
        edit.Label1->setText(QStringLiteral("明細字數: %1").arg(Ansi::byteLength(detail)));
        edit.Label6->setText(QStringLiteral("備註字數: %1").arg(Ansi::byteLength(note)));
        edit.QuickEditState = QuickEdit::EditOne;
        edit.setWindowTitle(QStringLiteral("編輯單筆記錄"));
    }
    m_ctx.services.modal().run(edit);
}
