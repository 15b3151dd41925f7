// Tags of the body, head, style sheet, font, rule, heading, frame and
// division dialogs. Each builder takes the dialog's field texts (document
// text; a ticked check box holds "1") and returns what is to be inserted;
// an empty start text means nothing is inserted.
#pragma once

#include "dialogs/tagreader.h"

#include <string>

namespace tv {

const TagSpec& bodySpec();
const TagSpec& ruleSpec();
// Face and colour of the font tag; its size has rules of its own.
const TagSpec& fontSpec();

PendingTexts bodyPending(const std::string& tag);

// A font size read from a tag: the type it chooses (0 absolute, 1 relative
// +, 2 relative -, -1 leaves it) and the size without its sign.
struct FontSize {
    int type = -1;
    std::string size;
};
FontSize readFontSize(const std::string& value);
// The SIZE attribute text (" SIZE=\"+2\""), empty when Size is not ticked
// or the size is empty.
std::string fontSizeAttribute(bool ticked, int type, const std::string& size);
// The font tag from its remainder (or "<FONT>"): size first, then colour
// and face. Empty when the result is exactly "<FONT>".
std::string buildFontTag(std::string remainder, const Fields& fields, bool sizeTicked, int sizeType);
// The sample's point size in the font and base font dialogs.
int fontSampleSize(bool ticked, int type, int size);
int baseFontSampleSize(bool ticked, int size);

// Insert-only commands.
PendingTexts baseTexts(const Fields& f);
PendingTexts metaTexts(const Fields& f);
PendingTexts linkTexts(const Fields& f);
PendingTexts isIndexTexts(const Fields& f);
PendingTexts baseFontTexts(const Fields& f);
PendingTexts headingTexts(const Fields& f);
PendingTexts framesetTexts(const Fields& f);
PendingTexts frameTexts(const Fields& f);
PendingTexts divisionTexts(const Fields& f);

// The style sheet: output type 0 "<STYLE>...</STYLE>", 1 "STYLE=", 2 the
// SPAN, 3 "{ }". Colour names are "" for "[none]".
PendingTexts styleSheetTexts(int outputType, const Fields& f, const std::string& fontColor,
                             const std::string& background);

// A frame row or column piece added to a field: type 0 percentage, 1
// relative, 2 absolute pixel value, 3 remaining space.
std::string addFramePiece(const std::string& field, const std::string& value, int type);

} // namespace tv
