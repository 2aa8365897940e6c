// What the user sees of the windows at their default sizes: figures read whole, chart
// labels fit, windows open over the main window and stay in front of it.
#include <QtTest>

#include <QAbstractItemDelegate>
#include <QCheckBox>
#include <QComboBox>
#include <QGraphicsTextItem>
#include <QHeaderView>
#include <QPushButton>
#include <QScrollBar>
#include <QStyleOptionComboBox>
#include <QStyleOptionViewItem>
#include <QTabBar>
#include <QTreeView>
#include <QTreeWidget>
#include <QWindow>
#include <functional>

#include "journal/diaryform.h"
#include "mainform_fixture.h"
#include "mainwin/entrylistmodel.h"
#include "online/downform.h"
#include "platform/codec.h"
#include "platform/webpages.h"
#include "reports/budgetshowform.h"
#include "reports/ibsform.h"
#include "reports/ieform.h"
#include "reports/reportchart.h"
#include "reports/yearform.h"
#include "rules/online/downposting.h"
#include "rules/schedule/memofiles.h"
#include "rules/setup/settingsfile.h"
#include "schedule/fixureclockform.h"
#include "schedule/fixureform.h"
#include "schedule/memoform.h"
#include "setup/setform.h"
#include "support/listrows.h"

namespace {

// A fixture with the figures a large ledger reaches: the largest amount the entry window
// takes on one entry, ten-digit sums elsewhere, an invoice on every entry.
struct Fixture : MainFormFixture {
    Fixture() {
        env.clock.setToday(QDate(2026, 12, 11));
        b.account("A-銀行.定期存款帳戶").account("L-信用卡").account("I-薪資");
        b.account("E-餐飲費").account("Equity");
        b.budget("E-餐飲費", 0, -2714356000).budget("E-餐飲費", 12, -2714356000);
        b.entry("2026/12/01", "A-銀行.定期存款帳戶", "Equity", 9e15 - 1).invoice("AB", "84098765");
        b.entry("2026/10/02", "E-餐飲費", "L-信用卡", -2714356000, "午餐")
            .invoice("CD", "12345678");
        b.entry("2026/11/02", "I-薪資", "A-銀行.定期存款帳戶", -13424192300);
        b.entry("2026/11/03", "L-信用卡", "Equity", 25244437800);
    }
};

// The width the list's own item painter asks for the cell: any narrower column cuts it.
int neededWidth(const QTreeView* list, const QModelIndex& index) {
    QStyleOptionViewItem option;
    option.initFrom(list);
    option.font = list->font();
    option.fontMetrics = QFontMetrics(list->font());
    option.widget = list;
    const int icon = list->style()->pixelMetric(QStyle::PM_SmallIconSize, nullptr, list);
    option.decorationSize = list->iconSize().isValid() ? list->iconSize() : QSize(icon, icon);
    option.features = QStyleOptionViewItem::HasDisplay;
    return list->itemDelegateForIndex(index)->sizeHint(option, index).width();
}

// Cells whose text the column cuts: "row: text (needed > width)".
QStringList cutCells(const QTreeView* list, const QList<int>& columns) {
    QStringList cut;
    const QAbstractItemModel* model = list->model();
    for (int c : columns)
        for (int r = 0; r < model->rowCount(); ++r) {
            const QModelIndex index = model->index(r, c);
            const int needed = neededWidth(list, index);
            if (needed > list->columnWidth(c))
                cut << QStringLiteral("%1/%2: %3 (%4 > %5)")
                           .arg(r)
                           .arg(c)
                           .arg(index.data().toString())
                           .arg(needed)
                           .arg(list->columnWidth(c));
        }
    return cut;
}

// Cells drawn past the right edge of the list's viewport: "row/column: text (right > width)".
QStringList cellsPastTheEdge(const QTreeView* list) {
    QStringList past;
    const QAbstractItemModel* model = list->model();
    const int width = list->viewport()->width();
    for (int c = 0; c < model->columnCount(); ++c) {
        if (list->isColumnHidden(c)) continue;
        for (int r = 0; r < model->rowCount(); ++r) {
            const QRect cell = list->visualRect(model->index(r, c));
            if (cell.x() + cell.width() > width)
                past << QStringLiteral("%1/%2: %3 (%4 > %5)")
                            .arg(r)
                            .arg(c)
                            .arg(model->index(r, c).data().toString())
                            .arg(cell.x() + cell.width())
                            .arg(width);
        }
    }
    return past;
}

// Where the shown columns end, in the list's content (scrolling left aside).
int columnsEnd(const QTreeView* list) {
    const QHeaderView* header = list->header();
    int end = 0;
    for (int c = 0; c < header->count(); ++c)
        if (!header->isSectionHidden(c))
            end = std::max(end, header->sectionPosition(c) + header->sectionSize(c));
    return end;
}

// A main window over a ledger whose bank account lists figures as long as a full-size ledger
// reaches: amounts of -134,241,923 and -27,143,560.55, running totals beyond a hundred
// million, an invoice number on every entry; `rows` entries, enough to scroll.
struct LongFiguresFixture : MainFormFixture {
    explicit LongFiguresFixture(int rows) {
        env.clock.setToday(QDate(2026, 12, 11));
        env.ctx.session.DotState = QStringLiteral("0");
        b.account("A-銀行").account("E-餐飲費").account("L-信用卡").account("Equity");
        b.entry("2026/01/02", "A-銀行", "Equity", -13424192300, "房租")
            .note(QStringLiteral("一月"))
            .invoice("AB", "84098765");
        b.entry("2026/01/03", "E-餐飲費", "A-銀行", 2714356055, "午餐").invoice("CD", "12345678");
        for (int i = 2; i < rows; ++i)
            b.entry("2026/02/01", "E-餐飲費", "A-銀行", 12345, "晚餐").invoice("EF", "87654321");
    }
};

// Confirms the general settings, with what `fill` chose in them.
void confirmGeneralSettings(MainFormFixture& f, const std::function<void(SetForm&)>& fill = {}) {
    f.env.modal.on<SetForm>([fill](SetForm& s) {
        if (fill) fill(s);
        s.Command1->click();
        return s.result();
    });
    f.form->Set_General->trigger();
}

// The window of a list at its default size, or resized as maximised on a screen of `size`.
void sizeWindow(QTreeView* list, const QSize& size) {
    if (size.isValid()) list->window()->resize(size);
    QCoreApplication::processEvents();
}

// The texts a chart draws.
QStringList drawnTexts(const ReportChart* chart) {
    QStringList texts;
    for (QGraphicsItem* item : chart->scene()->items())
        if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item))
            if (text->isVisible()) texts << text->toPlainText();
    return texts;
}

using Opener = std::function<QTreeView*(Fixture&, QList<int>&)>;

} // namespace

Q_DECLARE_METATYPE(Opener)

