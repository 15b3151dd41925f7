#include "base/settings.h"

#include "base/docfile.h"
#include "base/registrystore.h"
#include "text/lines.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>

namespace tv {

namespace {

std::string lower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return s;
}

// Key paths compare without letter case and with either separator.
std::string normalKey(const std::string& key) {
    std::string k = lower(key);
    std::replace(k.begin(), k.end(), '\\', '/');
    while (!k.empty() && k.front() == '/') k.erase(k.begin());
    while (!k.empty() && k.back() == '/') k.pop_back();
    return k;
}

std::string displayKey(const std::string& key) {
    std::string k = key;
    std::replace(k.begin(), k.end(), '\\', '/');
    while (!k.empty() && k.front() == '/') k.erase(k.begin());
    while (!k.empty() && k.back() == '/') k.pop_back();
    return k;
}

} // namespace

// --- MemoryStore -----------------------------------------------------------

const MemoryStore::Section* MemoryStore::find(const std::string& key) const {
    const std::string k = normalKey(key);
    for (const Section& s : sections_)
        if (normalKey(s.key) == k) return &s;
    return nullptr;
}

MemoryStore::Section& MemoryStore::obtain(const std::string& key) {
    if (const Section* s = find(key)) return const_cast<Section&>(*s);
    sections_.push_back({displayKey(key), {}});
    return sections_.back();
}

std::optional<std::string> MemoryStore::read(const std::string& key, const std::string& name) const {
    log.push_back("read " + displayKey(key) + "/" + name);
    const Section* s = find(key);
    if (!s) return std::nullopt;
    const std::string n = lower(name);
    for (const auto& [vn, v] : s->values)
        if (lower(vn) == n) return v;
    return std::nullopt;
}

void MemoryStore::write(const std::string& key, const std::string& name, const std::string& value) {
    log.push_back("write " + displayKey(key) + "/" + name + "=" + value);
    Section& s = obtain(key);
    const std::string n = lower(name);
    for (auto& [vn, v] : s.values) {
        if (lower(vn) == n) {
            v = value;
            return;
        }
    }
    s.values.emplace_back(name, value);
}

std::vector<std::pair<std::string, std::string>> MemoryStore::values(const std::string& key) const {
    log.push_back("values " + displayKey(key));
    const Section* s = find(key);
    return s ? s->values : std::vector<std::pair<std::string, std::string>>{};
}

void MemoryStore::deleteKey(const std::string& key) {
    log.push_back("delete " + displayKey(key));
    const std::string k = normalKey(key);
    // A subkey goes with everything below it.
    std::erase_if(sections_, [&](const Section& s) {
        const std::string sk = normalKey(s.key);
        return sk == k || sk.rfind(k + "/", 0) == 0;
    });
}

// --- IniStore --------------------------------------------------------------

namespace {

std::string escapeValue(const std::string& v) {
    std::string out;
    for (char c : v) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\0': out += "\\0"; break;
        default: out += c;
        }
    }
    const bool quote = !v.empty() && (v.front() == ' ' || v.front() == '\t' || v.back() == ' ' ||
                                      v.back() == '\t' || v.front() == '"');
    return quote ? "\"" + out + "\"" : out;
}

std::string unescapeValue(std::string v) {
    if (v.size() >= 2 && v.front() == '"' && v.back() == '"') v = v.substr(1, v.size() - 2);
    std::string out;
    for (std::size_t i = 0; i < v.size(); ++i) {
        if (v[i] != '\\' || i + 1 == v.size()) {
            out += v[i];
            continue;
        }
        const char n = v[++i];
        out += n == 'r' ? '\r' : n == 'n' ? '\n' : n == '0' ? '\0' : n;
    }
    return out;
}

std::string trimmed(const std::string& s) {
    std::size_t b = 0, e = s.size();
    while (b < e && (s[b] == ' ' || s[b] == '\t')) ++b;
    while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t')) --e;
    return s.substr(b, e - b);
}

} // namespace

