#include "window/commands.h"

#include "editor/markup.h"
#include "window/mdichild.h"

namespace {

using M = CommandMenu;
using Run = std::function<void(TMDIChild&)>;

DocumentCommand item(const char* id, M menu, const char* caption, const char* shortcut, const char* hint, Run run,
                     bool separatorBefore = false) {
    return {id, caption, shortcut, hint, menu, separatorBefore, std::move(run)};
}

// A simple tag command: caption, short cut and hint come from the tag table.
DocumentCommand tag(const char* id, bool separatorBefore = false) {
    const tv::TagCommand* c = tv::tagCommand(id);
    M menu = M::Style;
    switch (c->menu) {
    case tv::TagMenu::StyleLogical: menu = M::StyleLogical; break;
    case tv::TagMenu::Style: menu = M::Style; break;
    case tv::TagMenu::FormatStructure: menu = M::FormatStructure; break;
    case tv::TagMenu::FormatHeading: menu = M::FormatHeading; break;
    case tv::TagMenu::Format: menu = M::Format; break;
    case tv::TagMenu::Elements: menu = M::Elements; break;
    case tv::TagMenu::ElementsTable: menu = M::ElementsTable; break;
    case tv::TagMenu::ElementsFrame: menu = M::ElementsFrame; break;
    case tv::TagMenu::Lists: menu = M::Lists; break;
    }
    return {id, c->caption, c->shortcut, c->hint, menu, separatorBefore, [c](TMDIChild& d) { d.TagCommandClick(*c); }};
}

std::vector<DocumentCommand> makeCommands() {
    std::vector<DocumentCommand> t;
    auto add = [&t](DocumentCommand c) { t.push_back(std::move(c)); };
    // Edit. The menu's Undo, Cut, Copy and Paste act on the field that has
    // the keyboard focus; the tool buttons always act on the editor.
    add(item("Undo1", M::Edit, "&Undo", "Ctrl+Z", "Undo latest editing action", [](TMDIChild& d) { d.Undo1Click(true); }));
    add(item("Redo1", M::Edit, "&Redo", "Ctrl+Shift+Z", "Undo last undo action", [](TMDIChild& d) { d.Redo1Click(); }));
    add(item("RepeatTag1", M::Edit, "R&epeat Tag", "Ctrl+T", "Repeat Tag|Repeat last tag insertion",
             [](TMDIChild& d) { d.RepeatTag1Click(); }));
    add(item("Cut1", M::Edit, "Cu&t", "Ctrl+X", "Cut selected text to the clipboard",
             [](TMDIChild& d) { d.Cut1Click(true); }, true));
    add(item("Copy1", M::Edit, "&Copy", "Ctrl+C", "Copy selected text to the clipboard",
             [](TMDIChild& d) { d.Copy1Click(true); }));
    add(item("Paste1", M::Edit, "&Paste", "Ctrl+V", "Paste clipboard contents into document",
             [](TMDIChild& d) { d.Paste1Click(true); }));
    add(item("Find1", M::Edit, "&Find...", "Ctrl+F", "Search document for text", [](TMDIChild& d) { d.Find1Click(); },
             true));
    add(item("FindNext1", M::Edit, "Find &Next", "F3", "Find Next", [](TMDIChild& d) { d.FindNext1Click(); }));
    add(item("RaFagain", M::Edit, "Repl&ace and Find Next", "F4", "Replace text and Find Next",
             [](TMDIChild& d) { d.ReplaceAndFindNext(); }));
    add(item("Gotoline1", M::Edit, "&Go to line...", "", "Go to line number", [](TMDIChild& d) { d.Gotoline1Click(); }));
    add(item("SelectAll1", M::Edit, "Se&lect All", "", "Select all text in current document",
             [](TMDIChild& d) { d.SelectAll1Click(); }, true));
    add(item("UndoBtn", M::None, "Undo", "", "Undo|Undo latest editing action", [](TMDIChild& d) { d.Undo1Click(); }));
    add(item("CutBtn", M::None, "Cut", "", "Cut|Cut selected text to the clipboard", [](TMDIChild& d) { d.Cut1Click(); }));
    add(item("CopyBtn", M::None, "Copy", "", "Copy|Copy selected text to the clipboard",
             [](TMDIChild& d) { d.Copy1Click(); }));
    add(item("PasteBtn", M::None, "Paste", "", "Paste|Paste clipboard contents into document",
             [](TMDIChild& d) { d.Paste1Click(); }));

    // Text.
    add(item("ChangeCase1", M::Text, "&Change Case...", "", "Change the case of the selected text",
             [](TMDIChild& d) { d.ChangeCase1Click(); }));
    add(item("Breaks1", M::Text, "Remove Line &Breaks", "", "Join the selected lines", [](TMDIChild& d) { d.Breaks1Click(); }));
    add(item("Tags1", M::Text, "Remove Ta&gs", "", "Remove the tags from the selected text",
             [](TMDIChild& d) { d.Tags1Click(); }));
    add(item("Append1", M::Text, "&Append...", "", "Append text to the selected lines", [](TMDIChild& d) { d.Append1Click(); }));
    add(item("Indent1", M::Text, "&Indent", "Ctrl+Space", "Indent the selected lines", [](TMDIChild& d) { d.Indent1Click(); }));
    add(item("Translate1", M::Text, "&Translate...", "", "Translate extended characters",
             [](TMDIChild& d) { d.Translate1Click(); }, true));
    add(item("zap", M::Text, "&8 to 7", "", "Zap high bit characters", [](TMDIChild& d) { d.zapClick(); }));
    add(item("UrlDecode1", M::Text, "U&rl Decode", "", "Convert url encoded form result",
             [](TMDIChild& d) { d.UrlDecode1Click(); }));
    add(item("Update1", M::Text, "U&pdate", "F9", "Perform macro commands", [](TMDIChild& d) { d.Update1Click(); }, true));
    add(item("IncludeFile1", M::Text, "&Include File...", "", "Insert an include block for a file",
             [](TMDIChild& d) { d.IncludeFile1Click(); }));
    add(item("InsertDate1", M::Text, "Insert &Date", "Ctrl+D", "Insert the current date",
             [](TMDIChild& d) { d.InsertDate(0); }));
    add(item("CheckSpelling1", M::Text, "Check Spelling...", "F7", "Check the spelling of the document",
             [](TMDIChild& d) { d.CheckSpelling1Click(); }, true));
    // The main tool bar's Update and Spell Check buttons carry hints of their own.
    add(item("UpdateBtn", M::None, "Update", "", "Update|Execute macro commands in document",
             [](TMDIChild& d) { d.Update1Click(); }));
    add(item("SpellBtn", M::None, "Spell Check", "", "Spell Check|Check spelling",
             [](TMDIChild& d) { d.CheckSpelling1Click(); }));

    // Style.
    for (const char* id : {"Address1", "Citation1", "Code1", "Define1", "Emphasis1", "Example1", "Keyboard1", "Listing1",
                           "Sample1", "Strong1", "Variable1", "Bold1", "Italic1", "Underline1", "Teletype1",
                           "StrikeThrough1", "Big1", "Small1", "Subscript1", "Superscript1"})
        add(tag(id));
    add(item("StyleSheet1", M::Style, "&Style Sheet...", "", "Style Sheet|Style Sheet  (Microsoft)",
             [](TMDIChild& d) { d.StyleSheet1Click(); }));
    add(item("Font1", M::Style, "&Font...", "Ctrl+Shift+F", "Font|Font of the text", [](TMDIChild& d) { d.Font1Click(); }));

    // Format.
    for (const char* id : {"HTML1", "Head1", "Title1", "NoBreak1", "WordBreak1"}) add(tag(id));
    add(item("Body1", M::FormatStructure, "&Body...", "", "Document body and its colors", [](TMDIChild& d) { d.Body1Click(); },
             true));
    add(item("Base1", M::FormatStructure, "  B&ase...", "", "Base address of the document",
             [](TMDIChild& d) { d.Base1Click(); }));
    add(item("Meta1", M::FormatStructure, "  &Meta...", "", "Information about the document",
             [](TMDIChild& d) { d.Meta1Click(); }));
    add(item("Link1", M::FormatStructure, "  &Link...", "", "Link to a related document", [](TMDIChild& d) { d.Link1Click(); }));
    add(item("IsIndex1", M::FormatStructure, "  &IsIndex...", "", "Searchable index", [](TMDIChild& d) { d.IsIndex1Click(); }));
    add(item("BaseFont1", M::FormatStructure, "  Ba&se Font...", "", "Base font of the document",
             [](TMDIChild& d) { d.BaseFont1Click(); }));
    add(item("Division1", M::FormatStructure, "  &Division...", "", "Division of the document",
             [](TMDIChild& d) { d.Division1Click(); }));
    for (const char* id : {"H1", "H2", "H3", "H4", "H5", "H6"}) add(tag(id));
    add(item("HeadOptions", M::FormatHeading, "&Options...", "", "Select attributes for the heading",
             [](TMDIChild& d) { d.HeadOptionsClick(); }, true));
    for (const char* id : {"Paragraph1", "LineBreak1", "Center1", "BlockQuote1", "Preformatted1"}) add(tag(id));
    add(item("HorizontalRule1", M::Format, "Horizontal &Rule...", "Ctrl+H", "Horizontal Rule|Horizontal rule",
             [](TMDIChild& d) { d.HorizontalRule1Click(); }));

    // Elements.
    add(item("Anchor1", M::Elements, "&Anchor...", "Ctrl+A", "Anchor|Insert or edit a link",
             [](TMDIChild& d) { d.Anchor1Click(); }));
    add(item("Image1", M::Elements, "&Image...", "Ctrl+I", "Image|Insert or edit an image",
             [](TMDIChild& d) { d.Image1Click(); }));
    add(item("Marquee1", M::Elements, "&Marquee...", "", "Marquee   (Microsoft)", [](TMDIChild& d) { d.Marquee1Click(); }));
    add(item("BackgroundSound1", M::Elements, "&Background Sound...", "", "Background Sound   (Microsoft)",
             [](TMDIChild& d) { d.BackgroundSound1Click(); }));
    add(item("Embed1", M::Elements, "&Embed...", "", "Insert an embedded object", [](TMDIChild& d) { d.Embed1Click(); }));
    add(item("Applet1", M::ElementsJava, "&Applet...", "", "Insert a Java applet", [](TMDIChild& d) { d.Applet1Click(); }));
    add(item("Parameter1", M::ElementsJava, "&Parameter...", "", "Insert a parameter of an applet",
             [](TMDIChild& d) { d.Parameter1Click(); }));
    add(item("Table1", M::ElementsTable, "&Table...", "", "Table|Insert or edit a table", [](TMDIChild& d) { d.Table1Click(); }));
    add(item("TableRow1", M::ElementsTable, "  Table &Row...", "", "Table Row|Insert or edit a table row",
             [](TMDIChild& d) { d.TableRow1Click(); }));
    add(item("TableData1", M::ElementsTable, "  Table &Data...", "", "Table Cell|Insert or edit a table cell",
             [](TMDIChild& d) { d.TableData1Click(); }));
    add(item("TableHeader1", M::ElementsTable, "  Table &Header...", "", "Insert or edit a table header cell",
             [](TMDIChild& d) { d.TableHeader1Click(); }));
    add(tag("Caption1"));
    add(item("Form1", M::ElementsForm, "&Form...", "", "Form|Insert or edit a form", [](TMDIChild& d) { d.Form1Click(); }));
    add(item("Input1", M::ElementsForm, "  &Input...", "", "Insert a form input", [](TMDIChild& d) { d.InsertInput(0); }));
    add(item("Select1", M::ElementsForm, "  &Select...", "", "Select|Insert or edit a selection list",
             [](TMDIChild& d) { d.Select1Click(); }));
    add(item("Option1", M::ElementsForm, "    &Option...", "", "Insert an option of a selection list",
             [](TMDIChild& d) { d.Option1Click(); }));
    add(item("TextArea1", M::ElementsForm, "  &Text Area...", "", "TextArea|Insert or edit a text area",
             [](TMDIChild& d) { d.TextArea1Click(); }));
    add(item("Frameset1", M::ElementsFrame, "&Frameset...", "", "Frameset", [](TMDIChild& d) { d.Frameset1Click(); }));
    add(item("Frame1", M::ElementsFrame, "  F&rame...", "", "Frame of a frameset", [](TMDIChild& d) { d.Frame1Click(); }));
    add(tag("NoFrames1"));
    add(item("Color1", M::Elements, "C&olor...", "", "Color|Insert color code", [](TMDIChild& d) { d.Color1Click(); }));
    add(tag("Comment1"));
    add(item("Uncomment1", M::Elements, "&Un-comment", "", "Turn a comment back into text",
             [](TMDIChild& d) { d.Uncomment1Click(); }));
    add(item("JavaScript1", M::Elements, "&Script...", "", "Script editor", [](TMDIChild& d) { d.JavaScript1Click(); }));
    // The Forms tool bar's input buttons choose the input's type first.
    add(item("InputText", M::None, "Text", "", "Text|Insert a text field", [](TMDIChild& d) { d.InsertInput(7); }));
    add(item("InputCheckbox", M::None, "Checkbox", "", "Checkbox|Insert a check box", [](TMDIChild& d) { d.InsertInput(0); }));
    add(item("InputRadio", M::None, "Radio", "", "Radio|Insert a radio button", [](TMDIChild& d) { d.InsertInput(4); }));

    // Lists.
    for (const char* id : {"UnorderedList1", "OrderedList1", "Directory1", "Menu1", "ListItem1", "DefinitionList1",
                           "DefinitionTitle1", "DefinitionItem1"})
        add(tag(id));
    add(item("Options2", M::Lists, "O&ptions...", "", "List Options", [](TMDIChild& d) { d.Options2Click(); }, true));
    return t;
}

} // namespace