class TestWindowLook : public QObject {
    Q_OBJECT
public:
    // The windows are looked at on a screen of a usual laptop's size, 1366x768, where a window
    // may open wider than its design: the offscreen platform's own is 800x600.
    static void initMain() {
        if (qEnvironmentVariable("QT_QPA_PLATFORM") != QLatin1String("offscreen")) return;
        static QTemporaryFile config(QDir::tempPath() + QStringLiteral("/screen-XXXXXX.json"));
        if (!config.open() ||
            config.write(R"({"screens": [{"name": "laptop", "x": 0, "y": 0, "width": 1366,
                           "height": 768, "logicalDpi": 96, "logicalBaseDpi": 96}]})") < 0 ||
            !config.flush())
            qFatal("The screen's configuration could not be written");
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.fileName().toLocal8Bit());
    }

private slots:
    void figuresReadWhole_data();
    void figuresReadWhole();
    void budgetNameAndProgressTwiceAnAmount();
    void budgetColumnsInView_data();
    void budgetColumnsInView();
    void budgetLongNameGivesWay_data();
    void budgetLongNameGivesWay();
    void reportListsInTheSettingsType_data();
    void reportListsInTheSettingsType();
    void figureColumnsInsideTheList_data();
    void figureColumnsInsideTheList();
    void entryListFiguresWholeInView_data();
    void entryListFiguresWholeInView();
    void entryListWidestFigureAnywhere_data();
    void entryListWidestFigureAnywhere();
    void entryListTextsTakeBackTheirRoom();
    void downloadStatusInView_data();
    void downloadStatusInView();
    void timeBoxShowsWeekdayWhole_data();
    void timeBoxShowsWeekdayWhole();
    void memoTimesWholeAfterSettings_data();
    void memoTimesWholeAfterSettings();
    void budgetScrollsOverItsColumnsOnly_data();
    void budgetScrollsOverItsColumnsOnly();
    void yearlyChartLabelsWhole_data();
    void yearlyChartLabelsWhole();
    void yearlyFiguresAndChartTextInView_data();
    void yearlyFiguresAndChartTextInView();
    void windowsOverTheMainWindow_data();
    void windowsOverTheMainWindow();
    void modalWindowsCentredOnTheMainWindow_data();
    void modalWindowsCentredOnTheMainWindow();
    void helpPageThatCannotOpen();
    void dropListsKeepTheirRows_data();
    void dropListsKeepTheirRows();
};

// Every list of figures at its window's default size, the columns of figures measured
// against the width their widest text needs.
void TestWindowLook::figuresReadWhole_data() {
    QTest::addColumn<Opener>("open");
    QTest::newRow("statements, balance sheet") << Opener([](Fixture& f, QList<int>& columns) {
        auto* w = new IBSForm(f.env.ctx, *f.form, f.form.get());
        w->Form_Load();
        w->show();
        columns = {1, 2};
        return static_cast<QTreeView*>(w->ListView1);
    });
    QTest::newRow("statements, income") << Opener([](Fixture& f, QList<int>& columns) {
        auto* w = new IBSForm(f.env.ctx, *f.form, f.form.get());
        w->Form_Load();
        w->show();
        columns = {1, 2};
        return static_cast<QTreeView*>(w->ListView3);
    });
    QTest::newRow("budget table") << Opener([](Fixture& f, QList<int>& columns) {
        auto* w = new BudgetShowForm(f.env.ctx, *f.form, f.form.get());
        w->show();
        columns = {BudgetShowForm::ColActual, BudgetShowForm::ColBudget};
        return static_cast<QTreeView*>(w->Liv1);
    });
    for (int tab : {0, 1, 2})
        QTest::newRow(qPrintable(QStringLiteral("yearly, tab %1").arg(tab + 1)))
            << Opener([tab](Fixture& f, QList<int>& columns) {
                   auto* w = new YearForm(f.env.ctx, *f.form, f.form.get());
                   w->show();
                   if (tab > 0)
                       QTest::mouseClick(w->TabStrip1, Qt::LeftButton, {},
                                         w->TabStrip1->tabRect(tab).center());
                   columns = tab == 0 ? QList<int>{1, 2} : QList<int>{1, 2, 3};
                   return static_cast<QTreeView*>(w->Liv1[0]);
               });
    QTest::newRow("journal") << Opener([](Fixture& f, QList<int>& columns) {
        f.form->Statement_Note_Click();
        DiaryForm* w = f.form->OpenDiary();
        columns = {0, 3, 6}; // 日期, 金額, 發票
        return w->Liv1;
    });
    // The widest amount below hundreds of narrower ones, and on the other side of zero.
    QTest::newRow("journal, widest amount a negative in the last row")
        << Opener([](Fixture& f, QList<int>& columns) {
               for (int i = 0; i < 300; ++i)
                   f.b.entry("2026/12/05", "E-餐飲費", "L-信用卡", -(i + 1) * 100.0);
               f.b.entry("2026/12/31", "E-餐飲費", "L-信用卡", -(9e15 - 1), "定存");
               f.form->Statement_Note_Click();
               DiaryForm* w = f.form->OpenDiary();
               columns = {0, 3, 6};
               return w->Liv1;
           });
    QTest::newRow("download list") << Opener([](Fixture& f, QList<int>& columns) {
        auto* w = new DownForm(*f.form, f.form.get());
        w->show();
        w->StageRows(
            {OnlineService::StagedRow{"2026/12/11", "E-餐飲費", "A-銀行.定期存款帳戶",
                                      "-89,999,999,999,999.99", "午餐", "", "AB84098765"}});
        columns = {0, 3, 6};
        return static_cast<QTreeView*>(w->Liv1);
    });
    QTest::newRow("recurring records") << Opener([](Fixture& f, QList<int>& columns) {
        f.b.recurring(1, "11", "A-銀行.定期存款帳戶", "Equity", 9e15 - 1, "定存");
        f.b.recurring(4, "15", "E-餐飲費", "L-信用卡", 100, "午餐");
        f.b.recurring(5, "32", "E-餐飲費", "L-信用卡", 100, "晚餐");
        auto* w = new FixureForm(*f.form, f.form.get());
        w->show();
        columns = {0, 5}; // 週期 (單月, 雙月) beside its icon, 金額
        return static_cast<QTreeView*>(w->Liv1);
    });
    QTest::newRow("recurring posting") << Opener([](Fixture& f, QList<int>& columns) {
        f.b.recurring(1, "11", "A-銀行.定期存款帳戶", "Equity", 9e15 - 1, "定存");
        auto* w = new FixureClockForm(*f.form, f.form.get());
        for (const DueOccurrence& d : DueRecurring(f.env.ctx.ledger, f.env.clock.today()))
            w->AddRow(d);
        w->show();
        columns = {0, 3}; // 日期 with its check box, 金額
        return static_cast<QTreeView*>(w->Liv1);
    });
    QTest::newRow("memo book") << Opener([](Fixture& f, QList<int>& columns) {
        MemoBook book;
        book.clear();
        book.addMemo({QStringLiteral("2026/12/31"), -1, 3, QStringLiteral("繳費")});
        if (!SaveMemoFile(book, f.env.ctx.session.userFolder()))
            return static_cast<QTreeView*>(nullptr);
        auto* w = new MemoForm(f.env.ctx, f.form.get());
        w->show();
        columns = {0};
        return static_cast<QTreeView*>(w->Liv1);
    });
}

