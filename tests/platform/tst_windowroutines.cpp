#include "platform/desktop/dialogprompts.h"
#include "platform/desktop/windowroutines.h"
#include "platform/translation.h"
#include "platform/tray.h"
#include "support/recordingtray.h"
#include "support/scriptedprompts.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QStyleOptionViewItem>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <QWindow>
#include <functional>

class TestWindowRoutines : public QObject {
    Q_OBJECT
private slots:
    void trayIds();
    void comboDropWidth_data();
    void comboDropWidth();
    void comboDropWidthEmptyAndAlreadyWide();
    void comboDropWidthFollowsTheFont();
    void removeCloseCommand();
    void flatHeaderAndPanelText();
    void browseForFolder();
    void dialogCentred_data();
    void dialogCentred();
    void fixedDialogWithoutMaximise();
    void escapeIsCancel();
    void waitCursorAfterRepaint();
    void boxesOnTheActiveWindow_data();
    void boxesOnTheActiveWindow();
    void boxesBeforeAnyWindowShows_data();
    void boxesBeforeAnyWindowShows();
    void programLocaleMonthNames();
    void fileDialogColumnsWholeAndChinese();
    void saveDialogReportsChosenType_data();
    void saveDialogReportsChosenType();
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

// The same names in a larger type: the list is as wide as they are in that type, not as they
// were measured before in the smaller one.
void TestWindowRoutines::comboDropWidthFollowsTheFont() {
    const QStringList names{QStringLiteral("A-現金"), QStringLiteral("E-餐飲費.午餐與晚餐"),
                            QStringLiteral("L-信用卡")};
    int previous = 0;
    for (const qreal points : {9.0, 18.0, 9.0}) {
        QComboBox combo;
        QFont font = combo.font();
        font.setPointSizeF(points);
        combo.setFont(font);
        combo.resize(40, combo.height());
        combo.addItems(names);
        QVERIFY(FitComboDropWidth(&combo, 4000));
        const QFontMetrics metrics(font);
        QCOMPARE(combo.view()->minimumWidth(), metrics.horizontalAdvance(names.at(1)) + 20);
        QVERIFY(combo.view()->minimumWidth() != previous);
        previous = combo.view()->minimumWidth();
    }
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

// A window without a close command still takes Esc as its 取消 button.
void TestWindowRoutines::escapeIsCancel() {
    QDialog dialog;
    auto* edit = new QLineEdit(&dialog);
    auto* cancel = new QPushButton(QStringLiteral("取消"), &dialog);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(edit);
    layout->addWidget(cancel);
    int clicks = 0;
    QObject::connect(cancel, &QPushButton::clicked, &dialog, [&] {
        ++clicks;
        dialog.done(7);
    });
    RemoveCloseCommand(&dialog);
    dialog.show();
    edit->setFocus();
    QTest::keyClick(edit, Qt::Key_Escape);
    QCOMPARE(clicks, 1);
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result(), 7);
}

namespace {
class PaintCounter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};
} // namespace

// Work under the wait cursor starts on a repainted screen and ends with the usual cursor.
void TestWindowRoutines::waitCursorAfterRepaint() {
    PaintCounter window;
    window.resize(200, 100);
    window.show();
    QCoreApplication::processEvents();
    const int before = window.paints;
    window.update();
    {
        const WaitCursor waiting;
        QVERIFY(window.paints > before);
        QVERIFY(QApplication::overrideCursor());
        QCOMPARE(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    QVERIFY(!QApplication::overrideCursor());
}

// A box opens over the window that raised it (not over the main window behind it), wide
// enough for its title.
void TestWindowRoutines::boxesOnTheActiveWindow_data() {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::newRow("short text") << "Qivoka"
                                << "資料結帳完成";
    QTest::newRow("long title") << "這是一個相當長的標題文字，比訊息長得多"
                                << "完成";
}

void TestWindowRoutines::boxesOnTheActiveWindow() {
    QFETCH(QString, title);
    QFETCH(QString, text);
    QWidget main;
    main.setGeometry(0, 0, 780, 580);
    main.show();
    QWidget report(&main, Qt::Window);
    report.setGeometry(400, 300, 300, 200);
    report.show();
    report.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&report));

    DialogPrompts prompts(title);
    prompts.setParentWindow(&main);
    QRect boxFrame;
    QTimer::singleShot(0, [&] {
        QWidget* box = QApplication::activeModalWidget();
        if (!box) return;
        boxFrame = box->frameGeometry();
        box->close();
    });
    prompts.information(text);
    QVERIFY(boxFrame.isValid());
    QVERIFY2(
        (boxFrame.center() - report.frameGeometry().center()).manhattanLength() <= 2,
        qPrintable(
            QStringLiteral("box at %1,%2").arg(boxFrame.center().x()).arg(boxFrame.center().y())));
    // The title beside an icon and three title-bar buttons of at least 24 pixels.
    const int titleWidth = QFontMetrics(QApplication::font()).horizontalAdvance(title);
    QVERIFY2(
        boxFrame.width() >= titleWidth + 4 * 24,
        qPrintable(QStringLiteral("%1 for a title of %2").arg(boxFrame.width()).arg(titleWidth)));
}

