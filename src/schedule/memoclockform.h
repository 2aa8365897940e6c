#pragma once
#include <QDialog>
#include <vector>

#include "rules/schedule/memodue.h"
#include "rules/schedule/memofiles.h"

struct AppContext;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;

// "備忘提醒": the memos due at login, one at a time. A one-off memo's reminder can be
// switched off; Memo.dat is rewritten when the window closes after such a change.
class MemoClockForm : public QDialog {
    Q_OBJECT
public:
    MemoClockForm(AppContext& ctx, MemoBook& book, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr; // 日期
    QLabel* Label2 = nullptr; // 內容
    QLabel* Label3 = nullptr; // the row text
    QLabel* Label4 = nullptr; // 類型
    QLabel* Label5 = nullptr; // the type text
    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr; // 結束
    QPushButton* Command2 = nullptr; // 上一個
    QPushButton* Command3 = nullptr; // 下一個
    QPushButton* Command4 = nullptr; // 這筆不用再提醒
    QStatusBar* StatusBar1 = nullptr;

    std::vector<MemoReminderRow> Rows; // the due list: one-off memos first
    int Idx = 1;

    void ClockShow();
    QString StatusText() const;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

    void done(int result) override; // the unload: writes Memo.dat after a switch-off

private:
    AppContext& m_ctx;
    MemoBook& m_book;
    QLabel* m_statusText = nullptr;
    bool m_memosChanged = false;
    bool m_unloaded = false;
};

// Reads the user's memo files and shows the memos due today; nothing when none is due.
void CheckMemoReminders(AppContext& ctx, QWidget* parent);
