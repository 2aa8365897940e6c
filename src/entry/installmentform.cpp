#include "entry/installmentform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "entry/entryrows.h"
#include "entry/inputform.h"
#include "platform/prompts.h"
#include "rules/entry/installments.h"
#include "store/appcontext.h"
#include "windowparts/mainview.h"

InstallmentForm::InstallmentForm(AppContext& ctx, MainView& main, InputForm& input, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_main(main), m_input(input) {
    setObjectName(QStringLiteral("InstallmentForm"));
    setWindowTitle(QStringLiteral("分期付款"));
    auto* layout = new QVBoxLayout(this);

    Label4 =
        new QLabel(input.Label2->text() + QStringLiteral("：") + input.Cob2->currentText(), this);
    Label5 =
        new QLabel(input.Label3->text() + QStringLiteral("：") + input.Cob3->currentText(), this);
    Label6 = new QLabel(QStringLiteral("每期金額：") + input.Text2->text(), this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label5->setObjectName(QStringLiteral("Label5"));
    Label6->setObjectName(QStringLiteral("Label6"));
    layout->addWidget(Label4);
    layout->addWidget(Label5);
    layout->addWidget(Label6);

    auto* grid = new QGridLayout;
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItems({QStringLiteral("年"), QStringLiteral("月"), QStringLiteral("日")});
    Combo1->setCurrentIndex(1);
    Text1 = new QLineEdit(QStringLiteral("1"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text2 = new QLineEdit(QStringLiteral("1"), this);
    Text2->setObjectName(QStringLiteral("Text2"));
    grid->addWidget(new QLabel(QStringLiteral("分期單位"), this), 0, 0);
    grid->addWidget(Combo1, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("分期期數"), this), 1, 0);
    grid->addWidget(Text1, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("每期間隔"), this), 2, 0);
    grid->addWidget(Text2, 2, 1);
    layout->addLayout(grid);

    Check1 = new QCheckBox(QStringLiteral("週六日順延至週一"), this);
    Check2 = new QCheckBox(QStringLiteral("週六日提前至週五"), this);
    Check3 = new QCheckBox(QStringLiteral("週六提前，週日延後"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check2->setObjectName(QStringLiteral("Check2"));
    Check3->setObjectName(QStringLiteral("Check3"));
    layout->addWidget(Check1);
    layout->addWidget(Check2);
    layout->addWidget(Check3);
    connect(Check1, &QCheckBox::clicked, this, [this] {
        if (Check1->isChecked()) Check2->setChecked(false);
    });
    connect(Check2, &QCheckBox::clicked, this, [this] {
        if (Check2->isChecked()) Check1->setChecked(false);
    });

    auto* buttons = new QHBoxLayout;
    Command1 = new QPushButton(QStringLiteral("新增"), this);
    Command2 = new QPushButton(QStringLiteral("取消"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2->setObjectName(QStringLiteral("Command2"));
    Command1->setDefault(true);
    Command2->setAutoDefault(false);
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { reject(); });
}

void InstallmentForm::Command1_Click() {
    EntryFields f = m_input.ReadFields();
    InstallmentSchedule s;
    s.unit = Combo1->currentText();
    s.count = Text1->text();
    s.interval = Text2->text();
    s.mondayForSaturdayAndSunday = Check1->isChecked();
    s.fridayForSaturdayAndSunday = Check2->isChecked();
    s.fridayForSaturdayMondayForSunday = Check3->isChecked();

    // The silent corrections (rate, lead days, fee amount, invoice) show in the entry
    // window as soon as the checks made them, whatever the outcome.
    auto showCorrections = [&] {
        EntryFields shown = m_input.ReadFields();
        shown.rate = f.rate;
        shown.remindDays = f.remindDays;
        shown.feeAmount = f.feeAmount;
        shown.invoice = f.invoice;
        m_input.ShowCorrections(shown);
    };
    // Only the second account counts as listed here.
    auto refresh = [&](int index, int feeIndex) {
        showCorrections();
        if (m_main.SelectedNodeKey() != f.account2) {
            m_main.ShowAccountNode(f.account2);
        } else {
            int flags = EntryRows::InvoiceShown;
            if (f.reminder != EntryRules::Reminder::None) flags |= EntryRows::ReminderRed;
            EntryRows::AppendProvisionalRow(m_main, m_ctx, index, flags);
            if (feeIndex != 0) {
                EntryRows::AppendProvisionalRow(m_main, m_ctx, feeIndex, EntryRows::NoFlags);
                m_input.SaveFeeDefaults();
            }
            m_main.SelectLastRow();
        }
    };
    const InstallmentResult r = Installments::generate(m_ctx.ledger, f, s, refresh);
    showCorrections();
    if (r.status != InstallmentResult::Status::Done) {
        m_ctx.services.prompts().warning(r.message.text);
        return;
    }
    m_input.CountAdded(r.written + r.feeEntries);
    m_ctx.services.prompts().plain(QStringLiteral("已成功新增 ") + Text1->text() +
                                   QStringLiteral(" 筆分期記錄"));
    accept();
}
