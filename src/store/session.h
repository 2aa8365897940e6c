#pragma once
#include <QString>
#include <QStringList>
#include <functional>

#include "platform/fileio.h"

// Mirrors of the options of section "Setting", read once at start and changed
// only by the settings and login windows. A new set holds the defaults of a fresh
// installation, those of the options' table (store/settingoptions.h).
struct SettingMirrors {
    SettingMirrors();
    QString AccState;
    QString MonState;
    QString MoneyState;
    QString TrvState;
    QString AftState;
    QString AutoOpenState;
    QString UpdateState;
    QString SaveState;
    QString ZeroState;
    QString MinState;
    QString MinLockState;
    QString DayState;
    QString DayState2;
    QString YearState;
    QString DblClickState;
    QString ShowTitleState;
    QString AutoLoginState;
    QString AutoLoginUsername;
    QString AutoLoginPassword;
    QString MyDataBasePath;
    QString BackupPath;
    QString AutoBackupPath;
    QString AutoBackupMaxCount;
};

// Login state of the run. Folders end with "/".
struct Session {
    QString CurrentUser;
    QString UserPassword;
    QString DataRoot;
    QString LedgerName;
    QString AppFolder;
    // "1" when the open ledger shows two decimals (marker file DotState.qvd).
    QString DotState = "1";
    SettingMirrors Setting;

    // The ledger list window's names in list order (DataBase.lst); the opening reads it.
    QStringList LedgerNames;
    // Set by a start that had to make the data folder (a first start): the login then puts
    // the demo profile into it.
    bool DataRootCreated = false;
    // Set when the accounts of another ledger were applied to a new ledger.
    bool AccountsApplied = false;
    // Offers the accounts of another ledger to a new ledger (the apply window). Gets the
    // other ledger names in list order; copies the chosen ledger's files into the open
    // ledger's folder and returns true when applied. Unset: nothing is offered.
    std::function<bool(const QStringList& otherLedgers)> ApplyAccounts;

    QString userFolder() const { return FileIO::subFolder(DataRoot, CurrentUser); }
    QString ledgerFolder() const { return FileIO::subFolder(userFolder(), LedgerName); }
};
