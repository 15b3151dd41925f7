// The options of Taviron: where they are stored, how values are encoded, and
// the order in which the frame reads them at start and writes them at exit.
#pragma once

#include "text/encoding.h"

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace tv {

// A store of string values in subkeys below the program's key. Key paths use
// "\" or "/" between subkeys and ignore letter case, as the registry does.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> read(const std::string& key, const std::string& name) const = 0;
    virtual void write(const std::string& key, const std::string& name, const std::string& value) = 0;
    // Every value of a subkey as (name, value), in the store's own order.
    virtual std::vector<std::pair<std::string, std::string>> values(const std::string& key) const = 0;
    // Removes a subkey with all its values.
    virtual void deleteKey(const std::string& key) = 0;
    // Makes the changes lasting. A store that writes at once has nothing to do.
    virtual void flush() {}
};

// A store held in memory; it logs every access in order, for tests.
class MemoryStore : public SettingsStore {
public:
    std::optional<std::string> read(const std::string& key, const std::string& name) const override;
    void write(const std::string& key, const std::string& name, const std::string& value) override;
    std::vector<std::pair<std::string, std::string>> values(const std::string& key) const override;
    void deleteKey(const std::string& key) override;

    // "read Settings/Top", "write Settings/Top=10", "delete Browsers", ...
    mutable std::vector<std::string> log;

protected:
    struct Section {
        std::string key;  // as first written
        std::vector<std::pair<std::string, std::string>> values;
    };
    const Section* find(const std::string& key) const;
    Section& obtain(const std::string& key);
    std::vector<Section> sections_;
};

// The store in an INI file: each subkey a group, each value a key. The file
// is read when the store opens and rewritten whole, atomically, on flush().
class IniStore : public MemoryStore {
public:
    explicit IniStore(std::string path);
    void flush() override;
    const std::string& path() const { return path_; }

    // The text of the file for a set of sections, and back.
    std::string serialize() const;
    void parse(const std::string& text);

private:
    std::string path_;
};

// Where the settings live: $XDG_CONFIG_HOME/Taviron/Taviron.conf (by default
// ~/.config/Taviron/Taviron.conf).
std::string settingsFilePath();

// The program's store: the registry on Windows, the INI file elsewhere.
std::unique_ptr<SettingsStore> openSettingsStore();

// --- encodings ------------------------------------------------------------

// Decimal, or hexadecimal after "0x"/"0X" when longer than two characters.
std::optional<long long> parseStoredInt(const std::string& text);
int readInt(const SettingsStore& s, const std::string& key, const std::string& name, int def);
// Booleans are integers; anything but 0 is true.
bool readBool(const SettingsStore& s, const std::string& key, const std::string& name, bool def);
// 8-bit integers keep the low eight bits, as a byte field does.
std::uint8_t readByte(const SettingsStore& s, const std::string& key, const std::string& name, std::uint8_t def);
std::string readString(const SettingsStore& s, const std::string& key, const std::string& name,
                       const std::string& def, std::size_t maxLength = std::string::npos);
void writeInt(SettingsStore& s, const std::string& key, const std::string& name, long long v);
void writeBool(SettingsStore& s, const std::string& key, const std::string& name, bool v);

// A list value: lines, each followed by CR LF; read back with splitLines.
std::string joinLines(const std::vector<std::string>& lines);

// The value part of lines "name=value" (the text after the first "=").
std::vector<std::string> StripValueNames(const std::vector<std::string>& lines);
// A list section: its values in the order "F0", "F1", ... (or "H0", ...) by
// the number, then other names in the store's order; names dropped.
std::vector<std::string> readListSection(const SettingsStore& s, const std::string& key);
// Deletes the subkey and writes the entries as prefix + "0", prefix + "1", ...
void writeListSection(SettingsStore& s, const std::string& key, const std::vector<std::string>& entries,
                      const std::string& prefix = "F");

// --- the options ----------------------------------------------------------

constexpr int kToolBarCount = 9;
extern const char* const kToolBarNames[kToolBarCount];

// The layout of one tool bar, as the docking tool bars store it.
struct ToolBarLayout {
    bool visible = true;
    std::string dockedTo = "Docktop";  // "Docktop", "DockBottom", "DockLeft", "DockRight", "nil"
    int dockRow = 0;
    int dockPos = 0;
    int floatLeft = 0, floatTop = 0, floatRight = 0, floatBottom = 0, floatRightX = 0;
};

