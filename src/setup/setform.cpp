#include "setup/setform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "platform/clock.h"
#include "platform/codec.h"
#include "platform/desktop/listchoice.h"
#include "platform/desktop/windowroutines.h"
#include "platform/fileio.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "rules/setup/settingsfile.h"
#include "store/appcontext.h"
#include "store/ledgerfiles.h"
#include "store/settingoptions.h"
#include "windowparts/mainview.h"

namespace {

const QString kWidthRefused = QStringLiteral("科目欄的寬度請設定10到50間的數字");
const QString kDayRefused = QStringLiteral("月份啟始日請設定1到28間的數字");
const QString kNotStored = SettingsNotStoredText();

QString flag(const QCheckBox* box) {
    return box->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
}

bool isFolder(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

// A folder is stored with its trailing "/"; no folder stays empty.
QString withSlash(const QString& path) {
    return path.isEmpty() ? path : FileIO::withTrailingSlash(path);
}

} // namespace

SetForm::SetForm(AppContext& ctx, MainView& main, QWidget* parent)
    : QDialog(parent), m_ctx(ctx), m_main(main) {
    setObjectName(QStringLiteral("SetForm"));
    setWindowTitle(QStringLiteral("一般設定"));
    buildWidgets();
    nameControls();
    using M = SettingMirrors;
    m_switches = {{{Check3, &M::MoneyState},
                   {Check4, &M::DblClickState},
                   {Check5, &M::UpdateState},
                   {Check6, &M::AutoOpenState},
                   {Check7, &M::SaveState},
                   {Check9, &M::AftState},
                   {Check10, &M::ZeroState},
                   {Check12, &M::MinState},
                   {Check15, &M::MinLockState},
                   {Check13, &M::ShowTitleState},
                   {Check16, &M::DayState2},
                   {Check18, &M::YearState}}};
    OnItemChosen(List1, [this] { List1_Click(); });
    connect(Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    connect(Command6, &QPushButton::clicked, this, [this] { Command6_Click(); });
    connect(Command7, &QPushButton::clicked, this, [this] { Command7_Click(); });
    connect(Check11, &QCheckBox::clicked, this, [this] { Check11_Click(); });
    connect(Check14, &QCheckBox::clicked, this, [this] { Check14_Click(); });
    Form_Load();
}

// Every control carries its documented name, for tests, tools and accessibility.
void SetForm::nameControls() {
    const std::pair<QWidget*, const char*> controls[] = {
        {List1, "List1"},       {Label3, "Label3"},     {Frame1, "Frame1"},
        {Frame2, "Frame2"},     {Frame3, "Frame3"},     {Frame4, "Frame4"},
        {Frame5, "Frame5"},     {Frame6, "Frame6"},     {Check1, "Check1"},
        {Check2, "Check2"},     {Check3, "Check3"},     {Check4, "Check4"},
        {Check5, "Check5"},     {Check6, "Check6"},     {Check7, "Check7"},
        {Check8, "Check8"},     {Check9, "Check9"},     {Check10, "Check10"},
        {Check11, "Check11"},   {Check12, "Check12"},   {Check13, "Check13"},
        {Check14, "Check14"},   {Check15, "Check15"},   {Check16, "Check16"},
        {Check18, "Check18"},   {Option1, "Option1"},   {Option2, "Option2"},
        {Text1, "Text1"},       {Text2, "Text2"},       {Combo1, "Combo1"},
        {Combo2, "Combo2"},     {Label11, "Label11"},   {Label12, "Label12"},
        {Command1, "Command1"}, {Command2, "Command2"}, {Command3, "Command3"},
        {Command4, "Command4"}, {Command5, "Command5"}, {Command6, "Command6"},
        {Command7, "Command7"},
    };
    for (const auto& [control, name] : controls)
        control->setObjectName(QLatin1String(name));
}

void SetForm::buildWidgets() {
    auto check = [this](QWidget* page, const QString& text) { return new QCheckBox(text, page); };
    auto column = [](QWidget* page) { return new QVBoxLayout(page); };

    List1 = new QListWidget(this);
    List1->addItems({"啟動", "一般", "儲存", "科目欄", "數字格式", "日期相關", "預算"});
    List1->setFixedWidth(150);
    Label3 = new QLabel(this);

    Frame0 = new QWidget(this);
    {
        auto* l = column(Frame0);
        l->addWidget(new QLabel(QStringLiteral("啟動時："), Frame0));
        l->addWidget(Check5 = check(Frame0, QStringLiteral("自動檢查新版本")));
        l->addWidget(new QLabel(QStringLiteral("登入後："), Frame0));
        l->addWidget(Check6 = check(Frame0, QStringLiteral("自動開啟第一個帳本")));
        l->addWidget(new QLabel(QStringLiteral("開啟資料庫後："), Frame0));
        l->addWidget(Option1 = new QRadioButton(QStringLiteral("顯示全部記錄"), Frame0));
        l->addWidget(Option2 = new QRadioButton(QStringLiteral("顯示當月記錄"), Frame0));
        l->addStretch();
    }
    Frame6 = new QGroupBox(this);
    {
        auto* l = column(Frame6);
        l->addWidget(Check12 = check(Frame6, QStringLiteral("最小化時縮到系統列中")));
        l->addWidget(Check15 = check(Frame6, QStringLiteral("縮到系統列後鎖定")));
        l->addWidget(
            Check13 = check(Frame6, QStringLiteral("主畫面上不顯示軟體標題 (須重新啟動才會生效)")));
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(QStringLiteral("科目欄及記錄列表字型大小"), Frame6));
        row->addWidget(Combo1 = new QComboBox(Frame6));
        Combo1->addItems(SettingsFile::FontSizes());
        row->addStretch();
        l->addLayout(row);
        l->addStretch();
    }
    Frame2 = new QGroupBox(this);
    {
        auto* l = column(Frame2);
        l->addWidget(Check7 =
                         check(Frame2, QStringLiteral("關閉資料庫時自動儲存 (不用提示我儲存)")));
        auto pathRow = [&](QCheckBox*& box, const QString& text, QLabel*& label,
                           QPushButton*& picker) {
            auto* row = new QHBoxLayout;
            row->addWidget(box = check(Frame2, text));
            row->addWidget(label = new QLabel(Frame2), 1);
            row->addWidget(picker = new QPushButton(QStringLiteral("..."), Frame2));
            l->addLayout(row);
        };
        pathRow(Check11, QStringLiteral("指定自動備份儲存路徑:"), Label11, Command4);
        auto* count = new QHBoxLayout;
        count->addWidget(new QLabel(QStringLiteral("自動備份保留最近"), Frame2));
        count->addWidget(Combo2 = new QComboBox(Frame2));
        count->addWidget(new QLabel(QStringLiteral("個備份檔"), Frame2));
        count->addStretch();
        l->addLayout(count);
        Combo2->addItems(SettingsFile::BackupCounts());
        pathRow(Check14, QStringLiteral("指定資料庫儲存路徑:"), Label12, Command5);
        l->addWidget(new QLabel(QStringLiteral("※需重新啟動才會生效"), Frame2));
        l->addStretch();
    }
    Frame3 = new QGroupBox(this);
    {
        auto* l = column(Frame3);
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(QStringLiteral("設定科目欄寬度"), Frame3));
        row->addWidget(Text1 = new QLineEdit(Frame3));
        row->addWidget(new QLabel(QStringLiteral("%  (10-50)"), Frame3));
        row->addStretch();
        l->addLayout(row);
        l->addWidget(Check2 = check(Frame3, QStringLiteral("科目欄位置移到左邊")));
        l->addWidget(Check8 = check(Frame3, QStringLiteral("科目欄顯示金額")));
        l->addWidget(Check4 = check(Frame3, QStringLiteral("點二下新增記錄")));
        l->addStretch();
    }
    Frame4 = new QGroupBox(this);
    {
        auto* l = column(Frame4);
        l->addWidget(Check3 = check(Frame4, QStringLiteral("顯示千位符號")));
        l->addWidget(Check1 = check(Frame4, QStringLiteral("顯示小數點 (僅此帳本)")));
        l->addStretch();
    }
    Frame5 = new QGroupBox(this);
    {
        auto* l = column(Frame5);
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(QStringLiteral("設定月份起始日為每月"), Frame5));
        row->addWidget(Text2 = new QLineEdit(Frame5));
        row->addWidget(new QLabel(QStringLiteral("號"), Frame5));
        row->addStretch();
        l->addLayout(row);
        l->addWidget(Check16 = check(Frame5, QStringLiteral("以上個月日期為本月起始日")));
        l->addWidget(Check9 = check(Frame5, QStringLiteral("未來日期的記錄也列入計算")));
        l->addWidget(Check18 = check(Frame5, QStringLiteral("年份選擇鍵下移代表跳下一年")));
        l->addStretch();
    }
    Frame1 = new QGroupBox(this);
    {
        auto* l = column(Frame1);
        auto* row = new QHBoxLayout;
        row->addWidget(new QLabel(QStringLiteral("預算為0時顯示"), Frame1));
        row->addWidget(Check10 = check(Frame1, QStringLiteral("\"--\"")));
        row->addStretch();
        l->addLayout(row);
        l->addStretch();
    }

    Command1 = new QPushButton(QStringLiteral("確定"), this);
    Command2 = new QPushButton(QStringLiteral("取消"), this);
    Command3 = new QPushButton(QStringLiteral("還原預設值"), this);
    Command6 = new QPushButton(QStringLiteral("儲存設定值"), this);
    Command7 = new QPushButton(QStringLiteral("載入設定值"), this);
    Command1->setDefault(true);

    // Every page takes the same spot; only the selected one is visible.
    auto* pages = new QGridLayout;
    for (QWidget* page : {Frame0, static_cast<QWidget*>(Frame6), static_cast<QWidget*>(Frame2),
                          static_cast<QWidget*>(Frame3), static_cast<QWidget*>(Frame4),
                          static_cast<QWidget*>(Frame5), static_cast<QWidget*>(Frame1)})
        pages->addWidget(page, 0, 0);
    auto* right = new QVBoxLayout;
    right->addWidget(Label3);
    right->addLayout(pages, 1);
    auto* top = new QHBoxLayout;
    top->addWidget(List1);
    top->addLayout(right, 1);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {Command3, Command6, Command7})
        buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(Command1);
    buttons->addWidget(Command2);
    auto* all = new QVBoxLayout(this);
    all->addLayout(top, 1);
    all->addLayout(buttons);
    resize(560, 380);
}

