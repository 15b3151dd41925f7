// Keyboard focus in a form: Tab follows the layout from top to bottom and
// left to right, and the form opens in its first field that takes text.
#pragma once

class QWidget;

// Sets the Tab order of the form's focusable widgets by where they stand.
void orderTabsByPlace(QWidget* form);
// Gives the focus to the first enabled, visible text field (a line edit, an
// editable list, a spin box, a text area); else to the first focusable widget.
void focusFirstField(QWidget* form);
