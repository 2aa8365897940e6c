// The start sequence: folders and path messages, old files, setting migrations, mirrors,
// the window's stored options, and the login step.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QTreeWidget>

#include "mainform_fixture.h"
#include "mainwin/mainform.h"
#include "support/testenv.h"

namespace {
const QString absent = QStringLiteral("<absent>");

// "Section/Key=value" settings, applied before the start.
void preset(TestEnv& env, const QStringList& pairs) {
    for (const QString& p : pairs) {
        const qsizetype slash = p.indexOf('/');
        const qsizetype eq = p.indexOf('=');
        QVERIFY(env.settings.SaveSetting(p.left(slash), p.mid(slash + 1, eq - slash - 1),
                                         p.mid(eq + 1)));
    }
}

// The default width of a list column in the list font of that size (no stored width).
int defaultWidth(double points, int column) {
    TestEnv env;
    MainForm w(env.ctx);
    w.SetListFontSize(points);
    w.FitColumnWidthsToFont();
    return w.Liv1->columnWidth(column);
}

QString stored(TestEnv& env, const QString& sectionKey) {
    const qsizetype slash = sectionKey.indexOf('/');
    return env.settings.GetSetting(sectionKey.left(slash), sectionKey.mid(slash + 1), absent);
}

// The test's settings, except that writes of the named keys fail (a disk that fills up
// half-way through the start).
class RefusingSettings : public SettingsStore {
public:
    RefusingSettings(SettingsStore& inner, QStringList refused)
        : m_inner(inner), m_refused(std::move(refused)) {}
    QString GetSetting(const QString& section, const QString& key,
                       const QString& defaultValue) const override {
        return m_inner.GetSetting(section, key, defaultValue);
    }

protected:
    bool writeValue(const QString& section, const QString& key, const QString& value) override {
        return !m_refused.contains(section + '/' + key) && m_inner.SaveSetting(section, key, value);
    }
    bool removeValue(const QString& section, const QString& key) override {
        return !m_refused.contains(section + '/' + key) && m_inner.DeleteSetting(section, key);
    }

private:
    SettingsStore& m_inner;
    QStringList m_refused;
};

// Placeholders in texts: {tmp} the test folder, {root} the data root as the start leaves it.
QString expand(const TestEnv& env, QString text) {
    return text.replace("{tmp}", env.tmp.path());
}
} // namespace

