#include "editor/undorules.h"

namespace tv {

bool isWordChar(unsigned char c, unsigned char lo, unsigned char hi) {
    if (c > 127) return false;
    const unsigned char up = (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c;
    return (up >= 'A' && up <= 'Z') || (up >= lo && up <= hi);
}

namespace {
// A word character continues the current step unless there is no step yet
// or redo is pending (the step must then clear the redo list).
bool startsStep(bool word, UndoState undo) {
    return !word || undo.undoEmpty || undo.redoNonEmpty;
}
} // namespace

KeyEffect keyPressEffect(unsigned char ch, bool hasSelection, UndoState undo) {
    KeyEffect e;
    if (ch != '\b') {
        e.saveUndo = hasSelection || startsStep(isWordChar(ch, '!', ';'), undo);
    }
    e.colorPending = ch == '<' || ch == '>';
    return e;
}

KeyEffect keyDownEffect(const KeyDownInput& in, UndoState undo) {
    KeyEffect e;
    const bool deleting = in.key != KeyKind::Other;
    if (in.hasSelection) {
        const bool moves = deleting || in.shift == ShiftState::None || in.shift == ShiftState::ShiftOnly;
        if (moves && in.selectionHasBracket) e.colorPending = true;
        if (deleting) e.saveUndo = true;
        return e;
    }
    if (!deleting) return e;
    if (!in.hasRemovedChar) {
        // Nothing to remove: the key changes nothing, so it takes no step.
        return e;
    }
    const unsigned char ch = in.removedChar;
    if (ch == '<' || ch == '>') e.colorPending = true;
    e.saveUndo = startsStep(isWordChar(ch, ' ', ';'), undo);
    return e;
}

} // namespace tv
