// The command table. Every menu item, tool button and context-menu item of
// the program is a place of one entry here: the entry says what the command
// does, what it acts on (the active document, the field with the keyboard
// focus, the frame) and when it can act; its places say where it stands. The
// frame builds its menus and tool bars from the table, and a document window
// its context menu; one loop enables all of their items.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TMDIChild;

// The menus and drop-downs of the program, in menu-bar order; None: a
// tool button's place.
enum class CommandMenu {
    File, FileNew, FileEncoding, Project, FrameEdit,
    Edit, Text, Style, StyleLogical, Format, FormatStructure, FormatHeading,
    Elements, ElementsJava, ElementsTable, ElementsForm, ElementsFrame, Lists,
    View, Window, Help,
    Date, Header, Context,
    None
};

// What a command acts on.
enum class CommandTarget {
    Document,  // the active document window (nothing without one)
    Focus,     // the field with the keyboard focus: a field of a dialog, else the active document
    Frame,     // the frame
};

// When a command can act: every need that is set must hold.
enum CommandNeed : unsigned {
    NeedsDocument = 1u << 0,       // a document window is active
    NeedsNoDocument = 1u << 1,     // none is
    NeedsSelection = 1u << 2,      // the active document has a selection
    NeedsUndo = 1u << 3,           // it can undo
    NeedsRedo = 1u << 4,           // it can redo
    NeedsClipboardText = 1u << 5,  // the clipboard holds text
    NeedsRepeatTag = 1u << 6,      // a tag pair has been inserted
    NeedsModified = 1u << 7,       // the active document is modified
    NeedsProjectFolder = 1u << 8,  // a folder of the project is selected in the pane shown
    NeedsAnyDocument = 1u << 9,    // some document window is open
    TheCommandsNeeds = ~0u,        // a place's needs: those of its command
};

// What holds now, for the enabling loop.
struct CommandState {
    bool anyDocument = false;
    bool document = false;
    bool selection = false;
    bool undo = false;
    bool redo = false;
    bool clipboardText = false;
    bool repeatTag = false;
    bool modified = false;
    bool projectFolder = false;
    // The needs that hold.
    unsigned met() const;
};
bool commandEnabled(unsigned needs, const CommandState& state);

// Where a command stands.
struct CommandPlace {
    CommandMenu menu = CommandMenu::None;
    // The object name of the place's own action; empty: the command's
    // action (its id) serves here too.
    std::string name;
    std::string caption;  // empty: the command's
    std::string hint;     // empty: the command's
    bool separatorBefore = false;
    unsigned needs = TheCommandsNeeds;
    bool hidden = false;
    // Where in its menu, when not in table order (the context menu).
    int position = -1;
};

struct Command {
    std::string id;        // the object name of its action: "Bold1", "Save1"
    std::string caption;   // "&Bold"
    std::string shortcut;  // "Ctrl+B", or empty
    std::string hint;      // "Bold|Bold text": tool tip | status bar text
    CommandTarget target = CommandTarget::Document;
    unsigned needs = 0;
    // Document and Focus commands run on the active window; Frame commands
    // on the frame.
    std::function<void(TMDIChild&)> run;
    std::function<void()> runFrame;
    // A command that is on or off (an option, the encoding of a document).
    std::function<bool()> checked;
    // A further condition of the frame's own (none: always).
    std::function<bool()> available;
    std::vector<CommandPlace> places;

    // A place with a caption and needs of its own: its own action.
    Command& also(CommandPlace place) {
        places.push_back(std::move(place));
        return *this;
    }
};

// The commands that act on a document, in menu order.
const std::vector<Command>& documentCommands();

// The menus, in the order they are made; a sub-menu stands where its first
// item would.
struct CommandMenuInfo {
    CommandMenu menu;
    CommandMenu parent;  // None: a menu of the menu bar (or a drop-down of its own)
    const char* caption;
    const char* objectName;
    const char* hint;
    bool separatorBefore;
};
const std::vector<CommandMenuInfo>& commandMenus();
const CommandMenuInfo& commandMenu(CommandMenu menu);

// The tool buttons: the place (action name) each shows, on which bar, with
// a picture from the desktop's theme (or one of the style's, or the
// program's own) or a label drawn in a style (1 bold, 2 italic, 4
// underlined). A null name is a separator.
enum class ToolBar { Main, HTML, Tables, Elements, Style, Format, Lists, Forms };
struct ToolButton {
    ToolBar bar;
    const char* name;
    const char* themeIcon = nullptr;
    int standardIcon = -1;
    const char* picture = nullptr;
    const char* label = nullptr;
    int labelStyle = 0;
};
const std::vector<ToolButton>& toolButtons();
