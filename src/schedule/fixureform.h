#pragma once
#include <QDialog>
#include <array>
#include <vector>

#include "store/ledger.h"
#include "store/session.h"

class MainView;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class QTreeWidget;
class QTreeWidgetItem;

// "定期記錄": the editor of the open ledger's recurring records. Its list is a working copy;
// every row carries the record it shows, so the table rebuilt at close holds untouched
// records exactly as read and builds only the added or edited ones from the editor.
class FixureForm : public QDialog {
    Q_OBJECT
public:
    explicit FixureForm(MainView& main, QWidget* parent = nullptr);

    QTreeWidget* Liv1 = nullptr;
    QComboBox* Combo1 = nullptr;        // 週期
    std::array<QComboBox*, 2> Combo2{}; // 時間: month or day, and the day of 年
    QCheckBox* Check1 = nullptr;        // 逾期補登
    std::array<QComboBox*, 2> Combo3{}; // first and second account
    QLineEdit* Text2 = nullptr;         // 金額
    QLineEdit* Text3 = nullptr;         // 明細
    QLabel* Label1 = nullptr;           // 週期
    QLabel* Label2 = nullptr;           // 時間
    QLabel* Label3 = nullptr;           // first account's role
    QLabel* Label4 = nullptr;           // second account's role
    QLabel* Label5 = nullptr;           // 金額
    QLabel* Label6 = nullptr;           // 明細
    QLabel* Label8 = nullptr;           // "/"
    QPushButton* Command1 = nullptr;    // 新增
    QPushButton* Command2 = nullptr;    // 編輯
    QPushButton* Command3 = nullptr;    // 刪除
    QStatusBar* StatusBar1 = nullptr;

    // The fields of an entry, as 以此筆記錄來設定定期紀錄 hands them over: amount, detail and
    // both accounts (an account the list does not offer leaves its selection).
    void PresetEntry(const EntryCore& entry);

    QString StatusText() const;

    void Combo1_Click();
    void Combo3_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Liv1_Click();
    void Liv1_ColumnClick(int column);

    void done(int result) override; // the unload: settings, then the table written

private:
    void fillAccountLists();
    void addRow(const RecurringRecord& r);
    void showRow(QTreeWidgetItem* row, const RecurringRecord& r);
    void fitColumns(); // after rows were added or changed
    // False, after a warning, when the detail holds a character below U+0020.
    bool detailIsPlain();
    RecurringRecord recordFromEditor(double hundredths) const;
    QTreeWidgetItem* selectedRow() const;
    void renewStatus();
    void markChanged();
    void loadSettings();
    void saveSettings();

    MainView& m_main;
    Ledger& m_ledger;
    QLabel* m_statusText = nullptr;
    // What the rows show, in the list's order; each row carries its place here.
    std::vector<RecurringRecord> m_records;
    const RecurringRecord& recordOf(const QTreeWidgetItem* row) const;
    void renumberRows();
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    bool m_unloaded = false;
};

// The texts of a record's row: 週期, 時間, 逾期補登, 分類, 科目, 金額 and 明細.
QStringList RecurringRowTexts(const RecurringRecord& r, const Session& session);
