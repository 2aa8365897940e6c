#include "users/useform.h"

#include "platform/desktop/windowroutines.h"
#include "platform/fileio.h"
#include "platform/modalrunner.h"
#include "platform/prompts.h"
#include "rules/users/ledgermerge.h"
#include "store/appcontext.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
const QString kMergeCaption = QStringLiteral("合併帳本");
} // namespace

UseForm::UseForm(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("UseForm"));
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    Command1 = new QPushButton(this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command2 = new QPushButton(this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(List1);
    layout->addLayout(buttons);

    connect(Command1, &QPushButton::clicked, this, &UseForm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &UseForm::Command2_Click);
    RemoveCloseCommand(this);
}

void UseForm::PrepareApply(const QStringList& otherLedgers) {
    setWindowTitle(QStringLiteral("套用科目"));
    Label1->setText(QStringLiteral("是否要套用現有帳本的科目？"));
    Command1->setText(QStringLiteral("套用"));
    Command2->setText(QStringLiteral("不要"));
    List1->clear();
    List1->addItems(otherLedgers);
    if (List1->count() > 0) List1->setCurrentRow(0);
    m_ctx.session.AccountsApplied = false;
}

void UseForm::PrepareMerge(const QStringList& otherLedgers) {
    setWindowTitle(kMergeCaption);
    Label1->setText(QStringLiteral("請選擇要合併的帳本"));
    Command1->setText(QStringLiteral("確定"));
    Command2->setText(QStringLiteral("取消"));
    List1->clear();
    List1->addItems(otherLedgers);
    List1->setCurrentRow(-1);
    List1->clearSelection();
    m_ctx.session.AccountsApplied = false;
}

bool UseForm::IsMerge() const {
    return windowTitle() == kMergeCaption;
}

void UseForm::Command1_Click() {
    // Without a chosen ledger there is nothing to take (the user folder itself is no ledger).
    QListWidgetItem* item = List1->currentItem();
    if (!item || !item->isSelected()) return;
    const QString source = FileIO::subFolder(m_ctx.session.userFolder(), item->text());
    if (IsMerge())
        merge(source);
    else
        apply(source);
}

void UseForm::apply(const QString& source) {
    const QString name = List1->currentItem()->text();
    Prompts& prompts = m_ctx.services.prompts();
    switch (LedgerMerge::applyLedgerFiles(source, m_ctx.session.ledgerFolder())) {
    case LedgerMerge::ApplyResult::MissingAccounts:
        prompts.warning(QStringLiteral("找不到 ") + name +
                        QStringLiteral(" 帳本的科目檔，無法套用"));
        return;
    case LedgerMerge::ApplyResult::MissingNotes:
        prompts.warning(QStringLiteral("找不到 ") + name +
                        QStringLiteral(" 帳本的常用明細檔，無法套用"));
        return;
    case LedgerMerge::ApplyResult::MissingFavorites:
        prompts.warning(QStringLiteral("找不到 ") + name +
                        QStringLiteral(" 帳本的快速入帳檔，無法套用"));
        return;
    case LedgerMerge::ApplyResult::CopyFailed:
        prompts.warning(QStringLiteral("發生錯誤!"));
        return;
    case LedgerMerge::ApplyResult::Applied:
        break;
    }
    m_ctx.session.AccountsApplied = true;
    accept();
}

void UseForm::merge(const QString& source) {
    Prompts& prompts = m_ctx.services.prompts();
    const LedgerMerge::MergeResult result = LedgerMerge::mergeLedger(m_ctx.ledger, source);
    if (result.entriesCut)
        prompts.plain(QStringLiteral("欲合併的資料已超出30000筆上限，將只有部分資料合併成功"),
                      QStringLiteral("注意"));
    if (result.accountsCut)
        prompts.plain(QStringLiteral("欲合併的科目資料已超出2000個上限，將只有部分科目合併成功"),
                      QStringLiteral("注意"));
    prompts.warning(QStringLiteral("合併完成，請重新開啟帳本"));
    m_ctx.session.AccountsApplied = true;
    accept();
}

void UseForm::Command2_Click() {
    m_ctx.session.AccountsApplied = false;
    reject();
}

bool AskApplyAccounts(AppContext& ctx, QWidget& owner, const QStringList& otherLedgers) {
    UseForm form(ctx, &owner);
    form.PrepareApply(otherLedgers);
    ctx.services.modal().run(form);
    return ctx.session.AccountsApplied;
}