// A box asked while no window of the program is on view (the first-use question, asked
// before the main window shows) stands in the middle of the screen.
void TestWindowRoutines::boxesBeforeAnyWindowShows_data() {
    QTest::addColumn<QString>("kind");
    QTest::newRow("question") << "question";
    QTest::newRow("information") << "information";
    QTest::newRow("input") << "input";
}

void TestWindowRoutines::boxesBeforeAnyWindowShows() {
    QFETCH(QString, kind);
    QWidget main; // the main window, not shown yet
    main.setGeometry(0, 0, 1004, 537);
    DialogPrompts prompts(QStringLiteral("Qivoka"));
    prompts.setParentWindow(&main);
    QRect boxFrame;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!box) return;
        boxFrame = box->frameGeometry();
        box->reject();
    });
    const QString text = QStringLiteral("這是您建立帳號後初次使用，要看看使用教學嗎？\r\n\r\n"
                                        "目前您已經建立帳本完成，可由「自訂科目」開始看起。");
    if (kind == "question")
        prompts.question(text, Prompts::Buttons::YesNo);
    else if (kind == "information")
        prompts.information(text);
    else
        prompts.input(text);
    QVERIFY(boxFrame.isValid());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    const QPoint off = boxFrame.center() - screen.center();
    // Halving odd sizes may put the middle a pixel off either way.
    QVERIFY2(
        qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1,
        qPrintable(
            QStringLiteral("%1 right, %2 down of the screen's middle").arg(off.x()).arg(off.y())));
}

// Calendars and date boxes name months and weekdays in Chinese at any machine locale.
void TestWindowRoutines::programLocaleMonthNames() {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    UseProgramLocale();
    QCalendarWidget calendar;
    calendar.setSelectedDate(QDate(2026, 12, 11));
    calendar.show();
    auto* month = calendar.findChild<QToolButton*>(QStringLiteral("qt_calendar_monthbutton"));
    QVERIFY(month);
    QCOMPARE(month->text(), QStringLiteral("12月"));
    auto* days = calendar.findChild<QTableView*>(QStringLiteral("qt_calendar_calendarview"));
    QVERIFY(days);
    QStringList weekdays;
    for (int c = 0; c < days->model()->columnCount(); ++c)
        weekdays << days->model()->index(0, c).data().toString();
    QVERIFY2(weekdays.contains(QStringLiteral("週一")), qPrintable(weekdays.join(',')));
    QDateEdit edit(QDate(2026, 12, 11));
    edit.setDisplayFormat(QStringLiteral("MMMM dddd"));
    QCOMPARE(edit.text(), QStringLiteral("12月 星期五"));
    QLocale::setDefault(before);
}

