#include "ledgerwindows.h"

#include <QAction>
#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTreeWidget>

#include "journal/diaryform.h"
#include "journal/journalmodel.h"
#include "listrows.h"
#include "mainwin/mainform.h"
#include "reports/ibsform.h"
#include "reports/yearform.h"
#include "setup/setform.h"
#include "testenv.h"

QStringList LedgerWindowFigures(QWidget* window) {
    QStringList shown;
    if (auto* d = qobject_cast<DiaryForm*>(window)) {
        for (int r = 0; r < d->RowCount(); ++r) {
            QStringList cells;
            for (int c = 0; c < d->model()->columnCount(); ++c)
                cells << d->model()->cellText(r, c);
            shown << cells.join(u'|');
        }
        shown << d->StatusText();
    } else if (auto* s = qobject_cast<IBSForm*>(window)) {
        for (const QTreeWidget* list : {s->ListView1, s->ListView2, s->ListView3, s->ListView4})
            shown << ListRows(list);
        shown << s->StatusBar1->text();
        for (const QDateEdit* picker : {s->DTPicker1, s->DTPicker3, s->DTPicker2})
            shown << picker->text();
    } else if (auto* y = qobject_cast<YearForm*>(window)) {
        shown << ListRows(y->Liv1[0]) << ListRows(y->Liv1[1]);
    }
    return shown;
}

namespace {
// The shown window of a class among the main window's (a closed one may wait for its
// deletion beside it).
template <typename Window> Window* shownWindow(const MainForm& main) {
    for (Window* w : main.findChildren<Window*>())
        if (w->isVisible()) return w;
    return nullptr;
}
} // namespace

QWidget* OpenLedgerWindow(MainForm& main, const QString& which) {
    if (which == u"journal") {
        main.Statement_Note->trigger();
        return shownWindow<DiaryForm>(main);
    }
    if (which == u"statements") {
        main.Statement_IBS->trigger();
        return shownWindow<IBSForm>(main);
    }
    if (which == u"yearly") {
        main.Statement_Year->trigger();
        return shownWindow<YearForm>(main);
    }
    return nullptr;
}

QStringList ShownLedgerWindows(const MainForm& main) {
    QStringList shown;
    for (QWidget* w : main.findChildren<QWidget*>()) {
        if (!w->isWindow() || !w->isVisible()) continue;
        if (qobject_cast<DiaryForm*>(w) || qobject_cast<IBSForm*>(w) || qobject_cast<YearForm*>(w))
            shown << QString::fromLatin1(w->metaObject()->className());
    }
    shown.sort();
    return shown;
}

void ClickCheckBox(QCheckBox* box) {
    QStyleOptionButton option;
    option.initFrom(box);
    option.text = box->text();
    const QRect at = box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
    QTest::mouseClick(box, Qt::LeftButton, {}, at.center());
}

void ChangeGeneralSettings(TestEnv& env, MainForm& main, const QString& page,
                           const std::function<void(SetForm&)>& change) {
    env.modal.on<SetForm>([page, change](SetForm& s) {
        QListWidgetItem* item = s.List1->findItems(page, Qt::MatchExactly).value(0);
        if (!item) {
            QTest::qFail(qPrintable(QStringLiteral("no settings page ") + page), __FILE__,
                         __LINE__);
            return int(QDialog::Rejected);
        }
        QTest::mouseClick(s.List1->viewport(), Qt::LeftButton, {},
                          s.List1->visualItemRect(item).center());
        if (change) change(s);
        QTest::mouseClick(s.Command1, Qt::LeftButton);
        return s.result();
    });
    main.Set_General->trigger();
}
