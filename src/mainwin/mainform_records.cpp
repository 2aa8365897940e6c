// Adding and editing entries: the main window prepares the entry windows and shows them;
// storing, validation and the refresh afterwards are the entry windows' own work.
#include "mainwin/mainform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "entry/editform.h"
#include "entry/entryrules.h"
#include "entry/inputform.h"
#include "platform/clock.h"
#include "platform/modalrunner.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "platform/windowroutines.h"
#include "store/appcontext.h"

namespace {

const QString FullLedgerNotice = QStringLiteral("記錄筆數已經到達") +
                                 QString::number(Ledger::EntryCapacity) +
                                 QStringLiteral("筆上限，建議使用結帳功能來清除舊資料");

bool ledgerFull(const Ledger& ledger) {
    return ledger.EntryCount > Ledger::EntryCapacity;
}

// Which accounts a list of the entry window offers, by kind.
enum class AccountList { NotEquity, NotIncomeExpense, ExpenseOnly, AssetLiability };

bool offers(AccountList list, int kind) {
    switch (list) {
    case AccountList::NotEquity:
        return kind != KindEquity;
    case AccountList::NotIncomeExpense:
        return kind != KindIncome && kind != KindExpense;
    case AccountList::ExpenseOnly:
        return kind == KindExpense;
    case AccountList::AssetLiability:
        return kind == KindAsset || kind == KindLiability;
    }
    return false;
}

void fillAccounts(QComboBox* box, const Ledger& ledger, AccountList list) {
    box->clear();
    for (int k = 1; k < ledger.AccountCount; ++k) {
        const AccountRecord& a = ledger.Accounts[size_t(k)];
        if (offers(list, a.Kind)) box->addItem(a.Name.trimmed());
    }
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

// Selects the entry's two accounts by comparing the stored fixed texts with the account
// table, as the lists hold the table's names.
void selectEntryAccounts(InputForm& form, const Ledger& ledger, const EntryCore& e) {
    form.Cob2->setCurrentIndex(-1);
    form.Cob3->setCurrentIndex(-1);
    for (int k = 1; k < ledger.AccountCount; ++k) {
        const AccountRecord& a = ledger.Accounts[size_t(k)];
        if (e.Account1 == a.Name) selectItem(form.Cob2, a.Name.trimmed());
        if (e.Account2 == a.Name) selectItem(form.Cob3, a.Name.trimmed());
    }
}

QString amountText(const TaggedNumber& amount) {
    return EntryRules::numberText(amount.value() / 100.0);
}

void setReminderOptions(InputForm& form, const EntryNote& note) {
    if (note.RemindOn == 0) return; // the options keep the window's initial state
    if (note.RemindDays != 0) {
        form.Option3->setChecked(true);
        form.Text4->setText(QString::number(note.RemindDays));
    } else {
        form.Option2->setChecked(true);
    }
}

void fitDropWidths(InputForm& form) {
    FitComboDropWidth(form.Cob2);
    FitComboDropWidth(form.Cob3);
    FitComboDropWidth(form.Cob4);
}

void setColour(InputForm& form, int index) {
    form.ColorCombo->setCurrentIndex(index >= 0 && index < form.ColorCombo->count() ? index : 0);
}

void setCounters(InputForm& form) {
    form.UpdateDetailCounter(false);
    form.UpdateNoteCounter(false);
}

} // namespace

int MainForm::rowEntry(const QTreeWidgetItem* row) const {
    const int i = RowEntryIndex(row);
    return i >= 1 && i < m_ctx.ledger.EntryCount ? i : 0;
}

bool MainForm::warnLedgerFull() {
    if (!ledgerFull(m_ctx.ledger)) return false;
    m_ctx.services.prompts->warning(QStringLiteral("記錄筆數已經到達") +
                                    QString::number(Ledger::EntryCapacity) +
                                    QStringLiteral("筆上限，請使用結帳功能清除舊資料!"));
    return true;
}

void MainForm::Data_New_Click() {
    Ledger& ledger = m_ctx.ledger;
    Prompts& prompts = *m_ctx.services.prompts;
    if (ledgerFull(ledger)) {
        prompts.information(FullLedgerNotice);
        return;
    }
    try {
        InputForm form(m_ctx, *this, this);
        form.setWindowTitle(QStringLiteral("新增記錄"));
        form.DTPicker1->setDate(m_ctx.services.clock->today());
        form.Text2->setText(QStringLiteral("0"));
        form.Text3->setText(QStringLiteral("1"));
        form.Text5->setText(QStringLiteral("0"));
        form.Combo3->setEditText(QString());
        form.InputState = 0;

        fillAccounts(form.Cob2, ledger, AccountList::NotEquity);
        fillAccounts(form.Cob4, ledger, AccountList::NotEquity);
        fillAccounts(form.Cob3, ledger, AccountList::NotIncomeExpense);
        fillAccounts(form.Cob5, ledger, AccountList::AssetLiability);

        const QString key = SelectedNodeKey();
        if (key.startsWith(QLatin1String("A-")) || key.startsWith(QLatin1String("L-"))) {
            selectFirstStartingWith(form.Cob2, QStringLiteral("E-"));
            selectItem(form.Cob3, key);
        } else if (key.startsWith(QLatin1String("I-")) || key.startsWith(QLatin1String("E-"))) {
            selectItem(form.Cob2, key);
            selectItem(form.Cob3, QStringLiteral("A-現金"));
        } else {
            selectItem(form.Cob3, key);
        }

        fitDropWidths(form);
        setColour(form, 0);
        form.SetStatusText(QStringLiteral("尚未新增記錄"));
        form.na = 0;
        m_ctx.services.modal->run(form);
    } catch (...) {
        prompts.warning(QStringLiteral("新增記錄發生錯誤!"));
    }
}

void MainForm::MenuTools_New_Click() {
    Ledger& ledger = m_ctx.ledger;
    Prompts& prompts = *m_ctx.services.prompts;
    if (warnLedgerFull()) return;
    const QList<QTreeWidgetItem*> rows = SelectedRows();
    if (rows.size() != 1) {
        Data_New_Click();
        return;
    }
    const int i = rowEntry(rows.first());
    if (i == 0) {
        prompts.warning(QStringLiteral("新增記錄發生錯誤!"));
        return;
    }
    try {
        InputForm form(m_ctx, *this, this);
        const EntryCore& e = ledger.Entries[size_t(i)];
        fillAccounts(form.Cob2, ledger, AccountList::NotEquity);
        fillAccounts(form.Cob4, ledger, AccountList::ExpenseOnly);
        fillAccounts(form.Cob3, ledger, AccountList::NotIncomeExpense);
        fillAccounts(form.Cob5, ledger, AccountList::AssetLiability);
        selectEntryAccounts(form, ledger, e);
        fitDropWidths(form);

        if (const auto date = Runtime::parseDate(e.Date.trimmed())) form.DTPicker1->setDate(*date);
        form.Text2->setText(amountText(e.Amount));
        form.Combo3->setEditText(Runtime::trimBlanks(e.Detail.trimmed()));
        form.Text1->setPlainText(EntryRules::shownNote(ledger, i));
        form.Text6->setText(ledger.EntryStyles[size_t(i)].InvoiceLetters.trimmed() +
                            ledger.EntryInvoices[size_t(i)].InvoiceDigits.trimmed());
        form.Text3->setText(QStringLiteral("1"));
        setColour(form, ledger.EntryStyles[size_t(i)].ColourIndex);

        form.setWindowTitle(QStringLiteral("新增記錄"));
        if (NewClear_Date->isChecked()) form.DTPicker1->setDate(m_ctx.services.clock->today());
        if (NewClear_Type1->isChecked()) form.Text2->setText(QString());
        if (NewClear_Type2->isChecked()) form.Combo3->setEditText(QString());
        if (NewClear_Type3->isChecked()) form.Text1->setPlainText(QString());
        if (NewClear_Type4->isChecked()) form.Text6->setText(QString());
        if (NewClear_Type5->isChecked()) setColour(form, 0);
        setCounters(form);
        setReminderOptions(form, ledger.EntryNotes[size_t(i)]);

        form.InputState = 0;
        form.SetStatusText(QStringLiteral("尚未新增記錄"));
        form.na = 0;
        m_ctx.services.modal->run(form);
    } catch (...) {
        prompts.warning(QStringLiteral("新增記錄發生錯誤!"));
    }
}

void MainForm::Liv1_DblClick() {
    if (Liv1->topLevelItemCount() == 0) return;
    Ledger& ledger = m_ctx.ledger;
    Prompts& prompts = *m_ctx.services.prompts;
    QTreeWidgetItem* current = Liv1->currentItem();
    if (!current) return;
    const int i = rowEntry(current);
    if (i == 0) {
        prompts.warning(QStringLiteral("編輯記錄發生錯誤!"));
        return;
    }
    try {
        InputForm form(m_ctx, *this, this);
        SelEdit = short(i);
        const EntryCore& e = ledger.Entries[size_t(i)];
        fillAccounts(form.Cob2, ledger, AccountList::NotEquity);
        fillAccounts(form.Cob3, ledger, AccountList::NotIncomeExpense);
        selectEntryAccounts(form, ledger, e);
        fitDropWidths(form);

        form.Text2->setText(amountText(e.Amount));
        form.Combo3->setEditText(e.Detail.trimmed());
        form.Text1->setPlainText(EntryRules::shownNote(ledger, i));
        form.Text6->setText(ledger.EntryStyles[size_t(i)].InvoiceLetters.trimmed() +
                            ledger.EntryInvoices[size_t(i)].InvoiceDigits.trimmed());
        form.Text3->setText(QStringLiteral("1"));
        setColour(form, ledger.EntryStyles[size_t(i)].ColourIndex);
        setCounters(form);

        form.setWindowTitle(QStringLiteral("編輯記錄"));
        if (const auto date = Runtime::parseDate(e.Date.trimmed())) form.DTPicker1->setDate(*date);
        setReminderOptions(form, ledger.EntryNotes[size_t(i)]);

        form.Cmd1->setText(QStringLiteral("變更"));
        form.Cmd2->setText(QStringLiteral("取消"));
        form.Command8->setVisible(false);
        form.Check2->setEnabled(false);
        form.InputState = 1;
        m_ctx.services.modal->run(form);
    } catch (...) {
        prompts.warning(QStringLiteral("編輯記錄發生錯誤!"));
    }
}

void MainForm::MenuTools_Edit_Click() {
    const int n = int(SelectedRows().size());
    if (n == 1) {
        Liv1_DblClick();
    } else if (n > 1) {
        SelEdit = short(n);
        EditForm form(m_ctx, *this, this);
        m_ctx.services.modal->run(form);
    }
}

QList<QTreeWidgetItem*> MainForm::SelectedRows() const {
    QList<QTreeWidgetItem*> rows;
    for (int r = 0; r < Liv1->topLevelItemCount(); ++r) {
        QTreeWidgetItem* row = Liv1->topLevelItem(r);
        if (row->isSelected()) rows.append(row);
    }
    return rows;
}
