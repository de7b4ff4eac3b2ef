// What Qt 6.4's own accessibility leaves out for the lab's controls, added through a factory:
// an entry refused by its check reports the invalid state with the reason as its description,
// a status line is a status bar whose name is its text, so a screen reader hears each change,
// and a tab bar reports its current tab as selected.
#pragma once

#include <QString>

class QLabel;
class QLineEdit;
class QTabBar;

namespace kemi::lab {

// Makes `edit` a checked entry; call before anything asks for its accessible interface.
void makeCheckedEntry(QLineEdit* edit);
// Shows `problem` (empty: none) in `reason` and gives it to the entry as its accessible
// description and invalid state.
void setEntryProblem(QLineEdit* edit, QLabel* reason, const QString& problem);

// Makes `label` a status line; setStatus changes its text and announces it.
void makeStatusLine(QLabel* label);
void setStatus(QLabel* label, const QString& text);

// Gives `bar` page tabs that report which one is selected; call before it is first shown.
void makeReadableTabBar(QTabBar* bar);

}  // namespace kemi::lab