class StartupTest : public QObject {
    Q_OBJECT
private slots:
    void settingsCases_data() {
        QTest::addColumn<QStringList>("folders");  // folders made first, under {tmp}
        QTest::addColumn<QStringList>("settings"); // preset
        QTest::addColumn<QStringList>("boxes");    // plain boxes shown, in order
        QTest::addColumn<QStringList>("after");    // "Section/Key=value" afterwards
        QTest::addColumn<QString>("dataRoot");

        QTest::newRow("no stored keys")
            << QStringList{} << QStringList{} << QStringList{}
            << QStringList{"Update/Ver=4.0.4", "Update/State=1", "Setting/MyDataBasePath=<absent>"}
            << QStringLiteral("{tmp}/app/DataBase/");
        QTest::newRow("missing data folder")
            << QStringList{} << QStringList{"Setting/MyDataBasePath={tmp}/gone/"}
            << QStringList{"找不到 {tmp}/gone/，程式將切換回預設的資料路徑"}
            << QStringList{"Setting/MyDataBasePath="} << QStringLiteral("{tmp}/app/DataBase/");
        QTest::newRow("data folder stored without separator")
            << QStringList{"data"} << QStringList{"Setting/MyDataBasePath={tmp}/data"}
            << QStringList{} << QStringList{"Setting/MyDataBasePath={tmp}/data"}
            << QStringLiteral("{tmp}/data/");
        QTest::newRow("automatic backup folder gone")
            << QStringList{} << QStringList{"Setting/AutoBackupPath={tmp}/gone"}
            << QStringList{"您設定的自動備份路徑已失效，程式將切換回預設的備份路徑"}
            << QStringList{"Setting/AutoBackupPath="} << QStringLiteral("{tmp}/app/DataBase/");
        QTest::newRow("automatic backup inside the data folder")
            << QStringList{"app/DataBase/Backup"}
            << QStringList{"Setting/AutoBackupPath={tmp}/app/DataBase/Backup"}
            << QStringList{"自動備份路徑不可設置在資料路徑內，程式將切換回預設的備份路徑"}
            << QStringList{"Setting/AutoBackupPath="} << QStringLiteral("{tmp}/app/DataBase/");
        QTest::newRow("automatic backup is the data folder, no separator")
            << QStringList{"app/DataBase"}
            << QStringList{"Setting/AutoBackupPath={tmp}/app/DataBase"}
            << QStringList{"自動備份路徑不可設置在資料路徑內，程式將切換回預設的備份路徑"}
            << QStringList{"Setting/AutoBackupPath="} << QStringLiteral("{tmp}/app/DataBase/");
        QTest::newRow("automatic backup beside the data folder with a longer name")
            << QStringList{"app/DataBase2"}
            << QStringList{"Setting/AutoBackupPath={tmp}/app/DataBase2"} << QStringList{}
            << QStringList{"Setting/AutoBackupPath={tmp}/app/DataBase2"}
            << QStringLiteral("{tmp}/app/DataBase/");
        QTest::newRow("obsolete clearing option")
            << QStringList{} << QStringList{"InputForm/Set_Clear=0", "InputForm/Clear_Type0=True"}
            << QStringList{}
            << QStringList{"InputForm/Clear_Type1=0",     "InputForm/Clear_Type2=0",
                           "InputForm/Clear_Type3=0",     "InputForm/Clear_Type4=0",
                           "InputForm/Clear_Type0=True",  "InputForm/Clear_Type5=<absent>",
                           "InputForm/Set_Clear=<absent>"}
            << QStringLiteral("{tmp}/app/DataBase/");
        QTest::newRow("clearing option 123 counts as absent")
            << QStringList{} << QStringList{"InputForm/Set_Clear=123"} << QStringList{}
            << QStringList{"InputForm/Clear_Type1=<absent>", "InputForm/Set_Clear=123"}
            << QStringLiteral("{tmp}/app/DataBase/");
        QTest::newRow("obsolete date option 1")
            << QStringList{} << QStringList{"Setting/AutoDateState=1"} << QStringList{}
            << QStringList{"MainForm/NewClear_Date=True", "Setting/AutoDateState=<absent>"}
            << QStringLiteral("{tmp}/app/DataBase/");
        QTest::newRow("obsolete date option 2")
            << QStringList{} << QStringList{"Setting/AutoDateState=2"} << QStringList{}
            << QStringList{"MainForm/NewClear_Date=<absent>", "Setting/AutoDateState=<absent>"}
            << QStringLiteral("{tmp}/app/DataBase/");
    }
    void settingsCases() {
        QFETCH(QStringList, folders);
        QFETCH(QStringList, settings);
        QFETCH(QStringList, boxes);
        QFETCH(QStringList, after);
        QFETCH(QString, dataRoot);
        TestEnv env;
        for (const QString& folder : folders)
            QVERIFY(QDir().mkpath(env.path(folder)));
        QStringList expanded;
        for (const QString& s : settings)
            expanded << expand(env, s);
        preset(env, expanded);
        MainForm w(env.ctx);
        w.Form_Load();
        QStringList expectedBoxes;
        for (const QString& b : boxes)
            expectedBoxes << expand(env, b);
        QCOMPARE(env.prompts.texts("plain"), expectedBoxes);
        QCOMPARE(env.prompts.shown.size(), expectedBoxes.size());
        for (const QString& a : after) {
            const qsizetype eq = a.indexOf('=');
            QCOMPARE(stored(env, a.left(eq)), expand(env, a.mid(eq + 1)));
        }
        QCOMPARE(env.ctx.session.DataRoot, expand(env, dataRoot));
        QVERIFY(QDir(env.ctx.session.DataRoot).exists());
    }

