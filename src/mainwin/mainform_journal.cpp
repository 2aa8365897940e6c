// The main window's side of the journal: its one window, the whole-ledger search, the
// menu command that shows it and the export of the entry list.
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QTreeWidget>

#include "journal/diaryform.h"
#include "journal/listexport.h"
#include "mainwin/mainform.h"
#include "platform/desktop/windowroutines.h"

void MainForm::connectJournal() {
    connect(Statement_Note, &QAction::triggered, this, [this] { Statement_Note_Click(); });
    connect(File_Export, &QAction::triggered, this, [this] { File_Export_Click(); });
    SetJournalSearch([this](const QString& keyword) { journalSearch(keyword); });
}

DiaryForm* MainForm::Diary() {
    // Owned by the main window, so that it stays in front of it.
    if (!m_diary) m_diary = new DiaryForm(*this, this);
    return m_diary;
}

DiaryForm* MainForm::OpenDiary() const {
    return m_diary;
}

void MainForm::Statement_Note_Click() {
    ShowOwnedWindow(*Diary());
}

void MainForm::journalSearch(const QString& keyword) {
    DiaryForm* diary = Diary();
    if (!keyword.isEmpty()) {
        diary->Text2->setText(keyword);
        if (diary->Combo1->currentIndex() == 0)
            diary->Command1_Click();
        else
            diary->Combo1->setCurrentIndex(0);
    } else {
        diary->Combo1->setCurrentIndex(0);
    }
    ShowOwnedWindow(*diary);
    diary->Text2->setFocus();
}

void MainForm::File_Export_Click() {
    ListExport(*this);
}

bool MainForm::SelectAccountNode(const QString& key) {
    for (int position = 6; position <= NodeCount(); ++position) {
        QTreeWidgetItem* node = Node(position);
        if (NodeKey(node) != key) continue;
        SelectNode(node);
        return true;
    }
    return false;
}

int MainForm::PeriodIndex() const {
    return Combo1->currentIndex();
}

QString MainForm::PeriodText() const {
    return Combo1->currentText();
}

QString MainForm::PeriodYearText() const {
    return Text2->text();
}
