#pragma once
#include <QDialog>
#include <QList>

#include "platform/desktop/windowroutines.h"
#include "rules/online/onlineservice.h"

class MainView;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QAction;
class QPushButton;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;

// 下載記帳資料: rows from the online service or a CSV file are staged in Liv1, ticked, and the
// ticked ones added to the open ledger (加入帳本), creating the accounts they name. The
// constructor is the window's load; Form_Unload (run by done(), once) stores the login and
// the settings and rebuilds the main window's tree when accounts were added.
//
// Driving it without a user (tests, tools): StageRows fills the list as an import does and
// ticks every row; Command3_Click posts; Statuses() and StatusText() tell the outcome, the
// boxes go through the prompts service. Text1, Text2 and Check1 with Form_Unload store the
// login; a new window reads it back.
class DownForm : public QDialog {
    Q_OBJECT
public:
    explicit DownForm(MainView& main, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr; // 帳號
    QLabel* Label2 = nullptr;
    QLineEdit* Text2 = nullptr;      // 密碼
    QPushButton* Command1 = nullptr; // 下載資料
    QPushButton* Command6 = nullptr; // 清除線上資料
    QPushButton* Command8 = nullptr; // 以CSV檔匯入資料
    QCheckBox* Check1 = nullptr;     // 記住我的帳號密碼
    QCheckBox* Check2 = nullptr;     // 資料加入帳本後清除線上資料
    QTreeWidget* Liv1 = nullptr;     // the staging list
    QPushButton* Command2 = nullptr; // 全選
    QPushButton* Command5 = nullptr; // 取消全選
    QPushButton* Command3 = nullptr; // 加入帳本
    QPushButton* Command7 = nullptr; // 到記帳服務網站
    QPushButton* Command4 = nullptr; // 結束
    QStatusBar* StatusBar1 = nullptr;
    QMenuBar* MenuBar = nullptr;
    QMenu* Menu_Misc = nullptr;     // 其他(&M)
    QAction* Misc_Tavrix = nullptr; // 匯入Tavrix的CSV檔

    void Form_Resize();
    void Form_Unload();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Misc_Tavrix_Click();
    void Check2_Click();

    // Empties the list, adds the rows and ticks them, as an import does (not from the
    // service, so a posting of them never clears the online entries).
    void StageRows(const QList<OnlineService::StagedRow>& rows);
    // The staged rows, and what the last posting said of each (狀態).
    QList<OnlineService::StagedRow> Rows() const;
    QStringList Statuses() const;
    QString StatusText() const;
    bool StagedFromService() const { return m_stagedFromService; }
    bool AccountsAdded() const { return m_accountsAdded; }

    void done(int result) override;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildControls();
    void Form_Load();
    void loadRememberedLogin();
    void storeRememberedLogin();
    void fillList(const QList<OnlineService::StagedRow>& rows);
    void importFile(bool tavrix);
    void setStatus(const QString& text);
    QString serviceHost() const;
    QString userFolder() const;
    void clearRows();
    void showStatus(int r);
    void setTicked(bool on);

    // One row of the list: what was staged, what the last posting said of it, and whether
    // it is in the ledger (then it has no box to tick).
    struct StagedLine {
        OnlineService::StagedRow row;
        QString status;
        bool posted = false;
    };
    QList<StagedLine> m_lines; // in the list's order

    MainView& m_main;
    QLabel* m_statusText = nullptr;
    bool m_stagedFromService = false;
    bool m_accountsAdded = false;
    bool m_loadDone = false;
    bool m_unloaded = false;
    // The text columns give way to the figures and to 狀態, so that every column stays in
    // view; each at the width the user gave it where there is room.
    YieldingColumns* m_textColumns = nullptr;
};
