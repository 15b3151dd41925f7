// Splitting text into lines, whatever its line ends.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tv {

// The lines of a text split at CR, LF or CR LF; a last line without a line
// end counts, an empty one after the last line end does not.
std::vector<std::string> splitLines(const std::string& text);

// Every CR LF as LF alone; lone CRs and LFs stay.
std::string crLfToLf(std::string_view text);

} // namespace tv
