// Taviron's entry point: one instance per user and display. A second start
// hands its arguments to the first and ends; "-n" as the first argument
// starts a further instance.

#include "app/aboutbox.h"
#include "app/mainform.h"
#include "app/singleinstance.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

namespace {

const char* const kHelp =
    "Usage: taviron [-n] [FILE...]\n"
    "Edit web pages as HTML source text.\n"
    "\n"
    "Files named are opened; a name that does not exist yet opens a new page that\n"
    "is written under that name when it is saved. When Taviron already runs on this\n"
    "display, the files are handed to it and this start ends at once.\n"
    "\n"
    "  -n          as the first argument: start a further, independent Taviron\n"
    "  --help      show this help and exit\n"
    "  --version   show the version and exit\n";

} // namespace

int main(int argc, char* argv[]) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    const QString cwd = QDir::currentPath();
    // The command line's own options answer before any window system is
    // touched.
    for (const QString& a : args) {
        if (a == QLatin1String("--help")) {
            std::fputs(kHelp, stdout);
            return 0;
        }
        if (a == QLatin1String("--version")) {
            std::printf("taviron %s\n", TAVIRON_VERSION);
            return 0;
        }
        if (a.startsWith(QLatin1String("--"))) {
            std::fprintf(stderr, "taviron: unknown option %s (see taviron --help)\n", a.toLocal8Bit().constData());
            return 2;
        }
    }

    SingleInstance instance;
    const bool first = instance.acquire();
    if (!first && (args.isEmpty() || args.first() != QLatin1String("-n"))) {
        QCoreApplication app(argc, argv);
        SingleInstance::handOver(SingleInstance::defaultKey(), args, cwd);
        return 0;
    }

    // The preview pane's engine shares the window's OpenGL contexts.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Taviron"));

    TMainForm frame(args, cwd);
    TAboutBox about(&frame);
    frame.setAboutBox(&about);
    if (first) instance.listen([&frame](const QString& arg) { frame.receiveHandOver(arg); });
    frame.show();
    return app.exec();
}
