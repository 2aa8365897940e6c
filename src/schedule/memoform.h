#pragma once
#include <QDialog>
#include <array>
#include <optional>

#include "rules/schedule/memofiles.h"
#include "rules/schedule/memoleaddays.h"

struct AppContext;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// "備忘錄": the user's memo book. One-off memos in the upper half, recurring memos in the
// lower half. The tables are read when the window opens and both files written when it
// closes; the ledger is never touched.
class MemoForm : public QDialog {
    Q_OBJECT
public:
    explicit MemoForm(AppContext& ctx, QWidget* parent = nullptr);

    // Upper half: one-off memos.
    QLabel* Label1 = nullptr; // 日期
    QDateEdit* DTPicker1 = nullptr;
    QLabel* Label2 = nullptr; // 內容
    QLineEdit* Text1 = nullptr;
    std::array<QRadioButton*, 3> Option1{}; // 不提醒, 當天提醒, 前
    QLineEdit* Text2 = nullptr;             // lead days
    QLabel* Label3 = nullptr;               // 天提醒
    QPushButton* Command1 = nullptr;        // 新增
    QPushButton* Command2 = nullptr;        // 編輯
    QPushButton* Command3 = nullptr;        // 刪除
    QPushButton* Command4 = nullptr;        // 清除過期備忘
    QTreeWidget* Liv1 = nullptr;
    QPushButton* Command9 = nullptr; // ↑↑一般備忘 (a section bar)
    QPushButton* Command8 = nullptr; // 定期備忘↓↓ (a section bar)
    // Lower half: recurring memos.
    QTreeWidget* Liv2 = nullptr;
    QLabel* Label5 = nullptr; // 週期
    QComboBox* Combo1 = nullptr;
    QLabel* Label6 = nullptr; // 內容
    QLineEdit* Text3 = nullptr;
    QLabel* Label4 = nullptr; // 時間
    std::array<QComboBox*, 2> Combo2{};
    QLabel* Label8 = nullptr;               // "/"
    QWidget* Picture1 = nullptr;            // the lead-day panel
    std::array<QRadioButton*, 2> Option2{}; // 當天提醒, 前
    QLineEdit* Text4 = nullptr;
    QLabel* Label7 = nullptr;         // 天提醒
    QPushButton* Command5 = nullptr;  // 新增
    QPushButton* Command6 = nullptr;  // 編輯
    QPushButton* Command7 = nullptr;  // 刪除
    QPushButton* Command10 = nullptr; // ↑
    QPushButton* Command11 = nullptr; // ↓
    QStatusBar* StatusBar1 = nullptr;

    QString StatusText() const;
    const MemoBook& Book() const { return m_book; }

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command10_Click();
    void Command11_Click();
    void Combo1_Click();
    void Liv1_Click();
    void Liv2_Click();

    void done(int result) override; // the unload: settings, then both memo files

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildUpperHalf();
    void buildLowerHalf();
    void loadSettings();
    void saveSettings();
    void fillMemoList();
    // The dates, periods and times read whole in the lists' type, fitted again whenever rows
    // are written: a type larger than the one the design widths were made for needs more. A
    // time mixes digits with weekdays of wider characters, so every row is measured.
    void fitColumns();
    void fillFixedMemoRow(QTreeWidgetItem* row, const FixedMemoRecord& m);
    void renewStatus();
    // False, after a warning, when the memo text holds a character below U+0020.
    bool memoTextIsPlain(const QLineEdit* text);
    // The lead days of a box, or nullopt after the warning naming the accepted numbers.
    std::optional<int> leadDays(QLineEdit* box, LeadDaysReading reading);
    // The memo of an editor; nullopt when it was refused.
    std::optional<MemoRecord> memoFromEditor(QString& reminderText);
    std::optional<FixedMemoRecord> fixedMemoFromEditor(QStringList& rowTexts);
    QTreeWidgetItem* selected(QTreeWidget* list) const;
    void moveFixedMemo(int step);

    AppContext& m_ctx;
    MemoBook m_book;
    QLabel* m_statusText = nullptr;
    bool m_unloaded = false;
};
