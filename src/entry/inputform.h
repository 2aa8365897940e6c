#pragma once
#include <QDialog>
#include <QString>
#include <array>

#include "rules/entry/amountkeypad.h"
#include "rules/entry/storeentry.h"

class QAction;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStatusBar;
struct AppContext;
class MainView;

// The entry window: adds entries one after another (InputState 0) or changes the entry
// MainView::EditedEntry (InputState 1). The opener builds it (the constructor is the load
// step), prepares it (PrepareNew, PrepareCopy or PrepareEdit), then shows it through the
// modal runner. Choosing an item of Cob2 or Cob3 (setCurrentIndex) runs Cob2_Click.
class InputForm : public QDialog {
    Q_OBJECT
public:
    InputForm(AppContext& ctx, MainView& main, QWidget* parent = nullptr);
    ~InputForm() override;

    // ---- Preparation by the opener -------------------------------------------------------
    // A new entry: today, empty fields, the accounts suggested by the selected tree node.
    void PrepareNew();
    // Which fields a copy starts empty (today for the date, the first colour).
    struct CopyClears {
        bool date = false;
        bool amount = false;
        bool detail = false;
        bool note = false;
        bool invoice = false;
        bool colour = false;
    };
    // A new entry filled from entry i, less the fields `clears` empties.
    void PrepareCopy(int i, const CopyClears& clears);
    // Changing entry i (the opener has set MainView::EditedEntry to it).
    void PrepareEdit(int i);

    // Context set by the preparation.
    quint8 InputState = 0; // 0 add, 1 edit
    qint16 na = 0;         // entries added since the window opened, fee entries included

    // Main area.
    QDateEdit* DTPicker1 = nullptr;
    QPushButton* Cmd4 = nullptr;     // 今天
    QPushButton* Command7 = nullptr; // <<
    QPushButton* Command9 = nullptr; // >>
    QLabel* Label2 = nullptr;
    QComboBox* Cob2 = nullptr;              // first account (pick-only)
    std::array<QPushButton*, 4> Command6{}; // A L I E filters of Cob2
    QLabel* Label3 = nullptr;
    QComboBox* Cob3 = nullptr;               // second account (pick-only)
    std::array<QPushButton*, 2> Command10{}; // A L filters of Cob3
    QPushButton* Command11 = nullptr;        // 對調
    QLineEdit* Text2 = nullptr;              // amount
    QLabel* Label8 = nullptr;                // keypad operator sign
    QLineEdit* Text3 = nullptr;              // exchange rate
    QComboBox* Combo3 = nullptr;             // detail (editable)
    QLabel* Label13 = nullptr;               // "明細字數: "
    QCheckBox* Check1 = nullptr;             // 存到明細清單內
    QPlainTextEdit* Text1 = nullptr;         // note
    QPushButton* Command1 = nullptr;         // 展開 (note editor)
    QLabel* Label14 = nullptr;               // "備註字數: "
    QLineEdit* Text6 = nullptr;              // invoice number
    QComboBox* ColorCombo = nullptr;
    std::array<QPushButton*, 18> CmdNum{}; // keypad
    QPushButton* Command2 = nullptr;       // 快速入帳
    QPushButton* Command5 = nullptr;       // + (store as quick entry)
    QPushButton* Command8 = nullptr;       // 分期付款
    QPushButton* Cmd1 = nullptr;           // 新增 / 變更
    QPushButton* Cmd2 = nullptr;           // 結束 / 取消
    QPushButton* Command3 = nullptr;       // 更多功能 >> / << 關閉
    QStatusBar* StatusBar1 = nullptr;

    // Wide area.
    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr; // 不提醒
    QRadioButton* Option2 = nullptr; // 當天提醒
    QRadioButton* Option3 = nullptr; // 前 n 天提醒
    QLineEdit* Text4 = nullptr;      // lead days
    QSpinBox* UpDown1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QCheckBox* Check2 = nullptr; // 扣手續費
    QComboBox* Cob4 = nullptr;   // fee account
    QComboBox* Cob5 = nullptr;   // account the fee is paid from
    QLineEdit* Text5 = nullptr;  // fee amount
    QComboBox* Combo1 = nullptr; // fee detail (editable)

