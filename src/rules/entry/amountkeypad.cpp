#include "rules/entry/amountkeypad.h"

#include "platform/runtime.h"
#include "rules/entry/entryrules.h"

#include <cmath>

namespace {
const char16_t* const signs[] = {u"", u"+", u"-", u"*", u"/"};
}

double AmountKeypad::valueOf(const QString& text) {
    QString plain = text;
    plain.remove(u',');
    return Runtime::leadingNumber(plain);
}

void AmountKeypad::carryOut() {
    const double v = valueOf(text);
    const double a = Accumulator;
    double r = 0;
    switch (PendingOperator) {
    case 1:
        r = a + v;
        break;
    case 2:
        r = a - v;
        break;
    case 3:
        r = a * v;
        break;
    case 4:
        if (v == 0) {
            text.clear();
            return;
        }
        r = a / v;
        break;
    default:
        return;
    }
    // A result beyond the range of a double empties the box like a division by zero.
    text = std::isfinite(r) ? EntryRules::numberText(r) : QString();
}

void AmountKeypad::takeSign() {
    for (int op = 1; op <= 4; ++op) {
        if (sign == QString::fromUtf16(signs[op])) {
            PendingOperator = op;
            return;
        }
    }
}

AmountKeypad::Effect AmountKeypad::press(int button) {
    Effect effect;
    if (button >= 0 && button <= 9) {
        if (isSelectedAll()) text.clear();
        text.append(QChar(u'0' + button));
        wholeSelected = false;
        takeSign();
    } else if (button == Back) {
        if (isSelectedAll()) text.clear();
        wholeSelected = false;
        if (!text.isEmpty()) {
            text.chop(1);
            takeSign();
        }
    } else if (button == Point) {
        if (isSelectedAll()) text.clear();
        text.append(u'.');
        wholeSelected = false;
        takeSign();
    } else if (button == Clear) {
        text = QStringLiteral("0");
        PendingOperator = 0;
        sign.clear();
        wholeSelected = true;
        effect.focusBox = true;
        effect.selectAll = true;
    } else if (button >= Plus && button <= Divide) {
        if (PendingOperator != 0) carryOut();
        PendingOperator = 0;
        Accumulator = valueOf(text);
        sign = QString::fromUtf16(signs[button - Plus + 1]); // +, -, *, / in button order
        wholeSelected = true;
        effect.focusBox = true;
        effect.selectAll = true;
    } else if (button == Equals) {
        if (PendingOperator != 0) {
            carryOut();
            wholeSelected = false;
        }
        PendingOperator = 0;
        Accumulator = valueOf(text);
        sign.clear();
        effect.focusBox = true;
    }
    return effect;
}

AmountKeypad::Key AmountKeypad::keyOf(int qtKey, Qt::KeyboardModifiers modifiers) {
    // The numeric pad and the main keys give the same Qt key for each operator.
    Q_UNUSED(modifiers);
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Enter;
    case Qt::Key_Plus:
        return Key::Plus; // numeric pad, or Shift with "="
    case Qt::Key_Minus:
        return Key::Minus;
    case Qt::Key_Asterisk:
        return Key::Times; // numeric pad, or Shift with "8"
    case Qt::Key_Slash:
        return Key::Divide;
    case Qt::Key_Escape:
        return Key::Escape;
    default:
        break;
    }
    return Key::Other;
}

AmountKeypad::KeyResult AmountKeypad::keyDown(Key key, bool calculatorMode, Effect* effect) {
    Effect ignored;
    Effect& out = effect ? *effect : ignored;
    if (!calculatorMode) return key == Key::Enter ? KeyResult::Store : KeyResult::Handled;
    switch (key) {
    case Key::Enter:
        if (PendingOperator == 0) return KeyResult::Store;
        out = press(Equals);
        break;
    case Key::Plus:
        out = press(Plus);
        break;
    case Key::Minus:
        if (PendingOperator != 0) {
            out = press(Minus);
        } else {
            if (valueOf(text) == 0) {
                text.clear();
                wholeSelected = false;
            }
            // An empty box takes the minus sign that follows as a typed character.
            if (!text.isEmpty()) out = press(Minus);
        }
        break;
    case Key::Times:
        out = press(Times);
        break;
    case Key::Divide:
        out = press(Divide);
        break;
    case Key::Escape:
        out = press(Clear);
        break;
    case Key::Other:
        takeSign();
        break;
    }
    return KeyResult::Handled;
}

bool AmountKeypad::acceptsChar(QChar c, bool calculatorMode) const {
    if ((c >= u'0' && c <= u'9') || c == u'.') return true;
    if (c == u'-') return !calculatorMode || (PendingOperator == 0 && text.isEmpty());
    return false;
}

bool AmountKeypad::rateAcceptsChar(QChar c) {
    return (c >= u'0' && c <= u'9') || c == u'.';
}

bool AmountKeypad::invoiceAcceptsChar(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z');
}
