#pragma once
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>

// The options file of the settings window: 21 cp950 lines ended by CR LF, one value a line.
// It carries what the window shows, so a user can take the options to another computer.
namespace SettingsFile {

inline constexpr int LineCount = 21;
inline constexpr int SwitchCount = 14; // lines 3 to 16

// The choices of the window's two lists, which the file names by their index.
const QStringList& FontSizes();    // the 16 list font sizes, "9" to "36"
const QStringList& BackupCounts(); // automatic backups kept, "7" to "30"
// The entries that the options' defaults select ("11" and "7"); also what a value
// outside the lists selects.
int DefaultFontIndex();
int DefaultCountIndex();

// What the window writes. Switches in line order: 顯示小數點, 科目欄位置移到左邊, 顯示千位符號,
// 自動檢查新版本, 自動開啟第一個帳本, 關閉資料庫時自動儲存, 科目欄顯示金額,
// 未來日期的記錄也列入計算,
// "--" for a zero budget, 最小化時縮到系統列中, 主畫面上不顯示軟體標題, 縮到系統列後鎖定,
// 以上個月日期為本月起始日, 年份選擇鍵下移代表跳下一年.
struct Values {
    QString Width;    // line 1, as typed
    QString StartDay; // line 2, as typed
    std::array<bool, SwitchCount> Switches{};
    QString BackupPath;                   // line 17, empty when none is set
    QString DataPath;                     // line 18
    int FontIndex = DefaultFontIndex();   // line 19, index in the 16 font sizes
    int CountIndex = DefaultCountIndex(); // line 20, index in the backup counts 7 to 30
    bool ShowAll = false;                 // line 21: "1" 顯示全部記錄, "2" 顯示當月記錄
};

QByteArray write(const Values& values);

// What a file asks of the window. An empty optional leaves that control as it is.
struct Loaded {
    QString Width;    // the number at the start of line 1, written back as text
    QString StartDay; // the same for line 2
    std::array<std::optional<bool>, SwitchCount> Switches{}; // 0 clears, 1 ticks
    QString BackupPath;
    QString DataPath;
    std::optional<int> FontIndex;         // out of 0..27 the default; 16..27 leaves the selection
    int CountIndex = DefaultCountIndex(); // out of 0..23 the default
    std::optional<bool> ShowAll;          // 1 all records, 2 the current month
};

// nullopt for a file that is not one of these files: a line count other than 21 (a
// cut-off or foreign file would otherwise fill the window with half-read values).
std::optional<Loaded> read(const QByteArray& file);

} // namespace SettingsFile
