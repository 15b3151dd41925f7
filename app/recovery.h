// The recovery journal: while a document has unsaved changes, its text and
// what is needed to save it again are kept in a file of their own, so that a
// crash, a kill or a power cut loses at most the last two seconds of typing.
#pragma once

#include "base/docfile.h"

#include <optional>
#include <string>
#include <string_view>

namespace tv {

struct JournalEntry {
    std::string fileName;  // full path, or "Untitled N"
    std::string encoding = "UTF-8";
    LineEnds lineEnds = platformLineEnds();
    std::string text;      // the editor's text, CR LF line ends
};

// A journal file: a first line naming the format, "name: value" lines, an
// empty line and the text, whose length the header gives.
std::string encodeJournal(const JournalEntry& entry);
// The entry of a journal file; none when the file is damaged or cut short.
std::optional<JournalEntry> decodeJournal(std::string_view bytes);

// $XDG_STATE_HOME/Taviron/recovery, by default ~/.local/state/Taviron/recovery;
// made when missing.
std::string recoveryFolder();

// The journal file of a running frame's document: "OWNER-SERIAL.journal".
std::string journalFileName(const std::string& owner, int serial);
// The owner part of a journal file's name; empty when it is none of ours.
std::string journalOwner(std::string_view fileName);

// "Taviron did not close normally. Recover N unsaved documents?"
std::string recoverQuestion(std::size_t count);

} // namespace tv
