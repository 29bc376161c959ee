// The named crossings between the domain's text (std::string holding UTF-8) and QString.
// The build forbids implicit byte-buffer/QString conversions, so every crossing in the
// widget code goes through these two calls and is easy to find. Invalid UTF-8 turns into
// U+FFFD on the way in; nothing is lost on the way out.
#pragma once

#include <QString>

#include <string>

namespace widgets {

inline QString toQString(const std::string& utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string toStdString(const QString& text) {
    return text.toStdString();
}

} // namespace widgets
