#pragma once
#include <QDialog>
#include <QList>
#include <array>

#include "rules/entry/multiedit.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
struct AppContext;
class MainView;

// 編輯多筆記錄: writes the ticked fields into every entry selected in the main window's
// entry list. The constructor is the load step: it fills the lists and shows what the
// selected entries have in common; the opener then shows it through the modal runner.
// A click into a field or choosing a list item ticks the field's box; unticking a box by
// hand empties its field; only ticked fields are written.
class EditForm : public QDialog {
    Q_OBJECT
public:
    EditForm(AppContext& ctx, MainView& main, QWidget* parent = nullptr);

    // Check1[n] is the box of field n (MultiEdit::Field order).
    std::array<QCheckBox*, MultiEdit::FieldCount> Check1{};
    QLineEdit* Text0 = nullptr;      // 日期
    QComboBox* Cob1 = nullptr;       // 分類 (pick-only)
    QComboBox* Cob2 = nullptr;       // 科目 (pick-only)
    QLineEdit* Text1 = nullptr;      // 金額
    QLineEdit* Text2 = nullptr;      // 明細
    QPlainTextEdit* Text3 = nullptr; // 備註
    QLineEdit* Text4 = nullptr;      // 發票
    QComboBox* Combo1 = nullptr;     // 標記: 勾選標記, 取消勾選
    QComboBox* Combo2 = nullptr;     // 顏色: the ten colour names
    QPushButton* Command1 = nullptr; // 確定
    QPushButton* Command2 = nullptr; // 取消

    // Touching a field (a click into a text box, a list item chosen).
    void Text0_Click();
    void Cob1_Click();
    void Cob2_Click();
    void Text1_Click();
    void Text2_Click();
    void Text3_Click();
    void Text4_Click();
    void Combo1_Click();
    void Combo2_Click();
    // A box clicked by hand: unticking empties its field.
    void Check1_Click(int index);
    // 確定: checks, writes, selects the written rows in the main window and closes; a
    // refusal keeps it open.
    void Command1_Click();

    // The note with its line breaks as CR LF (the box itself holds LF).
    QString NoteText() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void fillLists();
    void showCommonValues();
    void tick(int field);
    void clearField(int field);
    MultiEdit::Values readFields() const;
    QList<int> selectedEntries() const;

    AppContext& m_ctx;
    MainView& m_main;
    // Set while unticking empties a field, so that emptying a list does not tick it again.
    std::array<bool, MultiEdit::FieldCount> m_clearing{};
};
