#include <QtTest>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "../mainwin/mainform_fixture.h"
#include "platform/fileio.h"
#include "setup/setform.h"
#include "store/ledgerfiles.h"
#include "support/testfiles.h"

namespace {

struct Fixture : MainFormFixture {
    std::unique_ptr<SetForm> set;
    Fixture() {
        b.account("A-現金").account("E-餐飲費").account("Equity");
        b.entry("2024/01/02", "E-餐飲費", "A-現金", 12000, "午餐");
        open();
    }
    SetForm& window() {
        set = std::make_unique<SetForm>(env.ctx, *form);
        set->show();
        return *set;
    }
    QString stored(const QString& key) { return env.settings.GetSetting("Setting", key, "<none>"); }
    QString folder(const QString& name) {
        QDir().mkpath(env.path(name));
        return env.path(name) + "/";
    }
    QString marker() const { return LedgerFiles::path(env.ctx.session, LedgerFiles::DotState); }
};

} // namespace

class TestSetForm : public QObject {
    Q_OBJECT
private slots:
    void opensWithTheMirrors();
    void confirmRefuses_data();
    void confirmRefuses();
    void confirmAcceptsTheLimits_data();
    void confirmAcceptsTheLimits();
    void confirmStoresEveryOption();
    void decimalsMarkerBelongsToTheLedger();
    void fontSizeActsAtOnce();
    void defaultsThenCancelChangeNothing();
    void folderPicker_data();
    void folderPicker();
    void confirmWithASettingsFileThatCannotBeWritten();
    void savesTheSettingsFile();
    void savingThatFailsIsNotReportedAsDone();
    void loadsASavedFileBack();
    void loadReportsChangedFolders();
    void damagedFileIsRefused();
    void mainWindowOpensTheWindow();
};

void TestSetForm::opensWithTheMirrors() {
    Fixture f;
    SettingMirrors& m = f.env.ctx.session.Setting;
    m.AccState = "01";
    m.MonState = "0";
    m.TrvState = "33";
    m.DayState = "5";
    m.MinState = "1";
    m.AutoBackupPath = f.folder("b");
    m.AutoBackupMaxCount = "12";
    f.env.ctx.session.DotState = "0";
    QVERIFY(f.env.settings.SaveSetting("Setting", "MainFontSize", "14"));
    SetForm& w = f.window();
    QVERIFY(!w.Check2->isChecked());
    QVERIFY(w.Check8->isChecked());
    QVERIFY(w.Option1->isChecked());
    QVERIFY(!w.Check1->isChecked());
    QVERIFY(w.Check12->isChecked());
    QCOMPARE(w.Text1->text(), "33");
    QCOMPARE(w.Text2->text(), "5");
    QVERIFY(w.Check11->isChecked());
    QVERIFY(w.Command4->isEnabled());
    QCOMPARE(w.Label11->text(), m.AutoBackupPath);
    QVERIFY(!w.Check14->isChecked());
    QVERIFY(!w.Command5->isEnabled());
    QCOMPARE(w.Combo2->currentText(), "12");
    QCOMPARE(w.Combo1->currentText(), "14");

    // The pages share one spot; page 1 is the window itself.
    QVERIFY(w.Frame0->isVisible() && !w.Frame6->isVisible());
    w.List1->setCurrentRow(3);
    QCOMPARE(w.Label3->text(), "科目欄的位置、寬度等相關設定");
    QVERIFY(w.Frame3->isVisible() && !w.Frame0->isVisible() && !w.Frame2->isVisible());
}

