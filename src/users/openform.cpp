#include "users/openform.h"

#include "platform/desktop/windowroutines.h"
#include "platform/fileio.h"
#include "platform/prompts.h"
#include "platform/shell.h"
#include "rules/users/backupcommands.h"
#include "rules/users/ledgerfolders.h"
#include "rules/users/ledgersearch.h"
#include "rules/users/namecheck.h"
#include "rules/users/renamefolder.h"
#include "rules/users/userfiles.h"
#include "store/appcontext.h"
#include "store/autobackup.h"
#include "store/loadledger.h"
#include "users/userscontroller.h"
#include "windowparts/mainview.h"
#include "windowparts/plainbutton.h"

#include <QGridLayout>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

OpenForm::OpenForm(AppContext& ctx, UsersController& users, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_users(users) {
    setObjectName(QStringLiteral("OpenForm"));
    setWindowTitle(QStringLiteral("帳本清單"));

    List1 = new QListWidget(this);
    List1->setObjectName(QStringLiteral("List1"));
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    Cmd1 = PlainButton(this, QLatin1String("Cmd1"), QStringLiteral("開啟"));
    Cmd1->setDefault(true);
    Cmd5 = PlainButton(this, QLatin1String("Cmd5"), QStringLiteral("新增"));
    Cmd2 = PlainButton(this, QLatin1String("Cmd2"), QStringLiteral("更名"));
    Cmd4 = PlainButton(this, QLatin1String("Cmd4"), QStringLiteral("複製"));
    Cmd3 = PlainButton(this, QLatin1String("Cmd3"), QStringLiteral("刪除"));
    Cmd8 = PlainButton(this, QLatin1String("Cmd8"), QStringLiteral("上移"));
    Cmd9 = PlainButton(this, QLatin1String("Cmd9"), QStringLiteral("下移"));
    Command2 = PlainButton(this, QLatin1String("Command2"), QStringLiteral("重整"));
    Command1 = PlainButton(this, QLatin1String("Command1"), QStringLiteral("搜尋"));
    Command3 = PlainButton(this, QLatin1String("Command3"), QStringLiteral("儲存備份"));
    Command4 = PlainButton(this, QLatin1String("Command4"), QStringLiteral("還原備份"));
    Command5 = PlainButton(this, QLatin1String("Command5"), QStringLiteral("還原系統備份"));
    Cmd6 = PlainButton(this, QLatin1String("Cmd6"), QStringLiteral("登出"));
    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);

    auto* grid = new QGridLayout;
    grid->addWidget(List1, 0, 0, 10, 3);
    int row = 0;
    for (QPushButton* b : {Cmd1, Cmd5, Cmd2, Cmd4, Cmd3, Cmd8, Cmd9, Command2, Command1})
        grid->addWidget(b, row++, 3);
    grid->setRowStretch(9, 1);
    grid->addWidget(Command3, 10, 0);
    grid->addWidget(Command4, 10, 1);
    grid->addWidget(Command5, 10, 2);
    grid->addWidget(Cmd6, 10, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(StatusBar1);

    connect(Cmd1, &QPushButton::clicked, this, &OpenForm::Cmd1_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &OpenForm::Cmd1_Click);
    connect(Cmd5, &QPushButton::clicked, this, &OpenForm::Cmd5_Click);
    connect(Cmd2, &QPushButton::clicked, this, &OpenForm::Cmd2_Click);
    connect(Cmd4, &QPushButton::clicked, this, &OpenForm::Cmd4_Click);
    connect(Cmd3, &QPushButton::clicked, this, &OpenForm::Cmd3_Click);
    connect(Cmd8, &QPushButton::clicked, this, &OpenForm::Cmd8_Click);
    connect(Cmd9, &QPushButton::clicked, this, &OpenForm::Cmd9_Click);
    connect(Command2, &QPushButton::clicked, this, &OpenForm::Command2_Click);
    connect(Command1, &QPushButton::clicked, this, &OpenForm::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &OpenForm::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &OpenForm::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &OpenForm::Command5_Click);
    connect(Cmd6, &QPushButton::clicked, this, &OpenForm::Cmd6_Click);
}

QString OpenForm::userFolder() const {
    return m_ctx.session.userFolder();
}

void OpenForm::Fill(const QStringList& ledgers) {
    List1->clear();
    List1->addItems(ledgers);
    updateStatus();
    setWindowTitle(m_ctx.session.CurrentUser + QStringLiteral(" 的帳本清單"));
    if (List1->count() > 0) List1->setCurrentRow(0);
}

QStringList OpenForm::Items() const {
    QStringList names;
    for (int i = 0; i < List1->count(); ++i)
        names.append(List1->item(i)->text());
    return names;
}

QString OpenForm::StatusText() const {
    return StatusBar1->currentMessage();
}

void OpenForm::updateStatus() {
    StatusBar1->showMessage(QStringLiteral("共有 ") + QString::number(List1->count()) +
                            QStringLiteral(" 個帳本"));
}

void OpenForm::EnableLedgerCommands(bool on) {
    for (QPushButton* b : {Cmd1, Cmd2, Cmd3, Cmd4})
        b->setEnabled(on);
}

void OpenForm::listChanged() {
    RemoveCloseCommand(this);
    m_users.LedgerListChanged = true;
}

bool OpenForm::SaveLedgerList() {
    if (!m_users.LedgerListChanged) return true;
    if (!UserFiles::writeLedgerList(userFolder(), Items())) {
        m_ctx.services.prompts().warning(QStringLiteral("發生錯誤!"));
        return false;
    }
    return true;
}

void OpenForm::Cmd1_Click() {
    QListWidgetItem* item = List1->currentItem();
    if (!item || !item->isSelected()) return;
    m_users.OpenLedger(item->text(), this);
}

void OpenForm::Cmd5_Click() {
    Prompts& prompts = m_ctx.services.prompts();
    const auto answer = prompts.input(QStringLiteral("新增帳本，請輸入帳本名稱。"));
    if (!answer || answer->isEmpty()) return;
    // Checked before any file-system call, with the commas that will be removed.
    const QString name = NameCheck::ledgerNameFromAnswer(*answer);
    const NameCheck::Problem problem = NameCheck::checkLedgerName(name);
    if (problem != NameCheck::Problem::None) {
        prompts.warning(NameCheck::ledgerMessage(problem));
        return;
    }
    if (LedgerFolders::nameTaken(userFolder(), *answer) ||
        LedgerFolders::nameTaken(userFolder(), name)) {
        prompts.warning(QStringLiteral("帳本已存在"));
        return;
    }
    if (!UserFiles::makePrivateFolder(userFolder() + name)) {
        prompts.warning(QStringLiteral("發生錯誤!"));
        return;
    }
    List1->addItem(name);
    List1->setCurrentRow(List1->count() - 1);
    updateStatus();
    EnableLedgerCommands(true);
    listChanged();
}

void OpenForm::Cmd2_Click() {
    QListWidgetItem* item = List1->currentItem();
    if (!item || !item->isSelected()) return;
    Prompts& prompts = m_ctx.services.prompts();
    const QString oldName = item->text();
    QString proposal = oldName;
    QString name;
    for (;;) {
        const auto answer = prompts.input(QStringLiteral("請輸入新的名稱"), QString(), proposal);
        if (!answer || answer->isEmpty()) return;
        name = NameCheck::ledgerNameFromAnswer(*answer);
        proposal = name;
        const NameCheck::Problem problem = NameCheck::checkLedgerName(name);
        if (problem != NameCheck::Problem::None) {
            prompts.warning(NameCheck::ledgerMessage(problem));
            continue;
        }
        if (LedgerFolders::nameTaken(userFolder(), name)) {
            prompts.warning(
                QStringLiteral("已有相同名稱的帳本，請選用其他名稱\r\n\r\n"
                               "若選單內沒有看到相同名稱的帳本，請按右方的「重整」鍵。"));
            continue;
        }
        break;
    }
    if (!RenameFolder(m_ctx, userFolder() + oldName, userFolder() + name)) return;
    item->setText(name);
    if (!m_openLedger.isEmpty() && oldName == m_openLedger) {
        m_openLedger = name;
        m_ctx.session.LedgerName = name;
        m_users.form().Window().setWindowTitle(LedgerCaption(m_ctx.session));
    }
    listChanged();
}

void OpenForm::Cmd4_Click() {
    QListWidgetItem* item = List1->currentItem();
    if (!item || !item->isSelected()) return;
    const QString target = LedgerFolders::copyTargetName(userFolder(), item->text());
    if (!LedgerFolders::copyLedger(FileIO::subFolder(userFolder(), item->text()),
                                   FileIO::subFolder(userFolder(), target))) {
        m_ctx.services.prompts().warning(QStringLiteral("帳本複製失敗"));
        return;
    }
    List1->addItem(target);
    updateStatus();
    listChanged();
}

void OpenForm::Cmd3_Click() {
    QListWidgetItem* item = List1->currentItem();
    if (!item || !item->isSelected()) return;
    Prompts& prompts = m_ctx.services.prompts();
    if (prompts.question(QStringLiteral("確定刪除這個帳本嗎？"), Prompts::Buttons::YesNo) !=
        Prompts::Answer::Yes)
        return;
    LedgerFolders::removeLeftovers(userFolder());
    if (!LedgerFolders::deleteLedger(FileIO::subFolder(userFolder(), item->text()))) {
        prompts.warning(QStringLiteral("帳本刪除失敗"));
        return;
    }
    if (!m_openLedger.isEmpty() && item->text() == m_openLedger) {
        // Its save decision was made before the list was shown; the list can now only be
        // left by opening a ledger or logging out.
        m_openLedger.clear();
        m_users.ClearOpenLedger();
    }
    const int n = List1->row(item);
    delete List1->takeItem(n);
    if (n > 0)
        List1->setCurrentRow(n - 1);
    else if (List1->count() > 0)
        List1->setCurrentRow(0);
    updateStatus();
    if (List1->count() == 0) EnableLedgerCommands(false);
    listChanged();
}

void OpenForm::moveSelected(int offset) {
    QListWidgetItem* item = List1->currentItem();
    if (!item || !item->isSelected()) return;
    const int i = List1->row(item);
    const int j = i + offset;
    if (j < 0 || j >= List1->count()) return;
    const QString text = item->text();
    item->setText(List1->item(j)->text());
    List1->item(j)->setText(text);
    List1->setCurrentRow(j);
    listChanged();
}

void OpenForm::Cmd8_Click() {
    moveSelected(-1);
}

void OpenForm::Cmd9_Click() {
    moveSelected(+1);
}

void OpenForm::Command2_Click() {
    LedgerFolders::removeLeftovers(userFolder());
    List1->clear();
    // Only folders whose names the list file can keep.
    for (const QString& name : FileIO::subFolders(userFolder())) {
        if (NameCheck::isValidLedgerName(name)) List1->addItem(name);
    }
    List1->setCurrentRow(-1);
    List1->clearSelection();
    updateStatus();
    EnableLedgerCommands(List1->count() > 0);
    listChanged();
}

void OpenForm::Command1_Click() {
    Prompts& prompts = m_ctx.services.prompts();
    const auto answer = prompts.input(QStringLiteral("請輸入要搜尋的字串"));
    if (!answer || answer->isEmpty()) return;
    const QStringList found = LedgersContaining(userFolder(), Items(), *answer);
    if (found.isEmpty()) {
        prompts.plain(QStringLiteral("沒有找到包含「") + *answer + QStringLiteral("」的帳本"));
        return;
    }
    QString result;
    for (const QString& name : found)
        result += name + QStringLiteral("\r\n");
    prompts.plain(QStringLiteral("以下帳本包含文字：") + *answer + QStringLiteral("\r\n\r\n") +
                  result);
}

void OpenForm::Command3_Click() {
    BackupCommands::SaveBackup(
        m_ctx,
        [this] {
            if (!SaveLedgerList()) return false; // the changes stay to be stored
            m_users.LedgerListChanged = false;
            return true;
        },
        [](const std::function<void()>& work) {
            const WaitCursor waiting;
            work();
        });
}

void OpenForm::Command4_Click() {
    if (!BackupCommands::RestoreBackup(m_ctx)) return;
    // The restored DataBase.lst is the list now: the logout must not overwrite it.
    m_users.LedgerListChanged = false;
    logOut(false);
}

void OpenForm::Command5_Click() {
    if (!BackupCommands::RestoreAutoBackup(m_ctx)) return;
    m_users.LedgerListChanged = false;
    logOut(false);
}

void OpenForm::Cmd6_Click() {
    logOut(true);
}

void OpenForm::logOut(bool autoBackup) {
    SaveLedgerList();
    if (autoBackup) {
        const WaitCursor waiting;
        AutoBackup(m_ctx);
    }
    m_users.LeaveUser(false);
    done(LoggedOut);
}
