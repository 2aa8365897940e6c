#include "users/aboutform.h"

#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"
#include "platform/shell.h"
#include "platform/version.h"
#include "platform/webpages.h"
#include "store/appcontext.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {
const QString kSetting = QStringLiteral("Setting");
const QString kAutoBackupState = QStringLiteral("AutoBackupState");
} // namespace

AboutForm::AboutForm(AppContext& ctx, QWidget* parent) : QDialog(parent), m_ctx(ctx) {
    setObjectName(QStringLiteral("AboutForm"));
    QString caption = QStringLiteral("關於 Qivo Qivoka");
    if (m_ctx.services.settings().GetSetting(kSetting, kAutoBackupState, QStringLiteral("1")) !=
        u"1")
        caption += QStringLiteral(" [自動備份已關閉]");
    setWindowTitle(caption);

    Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    Image2->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(48, 48));
    Image2->installEventFilter(this);
    Label1 = new QLabel(QStringLiteral("Qivo ") + ProgramCaption, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Command1 = new QPushButton(QStringLiteral("確定"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    Command3 = new QPushButton(QStringLiteral("連絡作者"), this);
    Command3->setObjectName(QStringLiteral("Command3"));
    Command3->setAutoDefault(false);

    auto* top = new QHBoxLayout;
    top->addWidget(Image2);
    top->addWidget(Label1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Command3);
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(buttons);
    // Wide enough for its caption, which the title bar would otherwise cut.
    setMinimumWidth(TitleBarWidth(*this));

    connect(Command1, &QPushButton::clicked, this, &AboutForm::Command1_Click);
    connect(Command3, &QPushButton::clicked, this, &AboutForm::Command3_Click);
}

void AboutForm::Image2_Click() {
    if (++m_clicks < 7) return;
    m_clicks = 0;
    SettingsStore& settings = m_ctx.services.settings();
    // The switch is announced only once the settings file holds it.
    const bool on = settings.GetSetting(kSetting, kAutoBackupState, QStringLiteral("1")) == u"1";
    if (!settings.SaveSetting(kSetting, kAutoBackupState,
                              on ? QStringLiteral("0") : QStringLiteral("1")))
        m_ctx.services.prompts().warning(SettingsNotStoredText());
    else
        m_ctx.services.prompts().plain(on ? QStringLiteral("自動備份已關閉")
                                          : QStringLiteral("自動備份已開啟"));
}

void AboutForm::Command1_Click() {
    accept();
}

void AboutForm::Command3_Click() {
    OpenWebPage(m_ctx.services.shell(), m_ctx.services.prompts(), WebPages::Contact);
}

bool AboutForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Image2 && event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        Image2_Click();
    return QDialog::eventFilter(watched, event);
}
