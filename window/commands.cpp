#include "window/commands.h"

#include "editor/markup.h"
#include "window/mdichild.h"

#include <QStyle>

namespace {

using M = CommandMenu;
using Run = std::function<void(TMDIChild&)>;

// A command in a menu of the document, acting on the active window.
Command item(const char* id, M menu, const char* caption, const char* shortcut, const char* hint, Run run,
             bool separatorBefore = false, unsigned needs = NeedsDocument) {
    Command c;
    c.id = id;
    c.caption = caption;
    c.shortcut = shortcut;
    c.hint = hint;
    c.needs = needs;
    c.run = std::move(run);
    c.places.push_back({menu, {}, {}, {}, separatorBefore});
    return c;
}

// A command that stands on a tool button (and in the context menu) only.
Command button(const char* id, const char* caption, const char* hint, Run run, unsigned needs) {
    Command c = item(id, M::None, caption, "", hint, std::move(run), false, NeedsDocument | needs);
    return c;
}

// The context menu's place of a command: a caption of its own.
CommandPlace context(const char* name, const char* caption, int position, bool separatorBefore = false) {
    CommandPlace p;
    p.menu = M::Context;
    p.name = name;
    p.caption = caption;
    p.separatorBefore = separatorBefore;
    p.position = position;
    return p;
}

// A simple tag command: caption, short cut and hint come from the tag table.
Command tag(const char* id, bool separatorBefore = false) {
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
    return item(id, menu, c->caption, c->shortcut, c->hint,
                [c](TMDIChild& d) { d.TagCommandClick(*c); }, separatorBefore);
}

std::vector<Command> makeCommands() {
    std::vector<Command> t;
    auto add = [&t](Command c) -> Command& { return t.emplace_back(std::move(c)); };
    // Edit. The menu's Undo, Cut, Copy and Paste act on the field that has
    // the keyboard focus; the tool buttons and the context menu always act
    // on the editor (TMDIChild::EditTarget).
    auto focus = [](Command c) {
        c.target = CommandTarget::Focus;
        return c;
    };
    add(focus(item("Undo1", M::Edit, "&Undo", "Ctrl+Z", "Undo latest editing action", [](TMDIChild& d) { d.Undo1Click(TMDIChild::EditTarget::FocusedField); })));
    add(item("Redo1", M::Edit, "&Redo", "Ctrl+Shift+Z", "Undo last undo action", [](TMDIChild& d) { d.Redo1Click(); },
             false, NeedsDocument | NeedsRedo));
    add(item("RepeatTag1", M::Edit, "R&epeat Tag", "Ctrl+T", "Repeat Tag|Repeat last tag insertion",
             [](TMDIChild& d) { d.RepeatTag1Click(); }, false, NeedsDocument | NeedsRepeatTag))
        .also(context("Repeat2", "&Repeat Tag", 1));
    add(focus(item("Cut1", M::Edit, "Cu&t", "Ctrl+X", "Cut selected text to the clipboard",
                   [](TMDIChild& d) { d.Cut1Click(TMDIChild::EditTarget::FocusedField); }, true)));
    add(focus(item("Copy1", M::Edit, "&Copy", "Ctrl+C", "Copy selected text to the clipboard",
                   [](TMDIChild& d) { d.Copy1Click(TMDIChild::EditTarget::FocusedField); })));
    add(focus(item("Paste1", M::Edit, "&Paste", "Ctrl+V", "Paste clipboard contents into document",
                   [](TMDIChild& d) { d.Paste1Click(TMDIChild::EditTarget::FocusedField); })));
    add(item("Find1", M::Edit, "&Find...", "Ctrl+F", "Search document for text", [](TMDIChild& d) { d.Find1Click(); },
             true));
    add(item("FindNext1", M::Edit, "Find &Next", "F3", "Find Next", [](TMDIChild& d) { d.FindNext1Click(); }));
    add(item("RaFagain", M::Edit, "Repl&ace and Find Next", "F4", "Replace text and Find Next",
             [](TMDIChild& d) { d.ReplaceAndFindNext(); }));
    // The search dialog's Replace All, in one document.
    add(item("ReplaceAll1", M::None, "Replace &All", "", "Replace every match in the document",
             [](TMDIChild& d) { d.ReplaceAllInDocument(); }));
    add(item("Gotoline1", M::Edit, "&Go to line...", "", "Go to line number", [](TMDIChild& d) { d.Gotoline1Click(); }));
    add(item("GoToMatchingTag1", M::Edit, "Go to &Matching Tag", "Ctrl+M",
             "Move between a tag and its partner", [](TMDIChild& d) { d.GoToMatchingTag1Click(); }));
    add(item("SelectElement1", M::Edit, "Select &Element", "Ctrl+Shift+M",
             "Select the element at the caret; again: the element around it", [](TMDIChild& d) { d.SelectElement1Click(); }));
    add(item("SelectAll1", M::Edit, "Se&lect All", "", "Select all text in current document",
             [](TMDIChild& d) { d.SelectAll1Click(); }, true))
        .also(context("SelectAll2", "&Select All", 5, true));
    // The editor's own Undo, Cut, Copy and Paste: tool buttons, and the
    // context menu's items.
    add(button("UndoBtn", "Undo", "Undo|Undo latest editing action", [](TMDIChild& d) { d.Undo1Click(); }, NeedsUndo))
        .also(context("Undo2", "&Undo", 0));
    add(button("CutBtn", "Cut", "Cut|Cut selected text to the clipboard", [](TMDIChild& d) { d.Cut1Click(); },
               NeedsSelection))
        .also(context("Cut2", "Cu&t", 2, true));
    add(button("CopyBtn", "Copy", "Copy|Copy selected text to the clipboard", [](TMDIChild& d) { d.Copy1Click(); },
               NeedsSelection))
        .also(context("Copy2", "&Copy", 3));
    add(button("PasteBtn", "Paste", "Paste|Paste clipboard contents into document", [](TMDIChild& d) { d.Paste1Click(); },
               NeedsClipboardText))
        .also(context("Paste2", "&Paste", 4));
    // The context menu's hidden item that colours the whole text again.
    Command& refresh = add(button("color2", "refresh colors", "", [](TMDIChild& d) { d.ColorDocument(); }, 0));
    refresh.places = {context("color2", "refresh colors", 6)};
    refresh.places.back().hidden = true;

    // Text.
    const unsigned selected = NeedsDocument | NeedsSelection;
    add(item("ChangeCase1", M::Text, "&Change Case...", "", "Change the case of the selected text",
             [](TMDIChild& d) { d.ChangeCase1Click(); }, false, selected));
    add(item("Breaks1", M::Text, "Remove Line &Breaks", "", "Join the selected lines", [](TMDIChild& d) { d.Breaks1Click(); },
             false, selected));
    add(item("Tags1", M::Text, "Remove Ta&gs", "", "Remove the tags from the selected text",
             [](TMDIChild& d) { d.Tags1Click(); }, false, selected));
    add(item("Append1", M::Text, "&Append...", "", "Append text to the selected lines", [](TMDIChild& d) { d.Append1Click(); },
             false, selected));
    add(item("Indent1", M::Text, "&Indent", "Ctrl+Space", "Indent the selected lines", [](TMDIChild& d) { d.Indent1Click(); }));
    add(item("Translate1", M::Text, "&Translate...", "", "Translate extended characters",
             [](TMDIChild& d) { d.Translate1Click(); }, true));
    add(item("zap", M::Text, "&8 to 7", "", "Zap high bit characters", [](TMDIChild& d) { d.zapClick(); }));
    add(item("UrlDecode1", M::Text, "U&rl Decode", "", "Convert url encoded form result",
             [](TMDIChild& d) { d.UrlDecode1Click(); }));
    // The main tool bar's Update and Spell Check buttons carry hints of their own.
    add(item("Update1", M::Text, "U&pdate", "F9", "Perform macro commands", [](TMDIChild& d) { d.Update1Click(); }, true))
        .also({M::None, "UpdateBtn", "Update", "Update|Execute macro commands in document"});
    add(item("IncludeFile1", M::Text, "&Include File...", "", "Insert an include block for a file",
             [](TMDIChild& d) { d.IncludeFile1Click(); }));
    add(item("InsertDate1", M::Text, "Insert &Date", "Ctrl+D", "Insert the current date",
             [](TMDIChild& d) { d.InsertDate(0); }));
    add(item("CheckSpelling1", M::Text, "Check Spelling...", "F7", "Check the spelling of the document",
             [](TMDIChild& d) { d.CheckSpelling1Click(); }, true))
        .also({M::None, "SpellBtn", "Spell Check", "Spell Check|Check spelling"});
    add(item("CheckPage1", M::Text, "Check &Page", "Shift+F7", "Check the markup of the page",
             [](TMDIChild& d) { d.CheckPage1Click(); }))
        .also({M::None, "CheckPageBtn", "Check Page", "Check Page|Check the markup of the page"});
    // The Insert Date button's drop-down: each date kind, as it reads now.
    for (int kind = 1; kind <= 6; ++kind)
        add(item(("Date" + std::to_string(kind)).c_str(), M::Date, "", "", "", [kind](TMDIChild& d) { d.InsertDate(kind); }));

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
    // Each heading also stands in the Header button's drop-down.
    for (int level = 1; level <= 6; ++level)
        add(tag(("H" + std::to_string(level)).c_str()))
            .also({M::Header, "Level" + std::to_string(level), "Level &" + std::to_string(level), ""});
    add(item("HeadOptions", M::FormatHeading, "&Options...", "", "Select attributes for the heading",
             [](TMDIChild& d) { d.HeadOptionsClick(); }, true))
        .also({M::Header, "HeaderOptions", "&Options...", "", true});
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
    add(button("InputText", "Text", "Text|Insert a text field", [](TMDIChild& d) { d.InsertInput(7); }, 0));
    add(button("InputCheckbox", "Checkbox", "Checkbox|Insert a check box", [](TMDIChild& d) { d.InsertInput(0); }, 0));
    add(button("InputRadio", "Radio", "Radio|Insert a radio button", [](TMDIChild& d) { d.InsertInput(4); }, 0));

    // Lists.
    for (const char* id : {"UnorderedList1", "OrderedList1", "Directory1", "Menu1", "ListItem1", "DefinitionList1",
                           "DefinitionTitle1", "DefinitionItem1"})
        add(tag(id));
    add(item("Options2", M::Lists, "O&ptions...", "", "List Options", [](TMDIChild& d) { d.Options2Click(); }, true));
    return t;
}

} // namespace

