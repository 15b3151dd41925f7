#include "spell/addictspell.h"

#include "base/doctext.h"

#include "base/docfile.h"
#include "base/paths.h"
#include "base/prompter.h"
#include "base/settings.h"
#include "editor/tvokrich.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <fstream>


// --- the dialog --------------------------------------------------------------------------

TAddictSpellDialog::TAddictSpellDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("AddictSpellDialog"));
    setWindowTitle(QStringLiteral("Spell Check"));
    setModal(false);
    auto* grid = new QGridLayout(this);
    NotFoundLabel = new QLabel(QStringLiteral("Not Found:"), this);
    NotFound = new QLineEdit(this);
    NotFound->setReadOnly(true);
    ReplaceWith = new QLineEdit(this);
    ReplaceWith->setObjectName(QStringLiteral("ReplaceWith"));
    Suggestions = new QListWidget(this);
    Suggestions->setObjectName(QStringLiteral("Suggestions"));
    grid->addWidget(NotFoundLabel, 0, 0);
    grid->addWidget(NotFound, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Replace With:"), this), 1, 0);
    grid->addWidget(ReplaceWith, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Suggestions:"), this), 2, 0);
    grid->addWidget(Suggestions, 2, 1, 3, 1);
    auto* buttons = new QVBoxLayout;
    const std::pair<const char*, int> kButtons[] = {
        {"&Change All", ChangeAll}, {"C&hange", Change}, {"&Ignore All", IgnoreAll}, {"I&gnore", Ignore},
        {"&Add", Add},              {"Au&to-Correct", AutoCorrect}, {"S&uggest", Suggest}, {"&Delete", Delete},
        {"Start", Start},           {"Undo &Last", Undo},
        {"&Options", Options},      {"Cancel", Cancel}};
    for (const auto& [caption, action] : kButtons) {
        auto* b = new QPushButton(QString::fromLatin1(caption), this);
        const int a = action;
        connect(b, &QPushButton::clicked, this, [this, a] { press(a); });
        buttons->addWidget(b);
        if (a == Undo) UndoBtn = b;
        if (a == Start) StartBtn = b;
        if (a != Start && a != Options && a != Cancel) wordButtons_.push_back(b);
    }
    buttons->addStretch();
    grid->addLayout(buttons, 0, 2, 5, 1);
    connect(Suggestions, &QListWidget::currentTextChanged, ReplaceWith, &QLineEdit::setText);
    connect(Suggestions, &QListWidget::itemDoubleClicked, this, [this] { press(Change); });
}

void TAddictSpellDialog::showWord(const QString& word, bool repeated, bool canUndo) {
    NotFoundLabel->setText(repeated ? QStringLiteral("Repeated Word:") : QStringLiteral("Not Found:"));
    NotFound->setText(word);
    {
        // Emptying the list of the last word must not empty Replace With,
        // which always starts as the word itself.
        const QSignalBlocker block(Suggestions);
        Suggestions->clear();
        Suggestions->addItem(QStringLiteral("(Finding suggestions...)"));
    }
    ReplaceWith->setText(repeated ? QString() : word);
    // The correction is typed straight away, and Change takes it.
    ReplaceWith->setFocus();
    ReplaceWith->selectAll();
    for (QPushButton* b : wordButtons_) b->setEnabled(true);
    UndoBtn->setEnabled(canUndo);
    StartBtn->setEnabled(false);
    StartBtn->setDefault(false);
    action_ = Cancel;
}

void TAddictSpellDialog::placeClearOf(const QRect& word) {
    if (!isVisible()) adjustSize();
    const QRect around = word.adjusted(-8, -8, 8, 8);
    QRect frame = frameGeometry();
    if (isVisible() && !frame.intersects(around)) return;
    const QScreen* screen = QGuiApplication::screenAt(word.center());
    if (!screen) screen = this->screen();
    const QRect area = screen->availableGeometry();
    const int x = std::clamp(word.left(), area.left(), std::max(area.left(), area.right() - frame.width()));
    if (around.bottom() + frame.height() <= area.bottom()) frame.moveTopLeft(QPoint(x, around.bottom() + 1));
    else if (around.top() - frame.height() >= area.top()) frame.moveTopLeft(QPoint(x, around.top() - frame.height()));
    else if (around.right() + frame.width() <= area.right()) frame.moveTopLeft(QPoint(around.right() + 1, area.top()));
    else frame.moveTopLeft(QPoint(std::max(area.left(), around.left() - frame.width()), area.top()));
    move(frame.topLeft());
}

void TAddictSpellDialog::documentEdited() {
    for (QPushButton* b : wordButtons_) b->setEnabled(false);
    StartBtn->setEnabled(true);
    StartBtn->setDefault(true);
}

void TAddictSpellDialog::setSuggestions(const QStringList& list) {
    const QSignalBlocker block(Suggestions);
    Suggestions->clear();
    Suggestions->addItems(list);
}

void TAddictSpellDialog::press(int action) {
    action_ = action;
    accept();
}

// --- configuration dialog ------------------------------------------------------------------

TSpellConfigBox::TSpellConfigBox(const std::string& mainDictionary, const tv::SpellOptions& o, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("SpellConfigBox"));
    setWindowTitle(QStringLiteral("Spell Check Configuration"));
    auto* layout = new QVBoxLayout(this);
    auto* pages = new QTabWidget(this);
    auto* dicts = new QWidget(pages);
    auto* form = new QFormLayout(dicts);
    Main = new QComboBox(dicts);
    Main->setObjectName(QStringLiteral("Main"));
    Main->addItem(QStringLiteral("english.dct"));
    for (const std::string& d : tv::availableDictionaries()) Main->addItem(QString::fromStdString(d));
    Main->setCurrentText(QString::fromStdString(mainDictionary.empty() ? "english.dct" : mainDictionary));
    form->addRow(QStringLiteral("Main dictionary:"), Main);
    pages->addTab(dicts, QStringLiteral("Dictionaries"));
    auto* opts = new QWidget(pages);
    auto* v = new QVBoxLayout(opts);
    auto* ignore = new QGroupBox(QStringLiteral(" Ignore: "), opts);
    auto* iv = new QVBoxLayout(ignore);
    const std::tuple<const char*, const char*, bool> kVisible[] = {
        {"upcase", "Words in &UPPERCASE", !o.upcase},
        {"numbers", "Words Containing &Numbers", !o.numbers},
        {"html", "&HTML Tags", o.html},
        {"internet", "UR&Ls and E-mail Addresses", o.internet}};
    for (const auto& [key, caption, on] : kVisible) {
        auto* c = new QCheckBox(QString::fromLatin1(caption), ignore);
        c->setChecked(on);
        iv->addWidget(c);
        optionBoxes[key] = c;
    }
    v->addWidget(ignore);
    auto* recheck = new QCheckBox(QStringLiteral("Re-check Replaced Words"), opts);
    recheck->setChecked(o.recheck);
    optionBoxes["recheck"] = recheck;
    v->addWidget(recheck);
    v->addStretch();
    pages->addTab(opts, QStringLiteral("Options"));
    layout->addWidget(pages);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

tv::SpellOptions TSpellConfigBox::options(tv::SpellOptions o) const {
    // The " Ignore: " group says what is passed over; the options say what is checked.
    o.upcase = !optionBoxes.at("upcase")->isChecked();
    o.numbers = !optionBoxes.at("numbers")->isChecked();
    o.html = optionBoxes.at("html")->isChecked();
    o.internet = optionBoxes.at("internet")->isChecked();
    o.recheck = optionBoxes.at("recheck")->isChecked();
    return o;
}

// --- the checker -------------------------------------------------------------------------------

TAddictSpell::TAddictSpell(QWidget* owner) : QObject(owner), owner_(owner) {
    setObjectName(QStringLiteral("Spell1"));
    const tv::IniStore cfg(configPath());
    mainDictionary = tv::readString(cfg, ConfigKey, "Main", DefaultMain);
    options = tv::SpellOptions::decode(tv::readString(cfg, ConfigKey, "Options", tv::SpellOptions().encode()));
}

TAddictSpell::~TAddictSpell() = default;

std::string TAddictSpell::configPath() const { return tv::programFolder() + "/" + ConfigFileName; }
std::string TAddictSpell::userPath() const { return tv::programFolder() + "/" + DefaultUser; }

void TAddictSpell::saveConfig() const {
    try {
        tv::IniStore cfg(configPath());
        cfg.write(ConfigKey, "Main", mainDictionary);
        cfg.write(ConfigKey, "Options", options.encode());
        cfg.flush();
    } catch (const tv::FileError& e) {
        prompter().message(owner_, QStringLiteral("Taviron"), QString::fromStdString(e.what()));
    }
}

bool TAddictSpell::loadDictionaries() {
    if (dict_) return true;
    if (mainDictionary.empty()) {
        prompter().message(owner_, QStringLiteral("Spell Check"),
                           QStringLiteral("A main dictionary has yet to be\nset for this configuration.\n\nEdit configuration?"),
                           Prompter::Icon::Warning);
        return false;
    }
    const auto [aff, dic] = tv::dictionaryFiles(mainDictionary);
    if (aff.empty()) {
        prompter().message(owner_, QStringLiteral("Spell Check"),
                           QStringLiteral("Unable to find dictionary file:\n") + QString::fromStdString(mainDictionary),
                           Prompter::Icon::Warning);
        return false;
    }
    dict_ = tv::openHunspell(aff, dic);
    if (!dict_) {
        prompter().message(owner_, QStringLiteral("Spell Check"),
                           QStringLiteral("This dictionary file could not be\nlocated.  It needs to be moved\nto the "
                                          "specified directory or\nthis entry should be removed."),
                           Prompter::Icon::Warning);
        return false;
    }
    // The user's added words.
    std::ifstream user(userPath());
    for (std::string w; std::getline(user, w);)
        if (!w.empty()) dict_->add(w);
    return true;
}

void TAddictSpell::releaseDictionaries() {
    if (!AlwaysActive) dict_.reset();
}

void TAddictSpell::CheckSelection(TvokRich* editor) {
    CheckSection(editor, editor->SelStart(), editor->SelStart() + editor->SelLength());
}

void TAddictSpell::CheckSection(TvokRich* editor, int start, int end) {
    busy = true;
    cancelled = false;
    if (resetCount) {
        wordCount = 0;
        undo_.clear();
        part_ = 0;
    }
    ++part_;
    if (!loadDictionaries()) {
        cancelled = true;
        busy = false;
        return;
    }
    const std::string extra = dict_->wordChars();
    int pos = start;
    bool suggestNow = false;  // "Suggest" asks for suggestions though they are not automatic
    for (;;) {
        int counted = 0;
        const auto hit = tv::nextSpellWord(editor->textView(), pos, end, options, extra, counted);
        wordCount += counted;
        if (!hit) break;
        const std::string bytes(editor->textView().substr(static_cast<std::size_t>(hit->start),
                                                          static_cast<std::size_t>(hit->length)));
        const std::string& utf8 = bytes;
        const int after = hit->next;
        const int suffix = hit->next - (hit->start + hit->length);  // an ignored "'s" after the word
        // `recheck`: the new text is walked again (the option "recheck"),
        // which a Change All of the walk itself never does: its words were
        // chosen already, and walking them again could go on for ever (a
        // replacement that holds the word, or two words changed into each
        // other).
        auto replace = [&](const std::string& with, int from, int length, bool recheck) {
            editor->SetSel(from, length);
            editor->ReplaceSelection(with);
            const int delta = static_cast<int>(with.size()) - length;
            end += delta;
            keepThrough(from, length, static_cast<int>(with.size()));
            undo_.push_back({from, delta, part_, static_cast<int>(with.size())});
            if (undo_.size() > MaxUndo) undo_.erase(undo_.begin());
            if (!recheck) return from + static_cast<int>(with.size()) + suffix;
            --wordCount;  // the new word is walked, and counted, once more
            return from;
        };
        if (!hit->repeated) {
            if (ignoreAll_.count(utf8)) {
                pos = after;
                continue;
            }
            if (const auto it = changeAll_.find(utf8); it != changeAll_.end()) {
                pos = replace(it->second, hit->start, hit->length, false);
                continue;
            }
            if (dict_->check(utf8)) {
                pos = after;
                continue;
            }
        }
        editor->SetSel(hit->start, hit->length);
        if (!dialog_) dialog_ = std::make_unique<TAddictSpellDialog>(owner_);
        dialog_->showWord(QString::fromStdString(utf8), hit->repeated, !undo_.empty());
        dialog_->placeClearOf(editor->screenRect(hit->start, hit->start + hit->length));
        // Suggestions come after the dialog has appeared.
        const bool suggest = (options.autoSuggest || suggestNow) && !hit->repeated;
        suggestNow = false;
        QTimer::singleShot(0, dialog_.get(), [this, utf8, suggest] {
            if (!dialog_ || !dict_) return;
            QStringList list;
            if (suggest)
                for (const std::string& s : dict_->suggest(utf8, MaxSuggestions)) list << QString::fromStdString(s);
            dialog_->setSuggestions(list);
        });
        // The user may go on working while the dialog waits: edits of the
        // document are watched, and closing it ends the check.
        QPointer<TAddictSpell> self(this);
        QPointer<TvokRich> alive(editor);
        const unsigned long stamp = editor->changeCount();
        const int lengthBefore = editor->Length();
        const auto watch = connect(editor, &TvokRich::OnChange, dialog_.get(), [this, editor, stamp] {
            if (editor->changeCount() != stamp) dialog_->documentEdited();
        });
        const auto gone = connect(editor, &QObject::destroyed, dialog_.get(), [this] { dialog_->reject(); });
        const int waited = prompter().wait(*dialog_);
        if (!self) return;
        disconnect(watch);
        disconnect(gone);
        if (!alive) {  // the document was closed: nothing is left to check or to show
            cancelled = true;
            endCheck();
            return;
        }
        int result = waited == QDialog::Accepted ? dialog_->action() : TAddictSpellDialog::Cancel;
        if (editor->changeCount() != stamp && result != TAddictSpellDialog::Cancel && result != TAddictSpellDialog::Options)
            result = TAddictSpellDialog::Start;
        const std::string with = toDocument(dialog_->ReplaceWith->text());
        switch (result) {
        case TAddictSpellDialog::Change:
            pos = with == bytes ? after : replace(with, hit->start, hit->length, options.recheck);
            break;
        case TAddictSpellDialog::ChangeAll:
        case TAddictSpellDialog::AutoCorrect:
            // The replacement is the one the user settled on for every
            // place: like those changed later, it is not walked again.
            changeAll_[utf8] = with;
            pos = with == bytes ? after : replace(with, hit->start, hit->length, false);
            break;
        case TAddictSpellDialog::Ignore:
            pos = after;
            break;
        case TAddictSpellDialog::IgnoreAll:
            ignoreAll_.insert(utf8);
            pos = after;
            break;
        case TAddictSpellDialog::Add: {
            dict_->add(utf8);
            std::ofstream(userPath(), std::ios::app) << utf8 << "\n";
            pos = after;
            break;
        }
        case TAddictSpellDialog::Delete: {
            // The word goes with one of its blanks: the one before it, else
            // the one after it.
            int from = hit->start, to = after;
            auto blank = [&](int at) { return editor->CharAt(at) == ' ' || editor->CharAt(at) == '\t'; };
            if (from > 0 && blank(from - 1)) --from;
            else if (to < editor->Length() && blank(to)) ++to;
            pos = replace("", from, to - from, options.recheck);
            break;
        }
        case TAddictSpellDialog::Undo:
            pos = hit->start;
            if (!undo_.empty()) {
                const Change last = undo_.back();
                undo_.pop_back();
                editor->Undo();
                keepThrough(last.pos, last.length, last.length - last.delta);
                if (last.part == part_) {
                    // Back to the word that was changed, and on from there.
                    end -= last.delta;
                    pos = last.pos;
                    break;
                }
                // A change of an earlier part, made before the check wrapped:
                // undone, and the word shown is shown again.
                if (last.pos < hit->start) {
                    pos -= last.delta;
                    end -= last.delta;
                }
            }
            --wordCount;  // the word shown is walked, and counted, again
            break;
        case TAddictSpellDialog::Start: {
            // The document was edited while the word was shown: check again
            // from the start of the word now at its place. What was changed
            // before can no longer be undone from here (the edits are in
            // between), so the list of changes starts afresh.
            const int length = editor->Length();
            end = std::clamp(end + length - lengthBefore, 0, length);
            pos = std::min(tv::wordStartAt(editor->textView(), std::min(hit->start, length)), end);
            undo_.clear();
            --wordCount;
            break;
        }
        case TAddictSpellDialog::Suggest:
            suggestNow = true;
            --wordCount;  // the same word is walked, and counted, again
            pos = hit->start;
            break;
        case TAddictSpellDialog::Options: {
            TSpellConfigBox box(mainDictionary, options, owner_);
            if (prompter().run(box) == QDialog::Accepted) {
                options = box.options(options);
                if (box.Main->currentText().toStdString() != mainDictionary) {
                    mainDictionary = box.Main->currentText().toStdString();
                    dict_.reset();
                    if (!loadDictionaries()) {
                        cancelled = true;
                        endCheck();
                        return;
                    }
                }
                saveConfig();
            }
            --wordCount;
            pos = hit->start;
            break;
        }
        default:
            cancelled = true;
            endCheck();
            return;
        }
    }
    endCheck();
}

void TAddictSpell::keepThrough(int pos, int length, int newLength) {
    auto map = [&](int p, bool isEnd) {
        if (p <= pos) return p;
        if (p >= pos + length) return p + newLength - length;
        return isEnd ? pos + newLength : pos;  // inside the changed stretch
    };
    keptStart = map(keptStart, false);
    keptEnd = std::max(keptStart, map(keptEnd, true));
}

void TAddictSpell::endCheck() {
    if (!holdMessage) {
        if (dialog_) dialog_->hide();
        // The completion message appears unless the user cancelled.
        if (!cancelled)
            prompter().message(owner_, QStringLiteral("Spell Check"),
                               QStringLiteral("Spell Check Complete\r\n\r\nWords Checked: %1").arg(wordCount),
                               Prompter::Icon::Information);
        dialog_.reset();
    }
    releaseDictionaries();
    busy = false;
}

void TAddictSpell::CancelWaiting() {
    if (busy && dialog_ && dialog_->isVisible()) dialog_->reject();
}

void TAddictSpell::FinishDialog() {
    if (busy) return;
    if (dialog_) dialog_->hide();
    dialog_.reset();
}
