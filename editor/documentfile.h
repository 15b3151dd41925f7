// The file a document belongs to, and how that file is written back.
#pragma once

#include "base/docfile.h"
#include "base/frametext.h"

#include <string>

namespace tv {

struct DocumentFile {
    // Full path of the file, or "Untitled " and a number before the first save.
    std::string fileName;
    LineEnds lineEnds = platformLineEnds();
    FileEncoding encoding = FileEncoding::Utf8;
    // The file as it was when read or last written, and the last change by
    // another program that the user has been told of.
    FileStamp stamp;
    FileStamp seen;

    bool isUntitled() const { return IsUntitledName(fileName); }
};

} // namespace tv
