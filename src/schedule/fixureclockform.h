#pragma once
#include <QDialog>

#include "rules/schedule/recurringdue.h"

class MainView;
class QLabel;
class QPushButton;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;

// "定期記錄": the due occurrences of recurring records, every row ticked; 新增 books the
// ticked rows as entries. Each row carries its record's index in the recurring table.
class FixureClockForm : public QDialog {
    Q_OBJECT
public:
    explicit FixureClockForm(MainView& main, QWidget* parent = nullptr);

    QTreeWidget* Liv1 = nullptr;
    QPushButton* Command1 = nullptr; // 新增
    QPushButton* Command2 = nullptr; // 結束
    QPushButton* Command3 = nullptr; // 全選
    QPushButton* Command4 = nullptr; // 取消全選
    QStatusBar* StatusBar1 = nullptr;

    void AddRow(const DueOccurrence& occurrence);
    void SetStatusText(const QString& text);
    QString StatusText() const;

    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

private:
    void setStatus(QTreeWidgetItem* row, const QString& status);

    MainView& m_main;
    QLabel* m_statusText = nullptr;
};

// Lists the due occurrences of the open ledger's recurring records in the posting window
// and shows it modally; nothing is shown when none is due.
void CheckDueRecurring(MainView& main);
