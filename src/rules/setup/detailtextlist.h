#pragma once
#include <QString>
#include <QStringList>

// The detail-text editor's working list: a copy of the table of detail texts, one item
// per text ("account", U+0001, "text"), in table order. The editor's commands are these
// functions, so that the window only shows their outcome. A text is found by its whole
// item; with duplicates, the first one in table order is the one acted on.
namespace DetailTextList {

enum class Outcome {
    Done,
    NotFound,    // the text is not in the working list: nothing changed
    Full,        // the working list already holds the table's capacity
    Exists,      // the target account already has the text
    SameAccount, // copy or move onto the account the text belongs to
};

QString item(const QString& account, const QString& text);
// The texts of one account, in table order (what the editor lists for it).
QStringList textsOf(const QStringList& working, const QString& account);
// Status panel 1: texts listed for the selected account " / " texts in the working list.
QString countText(int listed, const QStringList& working);

// 新增: appends the text to the account unless the list is full or the account has it.
Outcome add(QStringList& working, const QString& account, const QString& text);
// 編輯: the first item of the old text gets the new one in its place (duplicates allowed).
Outcome rename(QStringList& working, const QString& account, const QString& oldText,
               const QString& newText);
// 刪除: removes the first item of the text.
Outcome remove(QStringList& working, const QString& account, const QString& text);
// 上移 / 下移: exchanges the items of two texts of one account, `text` and its neighbour
// in the account's list; items of other accounts between them keep their places.
Outcome exchange(QStringList& working, const QString& account, const QString& text,
                 const QString& neighbour);
// 複製: appends the text under the target account.
Outcome copy(QStringList& working, const QString& source, const QString& text,
             const QString& target);
// 移動: the text's item changes its account where it stands (no duplicate test).
Outcome move(QStringList& working, const QString& source, const QString& text,
             const QString& target);

} // namespace DetailTextList
