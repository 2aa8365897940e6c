#include "setup/noteeditform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "rules/setup/detailtextlines.h"
#include "rules/setup/detailtextlist.h"
#include "store/appcontext.h"

NoteEditForm::NoteEditForm(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("NoteEditForm"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setWindowTitle(QStringLiteral("複製明細"));

    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setMinimumWidth(260);
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Text1 = new QLineEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->hide();
    Text2 = new QLineEdit(this);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->hide();
    Command1 = new QPushButton(QStringLiteral("確定"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command2 = new QPushButton(QStringLiteral("取消"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0, 1, 2);
    grid->addWidget(Combo1, 1, 0, 1, 2);
    grid->addWidget(Command1, 2, 0);
    grid->addWidget(Command2, 2, 1);

    connect(Command1, &QPushButton::clicked, this, &NoteEditForm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &NoteEditForm::Command2_Click);
    Form_Load();
}

bool NoteEditForm::isMove() const {
    return windowTitle() == QStringLiteral("移動明細");
}

void NoteEditForm::Form_Load() {
    // A drop-down about 400 pixels high.
    BoundDropHeight(Combo1, 400 / qMax(1, Combo1->fontMetrics().height() + 4));
}

void NoteEditForm::Command1_Click() {
    if (!WorkingList) return;
    const QString target = Combo1->currentText();
    const QString source = Text1->text();
    const QString text = Text2->text();
    using DetailTextList::Outcome;
    const Outcome outcome = isMove() ? DetailTextList::move(*WorkingList, source, text, target)
                                     : DetailTextList::copy(*WorkingList, source, text, target);
    Prompts& prompts = m_ctx.services.prompts();
    switch (outcome) {
    case Outcome::SameAccount:
        prompts.warning(QStringLiteral("來源科目與目的科目相同，請重新選擇"));
        return;
    case Outcome::Full:
        prompts.warning(DetailTextLines::fullMessage());
        return;
    case Outcome::Exists:
        prompts.warning(target + QStringLiteral("科目中已有這筆明細"));
        return;
    case Outcome::NotFound:
        reject(); // the text is gone from the list: nothing to move
        return;
    case Outcome::Done:
        break;
    }
    m_ctx.ledger.markDetailTextsChanged();
    accept();
}

void NoteEditForm::Command2_Click() {
    reject();
}