    // Menu 進階設定 and commands.
    QMenuBar* MenuBar = nullptr;
    QMenu* Set = nullptr;
    QMenu* Set_Clear = nullptr;
    QAction* Clear_Type0 = nullptr;
    QAction* Clear_Type1 = nullptr;
    QAction* Clear_Type2 = nullptr;
    QAction* Clear_Type3 = nullptr;
    QAction* Clear_Type4 = nullptr;
    QAction* Clear_Type5 = nullptr;
    QAction* Set_Amount = nullptr;
    QAction* Set_Note = nullptr;
    QAction* Set_ExchangeRate = nullptr;
    QAction* Help = nullptr;
    QAction* Cal = nullptr;
    QAction* NumberList = nullptr;
    QAction* AllClear = nullptr;

    // The status bar's one text ("尚未新增記錄", "您已經新增 n 筆記錄").
    void SetStatusText(const QString& text);
    QString StatusText() const;

    // Commands (also reachable through their controls).
    void Cmd1_Click();   // store
    void Check2_Click(); // fee toggle
    void AllClear_Click();
    void Cal_Click();
    void NumberList_Click();
    void Cob2_Click(); // role captions and detail list
    void Cob3_Click();
    void Cob4_Click(); // fee detail list
    void Command6_Click(int index);
    void Command10_Click(int index);
    void Cmd4_Click();
    void Command7_Click();
    void Command9_Click();
    void Command3_Click();  // narrow / wide
    void Command11_Click(); // swap accounts
    void Command5_Click();  // store as quick entry
    void Command2_Click();  // quick-entry list
    void Command8_Click();  // installments
    void Command1_Click();  // note editor
    void CmdNum_Click(int index);
    void Help_Click();

    // Releases the first pressed kind filter of Cob2 (firstList) or Cob3 as its second press
    // would, but without opening the drop-down list; nothing when none is pressed.
    void ReleaseKindFilter(bool firstList);

    // Live byte counters (Combo3 and Text1); also for openers that fill the fields, which
    // show the count without the over-limit remark.
    void UpdateDetailCounter(bool remark = true);
    void UpdateNoteCounter(bool remark = true);

    // The note with its line breaks as CR LF (the box itself holds LF), and back.
    QString NoteText() const;
    void SetNoteText(const QString& note);

    // The fields as the store commands read them, and the corrections they make.
    EntryFields ReadFields() const;
    void ShowCorrections(const EntryFields& f);
    // After entries were written by the installments: the count and the status text.
    void CountAdded(int entries);
    // Keeps the fee account, amount and detail as the defaults of the next fee entry.
    void SaveFeeDefaults();

    // Keypad state (PendingOperator, Accumulator).
    AmountKeypad& keypad() { return m_keypad; }
    bool isWide() const;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void done(int result) override;

private:
    void Form_Activate();
    void buildControls();
    void buildMenu();
    void connectHandlers();
    void loadOptions();
    void saveOptions();
    void applyWidth();
    void fitHeight(int width);
    void kindFilterClick(QComboBox* list, QPushButton* const* buttons, int count, int index,
                         bool firstList);
    void syncKeypadFromBox();
    void syncBoxFromKeypad(const AmountKeypad::Effect& effect);
    bool amountKeyPress(QKeyEvent* event);
    // The new entry's rows in the main list (or its second account listed).
    void refreshAfterAdd(const StoreResult& r, const EntryFields& f);
    void showBox(const EntryMessage& m);
    // Preparation steps (inputform_prepare.cpp).
    void selectEntryAccounts(const EntryCore& e);
    void setReminderOptions(const EntryNote& note);
    void fitDropWidths();
    void setColour(int index);
    void setCounters();
    void Form_Unload();

    AppContext& m_ctx;
    MainView& m_main;
    AmountKeypad m_keypad;
    bool m_unloaded = false;
    bool m_wide = false;      // the reminder and fee area shown
    bool m_inserting = false; // items being added to an account list: no choice handling
};
