// Character entities of HTML and the plain replace-all rule shared by the
// text tools. Texts are UTF-8.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tv {

enum class EntityDirection { ToEntities, ToCharacters };

// The value of a hexadecimal digit, or -1.
int hexDigitValue(char c);

// A numeric entity whose digits do not fit a 32-bit signed integer.
// what() is the message shown to the user.
class EntityNumberError : public std::runtime_error {
public:
    explicit EntityNumberError(const std::string& digits);
};

// Turns extended characters into entities (the named one where the table
// has one, else "&#N;" with the code point), or entities back into
// characters. `anyCharacter`: every numeric reference becomes its character
// (a UTF-8 document); else only those the Windows-1252 code page holds (the
// others stay as written). Throws EntityNumberError (nothing is changed then).
std::string TranslateEntities(std::string_view text, EntityDirection direction, bool anyCharacter = true);

// Replaces every occurrence of `find` in `text`, left to right; inserted text
// is never searched again. Without `caseSensitive`, a-z fold to A-Z on both
// sides. An empty `find` replaces nothing. Returns the number of replacements.
int ReplaceAll(std::string_view find, std::string_view replacement, std::string& text,
               bool caseSensitive);

} // namespace tv