void TestWindowLook::figuresReadWhole() {
    QFETCH(Opener, open);
    Fixture f;
    f.open(Periods::All, 2026);
    f.form->show();
    QList<int> columns;
    QTreeView* list = open(f, columns);
    QVERIFY(list);
    QVERIFY(list->model()->rowCount() > 0);
    const QStringList cut = cutCells(list, columns);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

// The budget table draws its name and progress columns twice as wide as an amount column
// where the view has room for them (six amounts of 16 digits, in the type the settings
// window shows, want a window wider than 1024), and the amount columns as wide as their
// widest figure.
void TestWindowLook::budgetNameAndProgressTwiceAnAmount() {
    Fixture f;
    f.open(Periods::All, 2026);
    BudgetShowForm w(f.env.ctx, *f.form, f.form.get());
    w.show();
    sizeWindow(w.Liv1, QSize(1280, 768));
    QTreeWidget* list = w.Liv1;
    const int amount = list->columnWidth(BudgetShowForm::ColActual);
    QCOMPARE(list->columnWidth(BudgetShowForm::ColBudget), amount);
    QCOMPARE(list->columnWidth(BudgetShowForm::ColName), 2 * amount);
    QCOMPARE(list->columnWidth(BudgetShowForm::ColProgress), 2 * amount);
    QVERIFY(!list->header()->stretchLastSection());
}

// A ledger of full size in a year (整年) with decimals on: amounts of -241,823,302.83 and
// progress texts "支出超過 241,823,202.83" beside short names. Every column of the budget table
// reads whole inside the view at its default size and at 1024x768, whether the decimals were
// on at the opening or switched on in the running program (larger type): the name column
// gives way first. In the wider window the texts take their room back.
void TestWindowLook::budgetColumnsInView_data() {
    QTest::addColumn<bool>("switched");
    QTest::addColumn<QSize>("size");
    for (bool switched : {false, true})
        for (const QSize& size : {QSize(), QSize(1024, 768)})
            QTest::newRow(qPrintable(QStringLiteral("%1, %2").arg(
                switched ? QStringLiteral("decimals switched on")
                         : QStringLiteral("decimals on at the opening"),
                size.isValid() ? QStringLiteral("1024x768") : QStringLiteral("default size"))))
                << switched << size;
}

void TestWindowLook::budgetColumnsInView() {
    QFETCH(bool, switched);
    QFETCH(QSize, size);
    MainFormFixture f;
    f.env.clock.setToday(QDate(2024, 12, 31));
    if (!switched) f.env.ctx.session.DotState = QStringLiteral("1");
    f.b.account("A-現金").account("E-餐飲費").account("E-交通費").account("I-薪資");
    f.b.account("Equity");
    f.b.budget("E-餐飲費", 0, 10000).budget("E-交通費", 0, 10000);
    f.b.entry("2024/03/02", "E-餐飲費", "A-現金", 24182330283)
        .entry("2024/03/03", "E-交通費", "A-現金", 9876543210)
        .entry("2024/03/04", "I-薪資", "A-現金", -98753237925);
    MainForm& main = f.open(Periods::WholeYear, 2024);
    main.show();
    if (switched) confirmGeneralSettings(f, [](SetForm& s) { s.Check1->setChecked(true); });
    BudgetShowForm w(f.env.ctx, main, &main);
    w.show();
    sizeWindow(w.Liv1, size);
    QTreeWidget* list = w.Liv1;
    const QStringList progress = {list->topLevelItem(1)->text(BudgetShowForm::ColProgress)};
    QVERIFY2(list->findItems(QStringLiteral("支出超過 241,823,202.83"), Qt::MatchExactly,
                             BudgetShowForm::ColProgress)
                     .size() == 1,
             qPrintable(progress.join('|')));

    const QStringList cut =
        cutCells(list, {BudgetShowForm::ColName, BudgetShowForm::ColActual,
                        BudgetShowForm::ColBudget, BudgetShowForm::ColProgress});
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    const QStringList past = cellsPastTheEdge(list);
    QVERIFY2(past.isEmpty(), qPrintable(past.join(QStringLiteral("; "))));
    QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
    const int amount = list->columnWidth(BudgetShowForm::ColActual);
    if (size.isValid()) {
        QCOMPARE(list->columnWidth(BudgetShowForm::ColName), 2 * amount);
        QCOMPARE(list->columnWidth(BudgetShowForm::ColProgress), 2 * amount);
    } else if (list->columnWidth(BudgetShowForm::ColProgress) < 2 * amount) {
        // The progress gave way only after the name had given all it could.
        int widestName = list->header()->sectionSizeHint(BudgetShowForm::ColName);
        for (int r = 0; r < list->topLevelItemCount(); ++r)
            widestName = std::max(
                widestName, neededWidth(list, list->model()->index(r, BudgetShowForm::ColName)));
        // To the pixel the measures of the list and of its item painter may round apart.
        const int name = list->columnWidth(BudgetShowForm::ColName);
        QVERIFY2(name <= widestName + 1,
                 qPrintable(QStringLiteral("%1 > %2").arg(name).arg(widestName)));
    }
}

// An account name of 32 bytes beside actual amounts of nine digits and decimals: at the budget
// table's default size the name gives way, cut where it must, so that the amounts and the progress
// texts read whole in view; at 1024x768 every column reads whole.
void TestWindowLook::budgetLongNameGivesWay_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("default size") << QSize();
    QTest::newRow("1024x768") << QSize(1024, 768);
}

void TestWindowLook::budgetLongNameGivesWay() {
    QFETCH(QSize, size);
    MainFormFixture f;
    f.env.clock.setToday(QDate(2024, 12, 31));
    const QString name = QStringLiteral("E-國外旅遊住宿交通餐飲娛樂雜項支");
    QCOMPARE(Ansi::byteLength(name), 32);
    f.b.account("A-現金").account(name).account("I-薪資").account("Equity");
    f.b.budget(name, 0, 10000);
    f.b.entry("2024/03/02", name, "A-現金", 98761832100)
        .entry("2024/03/04", "I-薪資", "A-現金", -98761832100);
    MainForm& main = f.open(Periods::WholeYear, 2024);
    main.show();
    confirmGeneralSettings(f); // the type size as stored
    BudgetShowForm w(f.env.ctx, main, &main);
    w.show();
    sizeWindow(w.Liv1, size);
    QTreeWidget* list = w.Liv1;
    QVERIFY2(list->findItems(QStringLiteral("支出超過 987,618,221.00"), Qt::MatchExactly,
                             BudgetShowForm::ColProgress)
                     .size() == 2,
             qPrintable(ListRows(list).join(QStringLiteral("; "))));

    QList<int> whole = {BudgetShowForm::ColActual, BudgetShowForm::ColBudget,
                        BudgetShowForm::ColProgress};
    if (size.isValid()) whole << BudgetShowForm::ColName;
    const QStringList cut = cutCells(list, whole);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    const QStringList past = cellsPastTheEdge(list);
    QVERIFY2(past.isEmpty(), qPrintable(past.join(QStringLiteral("; "))));
    QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
    // The name still shows more than its caption.
    QVERIFY(list->columnWidth(BudgetShowForm::ColName) >
            list->header()->sectionSizeHint(BudgetShowForm::ColName));
}

