// Transformations of the selected text: case, line breaks, tags, indenting,
// comments, high-bit folding and URL decoding. Texts are document text
// (UTF-8, CR LF).
#pragma once

#include <string>
#include <string_view>

namespace tv {

enum class CaseMode { Upper, Lower, Toggle, Words, Sentences };

// A letter (of any case), a digit or the apostrophe.
bool isCaseWordChar(char32_t c);

// The selection [selStart, selStart + selLength) of `text` in another case;
// the characters before it decide the first letter of Words and Sentences.
std::string ChangeCase(std::string_view text, int selStart, int selLength, CaseMode mode);

// Every CR LF removed; the words of two lines join.
std::string RemoveLineBreaks(std::string_view sel);

// Tags removed: while a "<" and a ">" are left, a ">" before the first "<"
// goes alone, else everything from the "<" through the ">".
std::string RemoveTags(std::string_view sel);

// Indenting a selection of several lines: two blanks after each CR LF, and
// in front when the selection starts in column 0.
std::string IndentLines(std::string_view sel, bool startsInColumn0);

// The start of the line that holds `pos`.
int lineStartOf(std::string_view text, int pos);

// Takes off the first "<!--" and then the first "-->", and turns the
// guillemets that Comment put in back into "<" and ">".
std::string Uncomment(std::string_view sel);

// Characters beyond ASCII become plain ASCII look-alikes where there is one
// (accented Latin letters lose their accents).
std::string ZapHighBits(std::string_view sel);

// Decodes a submitted form: with `removeLabels` the field names go; "+" is
// a blank; "&" becomes the separator (0 CR LF, 1 ",", 2 "|"); "%" and two
// hexadecimal digits become that byte (not %00): bytes that form UTF-8 are
// that character when `anyCharacter`, other bytes the Windows-1252 one.
std::string UrlDecode(std::string_view sel, bool removeLabels, int delimiter, bool anyCharacter = true);

} // namespace tv
