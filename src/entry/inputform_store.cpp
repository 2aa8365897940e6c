// The entry window's commands that change the ledger: store, fee toggle, clear fields,
// swap, store as quick entry, installments, note editor.
#include "entry/inputform.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>

#include "entry/entryrows.h"
#include "entry/installmentform.h"
#include "entry/quickform.h"
#include "platform/clock.h"
#include "platform/modalrunner.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "rules/entry/entrycommands.h"
#include "setup/accountnoteform.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "store/figures.h"
#include "windowparts/mainview.h"

namespace {
const QString Section = QStringLiteral("InputForm");
}

EntryFields InputForm::ReadFields() const {
    EntryFields f;
    f.date = Runtime::dateText(DTPicker1->date());
    f.account1Chosen = Cob2->currentIndex() >= 0;
    f.account1 = Cob2->currentText();
    f.account2Chosen = Cob3->currentIndex() >= 0;
    f.account2 = Cob3->currentText();
    f.amount = Text2->text();
    f.rate = Text3->text();
    f.detail = Combo3->currentText();
    f.note = NoteText();
    f.invoice = Text6->text();
    f.colour = std::max(0, ColorCombo->currentIndex());
    f.reminder = Option3->isChecked()   ? EntryRules::Reminder::DaysBefore
                 : Option2->isChecked() ? EntryRules::Reminder::SameDay
                                        : EntryRules::Reminder::None;
    f.remindDays = Text4->text();
    f.fee = Check2->isChecked();
    f.fee1Chosen = Cob4->currentIndex() >= 0;
    f.fee1 = Cob4->currentText();
    f.fee2Chosen = Cob5->currentIndex() >= 0;
    f.fee2 = Cob5->currentText();
    f.feeAmount = Text5->text();
    f.feeDetail = Combo1->currentText();
    f.keepDetail = Check1->isChecked();
    f.rateInNote = Set_ExchangeRate->isChecked();
    return f;
}

void InputForm::ShowCorrections(const EntryFields& f) {
    auto put = [](QLineEdit* box, const QString& text) {
        if (box->text() != text) box->setText(text);
    };
    put(Text3, f.rate);
    put(Text4, f.remindDays);
    put(Text5, f.feeAmount);
    put(Text6, f.invoice);
    if (NoteText() != f.note) SetNoteText(f.note);
}

void InputForm::showBox(const EntryMessage& m) {
    Prompts& prompts = m_ctx.services.prompts();
    switch (m.kind) {
    case EntryMessage::Kind::Information:
        prompts.information(m.text);
        break;
    case EntryMessage::Kind::Warning:
        prompts.warning(m.text);
        break;
    case EntryMessage::Kind::Plain:
        prompts.plain(m.text);
        break;
    }
}

void InputForm::CountAdded(int entries) {
    na = qint16(na + entries);
    SetStatusText(QStringLiteral("您已經新增 ") + QString::number(na) + QStringLiteral(" 筆記錄"));
}

void InputForm::Cmd1_Click() {
    Ledger& ledger = m_ctx.ledger;
    EntryFields f = ReadFields();
    const bool editing = InputState == 1;
    StoreResult r;
    {
        // A new entry's rows are put into the main list here (refreshAfterAdd): the main
        // window learns of the entry once they are there. An edited one it lists itself.
        const Ledger::ChangeScope scope(ledger);
        r = StoreEntry::store(ledger, f, editing ? m_main.EditedEntry() : 0);
        ShowCorrections(f);
        if (r.status != StoreResult::Status::Stored) {
            showBox(r.message);
            return;
        }
        if (!editing) refreshAfterAdd(r, f);
    }
    if (editing) m_main.SelectEntryRows({m_main.EditedEntry()}, true, m_main.EditedEntry());

    if (r.detailText == StoreResult::DetailText::Added)
        Combo3->addItem(f.detail);
    else if (r.detailText == StoreResult::DetailText::ListFull)
        m_ctx.services.prompts().warning(StoreEntry::detailListFullMessage());
    Check1->setChecked(false);

    if (InputState == 1) {
        accept();
        return;
    }
    CountAdded(r.feeIndex != 0 ? 2 : 1);
    if (Clear_Type1->isChecked() || Clear_Type2->isChecked() || Clear_Type3->isChecked() ||
        Clear_Type4->isChecked()) {
        AllClear_Click();
    } else {
        Text2->setFocus();
        Text2->selectAll();
    }
}