// Where a pane of the frame stands: shown or not, docked at a side with a
// size across it, or floating with a place of its own.
struct PaneLayout {
    bool shown = false;
    std::string side = "Left";  // "Left", "Right", "Top", "Bottom"
    int size = 0;               // across its side; 0: the pane's own
    bool floating = false;
    int left = 0, top = 0, width = 0, height = 0;
    bool operator==(const PaneLayout&) const = default;
};
// "shown,side,size,floating,left,top,width,height", as the store keeps it.
std::string encodePaneLayout(const PaneLayout& p);
PaneLayout decodePaneLayout(const std::string& text);

struct Settings {
    int top = 10, left = 10, height = 373, width = 500;
    // Whether the store held the frame's bounds (a first start holds none).
    bool boundsStored = false;
    std::string windowState = "Normal";
    std::array<ToolBarLayout, kToolBarCount> toolBars = defaultToolBars();
    // The window system's own record of the tool bars ("Toolbars", "Layout",
    // base64), which alone can place floating tool bars again; the layouts
    // above stay the readable record.
    std::string toolBarState;
    int sizer2 = 109, sizer1 = 112, sizer3 = 112, nbook = 0;
    // The frame's panes by their key ("Panes" in the store). The file pane
    // ("FileList") is kept in "FileList" and "Sizer2" too.
    std::map<std::string, PaneLayout> panes;
    std::string currentDir;
    int filterIndex = 0;
    bool fileList = false, tabControl = false;
    std::uint8_t dateFormat = 0;
    std::string custDate = "\"Last Updated:\" c";
    std::uint8_t newFiles = 1;
    bool wordWrap = true, statusBar = true;
    // "LineNumbers": a margin with the lines' numbers, counted from 1.
    bool lineNumbers = false;
    std::uint8_t fontSize = 10;
    std::string fontName = "Courier New";
    std::uint8_t delimit = 0;
    std::uint8_t fontColor = 0, backColor = 15, tagColor = 6, anchColor = 9, imgColor = 2, commColor = 7;
    bool colorCode = false, labels = false, addExt = true, autoSave = false;
    std::string browser1;
    std::string projFile = "Untitled.vkp";
    std::vector<std::string> textExt;
    std::string ol = "<OL>", ul = "<UL>";
    std::vector<std::string> browsers;
    // "DefaultEncoding": 0 UTF-8, 1 Windows-1252; the encoding of new
    // documents and of files that hold only ASCII and declare no charset.
    std::uint8_t defaultEncoding = 0;
    // The preview pane: "PreviewRefresh" 0 as you type (after a pause of
    // "PreviewPause" ms), 1 when the document is saved, 2 only when asked.
    std::uint8_t previewRefresh = 0;
    int previewPause = 300;
    // The page check: "CheckAsYouType" (after a pause of 500 ms),
    // "CheckWarnings" (else errors only), "CheckAccess" (0 none, 1 to 3 the
    // accessibility checks of that priority).
    bool checkAsYouType = false, checkWarnings = true;
    std::uint8_t checkAccess = 0;
    // Help with typing markup: "CompleteMarkup" (lists of elements,
    // attributes, values and character references), "CloseTags" (an end tag
    // after a typed start tag's '>'), "MatchTags" (the tag at the caret and
    // its partner marked), "Folding" (the fold margin).
    bool completeMarkup = true, closeTags = false, matchTags = true, folding = false;
    FileEncoding defaultFileEncoding() const {
        return defaultEncoding == 1 ? FileEncoding::Windows1252 : FileEncoding::Utf8;
    }
    // Option values and the browser list are written at exit only when set.
    bool settingsChanged = false;

    bool maximized() const { return windowState == "Maximized"; }
    static std::array<ToolBarLayout, kToolBarCount> defaultToolBars();
};

// Reads every option in table order. Missing or unreadable values give their
// defaults; an empty extension list is filled with "html", "htm", "shtml",
// "txt".
// Whether the six colour settings (text, background and the four kinds of
// tag) are all still what a first start gives them.
bool UsesDefaultColors(const Settings& s);

Settings ReadSettings(const SettingsStore& store);

// Writes at exit: first the tool-bar layouts, then the window state and
// bounds (not while maximized, so the last normal bounds survive), the
// option values and the browser list only when `settingsChanged`, and
// always the values of the last step.
void WriteSettings(SettingsStore& store, const Settings& s);

} // namespace tv