// The file dialogs read in the program's locale whatever the machine's: 大小 in 位元組,
// 型態 of a folder 資料夾, 修改日期 whole with 上午 or 下午. Every column of the list is as wide
// as the texts drawn in it and ends inside the list at the dialog's size; the dialog opens
// centred on the window it belongs to.
void TestWindowRoutines::fileDialogColumnsWholeAndChinese() {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    UseProgramLocale();
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("收支")));
    QFile file(dir.filePath(QStringLiteral("a.csv")));
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write("12345"), qint64(5));
    QVERIFY(file.flush()); // before the time is set: a later write would set it again
    QVERIFY(file.setFileTime(QDateTime(QDate(2026, 1, 5), QTime(20, 16)),
                             QFileDevice::FileModificationTime));
    file.close();
    QWidget owner;
    owner.setGeometry(100, 100, 1000, 600);
    owner.show();
    DialogPrompts prompts(QStringLiteral("Qivoka"));
    prompts.setParentWindow(&owner);
    QStringList shown; // "名稱|大小|型態|修改日期" per row
    QStringList cut;
    QPoint offCentre;
    std::function<void()> look = [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* view = dialog ? dialog->findChild<QTreeView*>(QStringLiteral("treeView")) : nullptr;
        if (!view) return;
        const QModelIndex root = view->rootIndex();
        const QAbstractItemModel* model = view->model();
        if (model->rowCount(root) < 2 || model->index(1, 3, root).data().toString().isEmpty()) {
            QTimer::singleShot(20, look); // the folder is still being read
            return;
        }
        offCentre = dialog->frameGeometry().center() - owner.frameGeometry().center();
        for (int c = 1; c < 4; ++c) {
            const int right = view->header()->sectionViewportPosition(c) + view->columnWidth(c);
            if (right > view->viewport()->width())
                cut << QStringLiteral("column %1 ends at %2 of %3")
                           .arg(c)
                           .arg(right)
                           .arg(view->viewport()->width());
        }
        for (int r = 0; r < model->rowCount(root); ++r) {
            QStringList texts;
            for (int c = 0; c < 4; ++c) {
                const QModelIndex index = model->index(r, c, root);
                texts << index.data().toString();
                QStyleOptionViewItem option;
                option.initFrom(view);
                option.font = view->font();
                option.fontMetrics = view->fontMetrics();
                option.widget = view;
                option.decorationSize = view->iconSize();
                option.features = QStyleOptionViewItem::HasDisplay;
                const int needed =
                    view->itemDelegateForIndex(index)->sizeHint(option, index).width();
                if (c > 0 && needed > view->columnWidth(c))
                    cut << QStringLiteral("%1 (%2 > %3)")
                               .arg(texts.last())
                               .arg(needed)
                               .arg(view->columnWidth(c));
            }
            shown << texts.join(QLatin1Char('|'));
        }
        dialog->reject();
    };
    QTimer::singleShot(0, look);
    prompts.saveFile(QStringLiteral("匯出"), QStringLiteral("CSV檔案 (*.csv)|*.csv"),
                     dir.filePath(QStringLiteral("b.csv")));
    QLocale::setDefault(before);
    const QString rows = shown.join(QStringLiteral("; "));
    const QString csv = shown.filter(QStringLiteral("a.csv|")).value(0);
    QVERIFY2(csv.startsWith(QStringLiteral("a.csv|5 位元組|")), qPrintable(rows));
    QVERIFY2(csv.endsWith(QStringLiteral("|2026/01/05 下午08:16")), qPrintable(rows));
    QVERIFY2(
        shown.filter(QStringLiteral("收支|")).value(0).startsWith(QStringLiteral("收支||資料夾|")),
        qPrintable(rows));
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    QVERIFY2(std::abs(offCentre.x()) <= 2 && std::abs(offCentre.y()) <= 2,
             qPrintable(QStringLiteral("off by %1,%2").arg(offCentre.x()).arg(offCentre.y())));
}

// The save dialog tells which file type was chosen, and a name kept or typed without an
// extension gets that type's before the dialog asks about replacing a file, so the question
// is about the file that will be written. A name typed with an extension keeps it.
void TestWindowRoutines::saveDialogReportsChosenType_data() {
    QTest::addColumn<int>("downs");     // presses of Down on the type list
    QTest::addColumn<QString>("typed"); // "" keeps the proposed name
    QTest::addColumn<bool>("existing"); // the file of the written name is there already
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("type");
    QTest::newRow("CSV, proposed name") << 1 << QString() << false << "報表.csv"
                                        << "*.csv";
    QTest::newRow("page, proposed name") << 0 << QString() << false << "報表.htm"
                                         << "*.htm";
    QTest::newRow("CSV, typed .txt") << 1 << "報表.txt" << false << "報表.txt"
                                     << "*.csv";
    QTest::newRow("CSV, file there") << 1 << QString() << true << "報表.csv"
                                     << "*.csv";
}

void TestWindowRoutines::saveDialogReportsChosenType() {
    QFETCH(int, downs);
    QFETCH(QString, typed);
    QFETCH(bool, existing);
    QFETCH(QString, written);
    QTemporaryDir dir;
    if (existing) {
        QFile old(dir.filePath(written));
        QVERIFY(old.open(QIODevice::WriteOnly));
    }
    QWidget owner;
    owner.setGeometry(100, 100, 800, 600);
    owner.show();
    DialogPrompts prompts(QStringLiteral("Qivoka"));
    prompts.setParentWindow(&owner);
    QString question;
    std::function<void()> answerReplace = [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) return;
        question = box->text();
        box->button(QMessageBox::Yes)->click();
    };
    std::function<void()> choose = [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        auto* types =
            dialog ? dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")) : nullptr;
        auto* name =
            dialog ? dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit")) : nullptr;
        if (!types || !name) return;
        types->setFocus();
        for (int i = 0; i < downs; ++i)
            QTest::keyClick(types, Qt::Key_Down);
        name->setFocus();
        if (!typed.isEmpty()) {
            name->selectAll();
            name->insert(typed); // as pasted
        }
        if (existing) QTimer::singleShot(0, answerReplace);
        QTest::keyClick(name, Qt::Key_Return);
    };
    QTimer::singleShot(0, choose);
    QString type;
    const QString path = prompts.saveFile(QStringLiteral("儲存檔案"),
                                          QStringLiteral("網頁檔案(*.Htm)|*.htm|CSV檔案|*.csv"),
                                          dir.filePath(QStringLiteral("報表")), &type);
    QCOMPARE(QFileInfo(path).fileName(), written);
    QTEST(type, "type");
    QCOMPARE(question.contains(written), existing);
}

QTEST_MAIN(TestWindowRoutines)
#include "tst_windowroutines.moc"