    // An old option leaves the store only together with the keys that replace it.
    void migrationKeepsWhatItCouldNotMove_data() {
        QTest::addColumn<QStringList>("settings");
        QTest::addColumn<QString>("refused");
        QTest::addColumn<QStringList>("after");
        QTest::newRow("clearing option")
            << QStringList{"InputForm/Set_Clear=1"} << "InputForm/Clear_Type2"
            << QStringList{"InputForm/Set_Clear=1", "InputForm/Clear_Type2=<absent>"};
        QTest::newRow("date option")
            << QStringList{"Setting/AutoDateState=0"} << "MainForm/NewClear_Date"
            << QStringList{"Setting/AutoDateState=0", "MainForm/NewClear_Date=<absent>"};
    }
    void migrationKeepsWhatItCouldNotMove() {
        QFETCH(QStringList, settings);
        QFETCH(QString, refused);
        QFETCH(QStringList, after);
        TestEnv env;
        preset(env, settings);
        RefusingSettings refusing(env.settings, {refused});
        env.ctx.services.setSettings(refusing);
        MainForm w(env.ctx);
        w.Form_Load();
        for (const QString& a : after) {
            const qsizetype eq = a.indexOf('=');
            QCOMPARE(stored(env, a.left(eq)), a.mid(eq + 1));
        }
        env.ctx.services.setSettings(env.settings);
    }

    void defaultsWithoutStoredKeys() {
        TestEnv env;
        int logins = 0;
        MainForm w(env.ctx);
        w.LoginAttempted = true;
        w.LoginStep = [&](MainForm& form) {
            ++logins;
            QVERIFY(!form.LoginAttempted);
        };
        w.Form_Load();
        QCOMPARE(logins, 1);
        QVERIFY(w.View_Add->isChecked() && w.View_Show->isChecked() &&
                w.View_Balance->isChecked() && w.View_Budget->isChecked());
        QVERIFY(!w.View_Today->isChecked() && !w.View_Yesterday->isChecked() &&
                !w.View_BudgetI->isChecked() && !w.View_BudgetE->isChecked());
        for (QAction* item : w.clearingChecks())
            QVERIFY(!item->isChecked());
        QCOMPARE(w.PanelText(1), QString("收支結餘"));
        QCOMPARE(w.PanelText(3), QString("金額累計"));
        QVERIFY(w.windowState() & Qt::WindowMaximized);
        QCOMPARE(w.Liv1->columnWidth(0), defaultWidth(11, 0));
        QCOMPARE(w.Liv1->columnWidth(6), defaultWidth(11, 6));
        QCOMPARE(w.windowTitle(), QString("Qivoka v4.0.4"));
        QCOMPARE(w.Menu_Date->text(), QString("2024/01/15 (星期一)"));
        QVERIFY(QDir(env.ctx.session.AppFolder + "Backup").exists());
        QCOMPARE(env.ctx.session.Setting.AccState, QString("11"));
    }

    void storedWindowOptions() {
        TestEnv env;
        preset(env,
               {"MainForm/View_Today=True", "MainForm/View_Balance=True",
                "MainForm/View_BudgetE=True", "MainForm/View_Budget=False",
                "MainForm/CheckState=False", "MainForm/CopyClear_Type3=True", "MainForm/LW1=10",
                "MainForm/LW2=abc", "MainForm/LW3=200", "MainForm/WinState=0", "MainForm/Left=1500",
                "MainForm/Top=750", "MainForm/Width=16500", "MainForm/Height=9000",
                "Setting/DayState=40", "Setting/MainFontSize=14", "Setting/TrvState=30"});
        MainForm w(env.ctx);
        w.Form_Load();
        QVERIFY(w.View_Today->isChecked() && w.View_Balance->isChecked());
        QCOMPARE(w.PanelText(1), QString("收支結餘"));
        QCOMPARE(w.PanelText(3), QString("支出總和"));
        QVERIFY(!w.View_Add->isChecked());
        QVERIFY(w.CopyClear_Type3->isChecked());
        QCOMPARE(w.Liv1->columnWidth(0), defaultWidth(14, 0)); // "10" is no width
        QCOMPARE(w.Liv1->columnWidth(1), defaultWidth(14, 1)); // nor is text
        QCOMPARE(w.Liv1->columnWidth(2), 200);
        QVERIFY(!(w.windowState() & Qt::WindowMaximized));
        QCOMPARE(w.geometry(), QRect(100, 50, 1100, 600));
        QCOMPARE(env.ctx.session.Setting.DayState, QString("28"));
        QCOMPARE(env.ctx.session.Setting.TrvState, QString("30"));
        QCOMPARE(w.Liv1->font().pointSizeF(), 14.0);
        QCOMPARE(w.Trv1->font().pointSizeF(), 14.0);
    }