void TestSetForm::confirmRefuses_data() {
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("backup"); // "-" unticked, "" ticked without a path
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("message");
    const QString w = "科目欄的寬度請設定10到50間的數字", d = "月份啟始日請設定1到28間的數字";
    QTest::newRow("width 9") << "9"
                             << "1"
                             << "-"
                             << "-" << w;
    QTest::newRow("width 51") << "51"
                              << "1"
                              << "-"
                              << "-" << w;
    QTest::newRow("width letters") << "abc"
                                   << "1"
                                   << "-"
                                   << "-" << w;
    QTest::newRow("day 0") << "20"
                           << "0"
                           << "-"
                           << "-" << d;
    QTest::newRow("day 29") << "20"
                            << "29"
                            << "-"
                            << "-" << d;
    QTest::newRow("day letters") << "20"
                                 << "x"
                                 << "-"
                                 << "-" << d;
    QTest::newRow("day not whole") << "20"
                                   << "1.5"
                                   << "-"
                                   << "-" << d;
    // Only plain digits: what a later reader would take differently is refused.
    QTest::newRow("width fraction") << "20.5"
                                    << "1"
                                    << "-"
                                    << "-" << w;
    QTest::newRow("width exponent") << "1e1"
                                    << "1"
                                    << "-"
                                    << "-" << w;
    QTest::newRow("width signed") << "+20"
                                  << "1"
                                  << "-"
                                  << "-" << w;
    QTest::newRow("day exponent") << "20"
                                  << "1e1"
                                  << "-"
                                  << "-" << d;
    QTest::newRow("day with point") << "20"
                                    << "28.0"
                                    << "-"
                                    << "-" << d;
    QTest::newRow("day empty") << "20"
                               << ""
                               << "-"
                               << "-" << d;
    QTest::newRow("backup empty") << "20"
                                  << "1"
                                  << ""
                                  << "-"
                                  << "自動備份設定的路徑不存在，請重新選擇!";
    QTest::newRow("backup missing") << "20"
                                    << "1"
                                    << "missing"
                                    << "-"
                                    << "自動備份設定的路徑不存在，請重新選擇!";
    QTest::newRow("data empty") << "20"
                                << "1"
                                << "-"
                                << ""
                                << "設定的路徑不存在，請重新選擇!";
    QTest::newRow("same folder") << "20"
                                 << "1"
                                 << "same"
                                 << "same"
                                 << "資料位置與自動儲存位置不可相同，請重新選擇!";
    QTest::newRow("same folder, one without /") << "20"
                                                << "1"
                                                << "same"
                                                << "same/"
                                                << "資料位置與自動儲存位置不可相同，請重新選擇!";
}

void TestSetForm::confirmRefuses() {
    QFETCH(QString, width);
    QFETCH(QString, day);
    QFETCH(QString, backup);
    QFETCH(QString, data);
    QFETCH(QString, message);
    Fixture f;
    QDir().mkpath(f.env.path("same"));
    f.env.ctx.session.DotState = "0";
    const SettingMirrors before = f.env.ctx.session.Setting;
    SetForm& w = f.window();
    w.Check1->setChecked(true);
    w.Check3->setChecked(false);
    w.Text1->setText(width);
    w.Text2->setText(day);
    auto path = [&](QCheckBox* box, QLabel* label, const QString& p) {
        box->setChecked(p != "-");
        label->setText(p == "-" || p.isEmpty() ? QString()
                       : p.endsWith('/')       ? f.env.path(p.chopped(1))
                                               : f.env.path(p));
    };
    path(w.Check11, w.Label11, backup);
    path(w.Check14, w.Label12, data);
    w.Command1->click();
    QCOMPARE(f.env.prompts.texts("warning"), QStringList{message});
    QVERIFY(w.isVisible());
    QCOMPARE(w.Text1->text(), width); // the input stays
    QCOMPARE(f.env.ctx.session.Setting.MoneyState, before.MoneyState);
    QCOMPARE(f.env.ctx.session.DotState, "0");
    QVERIFY(!QFile::exists(f.marker()));
    QCOMPARE(f.stored("MoneyState"), "<none>");
}

void TestSetForm::confirmAcceptsTheLimits_data() {
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QString>("storedWidth");
    QTest::addColumn<QString>("storedDay");
    QTest::newRow("low") << "10"
                         << "1"
                         << "10"
                         << "1";
    QTest::newRow("high") << "50"
                          << "28"
                          << "50"
                          << "28";
    QTest::newRow("blanks and a leading zero") << " 020 "
                                               << " 07"
                                               << "20"
                                               << "7";
}

void TestSetForm::confirmAcceptsTheLimits() {
    QFETCH(QString, width);
    QFETCH(QString, day);
    QFETCH(QString, storedWidth);
    QFETCH(QString, storedDay);
    Fixture f;
    SetForm& w = f.window();
    w.Text1->setText(width);
    w.Text2->setText(day);
    w.Command1->click();
    QVERIFY(f.env.prompts.shown.isEmpty());
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QCOMPARE(f.env.ctx.session.Setting.TrvState, storedWidth);
    QCOMPARE(f.env.ctx.session.Setting.DayState, storedDay);
    QCOMPARE(f.stored("TrvState"), storedWidth);
    QCOMPARE(f.stored("DayState"), storedDay);
}

