// The start sequence: the options of section "Setting", folders, backup paths, old files,
// setting migrations, the window's own stored options, and the login step.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTreeWidget>
#include <algorithm>
#include <exception>
#include <limits>
#include <optional>

#include "mainwin/mainform.h"
#include "platform/clock.h"
#include "platform/fileio.h"
#include "platform/prompts.h"
#include "platform/runtime.h"
#include "platform/settingsstore.h"
#include "platform/version.h"
#include "store/appcontext.h"
#include "store/settingoptions.h"

namespace {
const QString setting = QStringLiteral("Setting");
const QString mainSection = QStringLiteral("MainForm");

QString withSlash(QString folder) {
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return folder.isEmpty() ? folder : FileIO::withTrailingSlash(folder); // unset stays unset
}

// A folder lies inside another (or is it) when its canonical absolute path equals the
// other's or continues it after a "/".
bool folderInside(const QString& inner, const QString& outer) {
    const QString a = QFileInfo(inner).canonicalFilePath();
    const QString b = QFileInfo(outer).canonicalFilePath();
    if (a.isEmpty() || b.isEmpty()) return false;
    return a == b || a.startsWith(withSlash(b));
}

// A stored number as a whole number, unless it lies beyond what an int holds (a damaged
// value then counts as unreadable instead of wrapping around).
std::optional<int> wholeNumber(double value) {
    if (!(value >= double(std::numeric_limits<int>::min()) &&
          value <= double(std::numeric_limits<int>::max())))
        return std::nullopt;
    return int(value);
}

std::optional<int> storedWholeNumber(const QString& text) {
    if (!Runtime::isNumeric(text)) return std::nullopt;
    return wholeNumber(Runtime::leadingNumber(text));
}

bool folderWritable(const QString& folder) {
    const QFileInfo info(folder);
    return info.isDir() && info.isWritable();
}
} // namespace

void MainForm::Form_Load() {
    startReadOptions();
    {
        // The settings the start corrects, moves and marks reach the file in one write.
        SettingsStore& s = m_ctx.services.settings();
        const SettingsBatch once(s, m_ctx.services.prompts());
        startFolders();
        startBackupPaths();
        startDeleteOldFiles();
        startMigrateSettings();
        SaveSettingQuietly(s, QStringLiteral("Update"), QStringLiteral("Ver"), ProgramVersion);
        SaveSettingQuietly(s, QStringLiteral("Update"), QStringLiteral("State"),
                           QStringLiteral("1"));
    }
    startListFont();
    startViewSwitches();
    setWindowTitle(ProgramCaption);
    startColumnWidths();
    startWindowPlacement();
    setDateMenuCaption();
    LoginAttempted = false;
    if (LoginStep) LoginStep(*this);
}

void MainForm::startFolders() {
    Session& session = m_ctx.session;
    SettingMirrors& mirrors = session.Setting;
    SettingsStore& store = m_ctx.services.settings();

    // The program's folder; when it cannot be written (an installed program), the
    // per-user data location holds "DataBase/" and "Backup/" instead.
    QString programFolder =
        session.AppFolder.isEmpty() ? QCoreApplication::applicationDirPath() : session.AppFolder;
    programFolder = withSlash(programFolder);
    m_programFolderWritable = folderWritable(programFolder);
    if (!m_programFolderWritable) {
        const QString perUser = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        if (!perUser.isEmpty()) {
            QDir().mkpath(perUser);
            programFolder = withSlash(perUser);
        }
    }
    session.AppFolder = programFolder;

    const QString defaultRoot = session.AppFolder + QStringLiteral("DataBase/");
    const QString stored = mirrors.MyDataBasePath;
    mirrors.MyDataBasePath = stored.isEmpty() ? QString() : withSlash(stored);
    // A first start makes the data folder; the login puts the demo profile into it.
    auto makeDefaultRoot = [&] {
        session.DataRoot = defaultRoot;
        if (!QFileInfo::exists(defaultRoot) && QDir().mkpath(defaultRoot))
            session.DataRootCreated = true;
    };
    if (mirrors.MyDataBasePath.isEmpty()) {
        makeDefaultRoot();
    } else if (QFileInfo(mirrors.MyDataBasePath).isDir()) {
        session.DataRoot = mirrors.MyDataBasePath;
    } else {
        m_ctx.services.prompts().plain(QStringLiteral("找不到 ") + stored +
                                       QStringLiteral("，程式將切換回預設的資料路徑"));
        makeDefaultRoot();
        mirrors.MyDataBasePath.clear();
        SaveSettingQuietly(store, setting, QStringLiteral("MyDataBasePath"), QString());
    }
}