    // Numbers no window size or day can take are skipped like text that is no number.
    void outOfRangeNumbersAreSkipped() {
        TestEnv env;
        preset(env, {"MainForm/LW1=1e30", "MainForm/LW3=-5e20", "MainForm/WinState=0",
                     "MainForm/Left=1500", "MainForm/Top=9e99", "MainForm/Width=1e12",
                     "MainForm/Height=9000", "Setting/DayState=1e30"});
        MainForm w(env.ctx);
        const QRect before = w.geometry();
        w.Form_Load();
        QCOMPARE(w.Liv1->columnWidth(0), defaultWidth(11, 0));
        QCOMPARE(w.Liv1->columnWidth(2), defaultWidth(11, 2));
        QCOMPARE(w.geometry(), QRect(100, before.y(), before.width(), 600));
        QCOMPARE(env.ctx.session.Setting.DayState, QString("28"));
    }

    // At first use (no stored widths) a listed row shows its whole date, account and amount,
    // beside the check box and the icon, whatever the list's font size.
    void defaultWidthsFitTheirContent_data() {
        QTest::addColumn<QString>("size");
        for (const char* size : {"9", "11", "14", "20"})
            QTest::newRow(size) << QString(size);
    }
    void defaultWidthsFitTheirContent() {
        QFETCH(QString, size);
        MainFormFixture f;
        QVERIFY(f.env.settings.SaveSetting("Setting", "MainFontSize", size));
        f.b.account("A-現金").account("E-餐飲費用").account("Equity");
        f.b.entry("2026/12/28", "E-餐飲費用", "A-現金", 9999999900, "午餐").remind(0);
        f.form = std::make_unique<MainForm>(f.env.ctx);
        MainForm& w = *f.form;
        w.EndProcess = [] {};
        w.LoginStep = [](MainForm&) {};
        w.Form_Load(); // the list font and the column widths as a start sets them
        f.setPeriod(Periods::All, 2026);
        w.BuildAccountTree();
        f.list("A-現金");
        w.resize(1200, 700);
        w.show();
        QCoreApplication::processEvents();
        QCOMPARE(w.EntryRowCount(), 1);
        for (int c : {0, 1, 2, 3}) {
            const int needed = w.Liv1->sizeHintForIndex(w.Liv1->model()->index(0, c)).width();
            QVERIFY2(w.Liv1->columnWidth(c) >= needed,
                     qPrintable(QStringLiteral("column %1: %2 < %3")
                                    .arg(c + 1)
                                    .arg(w.Liv1->columnWidth(c))
                                    .arg(needed)));
        }
    }

    void maximisedIgnoresStoredPlacement() {
        TestEnv env;
        preset(env, {"MainForm/WinState=2", "MainForm/Width=16500"});
        MainForm w(env.ctx);
        w.Form_Load();
        QVERIFY(w.windowState() & Qt::WindowMaximized);
        QVERIFY(w.geometry().width() != 1100);
    }

    void oldFilesRemoved() {
        TestEnv env;
        const QStringList appFiles{"readme.htm",
                                   "Image.gif",
                                   "Images.gif",
                                   "Qivo.exe.manifest",
                                   "AppUpdate.exe.manifest",
                                   "AppUpdate.ini",
                                   "keep.txt"};
        QDir().mkpath(env.ctx.session.AppFolder + "DataBase");
        for (const QString& name : appFiles) {
            QFile f(env.ctx.session.AppFolder + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        for (const QString& name : {QString("Favorites1.dat"), QString("Note.dat")}) {
            QFile f(env.ctx.session.AppFolder + "DataBase/" + name);
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        MainForm w(env.ctx);
        w.Form_Load();
        QCOMPARE(QDir(env.ctx.session.AppFolder).entryList(QDir::Files), QStringList{"keep.txt"});
        QCOMPARE(QDir(env.ctx.session.DataRoot).entryList(QDir::Files), QStringList{});
    }
};

QTEST_MAIN(StartupTest)
#include "tst_startup.moc"
