#include "entry/editform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHash>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/clock.h"
#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "store/accountnames.h"
#include "store/amounts.h"
#include "store/appcontext.h"
#include "windowparts/colourtable.h"
#include "windowparts/mainview.h"

using namespace MultiEdit;

namespace {

QComboBox* pickList(QWidget* parent, const char* name) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setEditable(false);
    return box;
}

QLineEdit* textBox(QWidget* parent, const char* name) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(QLatin1String(name));
    return box;
}

} // namespace

EditForm::EditForm(AppContext& ctx, MainView& main, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_main(main) {
    setObjectName(QStringLiteral("EditForm"));
    setWindowTitle(QStringLiteral("編輯多筆記錄"));
    buildControls();
    fillLists();

    connect(Cob1, &QComboBox::currentIndexChanged, this, [this] { Cob1_Click(); });
    connect(Cob2, &QComboBox::currentIndexChanged, this, [this] { Cob2_Click(); });
    connect(Combo1, &QComboBox::currentIndexChanged, this, [this] { Combo1_Click(); });
    connect(Combo2, &QComboBox::currentIndexChanged, this, [this] { Combo2_Click(); });
    // Choosing the item already shown is a choice too.
    connect(Cob1, &QComboBox::activated, this, [this] { Cob1_Click(); });
    connect(Cob2, &QComboBox::activated, this, [this] { Cob2_Click(); });
    connect(Combo1, &QComboBox::activated, this, [this] { Combo1_Click(); });
    connect(Combo2, &QComboBox::activated, this, [this] { Combo2_Click(); });
    for (int n = 0; n < FieldCount; ++n)
        connect(Check1[size_t(n)], &QCheckBox::clicked, this, [this, n] { Check1_Click(n); });
    for (QObject* o :
         {static_cast<QObject*>(Text0), static_cast<QObject*>(Text1), static_cast<QObject*>(Text2),
          static_cast<QObject*>(Text3->viewport()), static_cast<QObject*>(Text4)})
        o->installEventFilter(this);
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { reject(); });

    showCommonValues();
}

