#include "setup/accountnoteform.h"

#include <QEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "platform/codec.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "platform/shell.h"
#include "rules/setup/detailtextlines.h"
#include "store/appcontext.h"

namespace {
const QString ExportCaption = QStringLiteral("匯出明細");
const QString NoteCaption = QStringLiteral("編輯備註");
constexpr int NoteLimit = 5000;
} // namespace

AccountNoteForm::AccountNoteForm(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("AccountNoteForm"));
    setWindowTitle(ExportCaption);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Detail-text lines wrap at any character: a long line without a blank (Latin letters)
    // would otherwise be searched for a word end afresh for every line it is wrapped into.
    Text1->setWordWrapMode(QTextOption::WrapAnywhere);
    Text1->setMinimumSize(400, 240);
    Text1->installEventFilter(this);

    Command1 = new QPushButton(QStringLiteral("複製到剪貼簿"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAutoDefault(false);
    Command2 = new QPushButton(QStringLiteral("清空明細後再匯入"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAutoDefault(false);
    Command2->hide();

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    m_status = new QLabel(StatusBar1);
    m_status->setObjectName(QStringLiteral("StatusPanel1"));
    StatusBar1->addWidget(m_status, 1);
    SetStatusText(QStringLiteral("複製到剪貼簿後貼到網路記帳中即可完成設定"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 0);
    layout->addWidget(Text1, 1);
    layout->addLayout(buttons);
    layout->addWidget(StatusBar1);

    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
}

AccountNoteForm::Mode AccountNoteForm::mode() const {
    const QString caption = windowTitle();
    if (caption == ExportCaption) return Mode::Export;
    if (caption == NoteCaption) return Mode::Note;
    return Mode::Import;
}

QString AccountNoteForm::Text() const {
    QString text = Text1->toPlainText();
    text.replace(u'\n', QStringLiteral("\r\n"));
    return text;
}

void AccountNoteForm::SetText(const QString& text) {
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    Text1->setPlainText(plain);
}

void AccountNoteForm::SetStatusText(const QString& text) {
    m_status->setText(text);
}
QString AccountNoteForm::StatusText() const {
    return m_status->text();
}

QString AccountNoteForm::NoteCountText(const QString& note) {
    const int n = Ansi::byteLength(note);
    QString text = QStringLiteral("備註字數: ") + QString::number(n);
    if (n > NoteLimit) text += QStringLiteral(" (超過上限5000字，請縮減字數)");
    return text;
}

void AccountNoteForm::SetUpNoteEditor(const QString& note) {
    SetStatusText(NoteCountText(note));
    setWindowTitle(NoteCaption);
    Text1->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere); // a note keeps its words
    Command1->hide();
    Text1->setMinimumSize(0, 0);
    Text1->setFixedSize(505, 313);
    adjustSize();
    resize(Runtime::twipsToPixels(7900), height());
    SetText(note);
}

void AccountNoteForm::SetUpImport(const QStringList& accounts, QStringList* workingList) {
    ImportAccounts = accounts;
    ImportList = workingList;
    setWindowTitle(QStringLiteral("匯入明細"));
    Command1->setText(QStringLiteral("直接匯入"));
    SetStatusText(QStringLiteral("請貼上明細資料後按下匯入"));
    Command2->show();
}

void AccountNoteForm::Command1_Click() {
    switch (mode()) {
    case Mode::Export:
        m_ctx.services.shell().setClipboardText(Text());
        accept();
        break;
    case Mode::Import:
        importText();
        break;
    case Mode::Note:
        break; // hidden in this mode
    }
}

void AccountNoteForm::Command2_Click() {
    if (mode() != Mode::Import) return;
    if (ImportList) ImportList->clear();
    importText();
}

void AccountNoteForm::importText() {
    if (ImportList && DetailTextLines::importLines(Text(), ImportAccounts, *ImportList).full)
        m_ctx.services.prompts().warning(DetailTextLines::fullMessage());
    m_ctx.ledger.markDetailTextsChanged();
    accept();
}

void AccountNoteForm::Text1_KeyUp() {
    if (mode() == Mode::Note) SetStatusText(NoteCountText(Text()));
}

bool AccountNoteForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text1 && event->type() == QEvent::KeyRelease) Text1_KeyUp();
    return QDialog::eventFilter(watched, event);
}
