#pragma once
#include <QDialog>

class QLabel;
class QPushButton;
struct AppContext;

// 關於: name and version, the contact page, and the hidden switch of the automatic backup
// (every seventh click on the picture).
class AboutForm : public QDialog {
    Q_OBJECT
public:
    explicit AboutForm(AppContext& ctx, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Image2 = nullptr;
    QPushButton* Command1 = nullptr; // 確定
    QPushButton* Command3 = nullptr; // 連絡作者

    void Image2_Click();
    void Command1_Click();
    void Command3_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    AppContext& m_ctx;
    int m_clicks = 0;
};
