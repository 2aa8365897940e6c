#pragma once
#include <QString>
#include <Qt>

// The calculator behind the entry window's keypad and the amount box. It works on a copy
// of the box's state (text and whether the whole text is selected); the window copies it
// back after every key.
class AmountKeypad {
public:
    // Keypad buttons by index: 0..9 digits, 10 "←", 11 "C", 12 "‧", 13 "+", 14 "-",
    // 15 "*", 16 "/", 17 "=".
    enum Button {
        Back = 10,
        Clear = 11,
        Point = 12,
        Plus = 13,
        Minus = 14,
        Times = 15,
        Divide = 16,
        Equals = 17
    };

    // The amount box.
    QString text;
    bool wholeSelected = false; // the selection covers the whole text (an empty box counts)

    int PendingOperator = 0; // 0 none, 1 +, 2 -, 3 *, 4 /
    double Accumulator = 0;
    QString sign; // the operator sign shown beside the box

    // What the window does with the box after a key.
    struct Effect {
        bool focusBox = false;
        bool selectAll = false;
    };

    Effect press(int button);
    // A key that makes a chosen operator pending (digits, point, back, other keys).
    void takeSign();

    // The box's value: the number at the start of its text, grouping commas dropped.
    static double valueOf(const QString& text);

    // Keys of the amount box by what they do in calculator mode.
    enum class Key { Enter, Plus, Minus, Times, Divide, Escape, Other };
    static Key keyOf(int qtKey, Qt::KeyboardModifiers modifiers);

    enum class KeyResult { Store, Handled };
    // Key down in the amount box. Without calculator mode only Enter does something
    // (Store); every other key is left to the box (Handled, nothing changed). effect
    // receives what a keypad key it ran asks of the box.
    KeyResult keyDown(Key key, bool calculatorMode, Effect* effect = nullptr);

    // Whether a typed character reaches the box (editing keys are not characters).
    bool acceptsChar(QChar c, bool calculatorMode) const;
    static bool rateAcceptsChar(QChar c);
    static bool invoiceAcceptsChar(QChar c);

private:
    bool isSelectedAll() const { return wholeSelected || text.isEmpty(); }
    void carryOut();
};
