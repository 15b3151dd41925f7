// Speed and memory of the editor on big documents: loading a file into the
// editor, taking an undo snapshot, and undoing.
#include "base/docfile.h"
#include "app/documents.h"
#include "app/mainform.h"
#include "base/prompter.h"
#include "app/recovery.h"
#include "text/codec.h"
#include "window/mdichild.h"
#include "editor/tvokrich.h"
#include "tools/searchbox.h"
#include "check/pagecheck.h"
#ifdef TAVIRON_PREVIEW
#include "preview/previewpane.h"
#endif
#include <map>
#include <unistd.h>
#include <algorithm>
#include <deque>
#include <memory>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEventLoop>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <benchmark/benchmark.h>

namespace {

// An HTML text of about `bytes` bytes, with line ends as on disk (LF).
std::string htmlOfSize(std::size_t bytes) {
    static const std::string block =
        "<TR><TD ALIGN=LEFT><A HREF=\"page.html\">Link text</A></TD>"
        "<TD><IMG SRC=\"pic.gif\" WIDTH=20 HEIGHT=10> caf\xE9 &amp; more text</TD></TR>\n"
        "<!-- a comment -->\n<P>Plain paragraph text with some words in it.</P>\n";
    std::string out = "<HTML>\n<HEAD><TITLE>Benchmark</TITLE></HEAD>\n<BODY>\n";
    while (out.size() < bytes) out += block;
    return out;
}

// Runs the event loop until it would wait for input: painting, queued
// handlers and the editor's background work are done.
void settle() {
    QEventLoop loop;
    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &loop,
                     &QEventLoop::quit);
    loop.exec();
}

// A document with colours in it, like a coloured page.
void colourSome(TvokRich& ed) {
    for (int p = 0; p + 40 < ed.Length(); p += 97) {
        ed.SetSel(p, 30);
        ed.SetSelColor(6);
    }
    ed.SetSel(0, 0);
}

void BM_LoadFile(benchmark::State& state) {
    const std::string file = htmlOfSize(static_cast<std::size_t>(state.range(0)));
    TvokRich ed;
    for (auto _ : state) {
        tv::EditorText t = tv::fileToEditorText(file);
        ed.SetText(t.text);
        benchmark::DoNotOptimize(ed.Length());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(file.size()));
}
BENCHMARK(BM_LoadFile)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

// An undo snapshot of a coloured 1 MB document: the first one reads all of
// it (argument 0); later ones, after a change in the middle, share what did
// not change with the one before (argument 1).
void BM_Snapshot(benchmark::State& state) {
    const bool after = state.range(0) == 1;
    TvokRich ed;
    ed.SetText(tv::fileToEditorText(htmlOfSize(1 << 20)).text);
    colourSome(ed);
    const int middle = ed.Length() / 2;
    std::deque<tv::TUndo> kept;  // ten, as an undo list keeps them
    for (auto _ : state) {
        state.PauseTiming();
        if (!after) {
            TvokRich fresh;  // nothing to share with
            fresh.SetText(ed.textView());
            state.ResumeTiming();
            benchmark::DoNotOptimize(fresh.TakeSnapshot().Text.size());
            continue;
        }
        ed.SetRangeColor(middle, middle + 1, static_cast<int>(kept.size() % 3));
        state.ResumeTiming();
        kept.push_back(ed.TakeSnapshot());
        if (kept.size() > 10) kept.pop_front();
    }
    state.counters["document_bytes"] = ed.Length();
}
BENCHMARK(BM_Snapshot)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_UndoRedo(benchmark::State& state) {
    TvokRich ed;
    ed.document().setUndoLimit(10);
    ed.SetWordWrapOn(true);  // as in document windows
    ed.SetText(tv::fileToEditorText(htmlOfSize(1 << 20)).text);
    colourSome(ed);
    ed.SetSel(100, 0);
    ed.ReplaceSelection("<B>");
    for (auto _ : state) {
        ed.Undo();  // back to before the insertion
        ed.Redo();
    }
    state.SetLabel("one Undo and one Redo of a 1 MB document");
}
BENCHMARK(BM_UndoRedo)->Unit(benchmark::kMillisecond);

