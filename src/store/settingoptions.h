#pragma once
#include <QString>
#include <QStringList>
#include <QStringView>
#include <span>

#include "store/session.h"

class SettingsStore;

// One option of section "Setting": its key, the program-wide mirror that holds it while the
// program runs, and the value a missing key reads as.
struct SettingOption {
    const char* key;
    QString SettingMirrors::*mirror; // nullptr: only the store holds it
    const char* fallback;
    bool editedInSettingsWindow; // written by the general settings' 確定, in the table's order
    // Figures are counted or written by it (what counts in a period, how an amount or a zero
    // budget reads, whether the tree shows amounts): a switch of it is told to the windows
    // as LedgerChange::Figures.
    bool decidesFigures = false;
};

// The one list of the options of section "Setting" that the program reads at start: the
// start-up, the mirrors' defaults, the general settings window (its loading, storing and
// defaults) and the test tools all read it. The section's other keys (the last user, the
// automatic backup switch) belong to the windows that write them.
namespace SettingOptions {

inline const QString Section = QStringLiteral("Setting");

// Table order: the settings window's own keys in the order its 確定 writes them, then the
// mirrors set elsewhere (the login's automatic login, the manual backup folder).
inline constexpr SettingOption All[] = {
    {"AccState", &SettingMirrors::AccState, "11", true, true},
    {"MoneyState", &SettingMirrors::MoneyState, "1", true, true},
    {"MonState", &SettingMirrors::MonState, "1", true},
    {"TrvState", &SettingMirrors::TrvState, "20", true},
    {"AftState", &SettingMirrors::AftState, "1", true, true},
    {"AutoOpenState", &SettingMirrors::AutoOpenState, "0", true},
    {"UpdateState", &SettingMirrors::UpdateState, "1", true},
    {"SaveState", &SettingMirrors::SaveState, "0", true},
    {"ZeroState", &SettingMirrors::ZeroState, "1", true, true},
    {"DayState", &SettingMirrors::DayState, "1", true, true},
    {"DayState2", &SettingMirrors::DayState2, "0", true, true},
    {"YearState", &SettingMirrors::YearState, "0", true},
    {"MinState", &SettingMirrors::MinState, "0", true},
    {"MinLockState", &SettingMirrors::MinLockState, "0", true},
    {"ShowTitleState", &SettingMirrors::ShowTitleState, "0", true},
    {"DblClickState", &SettingMirrors::DblClickState, "1", true},
    {"AutoBackupPath", &SettingMirrors::AutoBackupPath, "", true},
    {"AutoBackupMaxCount", &SettingMirrors::AutoBackupMaxCount, "7", true},
    {"MyDataBasePath", &SettingMirrors::MyDataBasePath, "", true},
    {"MainFontSize", nullptr, "11", true}, // the main window's list font size
    {"AutoLoginState", &SettingMirrors::AutoLoginState, "0", false},
    {"AutoLoginUsername", &SettingMirrors::AutoLoginUsername, "", false},
    {"AutoLoginPassword", &SettingMirrors::AutoLoginPassword, "", false},
    {"BackupPath", &SettingMirrors::BackupPath, "", false},
};

// The option of a key; nullptr for a key not in the table.
const SettingOption* find(QStringView key);
// The value a missing key reads as; the key must be in the table.
QString fallback(QStringView key);
// The stored value of an option of the table, its fallback when missing.
QString read(const SettingsStore& store, QStringView key);
// Every mirror from the store, each missing key as its fallback.
void readMirrors(const SettingsStore& store, SettingMirrors& mirrors);
// What figures are counted and written by: the open ledger's decimals (its marker file, not a
// key of the section) and the options of the table that decide figures. Two sessions whose
// values are equal show every figure alike.
QStringList figureValues(const Session& session);

} // namespace SettingOptions