const std::vector<DocumentCommand>& documentCommands() {
    static const std::vector<DocumentCommand> table = makeCommands();
    return table;
}

const DocumentCommand* documentCommand(std::string_view id) {
    for (const DocumentCommand& c : documentCommands())
        if (c.id == id) return &c;
    return nullptr;
}

const std::vector<CommandMenuInfo>& commandMenus() {
    static const std::vector<CommandMenuInfo> table = {
        {M::Edit, M::None, "&Edit", "Edit1", "Edit commands", false},
        {M::Text, M::None, "&Text", "Text1", "", false},
        {M::Style, M::None, "&Style", "Style1", "", false},
        {M::StyleLogical, M::Style, "&Logical", "Logical1", "", false},
        {M::Format, M::None, "F&ormat", "Format1", "", false},
        {M::FormatStructure, M::Format, "&Structure", "Structure1", "", false},
        {M::FormatHeading, M::Format, "&Heading", "Heading1", "", false},
        {M::Elements, M::None, "Ele&ments", "Elements1", "", false},
        {M::ElementsJava, M::Elements, "&Java Tags", "JavaTags1", "", false},
        {M::ElementsTable, M::Elements, "&Table Tags", "TableTags1", "", true},
        {M::ElementsForm, M::Elements, "&Form Tags", "FormTags1", "", false},
        {M::ElementsFrame, M::Elements, "F&rame Tags", "FrameTags1", "", false},
        {M::Lists, M::None, "&Lists", "Lists1", "", false},
    };
    return table;
}

