#pragma once
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "platform/version.h"

class MainView;
class OpenForm;
struct AppContext;

// The login road of a run and the state it keeps between windows: the login window, the
// ledger list, opening a ledger and the logouts. One lives as a child of the main window
// (InstallUsers); the login and list windows reach it through the main window.
class UsersController : public QObject {
    Q_OBJECT
public:
    explicit UsersController(MainView& form);

    MainView& form() const { return m_form; }
    AppContext& context() const;

    // ---- State of the login -------------------------------------------------------------
    // Set once the memo reminders ran for this login; the main window's logout clears it.
    bool MemoCheckDone = false;
    // "1" when the logged-in user had no ledger; the first opening asks about the tutorial.
    QString FirstUse = QStringLiteral("0");
    // Set by every command of the ledger list that changes the list.
    bool LedgerListChanged = false;

    // ---- Reminder checks of the schedules, called when due (unset: nothing to show) --------
    std::function<void()> CheckMemoReminders;
    std::function<void()> CheckRecordReminders;
    std::function<void()> CheckDueRecurring;

    // ---- The road ---------------------------------------------------------------------------
    // Shows the login window until a user is logged in and a ledger is open, or the user
    // ends the program (the main window is then closed). Start-up and both logouts use it.
    void RunLogin();

    // Opens ledger `name` into the main window. With `list`, the steps of the list window's
    // open command run too (list file, closing the list, first-use question). False when
    // the ledger could not be loaded (its message was shown; the list stays open).
    bool OpenLedger(const QString& name, OpenForm* list = nullptr);

    // Empties the main window and the ledger tables with their flags, once the save
    // decision is made (a logout, or the open ledger deleted from the list), so nothing of
    // the ledger can be saved into another user's or a deleted folder. The main window's
    // logout also forgets the listed account.
    void ClearOpenLedger(bool forgetListedAccount = false);
    // Both logouts: the open ledger emptied as above and the windows that hold the user's
    // own data unloaded.
    void LeaveUser(bool forgetListedAccount);

    // ---- Commands of the main window ----------------------------------------------------
    void File_SetDataBase_Click(); // 帳本清單
    void File_Add_Click();         // 合併帳本
    void Help_About_Click();       // 關於
    void User_ChanegUserName_Click();
    void User_ChanegPassword_Click();
    void User_Logout_Click();

private:
    enum class AfterLogin { LedgerOpen, LoggedOut, Failed };
    AfterLogin runAfterLogin(const QStringList& ledgers);
    // Shows the list window filled with `ledgers`; true when a ledger was opened.
    enum class ListEnd { Opened, LoggedOut, Closed };
    ListEnd showLedgerList(const QStringList& ledgers, bool fromLogin);

    MainView& m_form;
};
