#include "files/project.h"

#include "base/docfile.h"
#include "base/paths.h"
#include "text/codec.h"
#include "text/lines.h"
#include "text/utf8.h"
#include "base/filekind.h"

#include <algorithm>
#include <unordered_set>

namespace tv {

namespace {
[[noreturn]] void damaged() { throw ProjectError("The project file is damaged or not a Taviron project."); }
} // namespace

TProject::TProject() : root_(this) {}
TProject::TProject(TProject* parent, TProject* root) : Level(parent->Level + 1), parent_(parent), root_(root) {}

void TProject::WriteToStream(std::string& out) const {
    out += static_cast<char>(title_.size());
    out += title_;
    std::string list;
    for (const std::string& f : files_) list += f + "\r\n";
    const auto n = static_cast<std::uint32_t>(list.size());
    for (int i = 0; i < 4; ++i) out += static_cast<char>((n >> (8 * i)) & 0xFF);
    out += list;
    out += static_cast<char>(folders_.size());
    for (const auto& f : folders_) f->WriteToStream(out);
}

void TProject::ReadFromStream(const std::string& data, std::size_t& pos) { read(data, pos, 0); }

void TProject::read(const std::string& data, std::size_t& pos, int depth) {
    if (depth > kMaxDepth) damaged();
    auto byte = [&]() -> unsigned {
        if (pos >= data.size()) damaged();
        return static_cast<unsigned char>(data[pos++]);
    };
    auto bytes = [&](std::size_t n) {
        if (n > data.size() - pos) damaged();
        std::string s = data.substr(pos, n);
        pos += n;
        return s;
    };
    title_ = bytes(byte());
    // Titles are UTF-8; older project files hold Windows-1252 ones.
    if (!isValidUtf8(title_)) title_ = std::string(cutAtCharacter(windows1252().decode(title_), kMaxTitle));
    std::uint32_t length = 0;
    for (int i = 0; i < 4; ++i) length |= static_cast<std::uint32_t>(byte()) << (8 * i);
    files_ = splitLines(bytes(length));
    folders_.clear();
    const unsigned count = byte();
    for (unsigned i = 0; i < count; ++i) {
        folders_.push_back(std::unique_ptr<TProject>(new TProject(this, root_)));
        folders_.back()->read(data, pos, depth + 1);
    }
}

void TProject::LoadFromFile(const std::string& fileName) {
    std::string data;
    try {
        data = readFileBytes(fileName);
    } catch (const FileError& e) {
        throw ProjectError(e.what());
    }
    // Read into a fresh tree first: a damaged file changes nothing.
    TProject fresh;
    std::size_t pos = 1;
    if (data.empty()) damaged();
    fresh.read(data, pos, 0);
    title_ = std::move(fresh.title_);
    files_ = std::move(fresh.files_);
    folders_ = std::move(fresh.folders_);
    std::vector<TProject*> stack{this};
    while (!stack.empty()) {
        TProject* p = stack.back();
        stack.pop_back();
        for (auto& f : p->folders_) {
            f->parent_ = p;
            f->root_ = root_;
            f->Level = p->Level + 1;
            stack.push_back(f.get());
        }
    }
    root_->modified_ = false;
}

void TProject::SaveToFile(const std::string& fileName) {
    std::string out(1, '\1');
    WriteToStream(out);
    try {
        writeSiteFileBytes(out, fileName);
    } catch (const FileError& e) {
        throw ProjectError(e.what());
    }
    root_->modified_ = false;
}

void TProject::Clear() {
    folders_.clear();
    files_.clear();
    title_ = "Title";
    root_->modified_ = false;
}

bool TProject::AddFile(const std::string& path) {
    for (const std::string& f : files_)
        if (sameFileName(f, path)) return false;
    AppendFile(path);
    return true;
}

void TProject::AppendFile(const std::string& path) {
    files_.push_back(path);
    touch();
}

void TProject::RemoveFile(const std::string& path) {
    const auto it = std::find_if(files_.begin(), files_.end(), [&](const std::string& f) { return sameFileName(f, path); });
    if (it == files_.end()) return;
    files_.erase(it);
    touch();
}

TProject* TProject::AddFolder() {
    if (folders_.size() >= kMaxFolders || Level >= kMaxDepth) return nullptr;
    folders_.push_back(std::unique_ptr<TProject>(new TProject(this, root_)));
    touch();
    return folders_.back().get();
}

void TProject::RemoveFolder(const TProject* folder) {
    const auto it = std::find_if(folders_.begin(), folders_.end(), [&](const auto& f) { return f.get() == folder; });
    if (it == folders_.end()) return;
    folders_.erase(it);
    touch();
}

void TProject::Rename(const std::string& title) {
    const std::string t(cutAtCharacter(title, kMaxTitle));
    if (t == title_) return;
    title_ = t;
    touch();
}

TProject* TProject::GetFolder(int index) const {
    return index >= 0 && index < FolderCount() ? folders_[static_cast<std::size_t>(index)].get() : nullptr;
}

namespace {
void listFolders(TProject& folder, std::vector<TProject*>& out) {
    out.push_back(&folder);
    for (int i = 0; i < folder.FolderCount(); ++i) listFolders(*folder.GetFolder(i), out);
}

void collect(const TProject& folder, bool recurse, const std::vector<std::string>& textExtensions,
             std::vector<std::string>& list, std::unordered_set<std::string>& seen) {
    for (const std::string& f : folder.Files())
        if (GetFileKind(f, textExtensions) == FileKind::Text && seen.insert(f).second) list.push_back(f);
    if (!recurse) return;
    for (int i = 0; i < folder.FolderCount(); ++i) collect(*folder.GetFolder(i), true, textExtensions, list, seen);
}
} // namespace

std::vector<TProject*> ListProjectFolders(TProject& root) {
    std::vector<TProject*> out;
    listFolders(root, out);
    return out;
}

void CollectProjectFiles(const TProject& folder, bool recurse, const std::vector<std::string>& textExtensions,
                         std::vector<std::string>& list) {
    std::unordered_set<std::string> seen;
    for (const std::string& f : list) seen.insert(f);
    collect(folder, recurse, textExtensions, list, seen);
}

} // namespace tv
