#include "platform/desktop/windowroutines.h"
#include "platform/tray.h"
#include "support/recordingtray.h"
#include "support/scriptedprompts.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTest>
#include <QTreeWidget>
#include <QWindow>

class TestWindowRoutines : public QObject {
    Q_OBJECT
private slots:
    void trayIds();
    void comboDropWidth_data();
    void comboDropWidth();
    void comboDropWidthEmptyAndAlreadyWide();
    void removeCloseCommand();
    void flatHeaderAndPanelText();
    void browseForFolder();
    void dialogCentred_data();
    void dialogCentred();
    void fixedDialogWithoutMaximise();
};

void TestWindowRoutines::trayIds() {
    RecordingTray tray;
    QWidget a;
    QWidget b;
    QCOMPARE(tray.AddTrayIcon(&a, QIcon(), QStringLiteral("Qivo")), 1);
    QCOMPARE(tray.AddTrayIcon(&b, QIcon(), QStringLiteral("Qivo")), 2);
    tray.RemoveTrayIcon(1);
    QCOMPARE(tray.TrayIconId(), 2);
    QVERIFY(!tray.isShown(1));
    QVERIFY(tray.isShown(2));
    QCOMPARE(tray.AddTrayIcon(&a, QIcon(), QString()), 3);
    // Entries stay after removal; unknown ids change nothing.
    QCOMPARE(tray.TrayIcons().size(), 3);
    QCOMPARE(tray.TrayIcons().value(QStringLiteral("1")), &a);
    tray.RemoveTrayIcon(99);
    QCOMPARE(tray.removed, QList<int>{1});

    int clicks = 0;
    const int id = tray.AddTrayIcon(&a, QIcon(), QString(), [&](TrayService::Click c) {
        clicks += c == TrayService::Click::Double ? 1 : 0;
    });
    QVERIFY(tray.click(id, TrayService::Click::Double));
    QCOMPARE(clicks, 1);
}

void TestWindowRoutines::comboDropWidth_data() {
    QTest::addColumn<int>("targetWidth"); // pixel width wanted for the widest item
    QTest::addColumn<int>("screenWidth");
    QTest::addColumn<int>("expected"); // -1: widest + 20
    QTest::newRow("about 180 pixels") << 180 << 1024 << -1;
    QTest::newRow("over 1100 pixels on a 1024 screen") << 1100 << 1024 << 1004;
}

void TestWindowRoutines::comboDropWidth() {
    QFETCH(int, targetWidth);
    QFETCH(int, screenWidth);
    QFETCH(int, expected);
    QComboBox combo;
    combo.resize(120, combo.height());
    const QFontMetrics metrics(combo.font());
    QString widest;
    while (metrics.horizontalAdvance(widest) < targetWidth)
        widest += QLatin1Char('W');
    combo.addItems({QStringLiteral("a"), widest, QStringLiteral("bb")});
    if (expected < 0) expected = metrics.horizontalAdvance(widest) + 20;
    QVERIFY(FitComboDropWidth(&combo, screenWidth));
    QCOMPARE(combo.view()->minimumWidth(), expected);
    QCOMPARE(combo.width(), 120); // the combo box keeps its width
}

void TestWindowRoutines::comboDropWidthEmptyAndAlreadyWide() {
    QComboBox empty;
    QVERIFY(!FitComboDropWidth(&empty, 1024));
    QCOMPARE(empty.view()->minimumWidth(), 0);

    QComboBox combo;
    combo.resize(120, combo.height());
    combo.addItem(QStringLiteral("x"));
    combo.view()->setMinimumWidth(500);
    QVERIFY(FitComboDropWidth(&combo, 1024));
    QCOMPARE(combo.view()->minimumWidth(), 500); // never shrinks
}

void TestWindowRoutines::removeCloseCommand() {
    QDialog dialog;
    dialog.show();
    RemoveCloseCommand(&dialog);
    RemoveCloseCommand(&dialog); // twice changes nothing
    QVERIFY(dialog.isVisible());
    QVERIFY(!(dialog.windowFlags() & Qt::WindowCloseButtonHint));

    // Close requests and Esc are refused.
    QVERIFY(dialog.windowHandle());
    dialog.windowHandle()->close();
    QVERIFY(dialog.isVisible());
    QVERIFY(!dialog.close());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    QVERIFY(dialog.isVisible());
    QCOMPARE(dialog.result(), int(QDialog::Rejected));

    // The program itself may still close it.
    dialog.done(5);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), 5);
}

void TestWindowRoutines::flatHeaderAndPanelText() {
    QTreeWidget list;
    list.setHeaderLabels({QStringLiteral("日期"), QStringLiteral("金額")});
    FlattenListHeader(&list);
    QVERIFY(!list.header()->sectionsClickable());

    QLabel panel;
    DrawPanelText(&panel, QStringLiteral("預算: 1,000"));
    QCOMPARE(panel.text(), QStringLiteral("預算: 1,000"));
}

void TestWindowRoutines::browseForFolder() {
    ScriptedPrompts prompts;
    prompts.answerPath(QString());
    prompts.answerPath(QStringLiteral("/data/x"));
    QCOMPARE(BrowseForFolder(prompts, QStringLiteral("選擇資料夾")), QString());
    QCOMPARE(BrowseForFolder(prompts, QStringLiteral("選擇資料夾")), QStringLiteral("/data/x"));
    QCOMPARE(prompts.texts(QStringLiteral("browseFolder")).size(), 2);
}

// A dialog opens in the middle of its parent's window, or of the screen while the parent is
// not shown (the login comes before the main window).
void TestWindowRoutines::dialogCentred_data() {
    QTest::addColumn<int>("parent"); // 0 none, 1 hidden, 2 shown
    QTest::newRow("no parent") << 0;
    QTest::newRow("hidden parent") << 1;
    QTest::newRow("shown parent") << 2;
}

void TestWindowRoutines::dialogCentred() {
    QFETCH(int, parent);
    QWidget owner;
    owner.setGeometry(40, 30, 500, 300);
    if (parent == 2) owner.show();
    QDialog dialog(parent ? &owner : nullptr);
    dialog.resize(200, 100);
    PlaceDialog(dialog);
    dialog.show();
    const QRect area = parent == 2 ? owner.frameGeometry() : dialog.screen()->availableGeometry();
    QVERIFY2((dialog.geometry().center() - area.center()).manhattanLength() <= 2,
             qPrintable(QStringLiteral("%1,%2 in %3,%4")
                            .arg(dialog.geometry().center().x())
                            .arg(dialog.geometry().center().y())
                            .arg(area.center().x())
                            .arg(area.center().y())));
    // A dialog that placed itself keeps its place.
    QDialog placed;
    placed.move(10, 20);
    PlaceDialog(placed);
    QCOMPARE(placed.pos(), QPoint(10, 20));
}

void TestWindowRoutines::fixedDialogWithoutMaximise() {
    QDialog fixed;
    fixed.setFixedSize(200, 100);
    PlaceDialog(fixed);
    QVERIFY(fixed.windowFlags().testFlag(Qt::CustomizeWindowHint));
    QVERIFY(!fixed.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(fixed.windowFlags().testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(fixed.windowFlags().testFlag(Qt::WindowTitleHint));
    // A resizable dialog keeps what the window manager gives it.
    QDialog sizable;
    const Qt::WindowFlags before = sizable.windowFlags();
    PlaceDialog(sizable);
    QCOMPARE(sizable.windowFlags(), before);
}

QTEST_MAIN(TestWindowRoutines)
#include "tst_windowroutines.moc"
