#include "base/filekind.h"

#include "base/paths.h"

namespace tv {

FileKind GetFileKind(const std::string& fileName, const std::vector<std::string>& textExtensions) {
    std::string ext = lowerExtension(fileName);
    if (ext == ".gif" || ext == ".jpg" || ext == ".jpeg" || ext == ".png") return FileKind::Image;
    if (!ext.empty()) ext.erase(0, 1);
    for (const std::string& t : textExtensions) {
        std::string e = t;
        for (char& c : e)
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        if (!ext.empty() && e == ext) return FileKind::Text;
    }
    return FileKind::Other;
}

} // namespace tv
