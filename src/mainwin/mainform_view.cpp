#include "mainwin/mainform.h"

#include <QComboBox>
#include <QTreeView>

#include "online/numberlistform.h"

// The operations other windows ask of the list, the filter box and the invoice list.

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