void InputForm::refreshAfterAdd(const StoreResult& r, const EntryFields& f) {
    const QString listed = m_main.SelectedNodeKey();
    const bool listedSide = f.account1 == listed || f.account2 == listed;
    if (!listedSide) {
        m_main.ShowAccountNode(f.account2);
    } else {
        int flags = EntryRows::ClockIcon;
        if (f.reminder != EntryRules::Reminder::None) flags |= EntryRows::ReminderRed;
        EntryRows::AppendProvisionalRow(m_main, m_ctx, r.index, flags);
        if (r.feeIndex != 0)
            EntryRows::AppendProvisionalRow(m_main, m_ctx, r.feeIndex, EntryRows::NoFlags);
    }
    // A fee that found no room is reported whichever way the list was refreshed.
    if (f.fee) {
        if (r.feeNoRoom) m_ctx.services.prompts().warning(StoreEntry::feeNoRoomMessage());
        SaveFeeDefaults();
    }
    if (listedSide) m_main.SelectLastRow();
}

void InputForm::SaveFeeDefaults() {
    SettingsStore& settings = m_ctx.services.settings();
    SaveSettingQuietly(settings, Section, QStringLiteral("Type1"), Cob4->currentText());
    SaveSettingQuietly(settings, Section, QStringLiteral("Amount"), Text5->text());
    SaveSettingQuietly(settings, Section, QStringLiteral("Note"), Combo1->currentText());
}

void InputForm::Check2_Click() {
    const bool on = Check2->isChecked();
    for (QWidget* w : {static_cast<QWidget*>(Cob4), static_cast<QWidget*>(Cob5),
                       static_cast<QWidget*>(Text5), static_cast<QWidget*>(Combo1)})
        w->setEnabled(on);
    if (!on) {
        Cob4->setCurrentIndex(-1);
        Cob5->setCurrentIndex(-1);
        Text5->setText(QStringLiteral("0"));
        Combo1->setEditText(QString());
        return;
    }
    const SettingsStore& settings = m_ctx.services.settings();
    if (Cob4->count() > 0) {
        const QString stored = settings.GetSetting(Section, QStringLiteral("Type1"), QString());
        int choice = -1;
        for (int i = 0; i < Cob4->count() && choice < 0; ++i) {
            const QString item = Cob4->itemText(i);
            if (stored.isEmpty() ? PrefixKindCode(item) == KindExpense : item == stored) choice = i;
        }
        Cob4->setCurrentIndex(choice >= 0 ? choice : 0);
        // The fee is paid from the second account or from nothing chosen yet: never from
        // an account the user did not pick.
        Cob5->setCurrentIndex(
            Cob5->findText(Cob3->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive));
    }
    Text5->setText(settings.GetSetting(Section, QStringLiteral("Amount"), QStringLiteral("0")));
    Combo1->setEditText(
        settings.GetSetting(Section, QStringLiteral("Note"), QStringLiteral("手續費")));
}

void InputForm::AllClear_Click() {
    if (Clear_Type0->isChecked()) DTPicker1->setDate(m_ctx.services.clock().today());
    if (Clear_Type1->isChecked()) {
        Text2->setText(QStringLiteral("0"));
        Text2->selectAll();
        Check1->setChecked(false);
        m_keypad.PendingOperator = 0;
    }
    if (Clear_Type2->isChecked()) Combo3->setEditText(QString());
    if (Clear_Type3->isChecked()) Text1->clear();
    if (Clear_Type4->isChecked()) Text6->clear();
    if (Clear_Type5->isChecked()) ColorCombo->setCurrentIndex(0);
    Text2->setFocus();
}

void InputForm::Command11_Click() {
    QStringList firstItems, secondItems;
    for (int i = 0; i < Cob2->count(); ++i)
        firstItems << Cob2->itemText(i);
    for (int i = 0; i < Cob3->count(); ++i)
        secondItems << Cob3->itemText(i);
    const auto choice = EntryCommands::swapAccounts(Cob2->currentText(), Cob3->currentText(),
                                                    firstItems, secondItems);
    if (!choice) {
        m_ctx.services.prompts().plain(EntryCommands::swapRefusedMessage());
        return;
    }
    Cob2->setCurrentIndex(choice->first);
    Cob3->setCurrentIndex(choice->second);
}

void InputForm::Command5_Click() {
    EntryFields f = ReadFields();
    const auto refusal = EntryCommands::storeQuickEntry(m_ctx.ledger, f);
    if (refusal) {
        showBox(*refusal);
        return;
    }
    if (Text3->text() != f.rate) Text3->setText(f.rate);
    m_ctx.services.prompts().information(EntryCommands::quickEntryAddedMessage());
}

void InputForm::Command2_Click() {
    QuickForm form(m_ctx, m_main, *this, this);
    m_ctx.services.modal().run(form);
}

// The note editor writes its text back however it was closed; it has no cancel.
void InputForm::Command1_Click() {
    AccountNoteForm form(m_ctx, this);
    form.SetUpNoteEditor(NoteText());
    m_ctx.services.modal().run(form);
    SetNoteText(form.Text());
    UpdateNoteCounter();
}

void InputForm::Command8_Click() {
    InstallmentForm form(m_ctx, m_main, *this, this);
    m_ctx.services.modal().run(form);
}
