#pragma once

#include <QString>

class QWidget;

namespace ombrix::platform {

// The program's message boxes: the program's name as title, the text shown exactly as given
// (plain text, so that a name holding "<" is not read as markup), modal to the owner's window
// only. A run of text too long for the box that has no place to wrap (a path
// of letters only) is shown shortened in the middle, and the whole text is the box's details.

// The information icon and one OK button.
void showMessage(QWidget* owner, const QString& text);

// The question icon, Yes and No, No the default. True when the answer is Yes.
bool askYesNo(QWidget* owner, const QString& question);

} // namespace ombrix::platform
