// Taviron's entry point: one instance per user and display. A second start
// hands its arguments to the first and ends; "-n" as the first argument
// starts a further instance.

#include "app/aboutbox.h"
#include "app/mainform.h"
#include "app/singleinstance.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>

int main(int argc, char* argv[]) {
    QStringList args;
    for (int i = 1; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    const QString cwd = QDir::currentPath();

    SingleInstance instance;
    const bool first = instance.acquire();
    if (!first && (args.isEmpty() || args.first() != QLatin1String("-n"))) {
        QCoreApplication app(argc, argv);
        SingleInstance::handOver(SingleInstance::defaultKey(), args, cwd);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Taviron"));

    TMainForm frame(args, cwd);
    TAboutBox about(&frame);
    frame.setAboutBox(&about);
    if (first) instance.listen([&frame](const QString& arg) { frame.receiveHandOver(arg); });
    frame.show();
    return app.exec();
}
