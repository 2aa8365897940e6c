// The download window's controls, layout, opening and closing, and the remembered login.
#include "online/downform.h"

#include <QAction>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QResizeEvent>
#include <QStatusBar>
#include <QTreeWidget>

#include "platform/desktop/windowroutines.h"
#include "platform/prompts.h"
#include "platform/settingsstore.h"
#include "store/appcontext.h"
#include "windowparts/mainview.h"

namespace {

const QString Section = QStringLiteral("DownForm");
constexpr int Margin = 8;   // the list's left position, the gap between controls
constexpr int ListTop = 68; // below the login row and the two check boxes
constexpr int DesignWidth = 929;
constexpr int DesignHeight = 480;
constexpr int ClosedWidthTwips = 13230;
constexpr int ClosedHeightTwips = 7770;
constexpr int Columns = 8;
// A stored column width counts only above this, so a column dragged shut comes back.
constexpr int NarrowestStoredColumn = 10;
// 備註, 明細, 科目, 分類: the free texts give way first, as in the main list.
constexpr int TextColumns[] = {5, 4, 2, 1};

} // namespace

DownForm::DownForm(MainView& main, QWidget* parent) : QDialog(parent), m_main(main) {
    setObjectName(QStringLiteral("DownForm"));
    setWindowTitle(QStringLiteral("下載記帳資料"));
    buildControls();
    Form_Load();
}

void DownForm::buildControls() {
    MenuBar = new QMenuBar(this);
    MenuBar->setObjectName(QStringLiteral("MenuBar"));
    Menu_Misc = MenuBar->addMenu(QStringLiteral("其他(&M)"));
    Menu_Misc->setObjectName(QStringLiteral("Menu_Misc"));
    Misc_Tavrix = Menu_Misc->addAction(QStringLiteral("匯入Tavrix的CSV檔"));
    Misc_Tavrix->setObjectName(QStringLiteral("Misc_Tavrix"));

    auto box = [this](const char* name, int x) {
        auto* b = new QLineEdit(this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(x, Margin, 130, 24);
        return b;
    };
    auto button = [this](const char* name, const QString& caption, int width) {
        QPushButton* b = NamedButton(this, name, caption);
        b->resize(width, 28);
        return b;
    };
    Label1 = NamedLabel(this, "Label1", QStringLiteral("帳號"));
    Label1->move(Margin, Margin + 4);
    Text1 = box("Text1", 44);
    Label2 = NamedLabel(this, "Label2", QStringLiteral("密碼"));
    Label2->move(186, Margin + 4);
    Text2 = box("Text2", 222);
    Text2->setEchoMode(QLineEdit::Password);
    Text2->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // "*"
    Command1 = button("Command1", QStringLiteral("下載資料"), 90);
    Command1->move(364, Margin - 2);
    Command6 = button("Command6", QStringLiteral("清除線上資料"), 110);
    Command6->move(460, Margin - 2);
    Command8 = button("Command8", QStringLiteral("以CSV檔匯入資料"), 140);
    Command8->move(0, Margin - 2);
    Check1 = new QCheckBox(QStringLiteral("記住我的帳號密碼"), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->move(Margin, 40);
    Check1->adjustSize();
    Check2 = new QCheckBox(QStringLiteral("資料加入帳本後清除線上資料"), this);
    Check2->setObjectName(QStringLiteral("Check2"));
    Check2->move(180, 40);
    Check2->adjustSize();

    Liv1 = new QTreeWidget(this);
    Liv1->setObjectName(QStringLiteral("Liv1"));
    Liv1->setRootIsDecorated(false);
    // One row height for all: a change to every row (a posting, 全選) would otherwise measure
    // each row again, and the view does that once per row changed.
    Liv1->setUniformRowHeights(true);
    Liv1->setHeaderLabels({QStringLiteral("日期"), QStringLiteral("分類"), QStringLiteral("科目"),
                           QStringLiteral("金額"), QStringLiteral("明細"), QStringLiteral("備註"),
                           QStringLiteral("發票"), QStringLiteral("狀態")});
    const int widths[Columns] = {100, 105, 105, 80, 172, 172, 100, 50};
    for (int c = 0; c < Columns; ++c)
        Liv1->setColumnWidth(c, widths[c]);
    Liv1->header()->setStretchLastSection(false);
    FlattenListHeader(Liv1);
    Liv1->move(Margin, ListTop);
    m_textColumns =
        new YieldingColumns(Liv1, QList<int>(std::begin(TextColumns), std::end(TextColumns)));

    Command2 = button("Command2", QStringLiteral("全選"), 80);
    Command2->move(Margin, 0);
    Command5 = button("Command5", QStringLiteral("取消全選"), 80);
    Command5->move(Margin + 80 + Margin, 0);
    Command3 = button("Command3", QStringLiteral("加入帳本"), 90);
    Command7 = button("Command7", QStringLiteral("到記帳服務網站"), 120);
    Command4 = button("Command4", QStringLiteral("結束"), 80);

    StatusBar1 = StatusLine(this, m_statusText);
    StatusBar1->resize(StatusBar1->width(), 22);

    // The menu bar sits above the designed inner area.
    const int menuHeight = MenuBar->sizeHint().height();
    for (QWidget* w : findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly))
        if (w != MenuBar) w->move(w->x(), w->y() + menuHeight);
    setMinimumSize(640, 300 + menuHeight);
    resize(DesignWidth, DesignHeight + menuHeight);

    connect(Command1, &QPushButton::clicked, this, &DownForm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &DownForm::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &DownForm::Command3_Click);
    connect(Command4, &QPushButton::clicked, this, &DownForm::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &DownForm::Command5_Click);
    connect(Command6, &QPushButton::clicked, this, &DownForm::Command6_Click);
    connect(Command7, &QPushButton::clicked, this, &DownForm::Command7_Click);
    connect(Command8, &QPushButton::clicked, this, &DownForm::Command8_Click);
    connect(Misc_Tavrix, &QAction::triggered, this, &DownForm::Misc_Tavrix_Click);
    connect(Check2, &QCheckBox::toggled, this, &DownForm::Check2_Click);
}

void DownForm::Form_Load() {
    m_stagedFromService = false;
    m_accountsAdded = false;
    m_loadDone = false;
    const SettingsStore& store = m_main.context().services.settings();
    LoadWindowPlacement(*this, store, Section);
    ApplyListFontSize(Liv1, store);
    LoadColumnWidths(Liv1, store, Section, QStringLiteral("LW"), Columns, NarrowestStoredColumn);
    m_textColumns->takeWidths();
    Check2->setChecked(store.GetSetting(Section, QStringLiteral("Check2State"),
                                        QStringLiteral("0")) == QLatin1String("1"));
    m_loadDone = true;
    loadRememberedLogin();
    Form_Resize();
}

void DownForm::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    Form_Resize();
}

