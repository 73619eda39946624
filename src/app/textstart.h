#pragma once

class QLineEdit;
class QWidget;

// The caret to the start of the text, which scrolls the field to show it; a whole-text selection stays selected.
void MoveCaretToStart(QLineEdit *field);

// A text that code puts into an edit field shows from its first character, as in a Windows edit; Qt leaves the
// caret after the end, which scrolls a long text to its tail. The user's own typing and caret moves stay as they
// are. `owner` is the control the field belongs to (a combo box), which receives the keys meant for the field.
void ShowCodeTextFromStart(QLineEdit *field, QWidget *owner = nullptr);

// The same for every plain edit under `root`; combo boxes see to their own fields, and the pickers' fields keep
// their sections.
void ShowCodeTextsFromStart(QWidget *root);
