#include "online/numberlistform.h"

#include <QDateEdit>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "online/numberform.h"
#include "platform/clock.h"
#include "platform/desktop/listchoice.h"
#include "platform/modalrunner.h"
#include "platform/prompts.h"
#include "store/appcontext.h"
#include "store/plaintext.h"
#include "windowparts/imagelist.h"
#include "windowparts/mainview.h"

namespace {

const QString DateFormat = QStringLiteral("yyyy/MM/dd");

} // namespace

NumberListForm::NumberListForm(MainView& main, NumberForm& lottery, QWidget* parent)
    : QDialog(parent), m_main(main), m_lottery(lottery) {
    setObjectName(QStringLiteral("NumberListForm"));
    setWindowTitle(QStringLiteral("發票清單"));

    Liv1 = new QTreeWidget(this);
    Liv1->setObjectName(QStringLiteral("Liv1"));
    Liv1->setRootIsDecorated(false);
    Liv1->setHeaderLabels({QStringLiteral("日期"), QStringLiteral("發票號碼")});
    Liv1->setColumnWidth(0, 100);
    Liv1->setGeometry(8, 8, 250, 300);
    OnItemClicked(Liv1, [this] { Liv1_Click(); });

    auto label = [this](const QString& text, int y) {
        auto* l = new QLabel(text, this);
        l->move(270, y);
        l->adjustSize();
    };
    auto button = [this](const char* name, const QString& caption, int x, int y, int w) {
        auto* b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        b->setGeometry(x, y, w, 28);
        return b;
    };
    label(QStringLiteral("日期"), 10);
    DTPicker1 = new QDateEdit(this);
    DTPicker1->setObjectName(QStringLiteral("DTPicker1"));
    DTPicker1->setDisplayFormat(DateFormat);
    DTPicker1->setCalendarPopup(true);
    DTPicker1->setGeometry(270, 30, 170, 24);
    label(QStringLiteral("發票"), 64);
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(270, 84, 170, 24);
    Command1 = button("Command1", QStringLiteral("新增"), 270, 120, 82);
    Command4 = button("Command4", QStringLiteral("編輯"), 358, 120, 82);
    Command5 = button("Command5", QStringLiteral("清空"), 270, 154, 82);
    Command2 = button("Command2", QStringLiteral("刪除"), 358, 154, 82);
    Command3 = button("Command3", QStringLiteral("刪除過期發票"), 270, 280, 170);
    setFixedSize(450, 316);
    connect(Command1, &QPushButton::clicked, this, &NumberListForm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &NumberListForm::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &NumberListForm::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &NumberListForm::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &NumberListForm::Command5_Click);

    // Form_Load: the lottery window's list, then the clear state.
    const QIcon image = ImageList2::icon(12);
    for (const PaperInvoice& p : m_lottery.Liv2.Invoices) {
        auto* item = new QTreeWidgetItem(Liv1, {p.Date, p.Number});
        item->setIcon(0, image);
    }
    Command5_Click();
}

void NumberListForm::Command5_Click() {
    Liv1->clearSelection();
    Liv1->setCurrentItem(nullptr);
    DTPicker1->setDate(m_main.context().services.clock().today());
    Text1->clear();
    Command2->setEnabled(false);
    Command4->setEnabled(false);
}

QTreeWidgetItem* NumberListForm::selectedRow() const {
    return Liv1->itemFromIndex(SelectedRow(Liv1));
}

void NumberListForm::Liv1_Click() {
    QTreeWidgetItem* row = selectedRow();
    if (Liv1->topLevelItemCount() == 0 || !row) return;
    DTPicker1->setDate(QDate::fromString(row->text(0), DateFormat));
    Text1->setText(row->text(1));
    Command2->setEnabled(true);
    Command4->setEnabled(true);
}

bool NumberListForm::readInput(QString& date, QString& number) {
    Prompts& prompts = m_main.context().services.prompts();
    if (!DTPicker1->date().isValid()) {
        prompts.warning(QStringLiteral("不正確的日期格式"));
        return false;
    }
    number = Text1->text().trimmed();
    Text1->setText(number);
    if (!PlainText::isPlain(number)) {
        prompts.warning(QStringLiteral("發票號碼不可以包含軟體不支援的文字!"));
        return false;
    }
    if (!isPaperInvoiceNumber(number)) {
        prompts.warning(QStringLiteral("不正確的發票格式\r\n應該為8碼或含英文的10碼"));
        return false;
    }
    date = DTPicker1->date().toString(DateFormat);
    return true;
}

void NumberListForm::Command1_Click() {
    QString date, number;
    if (!readInput(date, number)) return;
    auto* item = new QTreeWidgetItem(Liv1, {date, number});
    item->setIcon(0, ImageList2::icon(12));
    Text1->clear();
}

void NumberListForm::Command4_Click() {
    QTreeWidgetItem* row = selectedRow();
    if (!row) return;
    QString date, number;
    if (!readInput(date, number)) return;
    row->setText(0, date);
    row->setText(1, number);
}

void NumberListForm::Command2_Click() {
    delete selectedRow();
    Liv1->setCurrentItem(nullptr);
    Command2->setEnabled(false);
    Command4->setEnabled(false);
}

void NumberListForm::Command3_Click() {
    const ExpiryLimit limit = expiryLimit(m_main.context().services.clock().today());
    if (m_main.context().services.prompts().question(expiryQuestion(limit)) != Prompts::Answer::Yes)
        return;
    // The rows are taken out and the kept ones put back at once: removing rows one by one
    // would move the rest of a long list each time.
    QTreeWidgetItem* chosen = Liv1->currentItem();
    bool chosenKept = false;
    QList<QTreeWidgetItem*> kept;
    for (QTreeWidgetItem* row : Liv1->invisibleRootItem()->takeChildren()) {
        if (isExpired({row->text(0), row->text(1)}, limit)) {
            delete row;
        } else {
            kept.append(row);
            chosenKept = chosenKept || row == chosen;
        }
    }
    Liv1->addTopLevelItems(kept);
    if (chosenKept) {
        Liv1->setCurrentItem(chosen);
    } else if (chosen) {
        // The chosen invoice went with the expired ones: nothing is chosen now.
        Command2->setEnabled(false);
        Command4->setEnabled(false);
    }
}

void NumberListForm::Form_Unload() {
    PaynumFile& list = m_lottery.Liv2;
    list.Invoices.clear();
    for (int i = 0; i < Liv1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem* row = Liv1->topLevelItem(i);
        list.Invoices.push_back({row->text(0), row->text(1)});
    }
    if (!list.save(m_lottery.UserFolder()))
        m_main.context().services.prompts().warning(QStringLiteral("發票清單儲存失敗"));
}

void ShowInvoiceList(MainView& main, NumberForm& lottery, QWidget* parent) {
    NumberListForm form(main, lottery, parent);
    main.context().services.modal().run(form);
    form.Form_Unload(); // whatever way the window ended
}
