// The users subsystem on the main window: its login step and the menu commands it answers.
#include "mainwin/mainform.h"
#include "schedule/clockform.h"
#include "schedule/fixureclockform.h"
#include "schedule/memoclockform.h"

#include <QAction>

#include "users/userscontroller.h"

UsersController& InstallUsers(MainForm& form) {
    if (form.m_users) return *form.m_users;
    auto* users = new UsersController(form);
    form.m_users = users;
    form.LoginStep = [users](MainForm&) { users->RunLogin(); };
    // The reminders and due recurring records of the schedules, at login and at each opening.
    users->CheckMemoReminders = [&form] { CheckMemoReminders(form.context(), &form); };
    users->CheckRecordReminders = [&form] { CheckRecordReminders(form); };
    users->CheckDueRecurring = [&form] { CheckDueRecurring(form); };
    const QList<std::pair<QAction*, void (UsersController::*)()>> commands = {
        {form.File_SetDataBase, &UsersController::File_SetDataBase_Click},
        {form.File_Add, &UsersController::File_Add_Click},
        {form.Help_About, &UsersController::Help_About_Click},
        {form.User_ChanegUserName, &UsersController::User_ChanegUserName_Click},
        {form.User_ChanegPassword, &UsersController::User_ChanegPassword_Click},
        {form.User_Logout, &UsersController::User_Logout_Click},
    };
    for (const auto& [action, handler] : commands) {
        if (!action) continue;
        QObject::connect(action, &QAction::triggered, users,
                         [users, handler = handler] { (users->*handler)(); });
    }
    return *users;
}