void TestSetForm::confirmStoresEveryOption() {
    Fixture f;
    SetForm& w = f.window();
    w.Check2->setChecked(false);
    w.Check8->setChecked(true);
    w.Check12->setChecked(false);
    w.Check15->setChecked(true); // locked without minimising to the tray: not kept
    w.Check6->setChecked(true);
    w.Option1->setChecked(true);
    w.Text1->setText("35");
    w.Combo2->setCurrentText("9");
    w.Check14->setChecked(true);
    w.Label12->setText(f.env.path("data")); // from a file: no final "/"
    QDir().mkpath(f.env.path("data"));
    w.Command1->click();
    QVERIFY(f.env.prompts.shown.isEmpty());
    const SettingMirrors& m = f.env.ctx.session.Setting;
    QCOMPARE(m.AccState, "01");
    QCOMPARE(m.MinLockState, "0");
    QCOMPARE(m.MonState, "0");
    QCOMPARE(m.MyDataBasePath, f.env.path("data") + "/");
    const QList<QPair<QString, QString>> expected = {
        {"AccState", "01"},
        {"MinState", "0"},
        {"MinLockState", "0"},
        {"AutoOpenState", "1"},
        {"MonState", "0"},
        {"TrvState", "35"},
        {"AutoBackupMaxCount", "9"},
        {"AutoBackupPath", ""},
        {"MyDataBasePath", f.env.path("data") + "/"},
        {"DblClickState", "1"},
        {"MainFontSize", "11"},
    };
    for (const auto& [key, value] : expected)
        QCOMPARE(f.stored(key), value);
    QCOMPARE(f.stored("DotState"), "<none>");
}

void TestSetForm::decimalsMarkerBelongsToTheLedger() {
    Fixture f;
    const QString other = f.env.ctx.session.userFolder() + "Other/";
    QDir().mkpath(other);
    TestFiles::put(other + "DotState.qvd", {});
    f.env.ctx.session.DotState = "0";
    f.window().Check1->setChecked(true);
    f.set->Command1->click();
    QVERIFY(QFile::exists(f.marker()));
    QCOMPARE(f.env.ctx.session.DotState, "1");
    f.window().Check1->setChecked(false);
    f.set->Command1->click();
    QVERIFY(!QFile::exists(f.marker()));
    QCOMPARE(f.env.ctx.session.DotState, "0");
    QVERIFY(QFile::exists(other + "DotState.qvd"));
}

void TestSetForm::fontSizeActsAtOnce() {
    Fixture f;
    f.window().Combo1->setCurrentText("14");
    f.set->Command1->click();
    QCOMPARE(f.form->Liv1->font().pointSizeF(), 14.0);
    QCOMPARE(f.form->Trv1->font().pointSizeF(), 14.0);
    QCOMPARE(f.stored("MainFontSize"), "14");
    QCOMPARE(f.window().Combo1->currentText(), "14");
}

void TestSetForm::defaultsThenCancelChangeNothing() {
    Fixture f;
    SettingMirrors& m = f.env.ctx.session.Setting;
    m.AutoOpenState = "0";
    m.YearState = "0";
    m.DblClickState = "0";
    m.TrvState = "40";
    const SettingMirrors before = m;
    SetForm& w = f.window();
    f.env.prompts.answer(Prompts::Answer::Yes);
    w.Command3->click();
    QCOMPARE(f.env.prompts.texts("question"), QStringList{"您確定要將設定值恢復到預設值嗎？"});
    QVERIFY(w.Check6->isChecked());
    QVERIFY(w.Check18->isChecked());
    QVERIFY(!w.Check4->isChecked()); // 點二下新增記錄 keeps its state
    QCOMPARE(w.Text1->text(), "20");
    QCOMPARE(w.Combo1->currentText(), "11");
    QVERIFY(w.Option2->isChecked());
    w.Command2->click();
    QCOMPARE(w.result(), int(QDialog::Rejected));
    QCOMPARE(m.AutoOpenState, before.AutoOpenState);
    QCOMPARE(m.TrvState, before.TrvState);
    QCOMPARE(f.stored("TrvState"), "<none>");
}