// The lists of the report windows show the type the settings window shows from the first
// start: their rows are as high before the general settings were ever confirmed as after a
// 確定 that changed nothing.
void TestWindowLook::reportListsInTheSettingsType_data() {
    QTest::addColumn<Opener>("open");
    QTest::newRow("財務報表") << Opener([](Fixture& f, QList<int>&) {
        auto* w = new IBSForm(f.env.ctx, *f.form, f.form.get());
        w->Form_Load();
        w->show();
        return static_cast<QTreeView*>(w->ListView1);
    });
    QTest::newRow("整年度圖表") << Opener([](Fixture& f, QList<int>&) {
        auto* w = new YearForm(f.env.ctx, *f.form, f.form.get());
        w->show();
        return static_cast<QTreeView*>(w->Liv1[0]);
    });
    QTest::newRow("預算表") << Opener([](Fixture& f, QList<int>&) {
        auto* w = new BudgetShowForm(f.env.ctx, *f.form, f.form.get());
        w->show();
        return static_cast<QTreeView*>(w->Liv1);
    });
    QTest::newRow("每日收支") << Opener([](Fixture& f, QList<int>&) {
        auto* w = new IEForm(f.env.ctx, *f.form, f.form.get());
        w->show();
        return static_cast<QTreeView*>(w->Liv1);
    });
}

void TestWindowLook::reportListsInTheSettingsType() {
    QFETCH(Opener, open);
    Fixture f;
    f.open(Periods::LastMonth, 2026);
    f.form->show();
    auto rowHeight = [&] {
        QList<int> columns;
        QTreeView* list = open(f, columns);
        QCoreApplication::processEvents();
        const int height = list->visualRect(list->model()->index(0, 0)).height();
        list->window()->close();
        return height;
    };
    const int first = rowHeight();
    QVERIFY(first > 0);
    confirmGeneralSettings(f);
    QCOMPARE(f.env.settings.GetSetting("Setting", "MainFontSize", QString()), QString("11"));
    QCOMPARE(rowHeight(), first);
}

// With an entry of -27,143,560.55 among figures up to 16 digits, the lists of figures of the
// yearly tabs 2 and 3 and of the statements with decimals shown draw every column whole and
// inside the list, at the window's default size and at the size of a 1024x768 screen.
void TestWindowLook::figureColumnsInsideTheList_data() {
    QTest::addColumn<Opener>("open");
    QTest::addColumn<QSize>("size");
    QList<std::pair<QString, Opener>> openers;
    for (int tab : {1, 2})
        openers.append({QStringLiteral("yearly, tab %1").arg(tab + 1),
                        Opener([tab](Fixture& f, QList<int>& columns) {
                            auto* w = new YearForm(f.env.ctx, *f.form, f.form.get());
                            w->show();
                            QTest::mouseClick(w->TabStrip1, Qt::LeftButton, {},
                                              w->TabStrip1->tabRect(tab).center());
                            columns = tab == 1 ? QList<int>{1, 2, 3} : QList<int>{1, 2, 3, 4};
                            return static_cast<QTreeView*>(w->Liv1[0]);
                        })});
    for (int list : {1, 2, 3, 4})
        openers.append(
            {QStringLiteral("statements with decimals, list %1").arg(list),
             Opener([list](Fixture& f, QList<int>& columns) {
                 f.env.ctx.session.DotState = QStringLiteral("1");
                 auto* w = new IBSForm(f.env.ctx, *f.form, f.form.get());
                 w->Form_Load();
                 w->show();
                 if (list > 2)
                     QTest::mouseClick(w->TabStrip1, Qt::LeftButton, {},
                                       w->TabStrip1->tabRect(1).center());
                 columns = {1, 2};
                 QTreeWidget* lists[] = {w->ListView1, w->ListView2, w->ListView3, w->ListView4};
                 return static_cast<QTreeView*>(lists[list - 1]);
             })});
    for (const auto& [name, open] : openers) {
        QTest::newRow(qPrintable(name + QStringLiteral(", default size"))) << open << QSize();
        QTest::newRow(qPrintable(name + QStringLiteral(", 1024x768"))) << open << QSize(1024, 768);
    }
}

void TestWindowLook::figureColumnsInsideTheList() {
    QFETCH(Opener, open);
    QFETCH(QSize, size);
    Fixture f;
    f.b.entry("2026/03/02", "A-銀行.定期存款帳戶", "Equity", -2714356055);
    f.open(Periods::All, 2026);
    f.form->show();
    QList<int> columns;
    QTreeView* list = open(f, columns);
    QVERIFY(list);
    sizeWindow(list, size);
    QVERIFY(list->isVisible());
    QVERIFY(list->model()->rowCount() > 1);
    const QStringList cut = cutCells(list, columns);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    const QStringList past = cellsPastTheEdge(list);
    QVERIFY2(past.isEmpty(), qPrintable(past.join(QStringLiteral("; "))));
    QCOMPARE(list->horizontalScrollBar()->maximum(), 0);
}

// The main window's entry list draws every date, amount, running total and invoice number
// whole and inside the list, maximised as a start without stored settings opens it and at
// 1024x768, in the design widths and in those a start without stored settings sets, at the listing,
// after the general settings were confirmed (larger type) and with decimals on (wider amounts): the
// texts before them give way.
void TestWindowLook::entryListFiguresWholeInView_data() {
    QTest::addColumn<QSize>("size"); // invalid: maximised
    QTest::addColumn<bool>("started");
    QTest::addColumn<QString>("after");
    const QList<std::pair<const char*, QSize>> sizes = {{"maximised", QSize()},
                                                        {"1024x768", QSize(1024, 768)}};
    for (const auto& [name, size] : sizes)
        for (bool started : {false, true})
            for (const char* after : {"listing", "settings confirmed", "decimals on"})
                QTest::newRow(qPrintable(QStringLiteral("%1, %2, %3")
                                             .arg(name,
                                                  started ? QStringLiteral("start widths")
                                                          : QStringLiteral("design widths"),
                                                  after)))
                    << size << started << after;
}

