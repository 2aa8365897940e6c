#pragma once
#include <QDialog>
#include <array>
#include <utility>

#include "store/session.h"

class MainView;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QWidget;
struct AppContext;

// 一般設定: the program options of section "Setting" and the open ledger's decimals marker,
// edited on seven pages. Nothing is stored before 確定, which validates first.
class SetForm : public QDialog {
    Q_OBJECT
public:
    SetForm(AppContext& ctx, MainView& main, QWidget* parent = nullptr);

    QListWidget* List1 = nullptr; // page names
    QLabel* Label3 = nullptr;     // page description
    QWidget* Frame0 = nullptr;    // page 1 (啟動), shown when every frame is hidden
    QGroupBox* Frame6 = nullptr;  // 一般
    QGroupBox* Frame2 = nullptr;  // 儲存
    QGroupBox* Frame3 = nullptr;  // 科目欄
    QGroupBox* Frame4 = nullptr;  // 數字格式
    QGroupBox* Frame5 = nullptr;  // 日期相關
    QGroupBox* Frame1 = nullptr;  // 預算

    QCheckBox* Check1 = nullptr;     // 顯示小數點 (僅此帳本)
    QCheckBox* Check2 = nullptr;     // 科目欄位置移到左邊
    QCheckBox* Check3 = nullptr;     // 顯示千位符號
    QCheckBox* Check4 = nullptr;     // 點二下新增記錄
    QCheckBox* Check5 = nullptr;     // 自動檢查新版本
    QCheckBox* Check6 = nullptr;     // 自動開啟第一個帳本
    QCheckBox* Check7 = nullptr;     // 關閉資料庫時自動儲存
    QCheckBox* Check8 = nullptr;     // 科目欄顯示金額
    QCheckBox* Check9 = nullptr;     // 未來日期的記錄也列入計算
    QCheckBox* Check10 = nullptr;    // "--" for a zero budget
    QCheckBox* Check11 = nullptr;    // 指定自動備份儲存路徑:
    QCheckBox* Check12 = nullptr;    // 最小化時縮到系統列中
    QCheckBox* Check13 = nullptr;    // 主畫面上不顯示軟體標題
    QCheckBox* Check14 = nullptr;    // 指定資料庫儲存路徑:
    QCheckBox* Check15 = nullptr;    // 縮到系統列後鎖定
    QCheckBox* Check16 = nullptr;    // 以上個月日期為本月起始日
    QCheckBox* Check18 = nullptr;    // 年份選擇鍵下移代表跳下一年
    QRadioButton* Option1 = nullptr; // 顯示全部記錄
    QRadioButton* Option2 = nullptr; // 顯示當月記錄
    QLineEdit* Text1 = nullptr;      // account-tree width, 10 to 50
    QLineEdit* Text2 = nullptr;      // first day of the month, 1 to 28
    QComboBox* Combo1 = nullptr;     // list font size
    QComboBox* Combo2 = nullptr;     // backups kept, 7 to 30
    QLabel* Label11 = nullptr;       // automatic-backup folder
    QLabel* Label12 = nullptr;       // data folder
    QPushButton* Command4 = nullptr; // picks Label11
    QPushButton* Command5 = nullptr; // picks Label12
    QPushButton* Command1 = nullptr; // 確定
    QPushButton* Command2 = nullptr; // 取消
    QPushButton* Command3 = nullptr; // 還原預設值
    QPushButton* Command6 = nullptr; // 儲存設定值
    QPushButton* Command7 = nullptr; // 載入設定值

    void Set_Show(int page);

    void Form_Load();
    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Check11_Click();
    void Check14_Click();

private:
    void buildWidgets();
    void nameControls();
    void pickFolder(QLabel* label);
    void setPathBox(QCheckBox* box, QLabel* label, QPushButton* picker, const QString& path);
    void showOptions(const SettingMirrors& mirrors, bool decimals, const QString& fontSize);
    bool validate();
    // Sets the mirrors, the decimals marker and the stored options from the controls; false
    // when the settings file did not take every option.
    [[nodiscard]] bool store();

    AppContext& m_ctx;
    MainView& m_main;
    // The switch boxes and the mirror each one shows ("0" unticked, anything else ticked).
    std::array<std::pair<QCheckBox*, QString SettingMirrors::*>, 12> m_switches{};
};
