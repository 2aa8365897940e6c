// The journal window: load from the main window, ticks, rows that never act on another
// entry, the jump, moves within a day, the close, the arrows, the sums of selected rows,
// settings and the commands of the main window that open it.
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QCoreApplication>
#include <QDateEdit>
#include <QEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include "entry/inputform.h"
#include "journal_fixture.h"
#include "platform/desktop/dialogprompts.h"
#include "platform/settingsstore.h"
#include "setup/setform.h"
#include "support/entrylistrow.h"
#include "windowparts/colourtable.h"

namespace {
// The texts a view's rows show in a column, read through the view.
QStringList viewColumn(const QTreeView* view, int column) {
    QStringList texts;
    const QAbstractItemModel* m = view->model();
    for (int r = 0; r < m->rowCount(); ++r)
        texts << m->index(r, column).data().toString();
    return texts;
}

// The row of a view that shows `text` in `column`; -1 when none does.
int rowShowing(const QTreeView* view, int column, const QString& text) {
    return int(viewColumn(view, column).indexOf(text));
}

// 一般設定 → 確定 from the main window's menu, `fill` changing the settings first.
// A keyword pasted into the search box and 搜尋 clicked, as a user searches.
void searchFor(DiaryForm& d, const QString& keyword) {
    QGuiApplication::clipboard()->setText(keyword);
    QTest::keySequence(d.Text2, QKeySequence::Paste);
    QTest::mouseClick(d.Command1, Qt::LeftButton);
}

void confirmGeneralSettings(JournalFixture& f, const std::function<void(SetForm&)>& fill = {}) {
    f.env.modal.on<SetForm>([fill](SetForm& s) {
        if (fill) fill(s);
        s.Command1->click();
        return s.result();
    });
    f.form->Set_General->trigger();
}
} // namespace

class DiaryFormTest : public QObject {
    Q_OBJECT
private slots:
    void loadListsMainWindowPeriod() {
        JournalFixture f;
        f.b.entry("2024/02/20", "E-餐飲費", "A-現金", 100, "feb");
        f.b.entry("2024/03/10", "E-餐飲費", "A-現金", 200, "mar");
        f.b.entry("2024/04/10", "E-餐飲費", "A-現金", 300, "apr");
        DiaryForm& d = f.journal(Periods::FirstMonth + 2, 2024);
        QCOMPARE(d.windowTitle(), QStringLiteral("記錄總覽"));
        QCOMPARE(d.Text1->text(), QStringLiteral("2024"));
        QCOMPARE(d.Combo1->currentText(), QStringLiteral("03月"));
        QCOMPARE(f.column(JournalModel::DetailColumn), QStringList{"mar"});
        QCOMPARE(d.ListingMode, quint8(1));
        QCOMPARE(d.ListingTitle, QStringLiteral("Home_2024年03月"));
        QCOMPARE(d.DTPicker1->date(), QDate(2024, 3, 1));
        QCOMPARE(d.DTPicker2->date(), QDate(2024, 3, 31));
        QCOMPARE(d.StatusText(), QStringLiteral("共 1 筆記錄，資產轉移 0.00，收入總計 0.00，"
                                                "支出總計 2.00，結餘 -2.00"));
        // Designed size without stored settings; the index column is hidden.
        QCOMPARE(d.size(), QSize(857, 605));
        QVERIFY(d.Liv1->isColumnHidden(JournalModel::IndexColumn));
        QCOMPARE(d.Liv1->columnWidth(2), 110);
        QCOMPARE(f.column(JournalModel::IndexColumn), QStringList{"2"});
    }

    void allSetsPickersToFirstAndLastRow() {
        JournalFixture f;
        f.b.entry("2023/12/31", "E-餐飲費", "A-現金", 100);
        f.b.entry("2024/02/01", "E-餐飲費", "A-現金", 100);
        DiaryForm& d = f.journal(Periods::All);
        QCOMPARE(d.DTPicker1->date(), QDate(2023, 12, 31));
        QCOMPARE(d.DTPicker2->date(), QDate(2024, 2, 1));
        QCOMPARE(d.ListingTitle, QStringLiteral("Home_2024年全部"));
        // A range listing from the pickers: both days included.
        d.DTPicker1->setDate(QDate(2024, 2, 1));
        d.Cmd2->click();
        QCOMPARE(d.ListingMode, quint8(2));
        QCOMPARE(d.ListingTitle, QStringLiteral("Home_20240201-20240201"));
        QCOMPARE(f.column(0), QStringList{"2024/02/01"});
    }

