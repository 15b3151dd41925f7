// TTypingAid: what a view of a page does for the person typing markup. It
// offers completions as they type (QScintilla's own list: Enter or Tab
// accepts, Escape closes, typing narrows it), may close a start tag's element
// when its '>' is typed, marks the tag at the caret and its partner, and
// carries the matching-tag commands. The rules are the logic's (completion,
// tagmatch); this class reads the view and puts the results into it.
#pragma once

#include "typing/completion.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>

#include <string>
#include <vector>

class TvokRich;

class TTypingAid : public QObject {
    Q_OBJECT
public:
    struct Options {
        bool complete = true;    // completion lists
        bool closeTags = false;  // an end tag after a typed start tag's '>'
        bool matchTags = true;   // the tag at the caret and its partner marked
    };
    // Indicators of the view: the tag at the caret and its partner, and a
    // tag that has no partner.
    static constexpr int kMatchIndicator = 8;
    static constexpr int kUnpairedIndicator = 9;

    explicit TTypingAid(TvokRich* view);
    void setOptions(const Options& options);
    const Options& options() const { return options_; }
    // Names of the user's own tags, offered after '<' beside the standard's.
    void setOwnElements(std::vector<std::string> names) { own_ = std::move(names); }

    // Edit > Go to Matching Tag: from a tag to its partner, from text to the
    // start tag of the element around it. False (nothing moved) when there
    // is none.
    bool goToMatchingTag();
    // Edit > Select Element: the element of the tag at the caret, or the
    // innermost one around it; again: the element around that.
    bool selectElement();
    // Whether a completion list is shown, and its items.
    bool listShown() const;
    const std::vector<tv::CompletionItem>& items() const { return items_; }

signals:
    // Text the aid is about to put in as typed (the window colours it).
    void aboutToType(const QByteArray& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void typed(unsigned char ch);
    void offer();
    void accept(int index);
    void cancelList();
    bool closeTag();
    // A typed quote that ends an attribute's value where its closing quote
    // stands already: the caret steps over it. True when it did.
    bool typesOverQuote(const QString& typed);
    void markMatch();
    std::string_view text() const;

    TvokRich* view_;
    Options options_;
    std::vector<std::string> own_;
    tv::CompletionContext context_;  // of the list shown; positions in the document
    std::vector<tv::CompletionItem> items_;
    QTimer matchTimer_;
    bool marked_ = false;
};
