#pragma once
#include <QString>
#include <QStringList>
#include <functional>

// Mirrors of the options of settings section "Setting", read once at start and changed
// only by the settings and login windows. Defaults are those of a fresh installation.
struct SettingMirrors {
    QString AccState = "11";
    QString MonState = "1";
    QString MoneyState = "1";
    QString TrvState = "20";
    QString AftState = "1";
    QString AutoOpenState = "0";
    QString UpdateState = "1";
    QString SaveState = "0";
    QString ZeroState = "1";
    QString MinState = "0";
    QString MinLockState = "0";
    QString DayState = "1";
    QString DayState2 = "0";
    QString YearState = "0";
    QString DblClickState = "1";
    QString ShowTitleState = "0";
    QString AutoLoginState = "0";
    QString AutoLoginUsername;
    QString AutoLoginPassword;
    QString MyDataBasePath;
    QString BackupPath;
    QString AutoBackupPath;
    QString AutoBackupMaxCount = "7";
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

    QString userFolder() const { return DataRoot + CurrentUser + "/"; }
    QString ledgerFolder() const { return userFolder() + LedgerName + "/"; }
};