void TestSetForm::folderPicker_data() {
    QTest::addColumn<QString>("picked");
    QTest::addColumn<QString>("shown"); // "before": the previous path stays
    QTest::addColumn<bool>("warned");
    QTest::newRow("cancelled") << ""
                               << "before" << false;
    QTest::newRow("slash appended") << "/new"
                                    << "/new/" << false;
    QTest::newRow("slash kept") << "/new/"
                                << "/new/" << false;
    QTest::newRow("question mark") << "/a?b"
                                   << "before" << true;
    QTest::newRow("outside the code page") << QStringLiteral("/a\u00e9") << "before" << true;
}

void TestSetForm::folderPicker() {
    QFETCH(QString, picked);
    QFETCH(QString, shown);
    QFETCH(bool, warned);
    Fixture f;
    f.env.ctx.session.Setting.AutoBackupPath = "/old/";
    SetForm& w = f.window();
    f.env.prompts.answerPath(picked);
    w.Command4->click();
    QCOMPARE(w.Label11->text(), shown == "before" ? QString("/old/") : shown);
    QCOMPARE(f.env.prompts.shown.first().text, "請選擇一個資料夾");
    QCOMPARE(f.env.prompts.texts("warning"),
             warned ? QStringList{picked + "\r\n\r\n無法使用此資料夾！\r\n\r\n路徑名稱可能含有軟體"
                                           "不支援的文字，請改選其他資料夾！"}
                    : QStringList{});
    // Unticking empties the path and disables the picker.
    w.Check11->click();
    QVERIFY(w.Label11->text().isEmpty());
    QVERIFY(!w.Command4->isEnabled());
}

void TestSetForm::confirmWithASettingsFileThatCannotBeWritten() {
    Fixture f;
    QVERIFY(f.env.blockSettingsFile());
    SetForm& w = f.window();
    w.Text1->setText("35");
    w.Combo1->setCurrentText("14");
    w.Command1->click();
    QCOMPARE(f.env.prompts.texts("warning"), QStringList{"無法寫入設定檔，設定值未儲存!"});
    // The options still act for this run; the window closes as after any 確定.
    QCOMPARE(w.result(), int(QDialog::Accepted));
    QCOMPARE(f.env.ctx.session.Setting.TrvState, "35");
    QCOMPARE(f.form->Liv1->font().pointSizeF(), 14.0);
    QCOMPARE(f.stored("TrvState"), "<none>");
}

void TestSetForm::savesTheSettingsFile() {
    Fixture f;
    f.env.clock.setToday(QDate(2026, 12, 8));
    SetForm& w = f.window();
    w.Text1->setText("25"); // not confirmed, but shown: saved
    const QString file = f.env.path("s.csv");
    f.env.prompts.answerPath(file);
    w.Command6->click();
    const ShownBox dialog = f.env.prompts.shown.first();
    QCOMPARE(dialog.kind, "saveFile");
    QCOMPARE(dialog.text, "儲存檔案");
    QCOMPARE(dialog.filter, "CSV檔案|*.csv");
    QCOMPARE(dialog.defaultText, "qivo_20261208");
    QCOMPARE(f.env.prompts.texts("information"), QStringList{"儲存設定完成"});
    const QByteArray bytes = FileIO::readFile(file).value_or(QByteArray());
    QVERIFY(bytes.startsWith("25\r\n1\r\n"));
    QCOMPARE(f.stored("TrvState"), "<none>");

    f.env.prompts.clear();
    f.env.prompts.answerPath("");
    w.Command6->click(); // cancelled: nothing else
    QCOMPARE(f.env.prompts.shown.size(), 1);
}

void TestSetForm::savingThatFailsIsNotReportedAsDone() {
    Fixture f;
    SetForm& w = f.window();
    f.env.prompts.answerPath(f.env.path("no/such/folder/s.csv"));
    w.Command6->click();
    QCOMPARE(f.env.prompts.texts("information"), QStringList{});
    QCOMPARE(f.env.prompts.texts("warning").size(), 1);
}

