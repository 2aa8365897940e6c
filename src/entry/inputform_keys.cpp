// The entry window's keyboard: the amount keypad, the keys of the amount, rate and
// invoice boxes, and the Enter keys that store.
#include "entry/inputform.h"

#include <QAction>
#include <QComboBox>
#include <QDateEdit>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace {

bool isEnter(const QKeyEvent* e) {
    return e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter;
}

// Characters every number-like box lets through: Ctrl+C, Backspace, Ctrl+V, Ctrl+X. Keys
// without a character (arrows, Delete, Home) are the box's own.
enum class CharClass { NoCharacter, Editing, Other };
CharClass classify(const QKeyEvent* e, QChar& c) {
    const QString text = e->text();
    if (text.isEmpty() || e->key() == Qt::Key_Tab || e->key() == Qt::Key_Backtab)
        return CharClass::NoCharacter;
    c = text.at(0);
    const ushort code = c.unicode();
    if (code == 3 || code == 8 || code == 22 || code == 24) return CharClass::Editing;
    if (e->matches(QKeySequence::Copy) || e->matches(QKeySequence::Paste) ||
        e->matches(QKeySequence::Cut))
        return CharClass::Editing;
    if (e->key() == Qt::Key_Backspace) return CharClass::Editing;
    return CharClass::Other;
}

} // namespace

void InputForm::syncKeypadFromBox() {
    m_keypad.text = Text2->text();
    m_keypad.wholeSelected = Text2->text().isEmpty() || Text2->selectedText() == Text2->text();
}

void InputForm::syncBoxFromKeypad(const AmountKeypad::Effect& effect) {
    if (effect.focusBox) Text2->setFocus();
    // A selection of the user's own stays unless the keypad changed the text.
    if (Text2->text() != m_keypad.text) {
        Text2->setText(m_keypad.text);
        if (m_keypad.wholeSelected) Text2->selectAll();
    } else if (effect.selectAll) {
        Text2->selectAll();
    }
    Label8->setText(m_keypad.sign);
}

void InputForm::CmdNum_Click(int index) {
    if (index < 0 || index > 17) return;
    syncKeypadFromBox();
    const AmountKeypad::Effect effect = m_keypad.press(index);
    syncBoxFromKeypad(effect);
}

// Key down and the typed character of the amount box; true when the event is used up.
bool InputForm::amountKeyPress(QKeyEvent* event) {
    const bool calculator = Set_Amount->isChecked();
    syncKeypadFromBox();
    const AmountKeypad::Key key = AmountKeypad::keyOf(event->key(), event->modifiers());
    // The keypad reads the sign label: the window's copy is the one shown.
    m_keypad.sign = Label8->text();
    AmountKeypad::Effect effect;
    if (m_keypad.keyDown(key, calculator, &effect) == AmountKeypad::KeyResult::Store) {
        Cmd1_Click();
        return true;
    }
    if (calculator) syncBoxFromKeypad(effect);
    if (isEnter(event)) return true;

    QChar c;
    switch (classify(event, c)) {
    case CharClass::NoCharacter:
    case CharClass::Editing:
        return false;
    case CharClass::Other:
        break;
    }
    syncKeypadFromBox();
    return !m_keypad.acceptsChar(c, calculator);
}

bool InputForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label8 && (event->type() == QEvent::MouseButtonPress ||
                              event->type() == QEvent::MouseButtonRelease)) {
        const bool pressed = event->type() == QEvent::MouseButtonPress;
        Label8->setStyleSheet(pressed ? QStringLiteral("color: rgb(128, 0, 128)")
                                      : QStringLiteral("color: rgb(0, 0, 255)"));
        return false;
    }
    if (event->type() == QEvent::KeyRelease && watched == DTPicker1) {
        if (isEnter(static_cast<QKeyEvent*>(event))) {
            Cmd1_Click();
            return true;
        }
        return false;
    }
    if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
    auto* key = static_cast<QKeyEvent*>(event);

    if (watched == Text2) return amountKeyPress(key);
    if (watched == Text3 || watched == Text6) {
        if (isEnter(key)) {
            Cmd1_Click();
            return true;
        }
        QChar c;
        if (classify(key, c) != CharClass::Other) return false;
        return watched == Text3 ? !AmountKeypad::rateAcceptsChar(c)
                                : !AmountKeypad::invoiceAcceptsChar(c);
    }
    if (watched == Cob2 || watched == Cob3 || watched == Combo3 || watched == Combo3->lineEdit()) {
        if (isEnter(key)) {
            Cmd1_Click();
            return true;
        }
        // Without the option the arrows do not step through the detail list.
        if ((watched == Combo3 || watched == Combo3->lineEdit()) &&
            (key->key() == Qt::Key_Up || key->key() == Qt::Key_Down) && !Set_Note->isChecked())
            return true;
        return false;
    }
    if (watched == Text1 && isEnter(key)) {
        const Qt::KeyboardModifiers held =
            key->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
        if (held == Qt::NoModifier) {
            Cmd1_Click();
            return true;
        }
        // With Shift (or Ctrl) held, Enter is the note's own line break.
        if (!(held & Qt::AltModifier)) Text1->insertPlainText(QStringLiteral("\n"));
        return true;
    }
    if (watched == DTPicker1 && isEnter(key)) return true; // stores on key up
    return QDialog::eventFilter(watched, event);
}

void InputForm::keyPressEvent(QKeyEvent* event) {
    // Neither Enter nor Esc closes the window or presses a button.
    if (isEnter(event) || event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
