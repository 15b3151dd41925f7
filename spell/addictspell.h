// TAddictSpell: the frame's spell checker. It walks a range of an editor's
// text, shows TAddictSpellDialog for each word the dictionary does not
// know, and changes the text in place, one undo step per change.
#pragma once

#include "spell/spellwalk.h"

#include <QDialog>
#include <QObject>
#include <map>
#include <memory>
#include <set>
#include <vector>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class TvokRich;

class TAddictSpellDialog : public QDialog {
    Q_OBJECT
public:
    enum Action { Change = 1, ChangeAll, Ignore, IgnoreAll, Add, AutoCorrect, Undo, Delete, Cancel, Options, Suggest, Start };
    // Not modal: the user may go on editing while it is open.
    explicit TAddictSpellDialog(QWidget* parent = nullptr);
    void showWord(const QString& word, bool repeated, bool canUndo);
    // Moves the dialog off the word it asks about (screen coordinates),
    // below or above its line, and keeps it where it is when it is clear.
    void placeClearOf(const QRect& word);
    // The document changed while a word was shown: the word and its place
    // may be gone, so only Start (check again from that place), Options and
    // Cancel are offered.
    void documentEdited();
    void setSuggestions(const QStringList& list);
    int action() const { return action_; }
    QLabel* NotFoundLabel = nullptr;
    QLineEdit* NotFound = nullptr;
    QLineEdit* ReplaceWith = nullptr;
    QListWidget* Suggestions = nullptr;
    QPushButton* UndoBtn = nullptr;
    QPushButton* StartBtn = nullptr;
    void press(int action);

private:
    int action_ = Cancel;
    std::vector<QPushButton*> wordButtons_;  // the actions on the shown word
};

// "Spell Check Configuration": the dictionary and the options.
class TSpellConfigBox : public QDialog {
    Q_OBJECT
public:
    TSpellConfigBox(const std::string& mainDictionary, const tv::SpellOptions& options, QWidget* parent = nullptr);
    class QComboBox* Main = nullptr;
    std::map<std::string, class QCheckBox*> optionBoxes;
    tv::SpellOptions options(tv::SpellOptions base) const;
};

class TAddictSpell : public QObject {
    Q_OBJECT
public:
    explicit TAddictSpell(QWidget* owner);
    ~TAddictSpell() override;

    // Configuration: SPELL.CFG and user.udt in the program's folder.
    std::string ConfigFileName = "SPELL.CFG";
    std::string ConfigKey = "SpellCheck";
    std::string DefaultMain = "english.dct";
    std::string DefaultUser = "user.udt";
    std::size_t MaxSuggestions = 25;
    std::size_t MaxUndo = 20;
    tv::SpellOptions options;
    std::string mainDictionary;

    // Run state.
    bool busy = false;
    bool resetCount = true;
    bool holdMessage = false;
    bool cancelled = false;
    bool AlwaysActive = false;
    int wordCount = 0;

    // A stretch of the text (the user's selection) that follows the
    // changes of the check, so that it can be put back where its text is.
    int keptStart = 0, keptEnd = 0;

    void CheckSelection(TvokRich* editor);
    void CheckSection(TvokRich* editor, int start, int end);
    // Hides and releases the dialog when no check is running.
    void FinishDialog();
    // Ends a check that waits for the user as if Cancel had been pressed.
    void CancelWaiting();
    void releaseDictionaries();
    void saveConfig() const;
    std::string configPath() const;
    std::string userPath() const;

private:
    bool loadDictionaries();
    void endCheck();

    QWidget* owner_;
    std::unique_ptr<tv::Dictionary> dict_;
    std::unique_ptr<TAddictSpellDialog> dialog_;
    // The changes of one Spell Check command, across all its parts, so
    // that Undo Last reaches back over the wrap to the start; `part` tells
    // which part made each.
    struct Change {
        int pos;
        int delta;
        int part;
        int length;  // of the new text
    };
    // The kept stretch after `length` characters at `pos` became `newLength`.
    void keepThrough(int pos, int length, int newLength);
    std::vector<Change> undo_;
    int part_ = 0;
    std::set<std::string> ignoreAll_;
    std::map<std::string, std::string> changeAll_;
};
