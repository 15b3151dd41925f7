#include "check/pagecheck.h"

#include <tidy/tidy.h>
#include <tidy/tidybuffio.h>

#include <algorithm>
#include <memory>
#include <tuple>
#include <string>

namespace tv {
namespace {

struct Collected {
    const PageCheckOptions* options;
    PageCheck result;
};

Bool TIDY_CALL collect(TidyMessage message) {
    auto* c = static_cast<Collected*>(tidyGetAppData(tidyGetMessageDoc(message)));
    const TidyReportLevel level = tidyGetMessageLevel(message);
    const bool error = level == TidyError || level == TidyBadDocument || level == TidyFatal;
    const bool wanted = error || (level == TidyWarning && c->options->warnings) ||
                        (level == TidyAccess && c->options->accessibility > 0);
    if (!wanted || tidyGetMessageLine(message) <= 0) return no;  // nothing printed
    if (c->result.problems.size() >= c->options->limit) {
        ++c->result.more;
        return no;
    }
    const char* text = tidyGetMessageDefault(message);
    c->result.problems.push_back({std::string(), tidyGetMessageLine(message), tidyGetMessageColumn(message), error,
                                  text ? text : ""});
    return no;
}

// Tidy counts a tab up to the next multiple of its tab size; the editor
// counts it as one character.
int editorColumn(std::string_view line, int tidyColumn, int tabSize) {
    int tidy = 1, chars = 1;
    for (std::size_t i = 0; i < line.size() && tidy < tidyColumn; ++i) {
        const unsigned char c = static_cast<unsigned char>(line[i]);
        if ((c & 0xC0) == 0x80) continue;  // inside a character
        tidy = c == '\t' ? tidy + tabSize - ((tidy - 1) % tabSize) : tidy + 1;
        ++chars;
    }
    return chars;
}

} // namespace

PageCheck checkPage(std::string_view text, const PageCheckOptions& options) {
    Collected c{&options, {}};
    const std::unique_ptr<std::remove_pointer_t<TidyDoc>, void (*)(TidyDoc)> doc(tidyCreate(), [](TidyDoc d) { tidyRelease(d); });
    tidySetAppData(doc.get(), &c);
    tidySetMessageCallback(doc.get(), collect);
    tidySetCharEncoding(doc.get(), "utf8");
    tidyOptSetInt(doc.get(), TidyShowErrors, 1000000);
    tidyOptSetBool(doc.get(), TidyShowWarnings, options.warnings ? yes : no);
    tidyOptSetBool(doc.get(), TidyShowInfo, no);
    tidyOptSetInt(doc.get(), TidyAccessibilityCheckLevel, static_cast<ulong>(std::clamp(options.accessibility, 0, 3)));
    tidyOptSetBool(doc.get(), TidyQuiet, yes);
    TidyBuffer errors;
    tidyBufInit(&errors);
    tidySetErrorBuffer(doc.get(), &errors);  // what the callback lets through goes nowhere
    const std::string input(text);
    tidyParseString(doc.get(), input.c_str());
    tidyRunDiagnostics(doc.get());
    tidyBufFree(&errors);
    // Columns as the editor counts them.
    const int tabSize = static_cast<int>(tidyOptGetInt(doc.get(), TidyTabSize));
    std::vector<std::size_t> lineStarts{0};
    for (std::size_t i = 0; i < input.size(); ++i) {
        if (input[i] == '\n' || (input[i] == '\r' && (i + 1 >= input.size() || input[i + 1] != '\n'))) lineStarts.push_back(i + 1);
    }
    for (CheckProblem& p : c.result.problems) {
        if (p.line < 1 || static_cast<std::size_t>(p.line) > lineStarts.size()) continue;
        const std::size_t start = lineStarts[static_cast<std::size_t>(p.line) - 1];
        const std::size_t end = static_cast<std::size_t>(p.line) < lineStarts.size() ? lineStarts[static_cast<std::size_t>(p.line)] : input.size();
        p.column = editorColumn(std::string_view(input).substr(start, end - start), p.column, tabSize > 0 ? tabSize : 8);
    }
    std::stable_sort(c.result.problems.begin(), c.result.problems.end(),
                     [](const CheckProblem& a, const CheckProblem& b) { return std::tie(a.line, a.column) < std::tie(b.line, b.column); });
    return c.result;
}

} // namespace tv