void MainForm::startBackupPaths() {
    Session& session = m_ctx.session;
    SettingMirrors& mirrors = session.Setting;
    SettingsStore& store = m_ctx.services.settings();
    auto forget = [&](const QString& message) {
        m_ctx.services.prompts().plain(message);
        mirrors.AutoBackupPath.clear();
        SaveSettingQuietly(store, setting, QStringLiteral("AutoBackupPath"), QString());
    };
    if (mirrors.AutoBackupPath.isEmpty())
        FileIO::makePrivateFolder(session.AppFolder + QStringLiteral("Backup/"));
    else if (!QFileInfo(mirrors.AutoBackupPath).isDir())
        forget(QStringLiteral("您設定的自動備份路徑已失效，程式將切換回預設的備份路徑"));
    if (!mirrors.AutoBackupPath.isEmpty() && folderInside(mirrors.AutoBackupPath, session.DataRoot))
        forget(QStringLiteral("自動備份路徑不可設置在資料路徑內，程式將切換回預設的備份路徑"));
}

void MainForm::startDeleteOldFiles() {
    const Session& session = m_ctx.session;
    if (m_programFolderWritable) {
        for (const char* name : {"readme.htm", "Image.gif", "Images.gif", "Qivo.exe.manifest",
                                 "AppUpdate.exe.manifest", "AppUpdate.ini"})
            QFile::remove(session.AppFolder + QLatin1String(name));
    }
    for (const char* name : {"Favorites1.dat", "Note.dat"})
        QFile::remove(session.DataRoot + QLatin1String(name));
}

void MainForm::startMigrateSettings() {
    SettingsStore& store = m_ctx.services.settings();
    const QString absent = QStringLiteral("123");
    const QString inputForm = QStringLiteral("InputForm");
    const QString clear = store.GetSetting(inputForm, QStringLiteral("Set_Clear"), absent);
    // An old key goes only once its new keys are written; else the next start moves it.
    if (clear != absent) {
        bool moved = true;
        for (int n = 1; n <= 4; ++n)
            moved =
                store.SaveSetting(inputForm, QStringLiteral("Clear_Type%1").arg(n), clear) && moved;
        if (moved) static_cast<void>(store.DeleteSetting(inputForm, QStringLiteral("Set_Clear")));
    }
    const QString autoDate = store.GetSetting(setting, QStringLiteral("AutoDateState"), absent);
    if (autoDate != absent) {
        bool moved = true;
        if (autoDate == QLatin1String("0") || autoDate == QLatin1String("1"))
            moved = store.SaveSetting(mainSection, QStringLiteral("NewClear_Date"),
                                      Runtime::boolText(autoDate == QLatin1String("1")));
        if (moved) static_cast<void>(store.DeleteSetting(setting, QStringLiteral("AutoDateState")));
    }
    // The record menu's field-clearing checks.
    for (QAction* item : clearingChecks()) {
        if (!item) continue;
        const QString value =
            store.GetSetting(mainSection, item->objectName(), Runtime::boolText(false));
        if (const std::optional<bool> b = Runtime::toBool(value)) item->setChecked(*b);
    }
}

void MainForm::startReadOptions() {
    SettingMirrors& m = m_ctx.session.Setting;
    SettingOptions::readMirrors(m_ctx.services.settings(), m);
    // A month start day outside 1 to 28 would make no date: it is limited when read.
    const double day = Runtime::leadingNumber(m.DayState);
    if (!Runtime::isNumeric(m.DayState) || !(day >= 1 && day <= 28) || day != int(day))
        m.DayState = QString::number(int(std::clamp(day, 1.0, 28.0)));
}