const std::vector<Command>& documentCommands() {
    static const std::vector<Command> table = makeCommands();
    return table;
}

unsigned CommandState::met() const {
    unsigned m = 0;
    if (anyDocument) m |= NeedsAnyDocument;
    if (document) m |= NeedsDocument;
    else m |= NeedsNoDocument;
    if (selection) m |= NeedsSelection;
    if (undo) m |= NeedsUndo;
    if (redo) m |= NeedsRedo;
    if (clipboardText) m |= NeedsClipboardText;
    if (repeatTag) m |= NeedsRepeatTag;
    if (modified) m |= NeedsModified;
    if (projectFolder) m |= NeedsProjectFolder;
    return m;
}

bool commandEnabled(unsigned needs, const CommandState& state) { return (needs & ~state.met()) == 0; }

const std::vector<CommandMenuInfo>& commandMenus() {
    static const std::vector<CommandMenuInfo> table = {
        {M::File, M::None, "&File", "File1", "", false},
        {M::FileNew, M::File, "&New", "New1", "", false},
        {M::FileEncoding, M::File, "&Encoding", "Encoding1", "The file encoding of the document; choose another to convert it",
         false},
        {M::Project, M::None, "&Project", "Project1", "", false},
        {M::FrameEdit, M::None, "&Edit", "FrameEdit1", "", false},
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
        {M::View, M::None, "&View", "View1", "", false},
        {M::Window, M::None, "&Window", "Window1", "", false},
        {M::Help, M::None, "&Help", "Help1", "", false},
        {M::Date, M::None, "", "DateMenu", "", false},
        {M::Header, M::None, "", "HeaderMenu", "", false},
        {M::Context, M::None, "", "PopupMenu1", "", false},
    };
    return table;
}

