#include "setup/noteform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "platform/desktop/listchoice.h"
#include "platform/desktop/windowroutines.h"
#include "platform/modalrunner.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "rules/setup/detailtextlines.h"
#include "rules/setup/detailtextlist.h"
#include "setup/accountnoteform.h"
#include "setup/noteeditform.h"
#include "store/appcontext.h"
#include "store/detailtext.h"
#include "store/plaintext.h"

using DetailTextList::Outcome;

namespace {

// The list shows a text cut after ShownLength characters and keeps the whole text with the
// item: laying out a text of a megabyte took the list longer the longer the text, and
// nobody reads a row past the list's width.
constexpr qsizetype ShownLength = 200;

QString shown(const QString& text) {
    return text.size() > ShownLength ? text.left(ShownLength) + QChar(0x2026) : text;
}

void setListed(QListWidgetItem* item, const QString& text) {
    item->setData(Qt::UserRole, text);
    item->setText(shown(text));
}

QString listed(const QListWidgetItem* item) {
    return item->data(Qt::UserRole).toString();
}

void addListed(QListWidget* list, const QString& text) {
    auto* item = new QListWidgetItem;
    setListed(item, text);
    list->addItem(item);
}

} // namespace

NoteForm::NoteForm(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("NoteForm"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(QStringLiteral("編輯明細資料"));
    buildControls();
    Form_Load();
}

void NoteForm::buildControls() {
    List3 = new QListWidget(this);
    List3->setObjectName(QStringLiteral("List3"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->installEventFilter(this);

    auto button = [this](QPushButton*& b, const char* name, const QString& caption) {
        b = new QPushButton(caption, this);
        b->setObjectName(QLatin1String(name));
        // Enter belongs to the text list (編輯), never to a button.
        b->setAutoDefault(false);
    };
    button(Command2, "Command2", QStringLiteral("新增"));
    button(Command3, "Command3", QStringLiteral("編輯"));
    button(Command7, "Command7", QStringLiteral("移動"));
    button(Command8, "Command8", QStringLiteral("複製"));
    button(Command4, "Command4", QStringLiteral("刪除"));
    button(Command5, "Command5", QStringLiteral("上移"));
    button(Command6, "Command6", QStringLiteral("下移"));
    button(Command9, "Command9", QStringLiteral("匯入"));
    button(Command1, "Command1", QStringLiteral("匯出"));

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    for (int n = 0; n < 2; ++n) {
        m_panels[n] = new QLabel(StatusBar1);
        m_panels[n]->setObjectName(QStringLiteral("Panel%1").arg(n + 1));
        StatusBar1->addWidget(m_panels[n], n == 0 ? 0 : 1);
    }
    m_panels[0]->setMinimumWidth(90);
    m_panels[1]->setText(QStringLiteral("※未分類的屬於共用明細"));

    auto* grid = new QGridLayout;
    grid->addWidget(List3, 0, 0, 10, 1);
    grid->addWidget(List1, 0, 1, 10, 1);
    int row = 0;
    for (QPushButton* b :
         {Command2, Command3, Command7, Command8, Command4, Command5, Command6, Command9, Command1})
        grid->addWidget(b, row++, 2);
    grid->setRowStretch(9, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->addLayout(grid, 1);
    layout->addWidget(StatusBar1);
    resize(520, 400);

    OnItemChosen(List3, [this] { List3_Click(); });
    // With no account selected no text is listed, so no command can act on one.
    connect(List3->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (SelectedAccount().isEmpty()) List3_Click();
    });
    connect(List1, &QListWidget::itemDoubleClicked, this, [this] { List1_DblClick(); });
    connect(Command2, &QPushButton::clicked, this, &NoteForm::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &NoteForm::Command3_Click);
    connect(Command7, &QPushButton::clicked, this, &NoteForm::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &NoteForm::Command8_Click);
    connect(Command4, &QPushButton::clicked, this, &NoteForm::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &NoteForm::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &NoteForm::Command6_Click);
    connect(Command9, &QPushButton::clicked, this, &NoteForm::Command9_Click);
    connect(Command1, &QPushButton::clicked, this, &NoteForm::Command1_Click);
}

QLabel* NoteForm::Panel(int n) const {
    return n >= 1 && n <= 2 ? m_panels[n - 1] : nullptr;
}

QString NoteForm::PanelText(int n) const {
    QLabel* panel = Panel(n);
    return panel ? panel->text() : QString();
}

QString NoteForm::SelectedAccount() const {
    const QModelIndex row = SelectedRow(List3);
    return row.isValid() ? List3->item(row.row())->text() : QString();
}

QStringList NoteForm::ListedTexts() const {
    QStringList texts;
    for (int i = 0; i < List1->count(); ++i)
        texts << listed(List1->item(i));
    return texts;
}

QListWidgetItem* NoteForm::selectedItem() const {
    const QModelIndex row = SelectedRow(List1);
    return row.isValid() ? List1->item(row.row()) : nullptr;
}

QStringList NoteForm::accountChoices() const {
    QStringList names;
    for (int i = 0; i < List3->count(); ++i)
        names << List3->item(i)->text();
    return names;
}

void NoteForm::Form_Load() {
    const Ledger& ledger = m_ctx.ledger;
    List2.clear();
    for (int i = 1; i < ledger.DetailTextCount; ++i)
        List2 << ledger.DetailTexts[size_t(i)];
    List3->clear();
    List3->addItem(DetailText::unfiledOwner());
    for (int i = 1; i < ledger.AccountCount; ++i) {
        const QString name = Runtime::trimBlanks(ledger.Accounts[size_t(i)].Name.trimmed());
        if (name != QStringLiteral("Equity")) List3->addItem(name);
    }
    List3->setCurrentRow(0); // lists "未分類"
}

void NoteForm::List3_Click() {
    List1->clear();
    const QString account = SelectedAccount();
    if (!account.isEmpty())
        for (const QString& text : DetailTextList::textsOf(List2, account))
            addListed(List1, text);
    rewriteCount();
}

void NoteForm::rewriteCount() {
    DrawPanelText(m_panels[0], DetailTextList::countText(List1->count(), List2));
}

void NoteForm::listChanged() {
    m_ctx.ledger.markDetailTextsChanged();
    rewriteCount();
}

void NoteForm::Command2_Click() {
    Prompts& prompts = m_ctx.services.prompts();
    if (List2.size() >= DetailTextLines::Capacity) {
        prompts.warning(DetailTextLines::fullMessage());
        return;
    }
    if (SelectedAccount().isEmpty()) return;
    const auto answer = prompts.input(QStringLiteral("請輸入您要新增的明細內容"));
    if (!answer || answer->isEmpty()) return;
    if (!PlainText::isPlain(*answer)) {
        prompts.warning(DetailText::unsupportedMessage());
        return;
    }
    const Outcome outcome = DetailTextList::add(List2, SelectedAccount(), *answer);
    if (outcome == Outcome::Full) {
        prompts.warning(DetailTextLines::fullMessage());
        return;
    }
    if (outcome == Outcome::Exists) {
        prompts.warning(QStringLiteral("這筆明細已經存在，無法新增!"));
        return;
    }
    addListed(List1, *answer);
    List1->setCurrentRow(List1->count() - 1);
    listChanged();
}

void NoteForm::Command3_Click() {
    QListWidgetItem* item = selectedItem();
    if (!item) return;
    const QString old = listed(item);
    const auto answer =
        m_ctx.services.prompts().input(QStringLiteral("要改成什麼名稱?"), QString(), old);
    if (!answer || answer->isEmpty()) return;
    if (!PlainText::isPlain(*answer)) {
        m_ctx.services.prompts().warning(DetailText::unsupportedMessage());
        return;
    }
    DetailTextList::rename(List2, SelectedAccount(), old, *answer);
    setListed(item, *answer);
    listChanged();
}

void NoteForm::List1_DblClick() {
    Command3_Click();
}

void NoteForm::Command4_Click() {
    QListWidgetItem* item = selectedItem();
    if (!item) return;
    DetailTextList::remove(List2, SelectedAccount(), listed(item));
    delete List1->takeItem(List1->row(item));
    List1->setCurrentRow(-1); // no text stays selected after a deletion
    listChanged();
}

void NoteForm::moveSelected(int step) {
    QListWidgetItem* item = selectedItem();
    if (!item) return;
    const int row = List1->row(item);
    const int other = row + step;
    if (other < 0 || other >= List1->count()) return;
    const QString text = listed(item);
    const QString neighbour = listed(List1->item(other));
    if (DetailTextList::exchange(List2, SelectedAccount(), text, neighbour) != Outcome::Done)
        return;
    setListed(List1->item(other), text);
    setListed(item, neighbour);
    List1->setCurrentRow(other);
    listChanged();
}

void NoteForm::Command5_Click() {
    moveSelected(-1);
}

void NoteForm::Command6_Click() {
    moveSelected(+1);
}

void NoteForm::copyOrMove(bool move) {
    QListWidgetItem* item = selectedItem();
    if (!item) return;
    NoteEditForm form(m_ctx, this);
    form.Combo1->addItems(accountChoices());
    FitComboDropWidth(form.Combo1);
    form.Combo1->setCurrentIndex(form.Combo1->findText(SelectedAccount(), Qt::MatchExactly));
    form.Text1->setText(SelectedAccount());
    form.Text2->setText(listed(item));
    form.setWindowTitle(move ? QStringLiteral("移動明細") : QStringLiteral("複製明細"));
    form.Label1->setText(
        item->text() + QStringLiteral("\r\n\r\n") + // the text as the list shows it
        (move ? QStringLiteral("要移動到哪一個科目?") : QStringLiteral("要複製到哪一個科目?")));
    form.WorkingList = &List2;
    if (m_ctx.services.modal().run(form) != QDialog::Accepted) return;
    if (move) {
        delete List1->takeItem(List1->row(item));
        List1->setCurrentRow(-1);
    }
    rewriteCount(); // the window has set the flags
}

void NoteForm::Command7_Click() {
    copyOrMove(true);
}

void NoteForm::Command8_Click() {
    copyOrMove(false);
}

void NoteForm::Command1_Click() {
    AccountNoteForm form(m_ctx, this);
    form.SetText(DetailTextLines::exportLines(List2));
    m_ctx.services.modal().run(form);
}

void NoteForm::Command9_Click() {
    AccountNoteForm form(m_ctx, this);
    form.SetUpImport(accountChoices(), &List2);
    if (m_ctx.services.modal().run(form) != QDialog::Accepted) return;
    // The texts shown may be gone (cleared first) or joined by new ones.
    List3_Click();
}

void NoteForm::Form_Unload() {
    m_ctx.ledger.replaceDetailTexts(List2);
}

void NoteForm::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

bool NoteForm::List1_KeyDown(int key) {
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Command3_Click();
        return true;
    }
    if (key == Qt::Key_Delete) {
        Command4_Click();
        return true;
    }
    return false;
}

bool NoteForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == List1 && event->type() == QEvent::KeyPress &&
        List1_KeyDown(static_cast<QKeyEvent*>(event)->key()))
        return true;
    return QDialog::eventFilter(watched, event);
}
