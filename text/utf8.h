// UTF-8, the form of all document text inside the program: reading and
// writing code points, checking, counting, and the letter cases of the
// alphabets a web page is commonly written in (Latin, Greek, Cyrillic).
#pragma once

#include <string>
#include <string_view>

namespace tv {

// The code point at `i`, which moves past it. A malformed sequence yields
// U+FFFD and moves one byte.
char32_t nextCodePoint(std::string_view s, std::size_t& i);
// The code point that ends just before `i`, which moves to its start.
char32_t previousCodePoint(std::string_view s, std::size_t& i);
void appendUtf8(std::string& out, char32_t cp);
std::string utf8Of(char32_t cp);

// Whether the bytes are UTF-8 throughout (no overlong forms, no surrogates).
bool isValidUtf8(std::string_view s);
// Whether every byte is ASCII (below 0x80).
bool isAscii(std::string_view s);
// How many characters a UTF-8 text holds.
std::size_t characterCount(std::string_view s);
// The byte length of the first `count` characters (all when it has fewer).
std::size_t prefixOfCharacters(std::string_view s, std::size_t count);

// The longest start of `s` of at most `maxBytes` bytes that ends between
// two characters.
std::string_view cutAtCharacter(std::string_view s, std::size_t maxBytes);

// Letter cases. Code points without another case come back unchanged; a
// letter and its other case are as long in UTF-8, so that a match found
// ignoring case is as long as the text looked for.
char32_t upperOf(char32_t cp);
char32_t lowerOf(char32_t cp);
// A letter of those alphabets (one that has a case, or a Latin letter without one like "ß").
bool isLetter(char32_t cp);
// A text with every letter in upper case.
std::string upperText(std::string_view s);

} // namespace tv
