// The pixel size of GIF, PNG and JPEG images, read from the file's header,
// and the markup a file dropped into a document becomes.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace tv {

// Fills width and height for ".gif", ".png", ".jpg" and ".jpeg" files it
// recognises; otherwise leaves them as they were (callers set 0 first).
// A PNG or JPEG file that cannot be opened throws FileError "Cannot open
// file NAME"; a GIF that cannot be opened just gives no size.
void ReadImageSize(const std::string& fileName, std::uint32_t& width, std::uint32_t& height);

// The same readers over an open stream; `extension` is lower-case with its
// dot (".gif", ".png", ".jpg", ".jpeg").
void ReadImageSizeFrom(std::istream& in, const std::string& extension, std::uint32_t& width, std::uint32_t& height);

struct DropMarkup {
    std::string start, end;
};
// A link to the file, or an image tag with its size when it has one; `ref`
// is the reference to the file as the document should write it.
DropMarkup droppedFileMarkup(const std::string& fileName, const std::string& ref,
                             const std::vector<std::string>& textExtensions);

} // namespace tv
