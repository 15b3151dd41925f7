// Where document text meets Qt. Every conversion between the document's
// bytes and a QString goes through these functions, so that the document's
// encoding is decided in one place (the codec of text/codec.h).
#pragma once

#include "text/codec.h"

#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>

// UTF-8 text (a file name, a message) as document text, and back.
inline std::string utf8ToDocument(std::string_view utf8) { return tv::documentCodec().encode(utf8); }
inline std::string documentToUtf8(std::string_view text) { return tv::documentCodec().decode(text); }

// Document text shown in a widget.
inline QString fromDocument(std::string_view text) { return QString::fromStdString(documentToUtf8(text)); }

// Text from a widget as document text: a character the document's encoding
// lacks becomes its numeric character reference.
inline std::string toDocument(const QString& s) {
    const QByteArray utf8 = s.toUtf8();
    return utf8ToDocument(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

// Texts of the logic that are not document text (file names, settings,
// messages) are UTF-8.
inline QString fromStd(const std::string& s) { return QString::fromStdString(s); }
inline std::string toStd(const QString& s) { return s.toStdString(); }
