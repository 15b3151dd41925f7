// File names as the frame handles them.
#pragma once

#include <string>
#include <string_view>

namespace tv {

// Makes a name absolute against `cwd`, with "." and ".." resolved. Document
// windows are found by exact comparison of these names. An empty name stays
// empty.
std::string ExpandLongPath(const std::string& name, const std::string& cwd);

// Whether two full names name one file as the file system tells them
// apart: letter case counts ("Index.html" and "index.html" are two pages).
bool sameFileName(std::string_view a, std::string_view b);

// The name without its folder (text after the last separator).
std::string fileNameOnly(std::string_view path);
// The folder of a name, without a trailing separator ("" when none).
std::string folderOf(std::string_view path);
// Extension after the last dot of the name, lower-cased, with the dot
// (".html"); empty when there is none.
std::string lowerExtension(std::string_view path);
bool fileExists(const std::string& path);
// Whether a folder of that name exists.
bool folderExists(const std::string& path);

// The program's folder: user tag sets, the spell checker's files, the base
// of relative include names. TAVIRON_HOME when set, else the per-user data
// folder ($XDG_DATA_HOME/Taviron, by default ~/.local/share/Taviron),
// created on first use.
std::string programFolder();

// Full name of the user from the password database (text before the first
// comma), else the login name.
std::string registeredOwner();

} // namespace tv