// Opening a file in a shown frame: reading, the encoding, line ends, the
// editor, the window and its first layout with word wrap on. Argument 1 is
// the page in UTF-8, 0 in Windows-1252.
void BM_OpenDocument(benchmark::State& state) {
    const bool utf8 = state.range(1) == 1;
    const QString path =
        QDir::temp().filePath(QStringLiteral("taviron-bench-%1-%2.html").arg(state.range(0)).arg(state.range(1)));
    {
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        std::string text = htmlOfSize(static_cast<std::size_t>(state.range(0)));
        if (utf8) text = tv::windows1252().decode(text);
        f.write(text.data(), static_cast<qint64>(text.size()));
    }
    TMainForm frame({}, QDir::tempPath());
    frame.show();
    settle();
    for (auto _ : state) {
        TMDIChild* doc = frame.OpenDocument(path);
        settle();  // shown, painted, and the editor's background work done
        state.PauseTiming();
        qobject_cast<QMdiSubWindow*>(doc->parentWidget())->close();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    QFile::remove(path);
}
BENCHMARK(BM_OpenDocument)
    ->Args({1 << 20, 0})
    ->Args({5800000, 0})
    ->Args({5800000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

// Runs the event loop until the condition holds (false after 30 s).
template <class Condition>
bool waitFor(Condition done) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > 30000) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

#ifdef TAVIRON_PREVIEW
// Shows the preview pane and waits for its first page.
bool showPreview(TMainForm& frame) {
    frame.showPane("PreviewPane", true);
    return waitFor([&] { return frame.PreviewPanel->page() && frame.PreviewPanel->current(); });
}
#endif

// A frame whose options turn colouring on, with a document of `bytes`.
struct ColouredDocument {
    std::unique_ptr<TMainForm> frame;
    TMDIChild* doc = nullptr;
    explicit ColouredDocument(std::size_t bytes) {
        const QString config = QDir::temp().filePath(QStringLiteral("taviron-bench-config"));
        QDir().mkpath(config + QStringLiteral("/Taviron"));
        QFile conf(config + QStringLiteral("/Taviron/Taviron.conf"));
        conf.open(QIODevice::WriteOnly);
        conf.write("[Settings]\nColorCode=1\n");
        conf.close();
        qputenv("XDG_CONFIG_HOME", config.toLocal8Bit());
        frame = std::make_unique<TMainForm>(QStringList{}, QDir::tempPath());
        frame->show();
        doc = frame->docs()->NewFile();
        doc->view()->SetText(tv::fileToEditorText(htmlOfSize(bytes)).text);
        QCoreApplication::processEvents();
    }
    ~ColouredDocument() { doc->view()->SetModified(false); }
};

void BM_ColorDocument(benchmark::State& state) {
    ColouredDocument d(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) d.doc->ColorDocument();
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(0));
}
BENCHMARK(BM_ColorDocument)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMillisecond);

// Typing a ">" in the middle of a page: the window colours around the caret.
void BM_ColorAroundCaret(benchmark::State& state) {
    ColouredDocument d(static_cast<std::size_t>(state.range(0)));
    TvokRich* ed = d.doc->view();
    const int middle = ed->Length() / 2;
    for (auto _ : state) {
        ed->SetSelStart(middle);
        d.doc->ColorAroundCaret();
    }
}
BENCHMARK(BM_ColorAroundCaret)->Arg(1 << 20)->Arg(10 << 20)->Unit(benchmark::kMicrosecond);

