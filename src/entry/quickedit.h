#pragma once
#include <QDialog>
#include <QString>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
struct AppContext;
struct QuickEntry;
class QuickForm;

// The editor of quick entries, opened modally by the quick-entry list only. The opener fills
// the account lists, sets QuickEditState and the caption (and, for an edit, the fields) and
// shows it. 確定 checks the fields, writes QuickEntries, refreshes the list window and closes.
class QuickEdit : public QDialog {
    Q_OBJECT
public:
    QuickEdit(AppContext& ctx, QuickForm& list, QWidget* parent = nullptr);
    ~QuickEdit() override;

    enum State : quint8 { Add = 1, EditOne = 2, EditMany = 3 };
    quint8 QuickEditState = 0;

    QComboBox* Cob1 = nullptr;       // category (Account1)
    QComboBox* Cob2 = nullptr;       // account (Account2)
    QLineEdit* Text1 = nullptr;      // amount
    QLineEdit* Text2 = nullptr;      // detail
    QPlainTextEdit* Text3 = nullptr; // note
    std::array<QCheckBox*, 5> Check1{};
    QLabel* Label1 = nullptr;        // detail counter
    QLabel* Label6 = nullptr;        // note counter
    QPushButton* Command1 = nullptr; // 確定
    QPushButton* Command2 = nullptr; // 取消

    // Cob1: every account but the equity account; Cob2: equity, asset and liability accounts.
    void FillAccountLists();

    // A click into field k (choosing an item of a list) ticks its box.
    void FieldClick(int k);
    // The user unticked or ticked box k.
    void Check1_Click(int k);
    void UpdateDetailCounter();
    void UpdateNoteCounter();
    void Command1_Click();

    // The note with CR LF line breaks, and back.
    QString NoteText() const;
    void SetNoteText(const QString& note);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    bool checksPass();

    AppContext& m_ctx;
    QuickForm& m_list;
    std::array<bool, 5> m_clearing{}; // set while unticking empties the field
};

// Field k of a quick entry: 0 分類, 1 科目, 2 金額, 3 明細, 4 備註 (any other k).
QString& QuickEntryField(QuickEntry& q, int k);
