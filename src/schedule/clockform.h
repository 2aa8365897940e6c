#pragma once
#include <QDialog>
#include <vector>

class MainView;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

// "記錄提醒": the entries whose reminder is due, shown one at a time.
class ClockForm : public QDialog {
    Q_OBJECT
public:
    // One reminder: the texts shown and the entry it belongs to.
    struct Row {
        QString date, account1, account2, amount, detail, note;
        int clock = 1;    // 1 while the entry's reminder is on
        int clockDay = 0; // the entry's lead days
        int index = 0;    // the entry's index in the entry tables
    };

    explicit ClockForm(MainView& main, QWidget* parent = nullptr);

    // Labels 1 to 6 are the captions, 7 to 11 the values; Text1 the note.
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label10 = nullptr;
    QLabel* Label11 = nullptr;
    QLineEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr; // 結束
    QPushButton* Command2 = nullptr; // 上一個
    QPushButton* Command3 = nullptr; // 下一個
    QPushButton* Command4 = nullptr; // 這筆不用再提醒
    QStatusBar* StatusBar1 = nullptr;

    std::vector<Row> Rows; // the reminder list, in entry order
    int Idx = 1;           // the 1-based row shown

    void ClockShow();
    QString StatusText() const;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

private:
    MainView& m_main;
    QLabel* m_statusText = nullptr;
};

// Lists the entries whose reminder is due today and shows them; nothing when none is due.
void CheckRecordReminders(MainView& main);