void SetForm::Set_Show(int page) {
    QWidget* const frames[] = {Frame6, Frame2, Frame3, Frame4, Frame5, Frame1};
    for (int p = 2; p <= 7; ++p)
        frames[p - 2]->setVisible(p == page);
    Frame0->setVisible(page < 2 || page > 7);
}

void SetForm::Form_Load() {
    const Session& s = m_ctx.session;
    showOptions(s.Setting, s.DotState != u"0",
                SettingOptions::read(m_ctx.services.settings(), u"MainFontSize"));
    List1->setCurrentRow(0);
    List1_Click();
}

void SetForm::showOptions(const SettingMirrors& m, bool decimals, const QString& fontSize) {
    for (const auto& [box, mirror] : m_switches)
        box->setChecked(m.*mirror != u"0");
    Check1->setChecked(decimals);
    Check2->setChecked(m.AccState.left(1) != u"0");
    Check8->setChecked(m.AccState.mid(1, 1) != u"0");
    (m.MonState != u"0" ? Option2 : Option1)->setChecked(true);
    Text1->setText(m.TrvState);
    Text2->setText(m.DayState);
    setPathBox(Check11, Label11, Command4, m.AutoBackupPath);
    setPathBox(Check14, Label12, Command5, m.MyDataBasePath);
    // A stored value no list entry has shows the default entry.
    const int count =
        Combo2->findText(QString::number(int(Runtime::leadingNumber(m.AutoBackupMaxCount))));
    Combo2->setCurrentIndex(count < 0 ? SettingsFile::DefaultCountIndex() : count);
    const int font = Combo1->findText(QString::number(Runtime::leadingNumber(fontSize)));
    Combo1->setCurrentIndex(font < 0 ? SettingsFile::DefaultFontIndex() : font);
}

