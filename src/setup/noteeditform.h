#pragma once
#include <QDialog>
#include <QStringList>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
struct AppContext;

// Asks for the account a detail text is copied or moved to. The opener sets the caption,
// which is the mode ("複製明細" or "移動明細"), the source account (Text1), the text
// (Text2), Label1, the choices of Combo1 and the working list the command changes.
// 確定 closes the window (accepted) once the working list changed; a refusal keeps it open.
class NoteEditForm : public QDialog {
    Q_OBJECT
public:
    explicit NoteEditForm(AppContext& ctx, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QComboBox* Combo1 = nullptr;     // target account
    QLineEdit* Text1 = nullptr;      // hidden: the source account
    QLineEdit* Text2 = nullptr;      // hidden: the text
    QPushButton* Command1 = nullptr; // 確定
    QPushButton* Command2 = nullptr; // 取消

    QStringList* WorkingList = nullptr;

    bool isMove() const;

    void Form_Load();
    void Command1_Click();
    void Command2_Click();

private:
    AppContext& m_ctx;
};
