// Rules of the editor's text model: positions count bytes, a line break is
// CR LF and counts two, lines and columns count from 0.
#pragma once

#include <string>
#include <string_view>

namespace tv {

// A line number clamped to 0 .. lineCount - 1 (0 for an empty text).
int clampLine(int line, int lineCount);
// A column clamped to 0 .. lineLength.
int clampColumn(int column, int lineLength);

// The document title: the text between the first "<TITLE>" and the first
// "</TITLE>" (found in any letter case), entities turned into characters.
// Empty when either is missing or the end comes first. A numeric entity too
// large to convert leaves the title as written.
std::string GetTitleText(std::string_view text);

} // namespace tv
