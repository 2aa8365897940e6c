// The entry window's preparation by its opener: a new entry, a copy of an entry, an edit.
#include "entry/inputform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

#include "platform/clock.h"
#include "platform/desktop/windowroutines.h"
#include "platform/runtime.h"
#include "rules/entry/entryrules.h"
#include "store/accountnames.h"
#include "store/appcontext.h"
#include "store/figures.h"
#include "windowparts/mainview.h"

namespace {

void offerAccounts(QComboBox* box, const Ledger& ledger, unsigned kinds) {
    box->clear();
    box->addItems(AccountNames::ofKinds(ledger, kinds));
    box->setCurrentIndex(-1); // a filled list offers its items, it chooses none
}

// Selects the item equal to text (setting the index runs the window's own click handling);
// no such item leaves the list without selection.
void selectItem(QComboBox* box, const QString& text) {
    box->setCurrentIndex(box->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
}

void selectFirstStartingWith(QComboBox* box, const QString& prefix) {
    for (int i = 0; i < box->count(); ++i) {
        if (box->itemText(i).startsWith(prefix)) {
            box->setCurrentIndex(i);
            return;
        }
    }
    box->setCurrentIndex(-1);
}

QString amountText(const TaggedNumber& amount) {
    return EntryRules::numberText(amount.value() / 100.0);
}

} // namespace

// Selects the entry's two accounts by comparing the stored fixed texts with the account
// table, as the lists hold the table's names.
void InputForm::selectEntryAccounts(const EntryCore& e) {
    const Ledger& ledger = m_ctx.ledger;
    Cob2->setCurrentIndex(-1);
    Cob3->setCurrentIndex(-1);
    for (int k = 1; k < ledger.AccountCount; ++k) {
        const AccountRecord& a = ledger.Accounts[size_t(k)];
        if (e.Account1 == a.Name) selectItem(Cob2, a.Name.trimmed());
        if (e.Account2 == a.Name) selectItem(Cob3, a.Name.trimmed());
    }
}

void InputForm::setReminderOptions(const EntryNote& note) {
    if (note.RemindOn == 0) return; // the options keep the window's initial state
    if (note.RemindDays != 0) {
        Option3->setChecked(true);
        Text4->setText(QString::number(note.RemindDays));
    } else {
        Option2->setChecked(true);
    }
}

void InputForm::fitDropWidths() {
    FitComboDropWidth(Cob2);
    FitComboDropWidth(Cob3);
    FitComboDropWidth(Cob4);
}

void InputForm::setColour(int index) {
    ColorCombo->setCurrentIndex(index >= 0 && index < ColorCombo->count() ? index : 0);
}

void InputForm::setCounters() {
    UpdateDetailCounter(false);
    UpdateNoteCounter(false);
}

void InputForm::PrepareNew() {
    const Ledger& ledger = m_ctx.ledger;
    setWindowTitle(QStringLiteral("新增記錄"));
    DTPicker1->setDate(m_ctx.services.clock().today());
    Text2->setText(QStringLiteral("0"));
    Text3->setText(QStringLiteral("1"));
    Text5->setText(QStringLiteral("0"));
    Combo3->setEditText(QString());
    InputState = 0;

    offerAccounts(Cob2, ledger, AccountKinds::FirstSide);
    offerAccounts(Cob4, ledger, AccountKinds::FirstSide);
    offerAccounts(Cob3, ledger, AccountKinds::SecondSide);
    offerAccounts(Cob5, ledger, AccountKinds::AssetLiability);

    const QString key = m_main.SelectedNodeKey();
    if (IsAssetOrLiabilityName(key)) {
        selectFirstStartingWith(Cob2, QStringLiteral("E-"));
        selectItem(Cob3, key);
    } else if (const int kind = PrefixKindCode(key); kind == KindIncome || kind == KindExpense) {
        selectItem(Cob2, key);
        selectItem(Cob3, QStringLiteral("A-現金"));
    } else {
        selectItem(Cob3, key);
    }

    fitDropWidths();
    setColour(0);
    SetStatusText(QStringLiteral("尚未新增記錄"));
    na = 0;
}

void InputForm::PrepareCopy(int i, const CopyClears& clears) {
    const Ledger& ledger = m_ctx.ledger;
    const EntryCore& e = ledger.Entries[size_t(i)];
    offerAccounts(Cob2, ledger, AccountKinds::FirstSide);
    offerAccounts(Cob4, ledger, AccountKinds::Expense);
    offerAccounts(Cob3, ledger, AccountKinds::SecondSide);
    offerAccounts(Cob5, ledger, AccountKinds::AssetLiability);
    selectEntryAccounts(e);
    fitDropWidths();

    if (const auto date = Runtime::parseDate(e.Date.trimmed())) DTPicker1->setDate(*date);
    Text2->setText(amountText(e.Amount));
    Combo3->setEditText(Runtime::trimBlanks(e.Detail.trimmed()));
    Text1->setPlainText(EntryRules::shownNote(ledger, i));
    Text6->setText(ledger.EntryStyles[size_t(i)].InvoiceLetters.trimmed() +
                   ledger.EntryInvoices[size_t(i)].InvoiceDigits.trimmed());
    Text3->setText(QStringLiteral("1"));
    setColour(ledger.EntryStyles[size_t(i)].ColourIndex);

    setWindowTitle(QStringLiteral("新增記錄"));
    if (clears.date) DTPicker1->setDate(m_ctx.services.clock().today());
    if (clears.amount) Text2->setText(QString());
    if (clears.detail) Combo3->setEditText(QString());
    if (clears.note) Text1->setPlainText(QString());
    if (clears.invoice) Text6->setText(QString());
    if (clears.colour) setColour(0);
    setCounters();
    setReminderOptions(ledger.EntryNotes[size_t(i)]);

    InputState = 0;
    SetStatusText(QStringLiteral("尚未新增記錄"));
    na = 0;
}

void InputForm::PrepareEdit(int i) {
    const Ledger& ledger = m_ctx.ledger;
    const EntryCore& e = ledger.Entries[size_t(i)];
    offerAccounts(Cob2, ledger, AccountKinds::FirstSide);
    offerAccounts(Cob3, ledger, AccountKinds::SecondSide);
    selectEntryAccounts(e);
    fitDropWidths();

    Text2->setText(amountText(e.Amount));
    Combo3->setEditText(e.Detail.trimmed());
    Text1->setPlainText(EntryRules::shownNote(ledger, i));
    Text6->setText(ledger.EntryStyles[size_t(i)].InvoiceLetters.trimmed() +
                   ledger.EntryInvoices[size_t(i)].InvoiceDigits.trimmed());
    Text3->setText(QStringLiteral("1"));
    setColour(ledger.EntryStyles[size_t(i)].ColourIndex);
    setCounters();

    setWindowTitle(QStringLiteral("編輯記錄"));
    if (const auto date = Runtime::parseDate(e.Date.trimmed())) DTPicker1->setDate(*date);
    setReminderOptions(ledger.EntryNotes[size_t(i)]);

    Cmd1->setText(QStringLiteral("變更"));
    Cmd2->setText(QStringLiteral("取消"));
    Command8->setVisible(false);
    Check2->setEnabled(false);
    InputState = 1;
}
