// The document commands: every menu item and tool button that acts on the
// active document window is one entry here, with its caption, short cut,
// hint and the function that runs it. The frame makes one QAction per entry,
// which serves the menu item and the tool button alike, and sends it to the
// active window; with no window open the command does nothing.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

class TMDIChild;

// The menus the commands stand in; None: a tool button's own command.
enum class CommandMenu {
    Edit, Text, Style, StyleLogical, Format, FormatStructure, FormatHeading,
    Elements, ElementsJava, ElementsTable, ElementsForm, ElementsFrame, Lists, None
};

struct DocumentCommand {
    std::string id;        // the action's object name: "Bold1", "Table1", "UndoBtn"
    std::string caption;   // "&Bold"
    std::string shortcut;  // "Ctrl+B", or empty
    std::string hint;      // "Bold|Bold text": tool tip | status bar text
    CommandMenu menu = CommandMenu::None;
    bool separatorBefore = false;
    std::function<void(TMDIChild&)> run;
};

// All commands, in menu order.
const std::vector<DocumentCommand>& documentCommands();
const DocumentCommand* documentCommand(std::string_view id);

// The document menus and their sub-menus, in the order they appear; a
// sub-menu is placed where its first command would stand.
struct CommandMenuInfo {
    CommandMenu menu;
    CommandMenu parent;  // None: a menu of the menu bar
    const char* caption;
    const char* objectName;
    const char* hint;
    bool separatorBefore;
};
const std::vector<CommandMenuInfo>& commandMenus();
const CommandMenuInfo& commandMenu(CommandMenu menu);

// The tag tool bars' buttons: the command each runs and the label drawn on it.
enum class TagBar { HTML, Tables, Elements, Style, Format, Lists, Forms };
struct CommandButton {
    TagBar bar;
    const char* command;
    const char* label;
    int style;  // 1 bold, 2 italic, 4 underlined
};
const std::vector<CommandButton>& commandButtons();