const CommandMenuInfo& commandMenu(CommandMenu menu) {
    for (const CommandMenuInfo& m : commandMenus())
        if (m.menu == menu) return m;
    return commandMenus().front();
}

const std::vector<CommandButton>& commandButtons() {
    using B = TagBar;
    static const std::vector<CommandButton> table = {
        {B::HTML, "Paragraph1", "P", 1},       {B::HTML, "LineBreak1", "BR", 1},
        {B::HTML, "Center1", "≡", 0},          {B::HTML, "Comment1", "<!>", 0},
        {B::HTML, "Anchor1", "A", 1},          {B::HTML, "Image1", "IMG", 0},
        {B::HTML, "HorizontalRule1", "HR", 0}, {B::HTML, "Font1", "F", 2},
        {B::HTML, "StyleSheet1", "CSS", 0},    {B::HTML, "Color1", "#", 1},
        {B::Style, "Bold1", "B", 1},           {B::Style, "Italic1", "I", 2},
        {B::Style, "Underline1", "U", 4},      {B::Style, "Teletype1", "TT", 0},
        {B::Format, "BlockQuote1", "“”", 0},   {B::Format, "Preformatted1", "PRE", 0},
        {B::Lists, "UnorderedList1", "•", 1},  {B::Lists, "OrderedList1", "1.", 1},
        {B::Lists, "ListItem1", "LI", 0},      {B::Lists, "DefinitionList1", "DL", 0},
        {B::Tables, "Table1", "TBL", 1},       {B::Tables, "TableRow1", "TR", 1},
        {B::Tables, "TableData1", "TD", 1},    {B::Forms, "Form1", "FRM", 1},
        {B::Forms, "TextArea1", "TXA", 0},     {B::Forms, "Select1", "SEL", 0},
        {B::Forms, "InputText", "ab|", 0},     {B::Forms, "InputCheckbox", "\u2611", 0},
        {B::Forms, "InputRadio", "\u25C9", 0},
        {B::Elements, "Marquee1", "MRQ", 0},   {B::Elements, "BackgroundSound1", "SND", 0},
        {B::Elements, "Embed1", "EMB", 0},     {B::Elements, "Applet1", "APL", 0},
        {B::Elements, "Parameter1", "PRM", 0}, {B::Elements, "JavaScript1", "JS", 1},
        {B::Elements, "Frameset1", "FST", 0},  {B::Elements, "Frame1", "FRA", 0},
    };
    return table;
}
