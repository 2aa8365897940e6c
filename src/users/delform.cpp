#include "users/delform.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "rules/users/deletebycondition.h"
#include "store/appcontext.h"
#include "windowparts/mainview.h"

namespace {

template <typename T> T* named(T* widget, const char* name) {
    widget->setObjectName(QLatin1String(name));
    return widget;
}

QDateEdit* datePicker(QWidget* parent, const char* name) {
    auto* picker = named(new QDateEdit(parent), name);
    picker->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    picker->setCalendarPopup(true);
    return picker;
}

} // namespace

DelForm::DelForm(AppContext& ctx, MainView& main, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_main(main) {
    setObjectName(QStringLiteral("DelForm"));
    setWindowTitle(QStringLiteral("以條件刪除紀錄"));

    Frame1 = named(new QGroupBox(QStringLiteral("條件"), this), "Frame1");
    Option1 = named(new QRadioButton(QStringLiteral("指定日期"), Frame1), "Option1");
    Option2 = named(new QRadioButton(QStringLiteral("之後"), Frame1), "Option2");
    Option3 = named(new QRadioButton(QStringLiteral("範圍內"), Frame1), "Option3");
    Option4 = named(new QRadioButton(QStringLiteral("範圍外"), Frame1), "Option4");
    auto* options = new QHBoxLayout(Frame1);
    for (QRadioButton* option : {Option1, Option2, Option3, Option4})
        options->addWidget(option);

    Label2 = named(new QLabel(QStringLiteral("日期"), this), "Label2");
    DTPicker1 = datePicker(this, "DTPicker1");
    Label1 = named(new QLabel(this), "Label1");
    Label3 = named(new QLabel(QStringLiteral("日期"), this), "Label3");
    DTPicker2 = datePicker(this, "DTPicker2");
    auto* dates = new QGridLayout;
    dates->addWidget(Label2, 0, 0);
    dates->addWidget(DTPicker1, 0, 1);
    dates->addWidget(Label1, 0, 2);
    dates->addWidget(Label3, 1, 0);
    dates->addWidget(DTPicker2, 1, 1);

    Cmd1 = named(new QPushButton(QStringLiteral("刪除"), this), "Cmd1");
    Cmd0 = named(new QPushButton(QStringLiteral("取消"), this), "Cmd0");
    Cmd1->setDefault(true);
    Cmd0->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Cmd1);
    buttons->addWidget(Cmd0);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Frame1);
    layout->addLayout(dates);
    layout->addLayout(buttons);

    connect(Option1, &QRadioButton::clicked, this, &DelForm::Option1_Click);
    connect(Option2, &QRadioButton::clicked, this, &DelForm::Option2_Click);
    connect(Option3, &QRadioButton::clicked, this, &DelForm::Option3_Click);
    connect(Option4, &QRadioButton::clicked, this, &DelForm::Option4_Click);
    connect(Cmd1, &QPushButton::clicked, this, &DelForm::Cmd1_Click);
    connect(Cmd0, &QPushButton::clicked, this, &DelForm::Cmd0_Click);

    Option1->setChecked(true);
    showSecondDate(QString(), false);
    RemoveCloseCommand(this);
}

void DelForm::showSecondDate(const QString& between, bool shown) {
    Label1->setText(between);
    Label3->setVisible(shown);
    DTPicker2->setVisible(shown);
}

void DelForm::Option1_Click() {
    showSecondDate(QString(), false);
}

void DelForm::Option2_Click() {
    showSecondDate(QStringLiteral("之後"), false);
}

void DelForm::Option3_Click() {
    showSecondDate(QStringLiteral("至"), true);
}

void DelForm::Option4_Click() {
    showSecondDate(QStringLiteral("至"), true);
}

void DelForm::Cmd1_Click() {
    Prompts& prompts = m_ctx.services.prompts();
    if (prompts.question(QStringLiteral("確定刪除資料嗎？"), Prompts::Buttons::YesNo) !=
        Prompts::Answer::Yes)
        return;
    DateCondition condition = DateCondition::OnDay;
    if (Option2->isChecked())
        condition = DateCondition::After;
    else if (Option3->isChecked())
        condition = DateCondition::Inside;
    else if (Option4->isChecked())
        condition = DateCondition::Outside;
    const int removed =
        DeleteEntriesByDate(m_ctx.ledger, condition, DTPicker1->date(), DTPicker2->date());
    prompts.information(QStringLiteral("資料刪除完成"));
    SelectLastRowAfterRemoval(m_main);
    // Nothing removed is nothing to save.
    if (removed > 0) m_ctx.ledger.markChanged();
}

void DelForm::Cmd0_Click() {
    reject();
}

void SelectLastRowAfterRemoval(MainView& main) {
    if (main.SelectedAccountIndex() > 0) main.SelectLastRow();
}
