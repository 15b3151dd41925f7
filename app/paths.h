// File names as the frame handles them.
#pragma once

#include <string>
#include <string_view>

namespace tv {

// Makes a name absolute against `cwd`, with "." and ".." resolved. Document
// windows are found by exact comparison of these names. An empty name stays
// empty.
std::string ExpandLongPath(const std::string& name, const std::string& cwd);

// The name without its folder (text after the last separator).
std::string fileNameOnly(std::string_view path);
// The folder of a name, without a trailing separator ("" when none).
std::string folderOf(std::string_view path);
// Extension after the last dot of the name, lower-cased, with the dot
// (".html"); empty when there is none.
std::string lowerExtension(std::string_view path);
bool fileExists(const std::string& path);

// Full name of the user from the password database (text before the first
// comma), else the login name.
std::string registeredOwner();

} // namespace tv