void TestWindowLook::entryListFiguresWholeInView() {
    QFETCH(QSize, size);
    QFETCH(bool, started);
    QFETCH(QString, after);
    LongFiguresFixture f(80);
    MainForm& w = f.open(Periods::All, 2026);
    if (started) {
        w.SetListFontSize(11); // MainFontSize as a start without stored settings reads it
        w.FitColumnWidthsToFont();
    }
    if (size.isValid()) {
        w.resize(size);
        w.show();
    } else {
        w.showMaximized();
    }
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    f.list(QStringLiteral("A-銀行"));
    if (after == "settings confirmed") confirmGeneralSettings(f);
    if (after == "decimals on")
        confirmGeneralSettings(f, [](SetForm& s) { s.Check1->setChecked(true); });
    QCoreApplication::processEvents(); // the list laid out, its scroll bar shown

    QCOMPARE(w.EntryRowText(0, EntryListModel::Amount), after == "decimals on"
                                                            ? QStringLiteral("-134,241,923.00")
                                                            : QStringLiteral("-134,241,923"));
    QVERIFY(w.Liv1->verticalScrollBar()->isVisible());
    const QStringList cut = cutCells(w.Liv1, {EntryListModel::Date, EntryListModel::Amount,
                                              EntryListModel::Running, EntryListModel::Invoice});
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    const QStringList past = cellsPastTheEdge(w.Liv1);
    QVERIFY2(past.isEmpty(), qPrintable(past.join(QStringLiteral("; "))));
    QCOMPARE(w.Liv1->horizontalScrollBar()->maximum(), 0);
}

// The widest figure of a long list is drawn whole wherever it stands: in the last of
// hundreds of rows, a running total in a row of its own, a row the entry window adds.
void TestWindowLook::entryListWidestFigureAnywhere_data() {
    QTest::addColumn<QString>("where");
    QTest::newRow("amount and running total in the last row") << "last";
    QTest::newRow("running total in a row before the last") << "before";
    QTest::newRow("row added by the entry window") << "added";
}

void TestWindowLook::entryListWidestFigureAnywhere() {
    QFETCH(QString, where);
    LongFiguresFixture f(300);
    if (where == "last")
        f.b.entry("2026/12/31", "A-銀行", "Equity", 999999999999900.0, "定存")
            .invoice("WW", "99999999");
    if (where == "before") {
        f.b.entry("2026/01/31", "A-銀行", "Equity", 900000000000000.0, "定存");
        f.b.entry("2026/01/31", "E-餐飲費", "A-銀行", 899999999999900.0, "解約");
    }
    MainForm& w = f.open(Periods::All, 2026);
    w.resize(1024, 768);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    f.list(QStringLiteral("A-銀行"));
    if (where == "added")
        w.AppendEntryRow({{"2026/12/31", "E-餐飲費", "-9,999,999,999,999", "...", "午餐", "",
                           "WW99999999", "1"}});
    QCoreApplication::processEvents();

    const QStringList cut = cutCells(w.Liv1, {EntryListModel::Date, EntryListModel::Amount,
                                              EntryListModel::Running, EntryListModel::Invoice});
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    const QStringList past = cellsPastTheEdge(w.Liv1);
    QVERIFY2(past.isEmpty(), qPrintable(past.join(QStringLiteral("; "))));
}

// The texts that gave way at 1024x768 take their room back in a wider window, and the widths
// the user gave the columns, not those they were narrowed or widened to, are what the close
// stores.
void TestWindowLook::entryListTextsTakeBackTheirRoom() {
    LongFiguresFixture f(3);
    f.env.ctx.session.DotState = QStringLiteral("1");
    MainForm& w = f.open(Periods::All, 2026);
    w.resize(1024, 768);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    f.list(QStringLiteral("A-銀行"));
    QTreeView* list = w.Liv1;
    const int note = list->columnWidth(EntryListModel::Note);
    QVERIFY2(note < 150, qPrintable(QString::number(note)));
    QVERIFY(list->columnWidth(EntryListModel::Amount) > 80);
    w.resize(1600, 900);
    QCoreApplication::processEvents();
    QCOMPARE(list->columnWidth(EntryListModel::Note), 150);
    QCOMPARE(list->columnWidth(EntryListModel::Detail), 150);
    QVERIFY(cutCells(list, {EntryListModel::Note, EntryListModel::Detail}).isEmpty());
    w.resize(1024, 768);
    QCoreApplication::processEvents();
    QCOMPARE(list->columnWidth(EntryListModel::Note), note);
    // The user drags 明細 to a width of their own.
    list->header()->resizeSection(EntryListModel::Detail, 170);
    QVERIFY(w.close());
    auto stored = [&](int n) {
        return f.env.settings.GetSetting(QStringLiteral("MainForm"), QStringLiteral("LW%1").arg(n),
                                         QStringLiteral("<absent>"));
    };
    QCOMPARE(stored(3), QStringLiteral("80"));  // 金額 as designed, not as widened
    QCOMPARE(stored(5), QStringLiteral("170")); // 明細 as dragged
    QCOMPARE(stored(6), QStringLiteral("150")); // 備註 as designed, not as narrowed
}

// After 加入帳本 in the download window, in the larger type the general settings leave, the
// 狀態 of every row reads whole inside the list beside amounts of 16 digits, at the window's
// default size and at 1024x768: the free texts before it give way.
void TestWindowLook::downloadStatusInView_data() {
    QTest::addColumn<QSize>("size");
    QTest::newRow("default size") << QSize();
    QTest::newRow("1024x768") << QSize(1024, 768);
}

void TestWindowLook::downloadStatusInView() {
    QFETCH(QSize, size);
    Fixture f;
    f.open(Periods::All, 2026);
    f.form->show();
    confirmGeneralSettings(f, [](SetForm& s) { s.Check1->setChecked(true); });
    DownForm w(*f.form, f.form.get());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QList<OnlineService::StagedRow> rows;
    for (int i = 0; i < 30; ++i)
        rows << OnlineService::StagedRow{
            "2026/12/11",     "E-餐飲費",       "A-銀行.定期存款帳戶", "-89,999,999,999,999.99",
            "午餐與同事聚餐", "公司附近的餐廳", "AB84098765"};
    w.StageRows(rows);
    sizeWindow(w.Liv1, size);
    QTest::mouseClick(w.Command3, Qt::LeftButton, {}, w.Command3->rect().center());
    QCoreApplication::processEvents();
    QCOMPARE(w.Statuses().count(DownPosting::StatusOk), 30);

    const QStringList cut = cutCells(w.Liv1, {0, 3, 6, 7});
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    const QStringList past = cellsPastTheEdge(w.Liv1);
    QVERIFY2(past.isEmpty(), qPrintable(past.join(QStringLiteral("; "))));
    QCOMPARE(w.Liv1->horizontalScrollBar()->maximum(), 0);
}

