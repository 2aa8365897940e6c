// The quick-entry editor: fields, ticking and unticking, counters, and 確定 in its three
// states (add one, edit one, write ticked fields into several).
#include "entry/quickedit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "entry/quickform.h"
#include "platform/codec.h"
#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "rules/entry/entryrules.h"
#include "rules/entry/storeentry.h"
#include "store/accountnames.h"
#include "store/appcontext.h"
#include "store/detailtext.h"
#include "store/plaintext.h"
#include "store/sidefiles.h"

namespace {

bool operator==(const QuickEntry& a, const QuickEntry& b) {
    return a.Account1 == b.Account1 && a.Account2 == b.Account2 && a.Amount == b.Amount &&
           a.Detail == b.Detail && a.Note == b.Note;
}

QString overLimit(const QString& what, int limit, int n) {
    return QStringLiteral(
               "%1字數已超過%2個字元，請縮減字數\r\n\r\n目前字數為: %3 (中文字算2個字元)")
        .arg(what)
        .arg(limit)
        .arg(n);
}

} // namespace

QString& QuickEntryField(QuickEntry& q, int k) {
    switch (k) {
    case 0:
        return q.Account1;
    case 1:
        return q.Account2;
    case 2:
        return q.Amount;
    case 3:
        return q.Detail;
    default:
        return q.Note;
    }
}