IniStore::IniStore(std::string path) : path_(std::move(path)) {
    std::string text;
    try {
        text = readFileBytes(path_);
    } catch (const FileError&) {
        return;  // no file yet: every value has its default
    }
    parse(text);
}

void IniStore::parse(const std::string& text) {
    sections_.clear();
    Section* current = nullptr;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::string t = trimmed(line);
        if (t.empty() || t[0] == ';' || t[0] == '#') continue;
        if (t.front() == '[' && t.back() == ']') {
            current = &obtain(t.substr(1, t.size() - 2));
            continue;
        }
        const std::size_t eq = line.find('=');
        if (eq == std::string::npos || !current) continue;
        const std::string name = trimmed(line.substr(0, eq));
        std::string value = line.substr(eq + 1);
        // Blanks around "=" belong to the layout; a value's own blanks are quoted.
        const std::size_t first = value.find_first_not_of(" \t");
        value = first == std::string::npos ? std::string() : value.substr(first);
        if (!value.empty() && value.front() != '"') {
            while (!value.empty() && (value.back() == ' ' || value.back() == '\t')) value.pop_back();
        }
        current->values.emplace_back(name, unescapeValue(value));
    }
}

std::string IniStore::serialize() const {
    std::string out;
    for (const Section& s : sections_) {
        if (s.values.empty()) continue;
        if (!out.empty()) out += "\n";
        out += "[" + s.key + "]\n";
        for (const auto& [name, value] : s.values) out += name + "=" + escapeValue(value) + "\n";
    }
    return out;
}

void IniStore::flush() {
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(path_).parent_path(), ec);
    writeFileAtomically(path_, serialize());
}

std::string settingsFilePath() {
    std::string base;
    if (const char* x = std::getenv("XDG_CONFIG_HOME"); x && *x) {
        base = x;
    } else if (const char* h = std::getenv("HOME"); h && *h) {
        base = std::string(h) + "/.config";
    } else {
        base = ".";
    }
    return base + "/Taviron/Taviron.conf";
}

std::unique_ptr<SettingsStore> openSettingsStore() {
#ifdef _WIN32
    return std::make_unique<RegistryStore>();
#else
    return std::make_unique<IniStore>(settingsFilePath());
#endif
}

// --- encodings --------------------------------------------------------------