// The time box of a schedule, with the period 週 chosen by keys after the window opened
// with 月, shows every weekday whole: the text as wide as the box's text field at most.
void TestWindowLook::timeBoxShowsWeekdayWhole_data() {
    QTest::addColumn<bool>("memo");
    QTest::newRow("recurring records") << false;
    QTest::newRow("memo book, recurring memos") << true;
}

void TestWindowLook::timeBoxShowsWeekdayWhole() {
    QFETCH(bool, memo);
    Fixture f;
    f.open(Periods::All, 2026);
    f.form->show();
    std::unique_ptr<QDialog> window;
    QComboBox* period = nullptr;
    QComboBox* time = nullptr;
    if (memo) {
        auto* w = new MemoForm(f.env.ctx, f.form.get());
        window.reset(w);
        period = w->Combo1;
        time = w->Combo2[0];
    } else {
        auto* w = new FixureForm(*f.form, f.form.get());
        window.reset(w);
        period = w->Combo1;
        time = w->Combo2[0];
    }
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(period->currentText(), QStringLiteral("月"));
    period->setFocus();
    QTest::keyClick(period, Qt::Key_Down);
    QCOMPARE(period->currentText(), QStringLiteral("週"));
    time->setFocus();
    QStringList cut;
    for (int day = 0; day < 7; ++day) {
        if (day > 0) QTest::keyClick(time, Qt::Key_Down);
        QCoreApplication::processEvents();
        QStyleOptionComboBox option;
        option.initFrom(time);
        option.currentText = time->currentText();
        // The field the style draws the chosen text in, less the pixel it keeps on either side.
        const QRect field =
            time->style()
                ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, time)
                .adjusted(1, 0, -1, 0);
        const int needed = time->fontMetrics().horizontalAdvance(time->currentText());
        if (needed > field.width())
            cut << QStringLiteral("%1 (%2 > %3)")
                       .arg(time->currentText())
                       .arg(needed)
                       .arg(field.width());
    }
    QCOMPARE(time->currentText(), QStringLiteral("星期六"));
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

// After a 確定 in 一般設定 that changed nothing, in the type it leaves, the recurring memos of the
// memo book show their period and time whole: a weekly memo on 星期五 beside a yearly one on
// 12/31 (a longer text of narrower characters), as the book opens with them and added by 新增.
void TestWindowLook::memoTimesWholeAfterSettings_data() {
    QTest::addColumn<bool>("added");
    QTest::newRow("stored") << false;
    QTest::newRow("added") << true;
}

void TestWindowLook::memoTimesWholeAfterSettings() {
    QFETCH(bool, added);
    Fixture f;
    MemoBook book;
    book.clear();
    book.addFixedMemo({1, QStringLiteral("12/31"), 0, QStringLiteral("繳稅")});
    if (!added) book.addFixedMemo({3, QStringLiteral("5"), 0, QStringLiteral("倒垃圾")});
    QVERIFY(SaveFixedMemoFile(book, f.env.ctx.session.userFolder()));
    f.open(Periods::All, 2026);
    f.form->show();
    confirmGeneralSettings(f);
    MemoForm w(f.env.ctx, f.form.get());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (added) {
        w.Combo1->setFocus();
        QTest::keyClick(w.Combo1, Qt::Key_Down);
        QCOMPARE(w.Combo1->currentText(), QStringLiteral("週"));
        w.Combo2[0]->setFocus();
        for (int day = 0; day < 5; ++day)
            QTest::keyClick(w.Combo2[0], Qt::Key_Down);
        QTest::keyClicks(w.Text3, QStringLiteral("trash"));
        QTest::mouseClick(w.Command5, Qt::LeftButton);
    }
    QCOMPARE(w.Liv2->topLevelItemCount(), 2);
    QCOMPARE(w.Liv2->topLevelItem(1)->text(1), QStringLiteral("星期五"));
    const QStringList cut = cutCells(w.Liv2, {0, 1});
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
}

// The budget table's horizontal scroll range ends where its columns end: none when they fit
// (an entry of -27,143,560.55), no empty area after them when they do not (16 digits).
void TestWindowLook::budgetScrollsOverItsColumnsOnly_data() {
    QTest::addColumn<bool>("largest");
    QTest::addColumn<QSize>("size");
    QTest::newRow("-27,143,560.55, default size") << false << QSize();
    QTest::newRow("-27,143,560.55, 1024x768") << false << QSize(1024, 768);
    QTest::newRow("16 digits, default size") << true << QSize();
    QTest::newRow("16 digits, 1024x768") << true << QSize(1024, 768);
}

void TestWindowLook::budgetScrollsOverItsColumnsOnly() {
    QFETCH(bool, largest);
    QFETCH(QSize, size);
    MainFormFixture plain;
    plain.env.clock.setToday(QDate(2026, 12, 11));
    plain.b.account("A-銀行").account("E-餐飲費").account("Equity");
    plain.b.budget("E-餐飲費", 0, 2714356055);
    plain.b.entry("2026/03/02", "E-餐飲費", "A-銀行", -2714356055);
    Fixture big;
    MainFormFixture& f = largest ? static_cast<MainFormFixture&>(big) : plain;
    f.open(Periods::All, 2026);
    f.form->show();
    BudgetShowForm w(f.env.ctx, *f.form, f.form.get());
    w.show();
    sizeWindow(w.Liv1, size);
    const int room = w.Liv1->viewport()->width();
    const int end = columnsEnd(w.Liv1);
    if (!largest) QVERIFY2(end <= room, qPrintable(QStringLiteral("%1 > %2").arg(end).arg(room)));
    QCOMPARE(w.Liv1->horizontalScrollBar()->maximum(), std::max(end - room, 0));
    // Scrolled to its end, the last column ends at the viewport's right edge.
    w.Liv1->horizontalScrollBar()->setValue(w.Liv1->horizontalScrollBar()->maximum());
    const QRect last = w.Liv1->visualRect(w.Liv1->model()->index(0, BudgetShowForm::ColProgress));
    QVERIFY(last.x() + last.width() <= room);
    QVERIFY(last.x() + last.width() >= std::min(room, end));
}

// The yearly chart draws its month labels whole at the default size (or in a shorter form),
// its value axis in grouped figures, and a legend naming its two series.
// With figures of a full-size ledger every month and decimals switched on, the list of the
// tab takes most of the window: the chart keeps the room its labels need.
void TestWindowLook::yearlyChartLabelsWhole_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QStringList>("legend");
    QTest::addColumn<bool>("monthly"); // figures of a full-size ledger in every month
    QTest::newRow("accounts") << 0 << QStringList{"A-銀行.定期存款帳戶"} << false;
    QTest::newRow("assets and liabilities") << 1 << QStringList{"資產", "負債"} << false;
    QTest::newRow("income and expense") << 2 << QStringList{"收入", "支出"} << false;
    QTest::newRow("assets and liabilities, full-size figures with decimals")
        << 1 << QStringList{"資產", "負債"} << true;
    QTest::newRow("income and expense, full-size figures with decimals")
        << 2 << QStringList{"收入", "支出"} << true;
}

