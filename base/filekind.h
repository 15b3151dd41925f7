// What kind of file a name stands for: a picture, a text document or
// anything else, by its extension.
#pragma once

#include <string>
#include <vector>

namespace tv {

enum class FileKind { Image, Text, Other };

// Images by their extension (gif, jpg, jpeg, png); text when the extension
// (without the dot, letter case ignored) is one of `textExtensions`.
FileKind GetFileKind(const std::string& fileName, const std::vector<std::string>& textExtensions);

} // namespace tv