void DownForm::Form_Resize() {
    if (isMinimized()) return;
    const int menuHeight = MenuBar->sizeHint().height();
    MenuBar->setGeometry(0, 0, width(), menuHeight);
    const int w = width();
    const int h = height() - menuHeight;
    const int m = Liv1->x();
    Command8->move(w - Command8->width() - m, Command8->y());
    Command4->move(w - Command4->width() - m, Command4->y());
    Command7->move(Command4->x() - Command7->width() - m, Command7->y());
    Command3->move(Command7->x() - Command3->width() - m, Command3->y());
    const int listTop = Liv1->y() - menuHeight;
    const int statusHeight = StatusBar1->height();
    const int listHeight = std::max(0, h - listTop - statusHeight - Command4->height() - 2 * m);
    Liv1->resize(std::max(0, w - 2 * m), listHeight);
    const int buttonsTop = Liv1->y() + listHeight + m;
    for (QPushButton* b : {Command4, Command7, Command3, Command2, Command5})
        b->move(b->x(), buttonsTop);
    StatusBar1->setGeometry(0, height() - statusHeight, w, statusHeight);
    m_textColumns->keepInView();
    Liv1->viewport()->update();
}

void DownForm::done(int result) {
    Form_Unload();
    QDialog::done(result);
}

void DownForm::Form_Unload() {
    if (m_unloaded) return;
    m_unloaded = true;
    storeRememberedLogin();
    SettingsStore& store = m_main.context().services.settings();
    // One rewrite of the file for the whole close.
    const SettingsBatch once(store, m_main.context().services.prompts());
    SaveWindowPlacement(*this, store, Section, ClosedWidthTwips, ClosedHeightTwips);
    SaveSettingQuietly(store, Section, QStringLiteral("Check2State"),
                       Check2->isChecked() ? QStringLiteral("1") : QStringLiteral("0"));
    // The texts' own widths, not those they gave way to at this size.
    m_textColumns->restoreWidths();
    SaveColumnWidths(Liv1, store, Section, QStringLiteral("LW"), Columns);
}

QString DownForm::userFolder() const {
    return m_main.context().session.userFolder();
}

void DownForm::loadRememberedLogin() {
    const OnlineService::RememberedLogin login = OnlineService::ReadRememberedLogin(userFolder());
    if (!login.exists) return;
    Check1->setChecked(true);
    Text1->setText(login.name);
    Text2->setText(login.password);
}

void DownForm::storeRememberedLogin() {
    if (Text1->text().isEmpty() || Text2->text().isEmpty()) Check1->setChecked(false);
    Prompts& prompts = m_main.context().services.prompts();
    if (Check1->isChecked()) {
        if (!OnlineService::WriteRememberedLogin(userFolder(), Text1->text(), Text2->text()))
            prompts.warning(QStringLiteral("帳號密碼儲存失敗"));
    } else if (!OnlineService::ForgetRememberedLogin(userFolder())) {
        // The user asked not to keep it: say so when it is still on disk.
        prompts.warning(QStringLiteral("帳號密碼檔案無法刪除"));
    }
}

void DownForm::setStatus(const QString& text) {
    m_statusText->setText(text);
}

QString DownForm::StatusText() const {
    return m_statusText->text();
}

void DownForm::Check2_Click() {
    if (m_loadDone && Check2->isChecked())
        m_main.context().services.prompts().warning(
            QStringLiteral("線上資料刪除後將無法恢復，請慎用此功能。"));
}

void DownForm::Command4_Click() {
    reject(); // through done(), so the closing steps run once
}