    void rowLooks() {
        JournalFixture f;
        f.b.entry("2024/03/09", "E-餐飲費", "A-現金", 123456, "sat")
            .colour(2)
            .invoice("AB", "12345678");
        f.b.entry("2024/03/10", "I-薪水", "Equity", 100, "sun");
        f.b.entry("2024/03/11", "A-銀行", "A-現金", 100, "mon");
        DiaryForm& d = f.journal();
        JournalModel& m = *d.model();
        auto fg = [&m](int r, int c) {
            return m.index(r, c).data(Qt::ForegroundRole).value<QBrush>().color();
        };
        QCOMPARE(fg(0, 0), QColor(0, 112, 0));
        QCOMPARE(fg(1, 0), QColor(206, 0, 0));
        QVERIFY(!m.index(2, 0).data(Qt::ForegroundRole).isValid());
        for (int c : {4, 5, 6})
            QCOMPARE(fg(0, c), ColourTable::colour(2));
        QCOMPARE(m.cellText(0, JournalModel::AmountColumn), QStringLiteral("1,234.56"));
        QCOMPARE(m.cellText(0, JournalModel::InvoiceColumn), QStringLiteral("AB12345678"));
        QCOMPARE(m.index(0, 3).data(Qt::TextAlignmentRole).toInt(),
                 int(Qt::AlignRight | Qt::AlignVCenter));
        // Kind icons: 分類 by A-/L-/I-/E-, 科目 by A-/L-/Eq.
        QVERIFY(!m.index(1, 1).data(Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(!m.index(1, 2).data(Qt::DecorationRole).value<QIcon>().isNull());
        QVERIFY(!m.index(0, 0).data(Qt::DecorationRole).value<QIcon>().isNull());
    }

    // The rows whose dates, amounts and invoice numbers are the longest, as the journal finds
    // them to fit its columns, are those that formatting every row finds, in every amount
    // format: both sides of zero, zero itself, thousands marks or none, and non-ASCII letters.
    void longestTextRows_data() {
        QTest::addColumn<QString>("dotState");
        QTest::addColumn<QString>("moneyState");
        QTest::addColumn<QList<double>>("amounts");
        QTest::addColumn<int>("limit");
        const QList<double> mixed = {5,         -5,      0,          99,        100,
                                     12345,     -123456, 999999,     1000000,   -1000000,
                                     0.4,       -0.4,    123456789,  -99999999, 123456789,
                                     -99999999, 0,       -123456789, 7,         987654321};
        QTest::newRow("cents, thousands marks") << "1"
                                                << "1" << mixed << 64;
        QTest::newRow("whole units, thousands marks") << "0"
                                                      << "1" << mixed << 64;
        QTest::newRow("whole units, no marks") << "0"
                                               << "0" << mixed << 64;
        QTest::newRow("zero drawn with cents, others without")
            << "2"
            << "1" << QList<double>{5, 0, 99, 7} << 64;
        QTest::newRow("the widest a negative, last")
            << "1"
            << "1" << QList<double>{5, 100, 300, -100000} << 64;
        QTest::newRow("more longest rows than measured") << "1"
                                                         << "1" << mixed << 2;
    }
    void longestTextRows() {
        QFETCH(QString, dotState);
        QFETCH(QString, moneyState);
        QFETCH(QList<double>, amounts);
        QFETCH(int, limit);
        JournalFixture f;
        const QStringList letters = {"AB", "", "發", "W", "XY"};
        const QStringList digits = {"12345678", "1", "", "123456789", "1234"};
        for (qsizetype i = 0; i < amounts.size(); ++i)
            f.b.entry("2024/03/05", "E-餐飲費", "A-現金", amounts[i])
                .invoice(letters[i % letters.size()], digits[i % digits.size()]);
        DiaryForm& d = f.journal();
        f.env.ctx.session.DotState = dotState;
        f.env.ctx.session.Setting.MoneyState = moneyState;
        const JournalModel& m = *d.model();
        QCOMPARE(m.rowCount(), int(amounts.size()));
        for (int column :
             {JournalModel::DateColumn, JournalModel::AmountColumn, JournalModel::InvoiceColumn}) {
            // Of invoice numbers in ASCII one row of each shape (digits drawn alike) is enough.
            auto shapeOf = [&](int r) {
                QString text = m.cellText(r, column);
                for (QChar& c : text) {
                    if (c.unicode() >= 0x80) return QString::number(r) + QStringLiteral("#");
                    if (c.isDigit()) c = u'0';
                }
                return text;
            };
            int longest = 0;
            QList<int> expected;
            QStringList shapes;
            for (int r = 0; r < m.rowCount(); ++r) {
                const int length = int(m.cellText(r, column).size());
                if (length > longest) {
                    longest = length;
                    expected.clear();
                    shapes.clear();
                }
                if (length != longest || expected.size() >= limit) continue;
                if (column == JournalModel::InvoiceColumn) {
                    if (shapes.contains(shapeOf(r))) continue;
                    shapes << shapeOf(r);
                }
                expected << r;
            }
            QCOMPARE(m.longestTextRows(column, limit), expected);
        }
    }

    void listingNeverTicks() {
        JournalFixture f;
        f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 100, "a").checked();
        f.b.entry("2024/03/06", "E-餐飲費", "A-現金", 100, "b");
        DiaryForm& d = f.journal();
        QVERIFY(f.rowTicked(0));
        QVERIFY(!f.rowTicked(1));
        d.Combo2->setCurrentIndex(Journal::TypeExpense);
        d.Command1_Click();
        d.Combo1->setCurrentIndex(Periods::WholeYear);
        QCOMPARE(f.env.ctx.ledger.EntryInvoices[1].Checked, qint16(-1));
        QCOMPARE(f.env.ctx.ledger.EntryInvoices[2].Checked, qint16(0));
        QVERIFY(!f.form->LedgerChanged());
    }

    void tickSetsExactlyItsEntry() {
        JournalFixture f;
        for (const char* d : {"a", "b", "c"})
            f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 100, QString::fromLatin1(d));
        f.journal();
        f.clickCheck(1, true);
        const Ledger& l = f.env.ctx.ledger;
        QCOMPARE(l.EntryInvoices[1].Checked, qint16(0));
        QCOMPARE(l.EntryInvoices[2].Checked, qint16(-1));
        QCOMPARE(l.EntryInvoices[3].Checked, qint16(0));
        QVERIFY(f.rowTicked(1));
        QVERIFY(f.form->LedgerChanged());
        QVERIFY(f.form->ToolbarButton(3)->isEnabled());
        f.clickCheck(1, false);
        QCOMPARE(l.EntryInvoices[2].Checked, qint16(0));
    }

