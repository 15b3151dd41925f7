// Texts the frame shows: hints, the caret position and dialog filters.
#pragma once

#include <string>
#include <string_view>

namespace tv {

// "Save|Save file to disk": the short part goes to tool tips, the long part
// to the status bar. A hint without "|" is both.
std::string shortHint(std::string_view hint);
std::string longHint(std::string_view hint);

// Status panel 0: line, ": " and column, both counted from 0.
std::string caretPositionText(int line, int column);

// A filter list "Name|pattern|Name|pattern" in the form of the file dialogs:
// one entry per pair, "Name (pattern pattern)". Patterns split at ";".
// The pattern part is left out when the name already shows it.
std::string dialogFilter(std::string_view filter);

// The name of the n-th new document.
std::string untitledName(int number);
// True when the name marks a document that was never saved.
bool IsUntitledName(std::string_view name);

} // namespace tv