QuickEdit::QuickEdit(AppContext& ctx, QuickForm& list, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_list(list) {
    setObjectName(QStringLiteral("QuickEdit"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    buildControls();
    // Load: drop-down heights of the two lists (400 and 300 pixels).
    const int rowHeight = qMax(1, Cob1->fontMetrics().height() + 4);
    BoundDropHeight(Cob1, 400 / rowHeight);
    BoundDropHeight(Cob2, 300 / rowHeight);
}

QuickEdit::~QuickEdit() = default;

void QuickEdit::buildControls() {
    auto* grid = new QGridLayout(this);
    const QStringList captions{QStringLiteral("分類"), QStringLiteral("科目"),
                               QStringLiteral("金額"), QStringLiteral("明細"),
                               QStringLiteral("備註")};
    Cob1 = new QComboBox(this);
    Cob2 = new QComboBox(this);
    Text1 = new QLineEdit(this);
    Text2 = new QLineEdit(this);
    Text3 = new QPlainTextEdit(this);
    Text3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Label1 = new QLabel(this);
    Label6 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label6->setObjectName(QStringLiteral("Label6"));
    Label1->setAlignment(Qt::AlignRight);
    Label6->setAlignment(Qt::AlignRight);
    QWidget* fields[5] = {Cob1, Cob2, Text1, Text2, Text3};
    const char* names[5] = {"Cob1", "Cob2", "Text1", "Text2", "Text3"};
    int r = 0;
    for (int k = 0; k < 5; ++k) {
        fields[k]->setObjectName(QLatin1String(names[k]));
        grid->addWidget(new QLabel(captions[k], this), r++, 1);
        auto* box = new QCheckBox(this);
        box->setObjectName(QStringLiteral("Check1_%1").arg(k));
        box->setChecked(true);
        box->setVisible(false);
        Check1[size_t(k)] = box;
        grid->addWidget(box, r, 0, Qt::AlignTop);
        grid->addWidget(fields[k], r++, 1);
        if (k == 3) grid->addWidget(Label1, r++, 1);
        if (k == 4) grid->addWidget(Label6, r++, 1);
        connect(box, &QCheckBox::clicked, this, [this, k] { Check1_Click(k); });
    }
    grid->setRowStretch(r - 2, 1);

    Command1 = new QPushButton(QStringLiteral("確定"), this);
    Command2 = new QPushButton(QStringLiteral("取消"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2->setObjectName(QStringLiteral("Command2"));
    Command1->setDefault(true);
    Command2->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    grid->addLayout(buttons, r, 0, 1, 2);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { reject(); });
    connect(Cob1, &QComboBox::activated, this, [this] { FieldClick(0); });
    connect(Cob2, &QComboBox::activated, this, [this] { FieldClick(1); });
    // Keys reach the note box itself, mouse presses its viewport.
    for (QObject* o : {static_cast<QObject*>(Text1), static_cast<QObject*>(Text2),
                       static_cast<QObject*>(Text3), static_cast<QObject*>(Text3->viewport())})
        o->installEventFilter(this);
    resize(420, 420);
}

void QuickEdit::FillAccountLists() {
    Cob1->clear();
    Cob2->clear();
    const Ledger& ledger = m_ctx.ledger;
    Cob1->addItems(AccountNames::ofKinds(ledger, AccountKinds::FirstSide));
    Cob2->addItems(AccountNames::ofKinds(ledger, AccountKinds::SecondSide));
    Cob1->setCurrentIndex(-1);
    Cob2->setCurrentIndex(-1);
}

bool QuickEdit::eventFilter(QObject* watched, QEvent* event) {
    const bool click = event->type() == QEvent::MouseButtonPress;
    const bool keyUp = event->type() == QEvent::KeyRelease;
    if (watched == Text1 && click) FieldClick(2);
    if (watched == Text2 && (click || keyUp)) {
        if (click) FieldClick(3);
        UpdateDetailCounter();
    }
    if (watched == Text3->viewport() && click) {
        FieldClick(4);
        UpdateNoteCounter();
    }
    if (watched == Text3 && keyUp) UpdateNoteCounter();
    return QDialog::eventFilter(watched, event);
}

void QuickEdit::FieldClick(int k) {
    QCheckBox* box = Check1[size_t(k)];
    if (!box->isHidden() && !m_clearing[size_t(k)]) box->setChecked(true);
}

void QuickEdit::Check1_Click(int k) {
    if (Check1[size_t(k)]->isChecked()) return;
    m_clearing[size_t(k)] = true;
    switch (k) {
    case 0:
        Cob1->setCurrentIndex(-1);
        break;
    case 1:
        Cob2->setCurrentIndex(-1);
        break;
    case 2:
        Text1->clear();
        break;
    case 3:
        Text2->clear();
        break;
    default:
        Text3->clear();
        break;
    }
    m_clearing[size_t(k)] = false;
}

void QuickEdit::UpdateDetailCounter() {
    const int n = Ansi::byteLength(Text2->text());
    Label1->setText(QStringLiteral("明細字數: %1").arg(n) +
                    (n > 60 ? QStringLiteral(" (超過上限60字，請縮減字數)") : QString()));
}

void QuickEdit::UpdateNoteCounter() {
    const int n = Ansi::byteLength(NoteText());
    Label6->setText(QStringLiteral("備註字數: %1").arg(n) +
                    (n > 5000 ? QStringLiteral(" (超過上限5000字，請縮減字數)") : QString()));
}

QString QuickEdit::NoteText() const {
    return Text3->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

void QuickEdit::SetNoteText(const QString& note) {
    Text3->setPlainText(QString(note).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

// ---- 確定 ---------------------------------------------------------------------------------------

bool QuickEdit::checksPass() {
    Prompts& prompts = m_ctx.services.prompts();
    auto ticked = [this](int k) { return Check1[size_t(k)]->isChecked(); };
    if (ticked(0) && Cob1->currentIndex() < 0) {
        prompts.warning(QStringLiteral("您還沒選擇分類欄位"));
        return false;
    }
    if (ticked(1) && Cob2->currentIndex() < 0) {
        prompts.warning(QStringLiteral("您還沒選擇科目欄位"));
        return false;
    }
    if (ticked(0) && ticked(1) && Cob1->currentText() == Cob2->currentText()) {
        prompts.warning(QStringLiteral("選擇的科目不能重複"));
        return false;
    }
    if (ticked(2) && !EntryRules::typedNumber(Text1->text())) {
        prompts.warning(QStringLiteral("金額部分不是數字格式"));
        return false;
    }
    if (!PlainText::isPlain(Text2->text())) {
        prompts.warning(DetailText::unsupportedMessage());
        return false;
    }
    if (!PlainText::isPlainNote(NoteText())) {
        prompts.warning(StoreEntry::noteUnsupportedMessage());
        return false;
    }
    const int detail = Ansi::byteLength(Text2->text());
    if (detail > 60) {
        prompts.plain(overLimit(QStringLiteral("明細"), 60, detail));
        return false;
    }
    const int note = Ansi::byteLength(NoteText());
    if (note > 5000) {
        prompts.plain(overLimit(QStringLiteral("備註"), 5000, note));
        return false;
    }
    return true;
}

void QuickEdit::Command1_Click() {
    if (!checksPass()) return;
    Ledger& ledger = m_ctx.ledger;
    QTreeWidget* list = m_list.Liv1;
    QComboBox* filter = m_list.Combo1;
    const int position = filter->currentIndex();
    const QString filterText = filter->currentText();

    // Every field as Favorites.qvd can hold it.
    QuickEntry typed;
    typed.Account1 = WithoutQuoteMarks(Cob1->currentText());
    typed.Account2 = WithoutQuoteMarks(Cob2->currentText());
    typed.Amount = WithoutQuoteMarks(Text1->text());
    typed.Detail = WithoutQuoteMarks(Text2->text());
    typed.Note = WithoutQuoteMarks(NoteText());

    bool changed = false;
    auto findFilter = [filter](const QString& text) { return filter->findText(text); };

    if (QuickEditState == Add) {
        if (ledger.QuickEntryCount > Ledger::QuickEntryCapacity) {
            m_ctx.services.prompts().warning(
                QStringLiteral("快速入帳已經到達500筆上限，無法再加入了"));
            return;
        }
        if (!ledger.addQuickEntry(typed)) return;
        changed = true;
        m_list.AccountsAddCombo();
        m_list.ChooseFilter(position == 0 ? 0 : findFilter(typed.Account2));
        if (list->topLevelItemCount() > 0) {
            QTreeWidgetItem* last = list->topLevelItem(list->topLevelItemCount() - 1);
            list->setCurrentItem(last);
            list->scrollToItem(last);
        }
    } else if (QuickEditState == EditOne) {
        const int slot = QuickForm::SlotOf(list->currentItem());
        if (slot < 1 || slot >= ledger.QuickEntryCount) return;
        changed = !(ledger.QuickEntries[size_t(slot)] == typed);
        ledger.setQuickEntry(slot, typed);
        m_list.AccountsAddCombo();
        if (position == 0)
            m_list.ChooseFilter(0);
        else if (filterText == typed.Account1 || filterText == typed.Account2)
            m_list.ChooseFilter(findFilter(filterText));
        else
            m_list.ChooseFilter(findFilter(typed.Account2));
        QTreeWidgetItem* edited = nullptr;
        for (int r = 0; r < list->topLevelItemCount(); ++r) {
            QTreeWidgetItem* row = list->topLevelItem(r);
            const bool mine = QuickForm::SlotOf(row) == slot;
            row->setSelected(mine);
            if (mine) edited = row;
        }
        if (edited) {
            list->selectionModel()->setCurrentIndex(list->indexFromItem(edited),
                                                    QItemSelectionModel::NoUpdate);
            list->scrollToItem(edited);
        }
    } else if (QuickEditState == EditMany) {
        for (int r = 0; r < list->topLevelItemCount(); ++r) {
            const QTreeWidgetItem* row = list->topLevelItem(r);
            const int slot = QuickForm::SlotOf(row);
            if (!row->isSelected() || slot < 1 || slot >= ledger.QuickEntryCount) continue;
            QuickEntry q = ledger.QuickEntries[size_t(slot)];
            bool rowChanged = false;
            for (int k = 0; k < 5; ++k) {
                if (!Check1[size_t(k)]->isChecked()) continue;
                QString& stored = QuickEntryField(q, k);
                const QString& value = QuickEntryField(typed, k);
                if (stored != value) {
                    stored = value;
                    rowChanged = true;
                }
            }
            if (rowChanged) {
                ledger.setQuickEntry(slot, q);
                changed = true;
            }
        }
        m_list.AccountsAddCombo();
        if (position == 0)
            m_list.ChooseFilter(0);
        else if (Check1[1]->isChecked())
            m_list.ChooseFilter(findFilter(typed.Account2));
        else if (Check1[0]->isChecked())
            m_list.ChooseFilter(findFilter(typed.Account1));
        else
            m_list.ChooseFilter(position);
    }

    // Only a real change makes the ledger unsaved.
    if (changed) m_list.MarkQuickEntriesChanged();
    accept();
}
