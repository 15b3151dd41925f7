// Where document text meets Qt. Document text is UTF-8 throughout the
// program (a file's own encoding is dealt with when it is read and written,
// text/encoding.h); these are the conversions to and from QString.
#pragma once

#include <QByteArray>
#include <QString>

#include <string>
#include <string_view>

// Document text shown in a widget.
inline QString fromDocument(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Text from a widget as document text.
inline std::string toDocument(const QString& s) { return s.toStdString(); }

// Texts of the logic that are not document text (file names, settings,
// messages) are UTF-8 too.
inline QString fromStd(const std::string& s) { return QString::fromStdString(s); }
inline std::string toStd(const QString& s) { return s.toStdString(); }