void TestWindowLook::yearlyChartLabelsWhole() {
    QFETCH(int, tab);
    QFETCH(QStringList, legend);
    QFETCH(bool, monthly);
    Fixture f;
    if (monthly)
        for (int m = 1; m <= 12; ++m) {
            const QString day = QStringLiteral("2026/%1/").arg(m, 2, 10, QChar(u'0'));
            f.b.entry(day + "05", "I-薪資", "A-銀行.定期存款帳戶", -648692010 - m * 1111);
            f.b.entry(day + "06", "E-餐飲費", "L-信用卡", 2095520237 + m * 1111);
        }
    f.open(Periods::All, 2026);
    if (monthly) {
        // Decimals switched on in the running program, in the type the settings leave.
        f.form->show();
        confirmGeneralSettings(f, [](SetForm& s) { s.Check1->setChecked(true); });
    }
    YearForm w(f.env.ctx, *f.form, f.form.get());
    w.show();
    if (tab > 0)
        QTest::mouseClick(w.TabStrip1, Qt::LeftButton, {}, w.TabStrip1->tabRect(tab).center());
    QCoreApplication::processEvents();
    const QStringList drawn = drawnTexts(w.MSChart1);
    for (const QString& text : drawn)
        QVERIFY2(!text.endsWith(QStringLiteral("...")), qPrintable(drawn.join('|')));
    for (int m = 1; m <= 12; ++m) {
        const bool whole = drawn.contains(QStringLiteral("%1月").arg(m));
        const bool shorter = drawn.contains(QString::number(m));
        QVERIFY2(whole || shorter, qPrintable(QStringLiteral("%1: ").arg(m) + drawn.join('|')));
    }
    // Value labels: whole units grouped by thousands; no raw "93414565.2".
    const QRegularExpression grouped(QStringLiteral("^-?\\d{1,3}(,\\d{3})+$"));
    const QRegularExpression raw(QStringLiteral("^-?\\d{5,}(\\.\\d+)?$"));
    bool anyGrouped = false;
    for (const QString& text : drawn) {
        QVERIFY2(!raw.match(text).hasMatch(), qPrintable(text));
        anyGrouped = anyGrouped || grouped.match(text).hasMatch();
    }
    QVERIFY2(anyGrouped, qPrintable(drawn.join('|')));
    for (const QString& name : legend)
        QVERIFY2(drawn.contains(name), qPrintable(name + ": " + drawn.join('|')));
}

// With figures of a full-size ledger every month and decimals switched on, in the type the
// settings leave, the yearly tabs of figures draw every column of their list in view at the
// window's default size (the window may open wider, within the screen) and at 1024x768, and
// their chart draws no text smaller than the smallest type a list can have.
void TestWindowLook::yearlyFiguresAndChartTextInView_data() {
    QTest::addColumn<int>("tab");
    QTest::addColumn<QSize>("size");
    for (int tab : {1, 2})
        for (const QSize& size : {QSize(), QSize(1024, 768)})
            QTest::newRow(qPrintable(QStringLiteral("tab %1, %2")
                                         .arg(tab + 1)
                                         .arg(size.isValid() ? QStringLiteral("1024x768")
                                                             : QStringLiteral("default size"))))
                << tab << size;
}

void TestWindowLook::yearlyFiguresAndChartTextInView() {
    QFETCH(int, tab);
    QFETCH(QSize, size);
    Fixture f;
    for (int m = 1; m <= 12; ++m) {
        const QString day = QStringLiteral("2026/%1/").arg(m, 2, 10, QChar(u'0'));
        f.b.entry(day + "05", "I-薪資", "A-銀行.定期存款帳戶", -648692010 - m * 1111);
        f.b.entry(day + "06", "E-餐飲費", "L-信用卡", 2095520237 + m * 1111);
    }
    f.open(Periods::All, 2026);
    f.form->show();
    confirmGeneralSettings(f, [](SetForm& s) { s.Check1->setChecked(true); });
    YearForm w(f.env.ctx, *f.form, f.form.get());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    if (size.isValid()) w.resize(size);
    QTest::mouseClick(w.TabStrip1, Qt::LeftButton, {}, w.TabStrip1->tabRect(tab).center());
    QCoreApplication::processEvents();

    const QRect screen = w.screen()->availableGeometry();
    if (!size.isValid())
        QVERIFY2(screen.contains(w.frameGeometry()),
                 qPrintable(QStringLiteral("%1,%2 %3x%4")
                                .arg(w.frameGeometry().x())
                                .arg(w.frameGeometry().y())
                                .arg(w.frameGeometry().width())
                                .arg(w.frameGeometry().height())));
    QTreeWidget* list = w.Liv1[0];
    const QList<int> columns = tab == 1 ? QList<int>{0, 1, 2, 3} : QList<int>{0, 1, 2, 3, 4};
    const QStringList cut = cutCells(list, columns);
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral("; "))));
    const QStringList past = cellsPastTheEdge(list);
    QVERIFY2(past.isEmpty(), qPrintable(past.join(QStringLiteral("; "))));
    QCOMPARE(list->horizontalScrollBar()->maximum(), 0);

    QFont smallest = list->font();
    smallest.setPointSize(SettingsFile::FontSizes().first().toInt());
    const int least = QFontInfo(smallest).pixelSize();
    QStringList small;
    for (QGraphicsItem* item : w.MSChart1->scene()->items())
        if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item))
            if (text->isVisible() && !text->toPlainText().isEmpty() &&
                QFontInfo(text->font()).pixelSize() < least)
                small << QStringLiteral("%1 (%2 px)")
                             .arg(text->toPlainText())
                             .arg(QFontInfo(text->font()).pixelSize());
    QVERIFY2(small.isEmpty(), qPrintable(small.join(QStringLiteral("; "))));
    const QStringList drawn = drawnTexts(w.MSChart1);
    for (const QString& text : drawn)
        QVERIFY2(!text.endsWith(QStringLiteral("...")), qPrintable(drawn.join('|')));
}

// The report windows open centred on the main window and belong to it, so that the window
// manager keeps them in front of it.
void TestWindowLook::windowsOverTheMainWindow_data() {
    QTest::addColumn<int>("window");
    QTest::newRow("statements") << 0;
    QTest::newRow("yearly") << 1;
    QTest::newRow("journal") << 2;
}