void TestSetForm::loadsASavedFileBack() {
    Fixture f;
    SetForm& w = f.window();
    w.Text1->setText("44");
    w.Text2->setText("9");
    w.Check1->setChecked(false);
    w.Check13->setChecked(true);
    w.Check16->setChecked(true);
    w.Combo1->setCurrentText("26");
    w.Combo2->setCurrentText("30");
    w.Option1->setChecked(true);
    w.Check4->setChecked(false);
    const QString file = f.env.path("s.csv");
    f.env.prompts.answerPath(file);
    w.Command6->click();

    f.env.prompts.answer(Prompts::Answer::Yes);
    w.Command3->click(); // back to the defaults
    w.Check4->setChecked(true);
    f.env.prompts.clear();
    f.env.prompts.answerPath(file);
    w.Command7->click();
    QCOMPARE(f.env.prompts.shown.first().filter, "CSV檔案 (*.csv)|*.csv");
    QCOMPARE(f.env.prompts.texts("information"), QStringList{"設定載入完成"});
    QCOMPARE(w.Text1->text(), "44");
    QCOMPARE(w.Text2->text(), "9");
    QVERIFY(!w.Check1->isChecked());
    QVERIFY(w.Check13->isChecked() && w.Check16->isChecked());
    QCOMPARE(w.Combo1->currentText(), "26");
    QCOMPARE(w.Combo2->currentText(), "30");
    QVERIFY(w.Option1->isChecked());
    QVERIFY(w.Check4->isChecked());           // not in the file
    QCOMPARE(f.stored("TrvState"), "<none>"); // nothing stored before 確定
}

void TestSetForm::loadReportsChangedFolders() {
    Fixture f;
    f.env.ctx.session.Setting.AutoBackupPath = "/old/";
    SetForm& w = f.window();
    QByteArray bytes;
    for (int n = 1; n <= 21; ++n)
        bytes += QByteArray(n == 1 ? "abc" : n == 17 ? "" : n == 18 ? "/data/" : "1") + "\r\n";
    const QString file = f.env.path("s.csv");
    TestFiles::put(file, bytes);
    f.env.prompts.answerPath(file);
    w.Command7->click();
    QCOMPARE(f.env.prompts.texts("information"),
             QStringList{
                 "設定載入完成，新設定有更改到資料儲存路徑或自動備份路徑，請重新啟動軟體才會生效"});
    QVERIFY(!w.Check11->isChecked() && !w.Command4->isEnabled());
    QVERIFY(w.Check14->isChecked() && w.Command5->isEnabled());
    QCOMPARE(w.Label12->text(), "/data/");
    QCOMPARE(w.Text1->text(), "0");
    f.env.prompts.clear();
    w.Command1->click(); // a width of letters loaded is refused on 確定
    QCOMPARE(f.env.prompts.texts("warning"), QStringList{"科目欄的寬度請設定10到50間的數字"});
}

void TestSetForm::damagedFileIsRefused() {
    Fixture f;
    SetForm& w = f.window();
    const QString file = f.env.path("s.csv");
    TestFiles::put(file, "33\r\n5\r\n0\r\n");
    f.env.prompts.answerPath(file);
    w.Command7->click();
    QCOMPARE(f.env.prompts.texts("warning").size(), 1);
    QVERIFY(f.env.prompts.texts("information").isEmpty());
    QCOMPARE(w.Text1->text(), "20");
    QCOMPARE(w.Text2->text(), "1");
    QVERIFY(w.Check1->isChecked());

    f.env.prompts.clear();
    f.env.prompts.answerPath(f.env.path("missing.csv"));
    w.Command7->click();
    QCOMPARE(f.env.prompts.texts("warning").size(), 1);
    QCOMPARE(w.Text1->text(), "20");
}

void TestSetForm::mainWindowOpensTheWindow() {
    Fixture f;
    MainForm& m = *f.form;
    QVERIFY(m.Set_General->isEnabled());
    QVERIFY(m.ToolbarButton(11)->isEnabled());
    QVERIFY(f.nodeText("A-現金").contains("120"));
    f.env.modal.on<SetForm>([](SetForm& w) {
        w.Check8->setChecked(false); // no amounts in the tree
        w.Command1->click();
        return w.result();
    });
    m.ToolbarButton(11)->trigger();
    QCOMPARE(f.env.modal.shown, QStringList{"SetForm"});
    QCOMPARE(f.env.ctx.session.Setting.AccState, "10");
    QVERIFY(!f.nodeText("A-現金").contains("120"));

    f.env.modal.on<SetForm>([](SetForm& w) {
        w.Check8->setChecked(true);
        w.Command2->click();
        return w.result();
    });
    m.Set_General->trigger();
    QCOMPARE(f.env.ctx.session.Setting.AccState, "10");
    QVERIFY(!f.nodeText("A-現金").contains("120"));
}

QTEST_MAIN(TestSetForm)
#include "tst_setform.moc"
