// Helpers shared by the window tests.
#pragma once

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

#include <memory>

namespace uitest {

// Types text the way a keyboard does, including characters beyond Latin-1.
// A character beyond the basic plane (an emoji) is one key, as a keyboard
// or an input method gives it.
inline void typeText(QWidget* w, const QString& text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QString one = c.isHighSurrogate() && i + 1 < text.size() ? text.mid(i++, 2) : QString(c);
        const int key = c == QLatin1Char('\t') ? Qt::Key_Tab : c == QLatin1Char('\r') ? Qt::Key_Return : 0;
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, one);
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, one);
        QApplication::sendEvent(w, &release);
    }
}

inline void writeFile(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    if (f.open(QIODevice::WriteOnly)) f.write(bytes);
}

// A settings file in `configHome` (the XDG_CONFIG_HOME of the test) holding
// these lines of the [Settings] section.
inline void writeSettings(const QString& configHome, const QByteArray& lines) {
    QDir().mkpath(configHome + QStringLiteral("/Taviron"));
    writeFile(configHome + QStringLiteral("/Taviron/Taviron.conf"), "[Settings]\n" + lines);
}

inline QByteArray readFile(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Ends a frame without close prompts: its documents count as saved.
template <class Frame>
void discardFrame(std::unique_ptr<Frame>& frame) {
    if (!frame) return;
    for (auto* c : frame->documents()) c->view()->SetModified(false);
    frame.reset();
}

} // namespace uitest
