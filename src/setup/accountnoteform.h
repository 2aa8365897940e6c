#pragma once
#include <QDialog>
#include <QString>
#include <QStringList>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
struct AppContext;

// The text dialog with one large text box. Its caption, set by the opener before it is
// shown, chooses the mode:
//   "匯出明細" (as built): the opener fills the box; Command1 copies it to the clipboard.
//   "編輯備註": note editor; the status line counts the note's bytes as the user types,
//               and the opener reads the text back (Text()) however the dialog closed.
//   any other caption: import of detail-text lines into *ImportList, the opener also
//               setting ImportAccounts, Command1 "直接匯入", the status text and showing
//               Command2.
// The dialog is built afresh for every opening.
class AccountNoteForm : public QDialog {
    Q_OBJECT
public:
    enum class Mode { Export, Import, Note };

    explicit AccountNoteForm(AppContext& ctx, QWidget* parent = nullptr);

    QPlainTextEdit* Text1 = nullptr;
    QPushButton* Command1 = nullptr; // 複製到剪貼簿 / the opener's caption
    QPushButton* Command2 = nullptr; // 清空明細後再匯入 (import only)
    QStatusBar* StatusBar1 = nullptr;

    // Import mode: the accounts a line may name and the working list it appends to.
    QStringList ImportAccounts;
    QStringList* ImportList = nullptr;

    Mode mode() const;

    // The box's text with its line breaks as CR LF (the box itself holds LF), and back.
    QString Text() const;
    void SetText(const QString& text);

    void SetStatusText(const QString& text);
    QString StatusText() const;

    // "備註字數: " and the note's byte count in cp950, marked beyond 5000 bytes.
    static QString NoteCountText(const QString& note);
    // Sets up the note-editor mode for `note` (caption, status count, sizes, text).
    void SetUpNoteEditor(const QString& note);
    // Sets up the import mode: caption "匯入明細", its button and status texts, Command2.
    void SetUpImport(const QStringList& accounts, QStringList* workingList);

    void Command1_Click();
    void Command2_Click();
    void Text1_KeyUp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void importText();

    AppContext& m_ctx;
    QLabel* m_status = nullptr;
};