void EditForm::buildControls() {
    auto* layout = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    const char* labels[FieldCount] = {"日期", "分類", "科目", "金額", "明細",
                                      "備註", "發票", "標記", "顏色"};
    Text0 = textBox(this, "Text0");
    Cob1 = pickList(this, "Cob1");
    Cob2 = pickList(this, "Cob2");
    Text1 = textBox(this, "Text1");
    Text2 = textBox(this, "Text2");
    Text3 = new QPlainTextEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text3->setTabChangesFocus(true);
    Text4 = textBox(this, "Text4");
    Combo1 = pickList(this, "Combo1");
    Combo2 = pickList(this, "Combo2");
    QWidget* fields[FieldCount] = {Text0, Cob1, Cob2, Text1, Text2, Text3, Text4, Combo1, Combo2};
    for (int n = 0; n < FieldCount; ++n) {
        auto* box = new QCheckBox(QString::fromUtf8(labels[n]), this);
        box->setObjectName(QStringLiteral("Check1_%1").arg(n));
        Check1[size_t(n)] = box;
        grid->addWidget(box, n, 0, Qt::AlignTop);
        grid->addWidget(fields[n], n, 1);
    }
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);

    auto* buttons = new QHBoxLayout;
    Command1 = new QPushButton(QStringLiteral("確定"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(QStringLiteral("取消"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command1->setDefault(true);
    Command2->setAutoDefault(false);
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    layout->addLayout(buttons);
}

void EditForm::fillLists() {
    const Ledger& ledger = m_ctx.ledger;
    Cob1->addItems(AccountNames::ofKinds(ledger, AccountKinds::FirstSide));
    Cob2->addItems(AccountNames::ofKinds(ledger, AccountKinds::SecondSide));
    Combo1->addItems({markItem(0), markItem(1)});
    for (int c = 0; c < ColourTable::Count; ++c)
        Combo2->addItem(ColourTable::name(c));
    // A pick-only list starts with nothing chosen.
    for (QComboBox* box : {Cob1, Cob2, Combo1, Combo2})
        box->setCurrentIndex(-1);
    BoundDropHeight(Cob1, 400 / 20); // drop-downs about 400 and 300 pixels high
    BoundDropHeight(Cob2, 300 / 20);
    FitComboDropWidth(Cob1);
    FitComboDropWidth(Cob2);
}

QList<int> EditForm::selectedEntries() const {
    return m_main.SelectedEntryIndices();
}

void EditForm::showCommonValues() {
    // Rows naming no entry of the tables take no part in what the fields show; 確定
    // refuses to write while there are such rows.
    QList<int> entries;
    for (int i : selectedEntries())
        if (i >= 1 && i < m_ctx.ledger.EntryCount) entries << i;
    const Prefill p = prefill(m_ctx.ledger, entries);
    auto choose = [](QComboBox* box, const std::optional<QString>& name) {
        if (name)
            box->setCurrentIndex(box->findText(*name, Qt::MatchExactly | Qt::MatchCaseSensitive));
    };
    if (p.date) Text0->setText(*p.date);
    choose(Cob1, p.account1);
    choose(Cob2, p.account2);
    if (p.amount) Text1->setText(*p.amount);
    if (p.detail) Text2->setText(*p.detail);
    if (p.note)
        Text3->setPlainText(QString(*p.note).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    if (p.invoice) Text4->setText(*p.invoice);
    if (p.colour && *p.colour < Combo2->count()) Combo2->setCurrentIndex(*p.colour);
}

bool EditForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress) {
        if (watched == Text0)
            Text0_Click();
        else if (watched == Text1)
            Text1_Click();
        else if (watched == Text2)
            Text2_Click();
        else if (watched == Text3->viewport())
            Text3_Click();
        else if (watched == Text4)
            Text4_Click();
    }
    return QDialog::eventFilter(watched, event);
}

void EditForm::tick(int field) {
    if (!m_clearing[size_t(field)]) Check1[size_t(field)]->setChecked(true);
}

void EditForm::Text0_Click() {
    tick(Date);
    Text0->setText(Runtime::dateText(m_ctx.services.clock().today()));
}
void EditForm::Cob1_Click() {
    tick(Account1);
}
void EditForm::Cob2_Click() {
    tick(Account2);
}
void EditForm::Text1_Click() {
    tick(Amount);
}
void EditForm::Text2_Click() {
    tick(Detail);
}
void EditForm::Text3_Click() {
    tick(Note);
}
void EditForm::Text4_Click() {
    tick(Invoice);
}
void EditForm::Combo1_Click() {
    tick(Mark);
}
void EditForm::Combo2_Click() {
    tick(Colour);
}

void EditForm::clearField(int field) {
    switch (field) {
    case Date:
        Text0->clear();
        break;
    case Account1:
        Cob1->setCurrentIndex(-1);
        break;
    case Account2:
        Cob2->setCurrentIndex(-1);
        break;
    case Amount:
        Text1->clear();
        break;
    case Detail:
        Text2->clear();
        break;
    case Note:
        Text3->clear();
        break;
    case Invoice:
        Text4->clear();
        break;
    case Mark:
        Combo1->setCurrentIndex(-1);
        break;
    case Colour:
        Combo2->setCurrentIndex(-1);
        break;
    default:
        break;
    }
}

void EditForm::Check1_Click(int index) {
    if (index < 0 || index >= FieldCount || Check1[size_t(index)]->isChecked()) return;
    m_clearing[size_t(index)] = true;
    clearField(index);
    m_clearing[size_t(index)] = false;
}

QString EditForm::NoteText() const {
    return Text3->toPlainText().replace(u'\n', QStringLiteral("\r\n"));
}

Values EditForm::readFields() const {
    Values v;
    for (int n = 0; n < FieldCount; ++n)
        v.ticked[size_t(n)] = Check1[size_t(n)]->isChecked();
    auto chosen = [](const QComboBox* box) -> std::optional<QString> {
        if (box->currentIndex() < 0) return std::nullopt;
        return box->currentText();
    };
    v.date = Text0->text();
    v.account1 = chosen(Cob1);
    v.account2 = chosen(Cob2);
    v.amount = Text1->text();
    v.detail = Text2->text();
    v.note = NoteText();
    v.invoice = Text4->text();
    if (Combo1->currentIndex() >= 0) v.mark = Combo1->currentIndex();
    if (Combo2->currentIndex() >= 0) v.colour = Combo2->currentIndex();
    return v;
}

void EditForm::Command1_Click() {
    Values v = readFields();
    // The main window lists the written entries again: the row current now stays current.
    const int current = m_main.CurrentEntryIndex();
    const WriteResult r = write(m_ctx.ledger, v, selectedEntries());
    if (Text4->text() != v.invoice) Text4->setText(v.invoice);
    if (r.refusal) {
        m_ctx.services.prompts().warning(*r.refusal);
        return;
    }
    // The main window has listed the written entries again: their rows are selected.
    m_main.SelectEntryRows(r.written, false, current);
    accept();
}