void TestWindowLook::windowsOverTheMainWindow() {
    QFETCH(int, window);
    Fixture f;
    MainForm& main = f.open(Periods::All, 2026);
    main.setGeometry(300, 200, 900, 650);
    main.show();
    QWidget* opened = nullptr;
    if (window == 0) {
        main.Statement_IBS_Click();
        opened = main.findChild<IBSForm*>();
    } else if (window == 1) {
        main.Statement_Year_Click();
        opened = main.findChild<YearForm*>();
    } else {
        main.Statement_Note_Click();
        opened = main.OpenDiary();
    }
    QVERIFY(opened);
    QVERIFY(opened->isVisible());
    const QPoint centre = opened->frameGeometry().center();
    // Within the window frame's few pixels, which are not known before the first showing.
    QVERIFY2((centre - main.frameGeometry().center()).manhattanLength() <= 4,
             qPrintable(QStringLiteral("%1,%2").arg(centre.x()).arg(centre.y())));
    QVERIFY(opened->windowHandle());
    QCOMPARE(opened->windowHandle()->transientParent(), main.windowHandle());
}

// The modal windows of the menus open centred on the main window and belong to it.
void TestWindowLook::modalWindowsCentredOnTheMainWindow_data() {
    QTest::addColumn<QByteArray>("window");
    QTest::addColumn<std::function<void(MainForm&)>>("open");
    QTest::newRow("daily report") << QByteArray("IEForm")
                                  << std::function<void(MainForm&)>(&MainForm::Statement_IE_Click);
    QTest::newRow("lottery") << QByteArray("NumberForm")
                             << std::function<void(MainForm&)>(&MainForm::Tools_Number_Click);
    QTest::newRow("paper invoices")
        << QByteArray("NumberListForm")
        << std::function<void(MainForm&)>(&MainForm::Tools_NumberList_Click);
    QTest::newRow("recurring records")
        << QByteArray("FixureForm") << std::function<void(MainForm&)>(&MainForm::Data_Fixure_Click);
    QTest::newRow("memo book") << QByteArray("MemoForm")
                               << std::function<void(MainForm&)>(&MainForm::Tools_Note_Click);
}

void TestWindowLook::modalWindowsCentredOnTheMainWindow() {
    QFETCH(QByteArray, window);
    QFETCH(std::function<void(MainForm&)>, open);
    Fixture f;
    MainForm& main = f.open(Periods::All, 2026);
    main.setGeometry(300, 200, 900, 650);
    main.show();
    QString seen;
    f.env.modal.onClass(window.constData(), [&](QDialog& d) {
        // Within the rounding of the two centres (QRect::center rounds down).
        const QPoint off = d.frameGeometry().center() - main.frameGeometry().center();
        const bool centred = std::abs(off.x()) <= 2 && std::abs(off.y()) <= 2;
        seen = QStringLiteral("owner:%1 ").arg(d.parentWidget() == &main) +
               (centred ? QStringLiteral("centred")
                        : QStringLiteral("offset %1,%2").arg(off.x()).arg(off.y()));
        return int(QDialog::Rejected);
    });
    open(main);
    QCOMPARE(seen, QStringLiteral("owner:1 centred"));
}

// A help page that no browser opens is no silent click: the user is told, with the address.
void TestWindowLook::helpPageThatCannotOpen() {
    Fixture f;
    MainForm& main = f.open(Periods::All, 2026);
    f.env.shell.openResult = false;
    main.Help_Chm_Click();
    QCOMPARE(f.env.shell.openedUrls, QStringList{WebPages::Help});
    const QStringList warnings = f.env.prompts.texts(QStringLiteral("warning"));
    QCOMPARE(warnings.size(), 1);
    QVERIFY(warnings[0].startsWith(QStringLiteral("無法開啟網頁")));
    QVERIFY(warnings[0].endsWith(WebPages::Help));

    f.env.prompts.clear();
    f.env.shell.openResult = true;
    main.Help_Chm_Click();
    QVERIFY(f.env.prompts.shown.isEmpty());
}

// What a drop-down list shows when its arrow is clicked: how many rows fit in its view and
// whether the list stays on the screen.
struct DropList {
    int rows = 0;
    bool onScreen = false;
};

DropList clickDropArrow(QComboBox* combo) {
    QStyleOptionComboBox option;
    option.initFrom(combo);
    option.editable = combo->isEditable();
    const QRect arrow = combo->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                       QStyle::SC_ComboBoxArrow, combo);
    QTest::mouseClick(combo, Qt::LeftButton, {}, arrow.center());
    QCoreApplication::processEvents();
    DropList shown;
    const QAbstractItemView* view = combo->view();
    const int rowHeight = view->sizeHintForRow(0);
    if (view->window()->isVisible() && rowHeight > 0) {
        shown.rows = view->viewport()->height() / rowHeight;
        shown.onScreen =
            combo->screen()->availableGeometry().contains(view->window()->frameGeometry());
    }
    combo->hidePopup();
    return shown;
}

// Every drop-down of these windows shows at most the rows it was given, with a scroll bar
// for the rest, however many items it holds: none reaches the height of the screen. The
// period lists hold a fixed fourteen and are left as they are.
void TestWindowLook::dropListsKeepTheirRows_data() {
    QTest::addColumn<int>("window");
    QTest::newRow("main window") << 0;
    QTest::newRow("yearly") << 2;
    QTest::newRow("recurring records") << 3;
}

void TestWindowLook::dropListsKeepTheirRows() {
    QFETCH(int, window);
    Fixture f;
    MainForm& main = f.open(Periods::All, 2026);
    main.resize(1024, 768);
    main.show();
    QStringList tall;
    int checked = 0;
    const auto check = [&](QWidget& w) {
        for (QComboBox* combo : w.findChildren<QComboBox*>()) {
            if (!combo->isVisible() || !combo->isEnabled()) continue;
            if (combo->objectName() == QStringLiteral("Combo1") && qobject_cast<MainForm*>(&w))
                continue;
            // Items enough to fill any screen; the list's own contents are not what is measured.
            while (combo->count() < 120)
                combo->addItem(QStringLiteral("項目%1").arg(combo->count()));
            const DropList shown = clickDropArrow(combo);
            ++checked;
            if (shown.rows < 1 || shown.rows > combo->maxVisibleItems() || !shown.onScreen)
                tall << QStringLiteral("%1: %2 rows of %3, on screen %4")
                            .arg(combo->objectName())
                            .arg(shown.rows)
                            .arg(combo->maxVisibleItems())
                            .arg(shown.onScreen);
        }
    };
    if (window == 0) {
        check(main);
    } else if (window == 2) {
        main.Statement_Year_Click();
        check(*main.findChild<YearForm*>());
    } else {
        f.env.modal.onClass("FixureForm", [&](QDialog& d) {
            d.show();
            QCoreApplication::processEvents();
            check(d);
            return int(QDialog::Rejected);
        });
        main.Data_Fixure_Click();
    }
    QVERIFY(checked > 0);
    QVERIFY2(tall.isEmpty(), qPrintable(tall.join(QStringLiteral("; "))));
}

QTEST_MAIN(TestWindowLook)
#include "tst_windowlook.moc"