void SetForm::setPathBox(QCheckBox* box, QLabel* label, QPushButton* picker, const QString& path) {
    label->setText(path);
    box->setChecked(!path.isEmpty());
    picker->setEnabled(!path.isEmpty());
}

void SetForm::List1_Click() {
    static const QString descriptions[] = {"設定程式啟動後的動作", "一般設定",
                                           "設定儲存資料時的動作", "科目欄的位置、寬度等相關設定",
                                           "設定數字的顯示方式",   "日期的相關設定",
                                           "預算的相關設定"};
    const int row = SelectedRow(List1).row();
    if (row < 0 || row > 6) return;
    Label3->setText(descriptions[row]);
    Set_Show(row + 1);
}

void SetForm::Check11_Click() {
    Command4->setEnabled(Check11->isChecked());
    if (!Check11->isChecked()) Label11->clear();
}

void SetForm::Check14_Click() {
    Command5->setEnabled(Check14->isChecked());
    if (!Check14->isChecked()) Label12->clear();
}

void SetForm::Command4_Click() {
    pickFolder(Label11);
}
void SetForm::Command5_Click() {
    pickFolder(Label12);
}

void SetForm::pickFolder(QLabel* label) {
    const QString before = label->text();
    const QString picked =
        BrowseForFolder(m_ctx.services.prompts(), QStringLiteral("請選擇一個資料夾"));
    if (picked.isEmpty()) return; // cancelled: the previous path stays
    // Every data file names its folders in cp950; a folder it cannot spell is unusable.
    if (picked.contains(u'?') || !Ansi::isEncodable(picked)) {
        m_ctx.services.prompts().warning(
            picked + QStringLiteral("\r\n\r\n無法使用此資料夾！\r\n\r\n"
                                    "路徑名稱可能含有軟體不支援的文字，請改選其他資料夾！"));
        label->setText(before);
        return;
    }
    label->setText(withSlash(picked));
}

