#include "mainwin/mainform.h"

#include <QComboBox>
#include <QTreeWidget>

#include "online/numberlistform.h"

// The operations other windows ask of the list, the filter box and the invoice list.

bool MainForm::HasEntryRows() const {
    return Liv1->topLevelItemCount() > 0;
}

void MainForm::ClearEntryList() {
    Liv1->clear();
}

void MainForm::FocusEntryList() {
    Liv1->setFocus();
}

void MainForm::ClearFilter() {
    Combo2->setEditText(QString());
}

void MainForm::ResetFilter() {
    Combo2->clear();
    Combo2->setEditText(QString());
}

void MainForm::ChooseFilterText(const QString& text) {
    Combo2->setCurrentText(text);
}

void MainForm::ShowInvoiceList(QWidget* parent) {
    ::ShowInvoiceList(*this, LotteryWindow(), parent);
}
