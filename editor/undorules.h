// When typing starts a new undo step, and when a local re-colouring is due.
// A run of word characters is one step; a blank, Enter, Tab or a tag
// bracket starts a new one.
#pragma once

namespace tv {

// A character whose ASCII upper-case form is A-Z or lies in lo..hi.
// Characters above 127 are never word characters.
bool isWordChar(unsigned char c, unsigned char lo, unsigned char hi);

// The undo lists' state as the rules see it.
struct UndoState {
    bool undoEmpty;
    bool redoNonEmpty;
};

struct KeyEffect {
    bool saveUndo = false;
    bool colorPending = false;
};

// A typed character (Backspace is '\b', Enter '\r', Tab '\t').
KeyEffect keyPressEffect(unsigned char ch, bool hasSelection, UndoState undo);

enum class KeyKind { Delete, Backspace, Other };
enum class ShiftState { None, ShiftOnly, Other };

struct KeyDownInput {
    KeyKind key = KeyKind::Other;
    ShiftState shift = ShiftState::None;
    bool hasSelection = false;
    bool selectionHasBracket = false;  // the selected text holds "<" or ">"
    bool hasRemovedChar = false;       // Delete at the end or Backspace at 0: none
    unsigned char removedChar = 0;     // the character Delete or Backspace removes
};

// A key before it acts; only called while the text is not empty.
KeyEffect keyDownEffect(const KeyDownInput& in, UndoState undo);

} // namespace tv