bool SetForm::validate() {
    Prompts& prompts = m_ctx.services.prompts();
    // Both are stored as plain digits: the readers take the leading number of the text,
    // and a start day must name a day of every month.
    const auto w = Runtime::wholeNumber(Text1->text());
    if (!w || *w > 50 || *w < 10) {
        prompts.warning(kWidthRefused);
        return false;
    }
    const auto d = Runtime::wholeNumber(Text2->text());
    if (!d || *d > 28 || *d < 1) {
        prompts.warning(kDayRefused);
        return false;
    }
    if (Check11->isChecked() && !isFolder(Label11->text())) {
        prompts.warning(QStringLiteral("自動備份設定的路徑不存在，請重新選擇!"));
        return false;
    }
    if (Check14->isChecked() && !isFolder(Label12->text())) {
        prompts.warning(QStringLiteral("設定的路徑不存在，請重新選擇!"));
        return false;
    }
    // Compared as folders: "x" and "x/" (or two spellings of one folder) are the same place.
    if (Check11->isChecked() && Check14->isChecked() &&
        QFileInfo(Label11->text()).canonicalFilePath() ==
            QFileInfo(Label12->text()).canonicalFilePath()) {
        prompts.warning(QStringLiteral("資料位置與自動儲存位置不可相同，請重新選擇!"));
        return false;
    }
    return true;
}

void SetForm::Command1_Click() {
    if (!validate()) return;
    // The options act for this run even when the settings file refuses them.
    if (!store()) m_ctx.services.prompts().warning(kNotStored);
    accept();
}

bool SetForm::store() {
    if (!Check12->isChecked()) Check15->setChecked(false);
    Session& s = m_ctx.session;
    SettingMirrors& m = s.Setting;
    const QStringList figuresBefore = SettingOptions::figureValues(s);
    s.DotState = flag(Check1);
    for (const auto& [box, mirror] : m_switches)
        m.*mirror = flag(box);
    m.AccState = flag(Check2) + flag(Check8);
    m.MonState = Option1->isChecked() ? QStringLiteral("0") : QStringLiteral("1");
    m.TrvState = QString::number(Runtime::wholeNumber(Text1->text()).value_or(20));
    m.DayState = QString::number(Runtime::wholeNumber(Text2->text()).value_or(1));
    // A path from a settings file may lack the final separator the readers rely on.
    m.AutoBackupPath = withSlash(Label11->text());
    m.MyDataBasePath = withSlash(Label12->text());
    m.AutoBackupMaxCount = Combo2->currentText();

    const double points = Runtime::leadingNumber(Combo1->currentText());
    if (points > 0) {
        m_main.SetListFontSize(points);
    }

    bool markerKept = true;
    if (!s.LedgerName.isEmpty()) {
        const QString wanted = s.DotState;
        const QString marker = LedgerFiles::path(s, LedgerFiles::DotState);
        if (s.DotState == u"1" && !QFile::exists(marker))
            static_cast<void>(FileIO::writeFileSafely(marker, QByteArray()));
        else if (s.DotState == u"0" && QFile::exists(marker))
            QFile::remove(marker);
        // The ledger's file decides, as at its next opening: a marker that could not be
        // written or removed is never shown as changed.
        s.DotState = QFile::exists(marker) ? QStringLiteral("1") : QStringLiteral("0");
        markerKept = s.DotState == wanted;
    }

    // All options reach the file in one write, or none does.
    SettingsStore& st = m_ctx.services.settings();
    st.beginBatch();
    for (const SettingOption& o : SettingOptions::All) {
        if (!o.editedInSettingsWindow) continue;
        // The font size is the one option without a mirror: the list's choice is stored.
        const QString value = o.mirror ? m.*o.mirror : Combo1->currentText();
        static_cast<void>(st.SaveSetting(SettingOptions::Section, QLatin1String(o.key), value));
    }
    const bool stored = st.endBatch() && markerKept;
    // Figures shown anywhere were counted or written by the options before: every window
    // counts them anew. This notice is the windows' one refresh after the settings.
    if (SettingOptions::figureValues(s) != figuresBefore)
        m_ctx.ledger.noteChange(LedgerChange::Figures);
    return stored;
}