    void rowsNeverActOnAnotherEntry() {
        // An entry deleted without a word to the journal (the tables written by hand) while it
        // shows its old rows: the tick lists again instead of ticking whatever now lies at the
        // row's index.
        JournalFixture f;
        for (const char* d : {"a", "b", "c"})
            f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 100, QString::fromLatin1(d));
        DiaryForm& d = f.journal();
        d.Text2->setText(QStringLiteral("b"));
        d.Combo2->setCurrentIndex(Journal::TypeExpense); // relists with the keyword
        QCOMPARE(f.entriesShown(), (QList<int>{2}));
        Ledger& l = f.env.ctx.ledger;
        {
            const QSignalBlocker quiet(&l.Notifier);
            l.markEntryDeleted(1);
            l.compactEntries();
        }
        f.clickCheck(0, true);
        for (int i = 1; i < l.EntryCount; ++i)
            QCOMPARE(l.EntryInvoices[size_t(i)].Checked, qint16(0));
        // Listed again with keyword, type and mode kept: the row now names entry 1 ("b").
        QCOMPARE(f.entriesShown(), (QList<int>{1}));
        QCOMPARE(d.Text2->text(), QStringLiteral("b"));
        QCOMPARE(d.Combo2->currentIndex(), int(Journal::TypeExpense));
        f.clickCheck(0, true);
        QCOMPARE(l.EntryInvoices[1].Checked, qint16(-1));
        QCOMPARE(f.detailOf(1), QStringLiteral("b"));
        QCOMPARE(l.EntryInvoices[2].Checked, qint16(0));
    }

    void activationRelistsAfterChanges() {
        JournalFixture f;
        f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 100, "lunch one");
        DiaryForm& d = f.journal();
        d.Text2->setText(QStringLiteral("lunch"));
        d.DTPicker1->setDate(QDate(2024, 3, 1));
        d.DTPicker2->setDate(QDate(2024, 3, 31));
        d.Cmd2_Click();
        QCOMPARE(d.RowCount(), 1);
        LedgerBuilder(f.env.ctx.ledger).entry("2024/03/07", "E-餐飲費", "A-現金", 100, "lunch two");
        QEvent activate(QEvent::WindowActivate);
        QCoreApplication::sendEvent(&d, &activate);
        QCOMPARE(f.column(JournalModel::DetailColumn), (QStringList{"lunch one", "lunch two"}));
        QCOMPARE(d.ListingMode, quint8(2));
        QCOMPARE(d.Text2->text(), QStringLiteral("lunch"));
    }

    // An entry deleted in the main window while the journal is shown: what the journal
    // draws next, its rows and its sums line, is one listing of the changed ledger.
    void rowsAndSumsAgreeAfterMainWindowChange() {
        JournalFixture f;
        f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 12000, QStringLiteral("午餐"));
        f.b.entry("2024/03/06", "E-餐飲費", "A-現金", 30000, QStringLiteral("房租"));
        f.b.entry("2024/03/07", "E-餐飲費", "A-現金", 15000, QStringLiteral("午餐"));
        DiaryForm& d = f.journal();
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        searchFor(d, QStringLiteral("午餐"));
        QCOMPARE(f.column(JournalModel::DetailColumn),
                 (QStringList{QStringLiteral("午餐"), QStringLiteral("午餐")}));

        // The main window lists the expense account; the user clicks its first row (午餐
        // of 03/05) and deletes it.
        MainForm& w = *f.form;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        f.list(QStringLiteral("E-餐飲費"));
        EntryListRowRef first;
        for (int r = 0; r < w.Liv1->model()->rowCount(); ++r)
            if (w.RowEntryIndex(r) == 1) first = EntryListRowRef{w.Liv1, r};
        QVERIFY(!first.isNull());
        QTest::mouseClick(w.Liv1->viewport(), Qt::LeftButton, {}, first.rect().center());
        f.env.prompts.answer(Prompts::Answer::Yes);
        w.Data_Del->trigger();
        QCOMPARE(f.env.ctx.ledger.EntryCount, 3);

        d.grab(); // the journal drawn again, as any exposure draws it
        QCOMPARE(f.column(JournalModel::DetailColumn), QStringList{QStringLiteral("午餐")});
        QCOMPARE(f.column(JournalModel::AmountColumn), QStringList{QStringLiteral("150.00")});
        QVERIFY2(d.StatusText().startsWith(QStringLiteral("共 1 筆記錄")),
                 qPrintable(d.StatusText()));
        QVERIFY2(d.StatusText().contains(QStringLiteral("支出總計 150.00")),
                 qPrintable(d.StatusText()));
        QCOMPARE(d.Text2->text(), QStringLiteral("午餐"));
    }

    // An entry deleted or edited in the main window, as a user does it, while the journal
    // shows a keyword's rows: at once, without the journal being drawn, its rows read
    // through the view and its sums line are a listing of the changed ledger, and a click on
    // a row selects the entry that row shows.
    void followsMainWindowChanges_data() {
        QTest::addColumn<QString>("change");
        QTest::addColumn<QStringList>("details");
        QTest::addColumn<QStringList>("amounts");
        QTest::addColumn<QString>("sums");
        QTest::newRow("deleted") << "delete" << QStringList{"午餐 二", "午餐 三"}
                                 << QStringList{"100,000", "0"}
                                 << "共 2 筆記錄，資產轉移 0，收入總計 0，支出總計 100,000，"
                                    "結餘 -100,000";
        QTest::newRow("detail edited away from the keyword")
            << "detail" << QStringList{"午餐 二", "午餐 三"} << QStringList{"100,000", "0"}
            << "共 2 筆記錄，資產轉移 0，收入總計 0，支出總計 100,000，結餘 -100,000";
        QTest::newRow("amount edited")
            << "amount" << QStringList{"午餐 一", "午餐 二", "午餐 三"}
            << QStringList{"800", "100,000", "0"}
            << "共 3 筆記錄，資產轉移 0，收入總計 0，支出總計 100,800，結餘 -100,800";
    }
    void followsMainWindowChanges() {
        QFETCH(QString, change);
        QFETCH(QStringList, details);
        QFETCH(QStringList, amounts);
        JournalFixture f;
        f.env.ctx.session.DotState = QStringLiteral("0");
        f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 50000, QStringLiteral("午餐 一"));
        f.b.entry("2024/03/06", "E-餐飲費", "A-現金", 3000000, QStringLiteral("房租"));
        f.b.entry("2024/03/07", "E-餐飲費", "A-現金", 10000000, QStringLiteral("午餐 二"));
        f.b.entry("2024/03/08", "E-餐飲費", "A-現金", 0, QStringLiteral("午餐 三"));
        DiaryForm& d = f.journal();
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        searchFor(d, QStringLiteral("午餐"));
        QCOMPARE(viewColumn(d.Liv1, JournalModel::AmountColumn),
                 (QStringList{"500", "100,000", "0"}));

        // In the main window the user lists the expense account and picks 午餐 一.
        MainForm& w = *f.form;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        f.list(QStringLiteral("E-餐飲費"));
        const EntryListRowRef first = f.row(0);
        QCOMPARE(first.text(4), QStringLiteral("午餐 一"));
        QTest::mouseClick(w.Liv1->viewport(), Qt::LeftButton, {}, first.rect().center());
        if (change == "delete") {
            f.env.prompts.answer(Prompts::Answer::Yes);
            QTest::keyClick(w.Liv1, Qt::Key_Delete);
            QCOMPARE(f.env.ctx.ledger.EntryCount, 4);
        } else {
            f.env.modal.on<InputForm>([&change](InputForm& form) {
                if (change == "detail") {
                    form.Combo3->setEditText(QStringLiteral("晚餐"));
                } else {
                    form.Text2->selectAll();
                    QTest::keyClicks(form.Text2, QStringLiteral("800"));
                }
                form.Cmd1->click();
                return form.result();
            });
            QTest::keyClick(w.Liv1, Qt::Key_Return);
        }

        // Read at once, the journal not drawn since.
        QCOMPARE(viewColumn(d.Liv1, JournalModel::DetailColumn), details);
        QCOMPARE(viewColumn(d.Liv1, JournalModel::AmountColumn), amounts);
        QTEST(d.StatusText(), "sums");

        // A click on the row shown as 100,000 selects that entry.
        const int row = rowShowing(d.Liv1, JournalModel::AmountColumn, QStringLiteral("100,000"));
        QVERIFY(row >= 0);
        const QRect rect = d.Liv1->visualRect(d.model()->index(row, JournalModel::DetailColumn));
        QTest::mouseClick(d.Liv1->viewport(), Qt::LeftButton, {}, rect.center());
        QCOMPARE(d.SelectedRows(), QList<int>{row});
        const int entry = d.RowEntryIndex(row);
        QCOMPARE(f.detailOf(entry), QStringLiteral("午餐 二"));
        QCOMPARE(f.env.ctx.ledger.Entries[size_t(entry)].Amount.value(), 10000000.0);
    }

    // Entries added, ticked or coloured elsewhere leave every entry at its index: the journal
    // lists them at once and keeps the rows the user selected.
    void keepsSelectionWhenEntriesStay() {
        JournalFixture f;
        f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 100, "a");
        f.b.entry("2024/03/06", "E-餐飲費", "A-現金", 200, "b");
        f.b.entry("2024/03/07", "E-餐飲費", "A-現金", 300, "c");
        DiaryForm& d = f.journal();
        d.Text2->setText(QStringLiteral("#未勾選標記"));
        d.Command1_Click();
        f.select({1, 2});
        f.list(QStringLiteral("E-餐飲費"));
        // Ticked in the main window: no longer unticked, so no longer listed.
        f.row(0).setCheckState(0, Qt::Checked);
        QCOMPARE(f.column(JournalModel::DetailColumn), (QStringList{"b", "c"}));
        QCOMPARE(d.SelectedRows(), (QList<int>{0, 1}));
        QVERIFY(d.StatusText().startsWith(QStringLiteral("共 2 筆記錄")));
        Ledger& l = f.env.ctx.ledger;
        LedgerEntry e = l.entry(2);
        e.core.Detail.set(QStringLiteral("d"));
        l.addEntry(e);
        QCOMPARE(f.column(JournalModel::DetailColumn), (QStringList{"b", "c", "d"}));
        QCOMPARE(f.entriesShown(), (QList<int>{2, 3, 4}));
        QCOMPARE(d.SelectedRows(), (QList<int>{0, 1}));
    }

    // 發票, the last column, ends within the view at the window's default size, after the
    // general settings were confirmed (larger type) and with decimals on (wider amounts): the
    // texts before it give way, and the figures read whole.
    void figureColumnsInView_data() {
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("rows");
        QTest::addColumn<QString>("lastLetters"); // of the last row's invoice
        QTest::newRow("opening") << "" << 3 << "CD";
        QTest::newRow("opening, rows that scroll") << "" << 80 << "CD";
        QTest::newRow("settings confirmed") << "confirmed" << 80 << "CD";
        QTest::newRow("decimals on") << "decimals" << 80 << "CD";
        QTest::newRow("opened after decimals on") << "reopened" << 80 << "CD";
        // Wide letters on one invoice after many of the same length but narrower letters.
        QTest::newRow("wide letters last") << "" << 200 << "WW";
    }
    void figureColumnsInView() {
        QFETCH(QString, after);
        QFETCH(int, rows);
        QFETCH(QString, lastLetters);
        JournalFixture f;
        f.env.ctx.session.DotState = QStringLiteral("0");
        f.b.entry("2024/03/05", "E-餐飲費", "A-銀行", -2714356055.0, QStringLiteral("午餐"))
            .note(QStringLiteral("便當"))
            .invoice("AB", "12087654");
        for (int i = 1; i < rows; ++i)
            f.b.entry("2024/03/06", "E-餐飲費", "A-現金", 12345, QStringLiteral("晚餐"))
                .invoice(i + 1 == rows ? lastLetters : QStringLiteral("CD"), "87654321");
        DiaryForm* d = &f.journal();
        d->show();
        QVERIFY(QTest::qWaitForWindowExposed(d));
        QCOMPARE(d->size(), QSize(857, 605));
        if (after == "confirmed") confirmGeneralSettings(f);
        if (after == "decimals" || after == "reopened")
            confirmGeneralSettings(f, [](SetForm& s) { s.Check1->setChecked(true); });
        if (after == "reopened") {
            d->close();
            DeleteClosedWindows();
            d = f.form->Diary();
            d->show();
            QVERIFY(QTest::qWaitForWindowExposed(d));
        }
        QCoreApplication::processEvents(); // the list laid out, its scroll bar shown

        const QTreeView* view = d->Liv1;
        const int viewWidth = view->viewport()->width();
        const QFontMetrics metrics(view->font());
        const int margin =
            2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
        for (int r = 0; r < d->RowCount(); ++r) {
            for (int c : {JournalModel::AmountColumn, JournalModel::InvoiceColumn}) {
                const QModelIndex index = d->model()->index(r, c);
                const QRect cell = view->visualRect(index);
                const QString text = index.data().toString();
                QVERIFY2(cell.right() < viewWidth,
                         qPrintable(QStringLiteral("%1 ends at %2 in a view %3 wide")
                                        .arg(text)
                                        .arg(cell.right() + 1)
                                        .arg(viewWidth)));
                QVERIFY2(metrics.horizontalAdvance(text) + margin <= cell.width(),
                         qPrintable(QStringLiteral("%1 in %2 pixels").arg(text).arg(cell.width())));
            }
        }
        QCOMPARE(d->model()->cellText(0, JournalModel::AmountColumn),
                 after == "decimals" || after == "reopened" ? QStringLiteral("-27,143,560.55")
                                                            : QStringLiteral("-27,143,560"));
    }

    // The texts that gave way at the default size take their room back in a wider window,
    // and their own widths, not the narrowed ones, are what the window stores.
    void textsTakeBackTheirRoom() {
        JournalFixture f;
        f.env.ctx.session.DotState = QStringLiteral("0");
        f.b.entry("2024/03/05", "E-餐飲費", "A-銀行", -2714356055.0, QStringLiteral("午餐"))
            .invoice("AB", "12087654");
        DiaryForm& d = f.journal();
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        const int narrowed = d.Liv1->columnWidth(JournalModel::NoteColumn);
        QVERIFY(narrowed < 170);
        d.resize(1200, 700);
        QCOMPARE(d.Liv1->columnWidth(JournalModel::NoteColumn), 170);
        d.resize(857, 605);
        QCOMPARE(d.Liv1->columnWidth(JournalModel::NoteColumn), narrowed);
        d.close();
        DeleteClosedWindows();
        QCOMPARE(f.env.settings.GetSetting(QStringLiteral("DiaryForm"), QStringLiteral("LW6")),
                 QStringLiteral("170"));
    }

    // The journal's type is the size the settings window shows: at its opening without the
    // setting stored, after the settings were confirmed unchanged, and after a size was chosen.
    void fontSizeOneRule() {
        JournalFixture f;
        DiaryForm& d = f.journal();
        const double atOpening = d.Liv1->font().pointSizeF();
        QString shown;
        confirmGeneralSettings(f, [&shown](SetForm& s) { shown = s.Combo1->currentText(); });
        QCOMPARE(atOpening, shown.toDouble());
        QCOMPARE(d.Liv1->font().pointSizeF(), atOpening);
        d.close();
        DeleteClosedWindows();
        QCOMPARE(f.form->Diary()->Liv1->font().pointSizeF(), atOpening);
        confirmGeneralSettings(f,
                               [](SetForm& s) { s.Combo1->setCurrentText(QStringLiteral("14")); });
        QCOMPARE(f.d().Liv1->font().pointSizeF(), 14.0);
        QCOMPARE(f.form->Liv1->font().pointSizeF(), 14.0);
    }

    // A box the journal raises (the sum of the selected rows) stands over the middle of the
    // journal, in front of the main window.
    void boxCentredOverJournal() {
        JournalFixture f;
        f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 12000, QStringLiteral("午餐"));
        DiaryForm& d = f.journal();
        f.form->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(f.form.get()));
        d.show();
        d.activateWindow();
        QTRY_COMPARE(QApplication::activeWindow(), &d);
        DialogPrompts boxes(QStringLiteral("Qivoka"));
        boxes.setParentWindow(f.form.get());
        f.env.ctx.services.setPrompts(boxes);
        f.select({0});
        QRect box;
        QTimer::singleShot(0, [&box] {
            if (QWidget* shown = QApplication::activeModalWidget()) {
                box = shown->frameGeometry();
                shown->close();
            }
        });
        d.MenuTools_Cal_Click();
        f.env.ctx.services.setPrompts(f.env.prompts);
        QVERIFY(box.isValid());
        const QPoint off = box.center() - d.frameGeometry().center();
        // Halving odd sizes may put the middle a pixel off either way.
        QVERIFY2(qAbs(off.x()) <= 1 && qAbs(off.y()) <= 1,
                 qPrintable(QStringLiteral("%1 right, %2 down of the journal's middle")
                                .arg(off.x())
                                .arg(off.y())));
    }

    void jumpFromFilteredMainWindow() {
        JournalFixture f;
        f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 100, "lunch");
        f.b.entry("2023/12/01", "E-餐飲費", "A-現金", 200, "old");
        f.b.entry("2024/03/06", "E-餐飲費", "A-銀行", 300, "bank");
        DiaryForm& d = f.journal(Periods::FirstMonth + 2, 2024);
        f.list(QStringLiteral("E-餐飲費"));
        f.form->Combo2->setEditText(QStringLiteral("lunch"));
        f.form->Command1_Click();
        d.Combo1->setCurrentIndex(Periods::All);
        QCOMPARE(f.entriesShown(), (QList<int>{1, 2, 3}));
        f.choose(1);
        d.Liv1_DblClick();
        QCOMPARE(f.form->Combo1->currentIndex(), int(Periods::All));
        QCOMPARE(f.form->Combo2->currentText(), QString());
        QCOMPARE(f.form->SelectedNodeKey(), QStringLiteral("A-現金"));
        QCOMPARE(f.form->EntryRowCount(), 2);
        QCOMPARE(f.form->SelectedEntryIndices(), (QList<int>{2}));
        // A row whose account has no node changes the filter and period only.
        f.env.ctx.ledger.Entries[3].Account2.set(QStringLiteral("A-不存在"));
        f.list(QStringLiteral("E-餐飲費"));
        f.choose(2);
        d.Liv1_DblClick();
        QCOMPARE(f.form->SelectedNodeKey(), QStringLiteral("E-餐飲費"));
    }

    void moveWithinDay() {
        JournalFixture f;
        const QString longNote = QString(120, QLatin1Char('n'));
        f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 100, "a").checked().colour(2).note(longNote);
        f.b.entry("2024/03/05", "I-薪水", "A-銀行", 900, "income");
        f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 300, "b").invoice("CD", "87654321");
        DiaryForm& d = f.journal();
        f.list(QStringLiteral("E-餐飲費"));
        d.Combo2->setCurrentIndex(Journal::TypeExpense);
        QCOMPARE(f.entriesShown(), (QList<int>{1, 3}));
        f.choose(0);
        d.MenuTools_Down_Click();

        const Ledger& l = f.env.ctx.ledger;
        QCOMPARE(f.detailOf(1), QStringLiteral("b"));
        QCOMPARE(f.detailOf(2), QStringLiteral("income"));
        QCOMPARE(f.detailOf(3), QStringLiteral("a"));
        QCOMPARE(l.EntryInvoices[1].InvoiceDigits.trimmed(), QStringLiteral("87654321"));
        QCOMPARE(l.EntryStyles[1].InvoiceLetters.trimmed(), QStringLiteral("CD"));
        QCOMPARE(l.EntryInvoices[3].Checked, qint16(-1));
        QCOMPARE(l.EntryStyles[3].ColourIndex, quint8(2));
        QCOMPARE(l.noteRow(3), longNote);
        QCOMPARE(l.noteRow(1), QString());
        // Rows keep their indices and show the entries now there, ticks and colours too.
        QCOMPARE(f.entriesShown(), (QList<int>{1, 3}));
        QCOMPARE(f.column(JournalModel::DetailColumn), (QStringList{"b", "a"}));
        QVERIFY(!f.rowTicked(0));
        QVERIFY(f.rowTicked(1));
        QCOMPARE(d.model()->index(1, 4).data(Qt::ForegroundRole).value<QBrush>().color(),
                 ColourTable::colour(2));
        QCOMPARE(d.SelectedRows(), QList<int>{1});
        QVERIFY(d.EntriesMoved);
        QVERIFY(f.form->LedgerChanged());
        // The main window shows the new order at once.
        QCOMPARE(f.form->EntryRowText(0, 4), QStringLiteral("b"));

        // The first row cannot go up; a move needs a row of the same date next to it.
        f.choose(0);
        d.MenuTools_Up_Click();
        QCOMPARE(f.detailOf(1), QStringLiteral("b"));
        d.Combo2->setCurrentIndex(Journal::TypeAll);
        f.choose(1); // "income"; next row "a" on the same day
        LedgerBuilder(f.env.ctx.ledger).entry("2024/03/06", "E-餐飲費", "A-現金", 1, "next day");
        d.Command1_Click();
        f.choose(2);
        d.MenuTools_Down_Click();
        QCOMPARE(f.detailOf(3), QStringLiteral("a"));
        QCOMPARE(f.detailOf(4), QStringLiteral("next day"));
    }

    void mainWindowFollowsMoves() {
        JournalFixture f;
        f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 100, "a");
        f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 200, "b");
        f.journal();
        f.list(QStringLiteral("E-餐飲費"));
        QSignalSpy relisted(f.form->Liv1->model(), &QAbstractItemModel::modelReset);
        f.d().close();
        DeleteClosedWindows();
        QCOMPARE(relisted.count(), 0); // no move: untouched
        QVERIFY(!f.form->OpenDiary());

        // A move lists the main window again at once: its rows name the entries they show
        // while the journal is still open, and after it has closed.
        DiaryForm& d = *f.form->Diary();
        f.choose(0);
        d.MenuTools_Down_Click();
        QVERIFY(relisted.count() > 0);
        QCOMPARE(f.form->EntryRowText(0, 4), QStringLiteral("b"));
        d.close();
        DeleteClosedWindows();
        QCOMPARE(f.form->EntryRowText(0, 4), QStringLiteral("b"));
    }

    void arrows_data() {
        QTest::addColumn<QString>("yearState");
        QTest::addColumn<QString>("year");
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("arrow");
        QTest::addColumn<QString>("yearAfter");
        QTest::addColumn<int>("indexAfter");
        QTest::newRow("period down on 12月") << "0"
                                             << "2024" << 13 << "period down"
                                             << "2025" << 2;
        QTest::newRow("period up on 01月") << "0"
                                           << "2024" << 2 << "period up"
                                           << "2023" << 13;
        QTest::newRow("period up on 全部") << "0"
                                           << "2024" << 0 << "period up"
                                           << "2023" << 13;
        QTest::newRow("period up on 整年") << "0"
                                           << "2024" << 1 << "period up"
                                           << "2024" << 0;
        QTest::newRow("period down on 全部") << "0"
                                             << "2024" << 0 << "period down"
                                             << "2024" << 1;
        QTest::newRow("carry past 9999") << "0"
                                         << "9999" << 13 << "period down"
                                         << "9999" << 13;
        QTest::newRow("year up") << "0"
                                 << "2024" << 4 << "year up"
                                 << "2025" << 4;
        QTest::newRow("year up keeps 9999") << "0"
                                            << "9999" << 4 << "year up"
                                            << "9999" << 4;
        QTest::newRow("year down keeps 1601") << "0"
                                              << "1601" << 4 << "year down"
                                              << "1601" << 4;
        QTest::newRow("reversed year up") << "1"
                                          << "2024" << 4 << "year up"
                                          << "2023" << 4;
        QTest::newRow("reversed year down") << "1"
                                            << "9999" << 4 << "year down"
                                            << "9999" << 4;
        QTest::newRow("letters become this year") << "0"
                                                  << "abc" << 4 << "year up"
                                                  << "2025" << 4;
    }
    void arrows() {
        QFETCH(QString, yearState);
        QFETCH(QString, year);
        QFETCH(int, index);
        QFETCH(QString, arrow);
        JournalFixture f;
        f.env.clock.setToday(QDate(2024, 6, 1));
        f.env.ctx.session.Setting.YearState = yearState;
        DiaryForm& d = f.journal();
        {
            const QSignalBlocker quiet(d.Combo1);
            d.Combo1->setCurrentIndex(index);
        }
        d.Text1->setText(year);
        if (arrow == "period down") d.UpDown1_DownClick();
        if (arrow == "period up") d.UpDown1_UpClick();
        if (arrow == "year up") d.UpDown2_UpClick();
        if (arrow == "year down") d.UpDown2_DownClick();
        QTEST(d.Text1->text(), "yearAfter");
        QTEST(d.Combo1->currentIndex(), "indexAfter");
        // Every step ends in a period listing of what the boxes show.
        if (d.Text1->text() != year || d.Combo1->currentIndex() != index)
            QCOMPARE(d.ListingTitle, QStringLiteral("Home_") + d.Text1->text() +
                                         QStringLiteral("年") + d.Combo1->currentText());
    }

    void sumOfSelectedRows() {
        JournalFixture f;
        f.b.entry("2024/03/05", "I-薪水", "A-現金", 10000);
        f.b.entry("2024/03/06", "I-薪水", "A-銀行", 25050);
        f.b.entry("2024/03/07", "E-餐飲費", "A-現金", 2000);
        f.b.entry("2024/03/08", "A-銀行", "A-現金", 50000);
        f.b.entry("2024/03/09", "Equity", "A-現金", 70000);
        DiaryForm& d = f.journal();
        d.MenuTools_Cal_Click(); // nothing selected: nothing shown
        QVERIFY(f.env.prompts.shown.isEmpty());
        f.select({0, 2, 3, 4});
        d.MenuTools_Cal_Click();
        QCOMPARE(f.env.prompts.texts(QStringLiteral("plain")),
                 QStringList{"您所選擇記錄的金額計算如下：\r\n\r\n資產轉移：500.00\r\n"
                             "收入總合：100.00\r\n支出總合：20.00\r\n結餘：80.00"});
        d.Combo2->setCurrentIndex(Journal::TypeIncome);
        f.select({0, 1});
        d.MenuTools_Cal_Click();
        QCOMPARE(f.env.prompts.texts(QStringLiteral("information")),
                 QStringList{"您所選擇記錄的金額總合是：350.50"});
    }

    void popupMenu() {
        JournalFixture f;
        DiaryForm& d = f.journal();
        d.Liv1_MouseUp(Qt::RightButton, QPoint(10, 10));
        QVERIFY(d.Menu_MenuTools->isVisible());
        QVERIFY(!d.MenuTools_Up->isEnabled());
        QVERIFY(!d.MenuTools_Down->isEnabled());
        QVERIFY(d.MenuTools_Cal->isEnabled());
        d.Menu_MenuTools->hide();
        d.Liv1_MouseUp(Qt::LeftButton, QPoint(10, 10));
        QVERIFY(!d.Menu_MenuTools->isVisible());
    }

    void settings() {
        JournalFixture f;
        SettingsStore& s = f.env.settings;
        const QString section = QStringLiteral("DiaryForm");
        QVERIFY(s.SaveSetting(section, QStringLiteral("LW1"), QStringLiteral("150")));
        QVERIFY(s.SaveSetting(section, QStringLiteral("LW3"), QStringLiteral("10")));
        QVERIFY(s.SaveSetting(section, QStringLiteral("LW4"), QStringLiteral("wide")));
        QVERIFY(s.SaveSetting(section, QStringLiteral("Width"), QStringLiteral("15000")));
        QVERIFY(s.SaveSetting(section, QStringLiteral("Height"), QStringLiteral("abc")));
        QVERIFY(s.SaveSetting(QStringLiteral("Setting"), QStringLiteral("MainFontSize"),
                              QStringLiteral("12")));
        DiaryForm& d = f.journal();
        QCOMPARE(d.Liv1->columnWidth(0), 150);
        QCOMPARE(d.Liv1->columnWidth(2), 110);
        QCOMPARE(d.Liv1->columnWidth(3), 90);
        QCOMPARE(d.size(), QSize(1000, 605));
        QCOMPARE(d.Liv1->font().pointSizeF(), 12.0);
        d.Liv1->setColumnWidth(5, 222);
        d.showMaximized();
        d.close();
        DeleteClosedWindows();
        QCOMPARE(s.GetSetting(section, QStringLiteral("LW6")), QStringLiteral("222"));
        QCOMPARE(s.GetSetting(section, QStringLiteral("Width")), QStringLiteral("12855"));
        QCOMPARE(s.GetSetting(section, QStringLiteral("Height")), QStringLiteral("9075"));
        QCOMPARE(s.GetSetting(section, QStringLiteral("WinState")), QStringLiteral("2"));
        DiaryForm& again = *f.form->Diary();
        QVERIFY(again.windowState() & Qt::WindowMaximized);
    }

    void shrinkingKeepsMinimumAndLayout() {
        JournalFixture f;
        DiaryForm& d = f.journal();
        d.show();
        d.resize(300, 200);
        QCOMPARE(d.size(), QSize(857, 333));
        d.resize(1000, 700);
        QCOMPARE(d.Liv1->width(), d.centralWidget()->width() - 2 * d.Liv1->x());
        QCOMPARE(d.Text2->y(), d.Liv1->y() + d.Liv1->height() + d.Text1->y());
        QCOMPARE(d.Command1->y() + 1, d.Text2->y());
    }

    void mainWindowCommands() {
        JournalFixture f;
        f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 100, "lunch");
        f.b.entry("2024/03/06", "E-餐飲費", "A-現金", 100, "dinner");
        f.open(Periods::FirstMonth + 2, 2024);
        QVERIFY(f.form->Statement_Note->isEnabled());
        QVERIFY(f.form->File_Export->isEnabled());
        QVERIFY(f.form->Command4->isEnabled());
        f.form->Toolbar1_ButtonClick(16);
        DiaryForm* d = f.form->OpenDiary();
        QVERIFY(d && d->isVisible());
        QCOMPARE(f.form->Diary(), d); // one window per run

        // 全區搜尋 with a keyword: 全部 with that keyword.
        f.form->Combo2->setEditText(QStringLiteral("lunch"));
        f.form->Command4_Click();
        QCOMPARE(d->Text2->text(), QStringLiteral("lunch"));
        QCOMPARE(d->Combo1->currentIndex(), 0);
        QCOMPARE(f.entriesShown(), QList<int>{1});
        // Already on 全部: the search button's relisting.
        f.form->Combo2->setEditText(QStringLiteral("dinner"));
        f.form->Command4_Click();
        QCOMPARE(f.entriesShown(), QList<int>{2});
    }

    void leavingTheLedgerClosesJournal() {
        JournalFixture f;
        f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 100, "a");
        f.b.entry("2024/03/05", "E-餐飲費", "A-現金", 100, "b");
        DiaryForm& d = f.journal();
        d.show();
        f.choose(0);
        d.MenuTools_Down_Click();
        f.form->ClearViews();
        DeleteClosedWindows();
        QVERIFY(!f.form->OpenDiary());
        QCOMPARE(f.form->EntryRowCount(), 0); // no refresh of a ledger left
    }
};

QTEST_MAIN(DiaryFormTest)
#include "tst_diaryform.moc"
