// The menu bar, the toolbar and the pop-up menus lead to the handlers here and in the other
// command files; the commands of the menu bar that belong to the main window itself follow.
#include "mainwin/mainform.h"
#include "platform/webpages.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTreeWidget>

#include "platform/prompts.h"
#include "platform/shell.h"
#include "store/appcontext.h"
#include "windowparts/ledgerdialogue.h"

namespace {

// Passes the entry list's key presses and mouse releases to the main window's handlers
// without touching the window's own event filter. The window deletes it first when it is
// destroyed; until then it reads nothing of the window but for those two events.
class ListEventTap : public QObject {
public:
    ListEventTap(MainForm* window, QTreeView* list)
        : QObject(list), m_window(window), m_list(list), m_viewport(list->viewport()) {
        list->installEventFilter(this);
        m_viewport->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress && watched == m_list) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Delete) {
                m_window->Liv1_KeyDown(key);
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonRelease && watched == m_viewport) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            m_window->Liv1_MouseUp(mouse->button(), mouse->globalPosition().toPoint());
        }
        return QObject::eventFilter(watched, event);
    }

private:
    MainForm* m_window;
    QObject* m_list;
    QObject* m_viewport;
};

} // namespace

void MainForm::connectCommands() {
    auto on = [this](QAction* action, void (MainForm::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
    };

    on(File_Save, &MainForm::File_Save_Click);
    on(Help_Chm, &MainForm::Help_Chm_Click);
    on(Help_Web, &MainForm::Help_Web_Click);
    on(Help_Facebook, &MainForm::Help_Facebook_Click);
    on(Tools_Calc, &MainForm::Tools_Calc_Click);
    on(Data_New, &MainForm::Data_New_Click);
    on(Data_Del, &MainForm::Data_Del_Click);
    on(Data_Clear, &MainForm::Data_Clear_Click);
    on(Data_Payoff, &MainForm::Data_Payoff_Click);
    on(Set_Note, &MainForm::Set_Note_Click);
    on(Set_Acc, &MainForm::Set_Acc_Click);
    on(Set_General, &MainForm::Set_General_Click);
    on(Data_Fixure, &MainForm::Data_Fixure_Click);
    on(MenuTools_SetFixure, &MainForm::MenuTools_SetFixure_Click);
    on(Tools_Note, &MainForm::Tools_Note_Click);
    on(Tools_Number, &MainForm::Tools_Number_Click);
    on(Tools_NumberList, &MainForm::Tools_NumberList_Click);
    on(Tools_Download, &MainForm::Tools_Download_Click);
    on(Statement_IBS, &MainForm::Statement_IBS_Click);
    on(Menu_Date, &MainForm::Menu_Date_Click);

    on(MenuTools_New, &MainForm::MenuTools_New_Click);
    on(MenuTools_Edit, &MainForm::MenuTools_Edit_Click);
    on(MenuTools_Copy, &MainForm::MenuTools_Copy_Click);
    on(MenuTools_Del, &MainForm::MenuTools_Del_Click);
    for (int c = 0; c < 10; ++c)
        connect(setColorItem(c), &QAction::triggered, this,
                [this, c] { SetSelectedRecordsColor(c); });
    on(MenuTools_Jump, &MainForm::MenuTools_Jump_Click);
    on(MenuTools_Search1, &MainForm::MenuTools_Search1_Click);
    on(MenuTools_Search2, &MainForm::MenuTools_Search2_Click);
    on(MenuTools_Cal, &MainForm::MenuTools_Cal_Click);
    on(MenuTools_Up, &MainForm::MenuTools_Up_Click);
    on(MenuTools_Down, &MainForm::MenuTools_Down_Click);
    on(MenuTools_Refresh, &MainForm::MenuTools_Refresh_Click);

    on(MenuTools2_New, &MainForm::Data_New_Click);
    on(MenuTools2_Open, &MainForm::MenuTools2_Open_Click);
    on(MenuTools2_Close, &MainForm::MenuTools2_Close_Click);
    on(MenuTools2_Budget, &MainForm::MenuTools2_Budget_Click);
    on(Statement_Budget, &MainForm::Statement_Budget_Click);
    on(Statement_Year, &MainForm::Statement_Year_Click);
    on(Statement_IE, &MainForm::Statement_IE_Click);

    on(ST_Open, &MainForm::ST_Open_Click);

    // Each toolbar button runs its menu item's command and, except the save button whose
    // enabled state is the unsaved-changes flag, is available exactly when that item is.
    for (int position = 1; position <= ToolbarPositions; ++position) {
        QAction* button = ToolbarButton(position);
        if (button->isSeparator()) continue;
        connect(button, &QAction::triggered, this,
                [this, position] { Toolbar1_ButtonClick(position); });
        QAction* command = toolbarCommand(position);
        if (command && position != 3) {
            button->setEnabled(command->isEnabled());
            connect(command, &QAction::enabledChanged, button, &QAction::setEnabled);
        }
    }
    for (QAction* item : {Toolbar1Button6Item1, Toolbar1Button6Item2})
        connect(item, &QAction::triggered, this,
                [this, item] { Toolbar1_ButtonMenuClick(item->text()); });
    connect(Data_Clear, &QAction::enabledChanged, Toolbar1Button6Item2, &QAction::setEnabled);

    connect(Liv1, &QTreeView::doubleClicked, this, [this] { Liv1_DblClick(); });
    m_listTap = new ListEventTap(this, Liv1);
}

QAction* MainForm::toolbarCommand(int position) const {
    switch (position) {
    case 2:
        return File_SetDataBase;
    case 3:
        return File_Save;
    case 5:
        return Data_New;
    case 6:
        return Data_Del;
    case 7:
        return Data_Fixure;
    case 9:
        return Set_Acc;
    case 10:
        return Set_Note;
    case 11:
        return Set_General;
    case 13:
        return Statement_IBS;
    case 14:
        return Statement_Year;
    case 15:
        return Statement_Budget;
    case 16:
        return Statement_Note;
    case 18:
        return Tools_Download;
    case 19:
        return Tools_Note;
    case 20:
        return Tools_Number;
    case 21:
        return Tools_Calc;
    case 23:
        return MenuTools_Up;
    case 24:
        return MenuTools_Down;
    case 26:
        return Help_Chm;
    case 27:
        return Help_About;
    default:
        return nullptr; // separators
    }
}

void MainForm::Toolbar1_ButtonClick(int position) {
    // The same command as the menu item, whichever subsystem connected it.
    if (QAction* command = toolbarCommand(position); command && command->isEnabled())
        command->trigger();
}

void MainForm::Toolbar1_ButtonMenuClick(const QString& itemText) {
    if (itemText == Toolbar1Button6Item1->text())
        Data_Del->trigger();
    else if (itemText == Toolbar1Button6Item2->text() && Data_Clear->isEnabled())
        Data_Clear->trigger();
}

void MainForm::File_Save_Click() {
    // Saves whatever the flag says; only a save that succeeded clears the flags.
    if (!SaveLedger(m_ctx)) return;
    Ledger& ledger = m_ctx.ledger;
    SetLedgerChanged(false);
    ledger.AccountsChanged = false;
    ledger.DetailTextsChanged = false;
    ledger.QuickEntriesChanged = false;
    ledger.RecurringChanged = false;
}

void MainForm::Help_Chm_Click() {
    OpenWebPage(m_ctx.services.shell(), m_ctx.services.prompts(), WebPages::Help);
}

void MainForm::Help_Web_Click() {
    OpenWebPage(m_ctx.services.shell(), m_ctx.services.prompts(), WebPages::Home);
}

void MainForm::Help_Facebook_Click() {
    OpenWebPage(m_ctx.services.shell(), m_ctx.services.prompts(), WebPages::Social);
}

void MainForm::Tools_Calc_Click() {
    if (!m_ctx.services.shell().startCalculator())
        m_ctx.services.prompts().warning(QStringLiteral("找不到小算盤程式!"));
}