// A whole keystroke: a ">" typed in the middle of a page, with everything
// the window does for it (undo step, colouring around the caret, title,
// buttons, status bar and painting).
void typeKeys(benchmark::State& state, int key, const QString& text, bool preview = false) {
    ColouredDocument d(static_cast<std::size_t>(state.range(0)));
    if (preview && !showPreview(*d.frame)) {
        state.SkipWithError("the preview did not show the page");
        return;
    }
    TvokRich* ed = d.doc->view();
    ed->setFocus();
    ed->SetSelStart(ed->Length() / 2);
    settle();
    const int before = ed->Length();
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(ed, &press);
        settle();
    }
    if (ed->Length() != before + static_cast<int>(state.iterations())) state.SkipWithError("keys were not typed");
}
void BM_TypeBracket(benchmark::State& state) { typeKeys(state, Qt::Key_Greater, QStringLiteral(">")); }
void BM_TypeBlank(benchmark::State& state) { typeKeys(state, Qt::Key_Space, QStringLiteral(" ")); }
BENCHMARK(BM_TypeBlank)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypeBracket)->Arg(1000000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Answers every question of the program at once with its default, so that a
// command's closing message does not wait for a person.
class SilentPrompter : public Prompter {
public:
    Button ask(QWidget*, const Question& q) override { return q.defaultButton; }
    std::optional<QString> openFileName(QWidget*, const OpenRequest&) override { return std::nullopt; }
    QStringList openFileNames(QWidget*, const OpenRequest&) override { return {}; }
    std::optional<SaveAnswer> saveFileName(QWidget*, const SaveRequest&) override { return std::nullopt; }
    int run(QDialog&) override { return 0; }
    int wait(QDialog&) override { return 0; }
    bool print(QWidget*, QPrinter&) override { return false; }
    bool pageSetup(QWidget*, QPrinter&) override { return false; }
    std::optional<QString> folder(QWidget*, const QString&, const QString&) override { return std::nullopt; }
    std::optional<QString> input(QWidget*, const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    std::optional<tv::ColorValue> color(QWidget*, tv::ColorValue) override { return std::nullopt; }
};

// Replace All of the search dialog, as its button runs it, one undo step:
// range(0) matches spread over a coloured table page of range(1) bytes.
void BM_ReplaceAll(benchmark::State& state) {
    SilentPrompter silent;
    setPrompter(&silent);
    {
        ColouredDocument d(0);
        const auto matches = static_cast<int>(state.range(0));
        const auto bytes = static_cast<size_t>(state.range(1));
        const int perRow = std::max(1, matches / static_cast<int>(bytes / 100));
        std::string page;
        int left = matches;
        for (int i = 0; page.size() < bytes; ++i) {
            std::string row = "<TR><TD ALIGN=LEFT>Row " + std::to_string(i);
            for (int k = 0; k < perRow; ++k, --left) row += left > 0 ? " match" : " words";
            page += row + "</TD></TR>\r\n";
        }
        if (left > 0) state.SkipWithError("the page is too small for the matches");
        Tsearchbox* box = d.frame->searchBox();
        box->find->setPlainText(QStringLiteral("match"));
        box->replace->setPlainText(QStringLiteral("hit"));
        TvokRich* ed = d.doc->view();
        for (auto _ : state) {
            state.PauseTiming();
            ed->SetText(page);
            d.doc->ColorDocument();
            ed->SetSelStart(0);
            QCoreApplication::processEvents();
            state.ResumeTiming();
            box->ReplaceAllBtn->click();
            QCoreApplication::processEvents();
        }
        if (ed->Text().find("match") != std::string::npos) state.SkipWithError("not every match was replaced");
        state.counters["bytes"] = static_cast<double>(page.size());
    }
    setPrompter(nullptr);
}
BENCHMARK(BM_ReplaceAll)->Args({2000, 370000})->Args({12000, 140000})->Unit(benchmark::kMillisecond);

// The recovery journal of a 1 MB document: what the window's thread does
// (copy the text and make the entry), and what the writer thread does (the
// atomic write, with its fsync).
void BM_JournalEntry(benchmark::State& state) {
    TvokRich ed;
    ed.SetText(tv::fileToEditorText(htmlOfSize(1 << 20)).text);
    for (auto _ : state) {
        tv::JournalEntry e;
        e.fileName = "/home/ann/site/index.html";
        e.text = std::string(ed.textView());
        std::string bytes = tv::encodeJournal(e);
        benchmark::DoNotOptimize(bytes.data());
    }
}
BENCHMARK(BM_JournalEntry)->Unit(benchmark::kMillisecond);

void BM_JournalWrite(benchmark::State& state) {
    const std::string bytes = tv::encodeJournal({"/home/ann/site/index.html", "Windows-1252", tv::LineEnds::Lf,
                                                 tv::fileToEditorText(htmlOfSize(1 << 20)).text});
    const std::string path = QDir::temp().filePath(QStringLiteral("taviron-bench.journal")).toStdString();
    for (auto _ : state) tv::writeFileAtomically(path, bytes);
    QFile::remove(QString::fromStdString(path));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}
BENCHMARK(BM_JournalWrite)->Unit(benchmark::kMillisecond);

// A letter inside a word: no snapshot, no colouring; the rest of a keystroke.
void BM_TypeLetter(benchmark::State& state) { typeKeys(state, Qt::Key_A, QStringLiteral("a")); }
BENCHMARK(BM_TypeLetter)->Arg(1000000)->Arg(100000)->Unit(benchmark::kMicrosecond);

// Text > Check Page on a page of `bytes`: HTML Tidy and the editor's
// columns, on the worker thread.
void BM_CheckPage(benchmark::State& state) {
    const std::string text = tv::fileToEditorText(htmlOfSize(static_cast<std::size_t>(state.range(0)))).text;
    std::size_t found = 0;
    for (auto _ : state) found = tv::checkPage(text, {}).problems.size();
    state.counters["problems"] = static_cast<double>(found);
}
BENCHMARK(BM_CheckPage)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond);

#ifdef TAVIRON_PREVIEW
// Resident memory of this process and of the processes it started (the
// engine's renderers), in MB.
double residentMb(pid_t pid) {
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly)) return 0;
    for (const QByteArray& line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    return 0;
}
double descendantsMb(pid_t root) {
    std::map<pid_t, pid_t> parent;
    for (const QString& entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const pid_t pid = entry.toInt(&ok);
        if (!ok) continue;
        QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!f.open(QIODevice::ReadOnly)) continue;
        const QByteArray stat = f.readAll();
        const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (fields.size() > 1) parent[pid] = fields[1].toInt();
    }
    double mb = 0;
    for (const auto& [pid, ppid] : parent) {
        for (pid_t up = ppid; up > 1; up = parent.count(up) ? parent[up] : 0)
            if (up == root) {
                mb += residentMb(pid);
                break;
            }
    }
    return mb;
}

