// The browser list: entries "caption|program path".
#pragma once

#include <string>
#include <vector>

namespace tv {

std::string browserCaption(const std::string& entry);
std::string browserPath(const std::string& entry);

// The installed browsers found on the PATH (`pathVariable`, folders joined
// by ":"), as list entries, in a fixed order of preference.
std::vector<std::string> FindBrowsers(const std::string& pathVariable);

// A program's full name when it is an executable file in one of the
// PATH's folders; empty otherwise.
std::string findOnPath(const std::string& program, const std::string& pathVariable);

// The items a dynamic-data-exchange conversation sends to the browser
// families that speak it: open the file, then bring the browser forward.
struct DdeRequests {
    std::string service;   // "NETSCAPE" or "IExplore"; empty: start the program instead
    std::string openItem;  // for topic "WWW_OpenURL"
    std::string activateItem;  // for topic "WWW_Activate"
};
DdeRequests ddeRequests(const std::string& browserPath, const std::string& fileName);

// An extension as the options dialog stores it: one leading "." taken off,
// lower case.
std::string normalizeExtension(const std::string& typed);

// The New button of the options dialog: 0 -> 1 -> 2 -> 0.
int nextNewFilesMode(int current);

} // namespace tv
