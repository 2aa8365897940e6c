#pragma once
// The windows that show the open ledger (the journal, the statements, the yearly window) as
// a user opens them from the main window, what they show, and the general settings changed
// through their window.
#include <QStringList>
#include <functional>

class MainForm;
class QCheckBox;
class QWidget;
class SetForm;
class TestEnv;

// The texts an open window shows that carry figures or their period: its rows, its status
// text, and the dates of the statements' pickers.
QStringList LedgerWindowFigures(QWidget* window);

// Opens "journal" (記錄總覽), "statements" (財務報表) or "yearly" (整年度報表) from the main
// window's menu; the window, or nullptr when none opened.
QWidget* OpenLedgerWindow(MainForm& main, const QString& which);

// The shown windows of the main window that show a ledger, by class name.
QStringList ShownLedgerWindows(const MainForm& main);

// A click on a check box where its box is drawn (the widget may be wider than box and text).
void ClickCheckBox(QCheckBox* box);

// 一般設定 from the main window's menu: a click on the page named `page`, `change` done on
// it, then 確定.
void ChangeGeneralSettings(TestEnv& env, MainForm& main, const QString& page,
                           const std::function<void(SetForm&)>& change);