void MainForm::startListFont() {
    const QString size = SettingOptions::read(m_ctx.services.settings(), u"MainFontSize");
    const double points = Runtime::leadingNumber(size);
    if (points <= 0) return;
    QFont f = Liv1->font();
    f.setPointSizeF(points);
    Liv1->setFont(f);
    Trv1->setFont(Liv1->font());
}

void MainForm::startViewSwitches() {
    SettingsStore& store = m_ctx.services.settings();
    struct Switch {
        const char* key;
        QAction* item;
        bool fallback;
    };
    const Switch switches[] = {
        {"CheckState", View_Add, true},        {"View_Show", View_Show, true},
        {"View_Today", View_Today, false},     {"View_Yesterday", View_Yesterday, false},
        {"View_Balance", View_Balance, true},  {"View_Budget", View_Budget, true},
        {"View_BudgetI", View_BudgetI, false}, {"View_BudgetE", View_BudgetE, false},
    };
    for (const Switch& s : switches) {
        const QString value =
            store.GetSetting(mainSection, QLatin1String(s.key), Runtime::boolText(s.fallback));
        if (const std::optional<bool> b = Runtime::toBool(value))
            s.item->setChecked(*b);
        else
            s.item->setChecked(s.fallback);
    }
    if (View_Today->isChecked()) SetPanelText(1, QStringLiteral("今日收支"));
    if (View_Yesterday->isChecked()) SetPanelText(1, QStringLiteral("昨日收支"));
    if (View_Balance->isChecked()) SetPanelText(1, QStringLiteral("收支結餘"));
    if (View_Budget->isChecked()) SetPanelText(3, QStringLiteral("金額累計"));
    if (View_BudgetI->isChecked()) SetPanelText(3, QStringLiteral("收入總和"));
    if (View_BudgetE->isChecked()) SetPanelText(3, QStringLiteral("支出總和"));
}

void MainForm::startColumnWidths() {
    SettingsStore& store = m_ctx.services.settings();
    FitColumnWidthsToFont(); // the defaults; stored widths win
    for (int n = 1; n <= 7; ++n) {
        const QString value = store.GetSetting(mainSection, QStringLiteral("LW%1").arg(n),
                                               QString::number(Liv1->columnWidth(n - 1)));
        const std::optional<int> width = wholeNumber(Runtime::leadingNumber(value));
        if (width && *width > 10) Liv1->setColumnWidth(n - 1, *width);
    }
}

void MainForm::startWindowPlacement() {
    SettingsStore& store = m_ctx.services.settings();
    const QString state =
        store.GetSetting(mainSection, QStringLiteral("WinState"), QStringLiteral("2"));
    const std::optional<int> stateNumber = storedWholeNumber(state);
    if (!stateNumber) return;
    if (*stateNumber != 0) {
        setWindowState(Qt::WindowMaximized);
        return;
    }
    setWindowState(Qt::WindowNoState);
    QRect g = geometry();
    auto read = [&](const char* key, int currentPixels) {
        const QString v = store.GetSetting(mainSection, QLatin1String(key),
                                           QString::number(Runtime::pixelsToTwips(currentPixels)));
        const std::optional<int> twips = storedWholeNumber(v);
        return twips ? std::optional<int>(Runtime::twipsToPixels(*twips)) : std::nullopt;
    };
    if (const auto left = read("Left", g.x())) g.moveLeft(*left);
    if (const auto top = read("Top", g.y())) g.moveTop(*top);
    const QString width =
        store.GetSetting(mainSection, QStringLiteral("Width"), QStringLiteral("15360"));
    if (const std::optional<int> twips = storedWholeNumber(width))
        g.setWidth(Runtime::twipsToPixels(*twips));
    if (const auto height = read("Height", g.height())) g.setHeight(*height);
    setGeometry(g);
}

void MainForm::setDateMenuCaption() {
    if (Menu_Date) Menu_Date->setText(dateMenuCaption(m_ctx.services.clock().today()));
}
