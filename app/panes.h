// The pane seam: a pane of the frame is a widget of its own room that the
// frame shows in a dock, with an item in the View menu that shows or hides
// it, and a key under which its place (shown, side and size, or floating)
// is kept in the settings.
#pragma once

#include <Qt>

struct PaneSpec {
    const char* key;        // the dock's object name and the settings key: "FileList"
    const char* title;      // the dock's title: "File List"
    const char* commandId;  // the View menu item's id: "FileList1"
    const char* caption;    // "&File List"
    const char* hint;
    Qt::DockWidgetArea side;  // where it docks at first
    int size;                 // across that side at first
    const char* shortcut = nullptr;  // of the View menu item: "Shift+F12"
};