void SetForm::Command2_Click() {
    reject();
}

void SetForm::Command3_Click() {
    if (m_ctx.services.prompts().question(QStringLiteral("您確定要將設定值恢復到預設值嗎？")) !=
        Prompts::Answer::Yes)
        return;
    // The defaults of the options, except that 自動開啟第一個帳本 and 年份選擇鍵下移代表跳下一年
    // are ticked and 點二下新增記錄 keeps its state; nothing is stored before 確定.
    SettingMirrors defaults;
    defaults.AutoOpenState = QStringLiteral("1");
    defaults.YearState = QStringLiteral("1");
    defaults.DblClickState = flag(Check4);
    showOptions(defaults, false, SettingOptions::fallback(u"MainFontSize"));
}

void SetForm::Command6_Click() {
    Prompts& prompts = m_ctx.services.prompts();
    const QString file = prompts.saveFile(
        QStringLiteral("儲存檔案"), QStringLiteral("CSV檔案|*.csv"),
        QStringLiteral("qivo_") + m_ctx.services.clock().today().toString(u"yyyyMMdd"));
    if (file.isEmpty()) return;
    SettingsFile::Values v;
    v.Width = Text1->text();
    v.StartDay = Text2->text();
    v.Switches = {Check1->isChecked(),  Check2->isChecked(),  Check3->isChecked(),
                  Check5->isChecked(),  Check6->isChecked(),  Check7->isChecked(),
                  Check8->isChecked(),  Check9->isChecked(),  Check10->isChecked(),
                  Check12->isChecked(), Check13->isChecked(), Check15->isChecked(),
                  Check16->isChecked(), Check18->isChecked()};
    v.BackupPath = Label11->text();
    v.DataPath = Label12->text();
    v.FontIndex = Combo1->currentIndex();
    v.CountIndex = Combo2->currentIndex();
    v.ShowAll = Option1->isChecked();
    if (!FileIO::writeFileSafely(file, SettingsFile::write(v))) {
        prompts.warning(kNotStored);
        return;
    }
    prompts.information(QStringLiteral("儲存設定完成"));
}

void SetForm::Command7_Click() {
    Prompts& prompts = m_ctx.services.prompts();
    const QString backupBefore = Label11->text();
    const QString dataBefore = Label12->text();
    const QString file =
        prompts.openFile(QStringLiteral("開啟檔案"), QStringLiteral("CSV檔案 (*.csv)|*.csv"));
    if (file.isEmpty()) return;
    const std::optional<QByteArray> bytes = FileIO::readFile(file);
    if (!bytes) {
        prompts.warning(QStringLiteral("無法讀取設定檔，設定值未變更!"));
        return;
    }
    const std::optional<SettingsFile::Loaded> l = SettingsFile::read(*bytes);
    if (!l) {
        prompts.warning(QStringLiteral("設定檔的內容不正確，設定值未變更!"));
        return;
    }
    Text1->setText(l->Width);
    Text2->setText(l->StartDay);
    QCheckBox* const boxes[] = {Check1, Check2,  Check3,  Check5,  Check6,  Check7,  Check8,
                                Check9, Check10, Check12, Check13, Check15, Check16, Check18};
    for (int i = 0; i < SettingsFile::SwitchCount; ++i)
        if (l->Switches[i]) boxes[i]->setChecked(*l->Switches[i]);
    setPathBox(Check11, Label11, Command4, l->BackupPath);
    setPathBox(Check14, Label12, Command5, l->DataPath);
    if (l->FontIndex) Combo1->setCurrentIndex(*l->FontIndex);
    Combo2->setCurrentIndex(l->CountIndex);
    if (l->ShowAll) (*l->ShowAll ? Option1 : Option2)->setChecked(true);
    if (Label11->text() != backupBefore || Label12->text() != dataBefore)
        prompts.information(QStringLiteral(
            "設定載入完成，新設定有更改到資料儲存路徑或自動備份路徑，請重新啟動軟體才會生效"));
    else
        prompts.information(QStringLiteral("設定載入完成"));
}