std::optional<long long> parseStoredInt(const std::string& text) {
    const std::string t = trimmed(text);
    if (t.empty()) return std::nullopt;
    int base = 10;
    std::string digits = t;
    bool negative = false;
    if (t.size() > 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        base = 16;
        digits = t.substr(2);
    } else if (t[0] == '-' || t[0] == '+') {
        negative = t[0] == '-';
        digits = t.substr(1);
    }
    if (digits.empty()) return std::nullopt;
    long long v = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (base == 16 && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (base == 16 && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return std::nullopt;
        v = v * base + d;
        if (v > 0xFFFFFFFFLL) return std::nullopt;  // beyond any 32-bit value
    }
    if (base == 16 && v > 0x7FFFFFFF) v -= 0x100000000LL;  // hexadecimal is a 32-bit pattern
    if (base == 10 && v > 0x7FFFFFFFLL + (negative ? 1 : 0)) return std::nullopt;
    return negative ? -v : v;
}

int readInt(const SettingsStore& s, const std::string& key, const std::string& name, int def) {
    const auto text = s.read(key, name);
    if (!text) return def;
    const auto v = parseStoredInt(*text);
    return v ? static_cast<int>(*v) : def;
}

bool readBool(const SettingsStore& s, const std::string& key, const std::string& name, bool def) {
    return readInt(s, key, name, def ? 1 : 0) != 0;
}

std::uint8_t readByte(const SettingsStore& s, const std::string& key, const std::string& name, std::uint8_t def) {
    return static_cast<std::uint8_t>(readInt(s, key, name, def) & 0xFF);
}

std::string readString(const SettingsStore& s, const std::string& key, const std::string& name,
                       const std::string& def, std::size_t maxLength) {
    const auto text = s.read(key, name);
    std::string v = text ? *text : def;
    if (v.size() > maxLength) v.resize(maxLength);
    return v;
}

void writeInt(SettingsStore& s, const std::string& key, const std::string& name, long long v) {
    s.write(key, name, std::to_string(v));
}

void writeBool(SettingsStore& s, const std::string& key, const std::string& name, bool v) {
    s.write(key, name, v ? "1" : "0");
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\r\n";
    return out;
}


std::vector<std::string> StripValueNames(const std::vector<std::string>& lines) {
    std::vector<std::string> out;
    out.reserve(lines.size());
    for (const std::string& l : lines) {
        const std::size_t eq = l.find('=');
        out.push_back(eq == std::string::npos ? std::string() : l.substr(eq + 1));
    }
    return out;
}

namespace {
// The number of a list name such as "F12" or "H3"; none for other names.
std::optional<long> listNumber(const std::string& name) {
    if (name.size() < 2 || (name[0] != 'F' && name[0] != 'H' && name[0] != 'f' && name[0] != 'h')) return std::nullopt;
    long n = 0;
    for (std::size_t i = 1; i < name.size(); ++i) {
        if (name[i] < '0' || name[i] > '9' || i > 9) return std::nullopt;
        n = n * 10 + (name[i] - '0');
    }
    return n;
}
} // namespace

std::vector<std::string> readListSection(const SettingsStore& s, const std::string& key) {
    auto values = s.values(key);
    std::stable_sort(values.begin(), values.end(), [](const auto& a, const auto& b) {
        const auto na = listNumber(a.first), nb = listNumber(b.first);
        if (na && nb) return *na < *nb;
        return na.has_value() && !nb.has_value();
    });
    std::vector<std::string> lines;
    lines.reserve(values.size());
    for (const auto& [name, value] : values) lines.push_back(name + "=" + value);
    return StripValueNames(lines);
}

void writeListSection(SettingsStore& s, const std::string& key, const std::vector<std::string>& entries,
                      const std::string& prefix) {
    s.deleteKey(key);
    for (std::size_t i = 0; i < entries.size(); ++i) s.write(key, prefix + std::to_string(i), entries[i]);
}

// --- the options ------------------------------------------------------------------

const char* const kToolBarNames[kToolBarCount] = {"MainTbar", "CustomTbar", "HTMLTbar", "TableTbar", "ElementTbar",
                                                  "TextTbar", "FormatTbar", "ListTbar", "FormTbar"};

std::array<ToolBarLayout, kToolBarCount> Settings::defaultToolBars() {
    // Main and Common HTML share the first row; Style, Format and Lists the
    // second; Tables and Forms the third. Tool bars whose buttons come with
    // later features start hidden.
    std::array<ToolBarLayout, kToolBarCount> bars;
    const int rows[kToolBarCount] = {0, 2, 0, 3, 3, 1, 1, 1, 3};
    const bool shown[kToolBarCount] = {true, false, true, true, false, true, true, true, true};
    for (int i = 0; i < kToolBarCount; ++i) {
        bars[i].dockRow = rows[i];
        bars[i].dockPos = i;
        bars[i].visible = shown[i];
    }
    return bars;
}

namespace {
const std::string kSettings = "Settings";
const std::string kOptions = "Options";
const std::string kBrowsers = "Browsers";
std::string toolBarKey(int i) { return std::string("Toolbars\\") + kToolBarNames[i]; }
} // namespace

bool UsesDefaultColors(const Settings& s) {
    const Settings d;
    return s.fontColor == d.fontColor && s.backColor == d.backColor && s.tagColor == d.tagColor &&
           s.anchColor == d.anchColor && s.imgColor == d.imgColor && s.commColor == d.commColor;
}

std::string encodePaneLayout(const PaneLayout& p) {
    return std::string(p.shown ? "1" : "0") + "," + p.side + "," + std::to_string(p.size) + "," + (p.floating ? "1" : "0") +
           "," + std::to_string(p.left) + "," + std::to_string(p.top) + "," + std::to_string(p.width) + "," +
           std::to_string(p.height);
}

PaneLayout decodePaneLayout(const std::string& text) {
    PaneLayout p;
    std::vector<std::string> f;
    std::size_t from = 0;
    for (;;) {
        const std::size_t comma = text.find(',', from);
        f.push_back(text.substr(from, comma == std::string::npos ? std::string::npos : comma - from));
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    // A damaged value leaves what it cannot give at its default.
    auto number = [&f](std::size_t i, int fallback) {
        if (i >= f.size()) return fallback;
        const auto v = parseStoredInt(f[i]);
        return v ? static_cast<int>(*v) : fallback;
    };
    p.shown = !f.empty() && f[0] == "1";
    if (f.size() > 1 && (f[1] == "Left" || f[1] == "Right" || f[1] == "Top" || f[1] == "Bottom")) p.side = f[1];
    p.size = std::max(0, number(2, 0));
    p.floating = f.size() > 3 && f[3] == "1";
    p.left = number(4, 0);
    p.top = number(5, 0);
    p.width = std::max(0, number(6, 0));
    p.height = std::max(0, number(7, 0));
    return p;
}

Settings ReadSettings(const SettingsStore& st) {
    Settings s;
    // The bounds, and whether the store held any of them (a first start
    // holds none, and the frame then fits the screen).
    for (auto [name, field] : {std::pair{"Top", &s.top}, std::pair{"Left", &s.left}, std::pair{"Height", &s.height},
                               std::pair{"Width", &s.width}}) {
        const auto text = st.read(kSettings, name);
        const auto value = text ? parseStoredInt(*text) : std::nullopt;
        if (!value) continue;
        *field = static_cast<int>(std::clamp<long long>(*value, INT_MIN, INT_MAX));
        s.boundsStored = true;
    }
    s.windowState = readString(st, kSettings, "WindowState", s.windowState);
    for (int i = 0; i < kToolBarCount; ++i) {
        ToolBarLayout& t = s.toolBars[i];
        const std::string k = toolBarKey(i);
        t.visible = readBool(st, k, "Visible", t.visible);
        t.dockedTo = readString(st, k, "DockedTo", t.dockedTo);
        t.dockRow = readInt(st, k, "DockRow", t.dockRow);
        t.dockPos = readInt(st, k, "DockPos", t.dockPos);
        t.floatLeft = readInt(st, k, "FloatLeft", t.floatLeft);
        t.floatTop = readInt(st, k, "FloatTop", t.floatTop);
        t.floatRight = readInt(st, k, "FloatRight", t.floatRight);
        t.floatBottom = readInt(st, k, "FloatBottom", t.floatBottom);
        t.floatRightX = readInt(st, k, "FloatRightX", t.floatRightX);
    }
    s.toolBarState = readString(st, "Toolbars", "Layout", "");
    s.sizer2 = readInt(st, kSettings, "Sizer2", s.sizer2);
    s.sizer1 = readInt(st, kSettings, "Sizer1", s.sizer1);
    s.sizer3 = readInt(st, kSettings, "Sizer3", s.sizer3);
    s.nbook = readInt(st, kSettings, "nbook", s.nbook);
    // No stored folder: the file pane starts with the first document's
    // folder, else the home folder (the program's folder holds no pages).
    s.currentDir = readString(st, kSettings, "CurrentDir", "");
    s.filterIndex = readInt(st, kSettings, "FilterIndex", s.filterIndex);
    s.fileList = readBool(st, kSettings, "FileList", s.fileList);
    for (const auto& [key, value] : st.values("Panes")) s.panes[key] = decodePaneLayout(value);
    if (!s.panes.count("FileList")) {
        PaneLayout& files = s.panes["FileList"];
        files.shown = s.fileList;
        files.size = s.sizer2;
    }
    s.tabControl = readBool(st, kSettings, "TabControl", s.tabControl);
    s.dateFormat = readByte(st, kSettings, "DateFormat", s.dateFormat);
    s.custDate = readString(st, kSettings, "CustDate", s.custDate, 255);
    s.newFiles = readByte(st, kSettings, "NewFiles", s.newFiles);
    s.wordWrap = readBool(st, kSettings, "WordWrap", s.wordWrap);
    s.statusBar = readBool(st, kSettings, "StatusBar", s.statusBar);
    s.fontSize = readByte(st, kSettings, "FontSize", s.fontSize);
    s.fontName = readString(st, kSettings, "FontName", s.fontName, 255);
    s.delimit = readByte(st, kSettings, "Delimit", s.delimit);
    s.fontColor = readByte(st, kSettings, "FontColor", s.fontColor);
    s.backColor = readByte(st, kSettings, "BackColor", s.backColor);
    s.tagColor = readByte(st, kSettings, "TagColor", s.tagColor);
    s.anchColor = readByte(st, kSettings, "AnchColor", s.anchColor);
    s.imgColor = readByte(st, kSettings, "ImgColor", s.imgColor);
    s.commColor = readByte(st, kSettings, "CommColor", s.commColor);
    s.colorCode = readBool(st, kSettings, "ColorCode", s.colorCode);
    s.labels = readBool(st, kSettings, "Labels", s.labels);
    s.addExt = readBool(st, kSettings, "AddExt", s.addExt);
    s.autoSave = readBool(st, kSettings, "AutoSave", s.autoSave);
    s.browser1 = readString(st, kSettings, "Browser1", s.browser1);
    s.projFile = readString(st, kSettings, "ProjFile", s.projFile);
    s.textExt = splitLines(readString(st, kSettings, "TextExt", ""));
    s.defaultEncoding = readByte(st, kSettings, "DefaultEncoding", s.defaultEncoding) == 1 ? 1 : 0;
    s.lineNumbers = readBool(st, kSettings, "LineNumbers", s.lineNumbers);
    s.previewRefresh = readByte(st, kSettings, "PreviewRefresh", s.previewRefresh);
    if (s.previewRefresh > 2) s.previewRefresh = 0;
    s.previewPause = std::clamp(readInt(st, kSettings, "PreviewPause", s.previewPause), 50, 5000);
    s.checkAsYouType = readBool(st, kSettings, "CheckAsYouType", s.checkAsYouType);
    s.checkWarnings = readBool(st, kSettings, "CheckWarnings", s.checkWarnings);
    s.checkAccess = std::min<std::uint8_t>(readByte(st, kSettings, "CheckAccess", s.checkAccess), 3);
    s.completeMarkup = readBool(st, kSettings, "CompleteMarkup", s.completeMarkup);
    s.closeTags = readBool(st, kSettings, "CloseTags", s.closeTags);
    s.matchTags = readBool(st, kSettings, "MatchTags", s.matchTags);
    s.folding = readBool(st, kSettings, "Folding", s.folding);
    if (s.textExt.empty()) s.textExt = {"html", "htm", "shtml", "txt"};
    s.ol = readString(st, kOptions, "OL", s.ol, 255);
    s.ul = readString(st, kOptions, "UL", s.ul, 255);
    s.browsers = readListSection(st, kBrowsers);
    s.settingsChanged = false;
    return s;
}

void WriteSettings(SettingsStore& st, const Settings& s) {
    for (int i = 0; i < kToolBarCount; ++i) {
        const ToolBarLayout& t = s.toolBars[i];
        const std::string k = toolBarKey(i);
        writeBool(st, k, "Visible", t.visible);
        st.write(k, "DockedTo", t.dockedTo);
        writeInt(st, k, "DockRow", t.dockRow);
        writeInt(st, k, "DockPos", t.dockPos);
        writeInt(st, k, "FloatLeft", t.floatLeft);
        writeInt(st, k, "FloatTop", t.floatTop);
        writeInt(st, k, "FloatRight", t.floatRight);
        writeInt(st, k, "FloatBottom", t.floatBottom);
        writeInt(st, k, "FloatRightX", t.floatRightX);
    }
    if (!s.toolBarState.empty()) st.write("Toolbars", "Layout", s.toolBarState);
    // 1. Window state; the bounds only of a normal window.
    if (s.maximized()) {
        st.write(kSettings, "WindowState", "Maximized");
    } else {
        st.write(kSettings, "WindowState", "Normal");
        writeInt(st, kSettings, "Top", s.top);
        writeInt(st, kSettings, "Left", s.left);
        writeInt(st, kSettings, "Height", s.height);
        writeInt(st, kSettings, "Width", s.width);
    }
    // 2. The option values, only when they were changed.
    if (s.settingsChanged) {
        writeInt(st, kSettings, "DateFormat", s.dateFormat);
        st.write(kSettings, "CustDate", s.custDate);
        writeInt(st, kSettings, "NewFiles", s.newFiles);
        writeInt(st, kSettings, "Delimit", s.delimit);
        writeBool(st, kSettings, "Labels", s.labels);
        writeBool(st, kSettings, "AddExt", s.addExt);
        writeBool(st, kSettings, "AutoSave", s.autoSave);
        writeInt(st, kSettings, "BackColor", s.backColor);
        writeInt(st, kSettings, "FontSize", s.fontSize);
        st.write(kSettings, "FontName", s.fontName);
        writeInt(st, kSettings, "FontColor", s.fontColor);
        writeInt(st, kSettings, "TagColor", s.tagColor);
        writeInt(st, kSettings, "AnchColor", s.anchColor);
        writeInt(st, kSettings, "ImgColor", s.imgColor);
        writeInt(st, kSettings, "CommColor", s.commColor);
        writeBool(st, kSettings, "ColorCode", s.colorCode);
        writeInt(st, kSettings, "DefaultEncoding", s.defaultEncoding);
        writeInt(st, kSettings, "PreviewRefresh", s.previewRefresh);
        writeInt(st, kSettings, "PreviewPause", s.previewPause);
        writeBool(st, kSettings, "CheckAsYouType", s.checkAsYouType);
        writeBool(st, kSettings, "CheckWarnings", s.checkWarnings);
        writeInt(st, kSettings, "CheckAccess", s.checkAccess);
        writeBool(st, kSettings, "CompleteMarkup", s.completeMarkup);
        writeBool(st, kSettings, "CloseTags", s.closeTags);
        writeBool(st, kSettings, "MatchTags", s.matchTags);
        writeListSection(st, kBrowsers, s.browsers);
        st.write(kSettings, "TextExt", joinLines(s.textExt));
    }
    // 3. Always.
    st.write(kSettings, "Browser1", s.browser1);
    st.write(kSettings, "ProjFile", s.projFile);
    writeBool(st, kSettings, "WordWrap", s.wordWrap);
    writeBool(st, kSettings, "StatusBar", s.statusBar);
    writeBool(st, kSettings, "FileList", s.fileList);
    writeBool(st, kSettings, "TabControl", s.tabControl);
    st.write(kOptions, "OL", s.ol);
    st.write(kOptions, "UL", s.ul);
    writeInt(st, kSettings, "Sizer2", s.sizer2);
    writeInt(st, kSettings, "Sizer1", s.sizer1);
    writeInt(st, kSettings, "Sizer3", s.sizer3);
    writeInt(st, kSettings, "nbook", s.nbook);
    st.write(kSettings, "CurrentDir", s.currentDir);
    writeInt(st, kSettings, "FilterIndex", s.filterIndex);
    writeBool(st, kSettings, "LineNumbers", s.lineNumbers);
    writeBool(st, kSettings, "Folding", s.folding);
    // The frame's panes, after the steps above.
    for (const auto& [key, pane] : s.panes) st.write("Panes", key, encodePaneLayout(pane));
}

} // namespace tv