const CommandMenuInfo& commandMenu(CommandMenu menu) {
    for (const CommandMenuInfo& m : commandMenus())
        if (m.menu == menu) return m;
    return commandMenus().front();
}

const std::vector<ToolButton>& toolButtons() {
    using B = ToolBar;
    static const std::vector<ToolButton> table = {
        {B::Main, "NewBtn", "document-new", QStyle::SP_FileIcon},
        {B::Main, "OpenBtn", "document-open", QStyle::SP_DialogOpenButton},
        {B::Main, "SaveBtn", "document-save", QStyle::SP_DialogSaveButton},
        {B::Main, "PrevBtn", "document-print-preview", QStyle::SP_ComputerIcon},
        {B::Main, "vListBtn", "view-list-tree", QStyle::SP_FileDialogListView},
        {B::Main, "PreviewPane1", "view-split-left-right", QStyle::SP_FileDialogContentsView},
        {B::Main, nullptr},
        {B::Main, "CutBtn", "edit-cut", -1, ":/icons/cut.svg"},
        {B::Main, "CopyBtn", "edit-copy", -1, ":/icons/copy.svg"},
        {B::Main, "PasteBtn", "edit-paste", -1, ":/icons/paste.svg"},
        {B::Main, "UndoBtn", "edit-undo", QStyle::SP_ArrowBack},
        {B::Main, "RepeatTag1", "edit-redo", QStyle::SP_BrowserReload},
        {B::Main, "SpellBtn", "tools-check-spelling", QStyle::SP_DialogApplyButton},
        {B::Main, "CheckPageBtn", "dialog-warning", QStyle::SP_MessageBoxWarning},
        {B::Main, "UpdateBtn", "view-refresh", QStyle::SP_BrowserReload},
        {B::Main, "DateBtn", "x-office-calendar", QStyle::SP_FileDialogInfoView},
        {B::HTML, "Paragraph1", nullptr, -1, nullptr, "P", 1},
        {B::HTML, "LineBreak1", nullptr, -1, nullptr, "BR", 1},
        {B::HTML, "Center1", nullptr, -1, nullptr, "≡", 0},
        {B::HTML, "Comment1", nullptr, -1, nullptr, "<!>", 0},
        {B::HTML, "Anchor1", nullptr, -1, nullptr, "A", 1},
        {B::HTML, "Image1", nullptr, -1, nullptr, "IMG", 0},
        {B::HTML, "HorizontalRule1", nullptr, -1, nullptr, "HR", 0},
        {B::HTML, "Font1", nullptr, -1, nullptr, "F", 2},
        {B::HTML, "StyleSheet1", nullptr, -1, nullptr, "CSS", 0},
        {B::HTML, "Color1", nullptr, -1, nullptr, "#", 1},
        {B::Style, "Bold1", nullptr, -1, nullptr, "B", 1},
        {B::Style, "Italic1", nullptr, -1, nullptr, "I", 2},
        {B::Style, "Underline1", nullptr, -1, nullptr, "U", 4},
        {B::Style, "Teletype1", nullptr, -1, nullptr, "TT", 0},
        {B::Format, "BlockQuote1", nullptr, -1, nullptr, "“”", 0},
        {B::Format, "Preformatted1", nullptr, -1, nullptr, "PRE", 0},
        {B::Lists, "UnorderedList1", nullptr, -1, nullptr, "•", 1},
        {B::Lists, "OrderedList1", nullptr, -1, nullptr, "1.", 1},
        {B::Lists, "ListItem1", nullptr, -1, nullptr, "LI", 0},
        {B::Lists, "DefinitionList1", nullptr, -1, nullptr, "DL", 0},
        {B::Tables, "Table1", nullptr, -1, nullptr, "TBL", 1},
        {B::Tables, "TableRow1", nullptr, -1, nullptr, "TR", 1},
        {B::Tables, "TableData1", nullptr, -1, nullptr, "TD", 1},
        {B::Forms, "Form1", nullptr, -1, nullptr, "FRM", 1},
        {B::Forms, "TextArea1", nullptr, -1, nullptr, "TXA", 0},
        {B::Forms, "Select1", nullptr, -1, nullptr, "SEL", 0},
        {B::Forms, "InputText", nullptr, -1, nullptr, "ab|", 0},
        {B::Forms, "InputCheckbox", nullptr, -1, nullptr, "\u2611", 0},
        {B::Forms, "InputRadio", nullptr, -1, nullptr, "\u25C9", 0},
        {B::Elements, "Marquee1", nullptr, -1, nullptr, "MRQ", 0},
        {B::Elements, "BackgroundSound1", nullptr, -1, nullptr, "SND", 0},
        {B::Elements, "Embed1", nullptr, -1, nullptr, "EMB", 0},
        {B::Elements, "Applet1", nullptr, -1, nullptr, "APL", 0},
        {B::Elements, "Parameter1", nullptr, -1, nullptr, "PRM", 0},
        {B::Elements, "JavaScript1", nullptr, -1, nullptr, "JS", 1},
        {B::Elements, "Frameset1", nullptr, -1, nullptr, "FST", 0},
        {B::Elements, "Frame1", nullptr, -1, nullptr, "FRA", 0},
    };
    return table;
}