// The memory the pane costs: this process before and after its first page,
// and the engine's own processes. Meaningful when it runs first (the engine
// stays for the rest of the run): --benchmark_filter=BM_PreviewMemory.
void BM_PreviewMemory(benchmark::State& state) {
    for (auto _ : state) {
        ColouredDocument d(100000);
        settle();
        const double before = residentMb(getpid());
        if (!showPreview(*d.frame)) state.SkipWithError("the preview did not show the page");
        state.counters["in_process_MB"] = residentMb(getpid()) - before;
        state.counters["engine_processes_MB"] = descendantsMb(getpid());
    }
}
BENCHMARK(BM_PreviewMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

// A letter typed with the preview pane shown and following the typing: the
// page refreshes after the pause, so the key itself must cost what it costs
// without the pane (/0). CPU of every thread of the program.
void BM_TypeLetterPreview(benchmark::State& state) {
    typeKeys(state, Qt::Key_A, QStringLiteral("a"), state.range(1) == 1);
}
BENCHMARK(BM_TypeLetterPreview)->Args({100000, 0})->Args({100000, 1})->MeasureProcessCPUTime()->Unit(benchmark::kMicrosecond);

// From the end of a pause to the page shown, for a page of `bytes`: the
// text handed over, loaded, laid out and its scroll place restored.
void BM_PreviewRefresh(benchmark::State& state) {
    ColouredDocument d(static_cast<std::size_t>(state.range(0)));
    if (!showPreview(*d.frame)) {
        state.SkipWithError("the preview did not show the page");
        return;
    }
    TvokRich* ed = d.doc->view();
    ed->SetSelStart(ed->Length() / 2);
    for (auto _ : state) {
        state.PauseTiming();
        ed->ReplaceSelection("a");
        settle();
        state.ResumeTiming();
        d.frame->PreviewPanel->refresh();
        if (!waitFor([&] { return d.frame->PreviewPanel->current(); })) state.SkipWithError("no page");
    }
}
BENCHMARK(BM_PreviewRefresh)->Arg(100000)->Arg(1000000)->UseRealTime()->Iterations(20)->Unit(benchmark::kMillisecond);
#endif

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
