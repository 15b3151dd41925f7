// What assistive tools (screen readers) see of a document's text control:
// its text, caret and selection in characters. Offsets are counted from the
// editor's index of line starts, so that none of this walks the document
// from its start, and the caret is reported only while a tool listens.
#pragma once

class TvokRich;

// Makes every TvokRich answer with the interface above; once per program.
void installEditorAccessibility();
// Tells listening tools where the caret of `editor` is now.
void reportEditorCaret(TvokRich* editor);
