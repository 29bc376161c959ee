// The About box's hyperlink rule, kept free of Qt so it can be checked on its own.
// A target is opened only when it is
//   - a web address: begins with "http://", "https://" or "www." (letter case ignored),
//     followed by at least one character, or
//   - a mail address: begins with "mailto:" followed by at least one character, or holds
//     exactly one "@" with text on both sides.
// A target containing white space is neither. Anything else is refused with
// kWrongLinkMessage. linkUrl() gives the address to hand to the desktop: "www." gains
// "http://" and a bare mail address gains "mailto:", so the desktop knows what to start.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace app {

inline constexpr const char* kWrongLinkMessage = "Error: wrong superlink format";

enum class LinkKind { Web, Mail, Invalid };

LinkKind classifyLink(std::string_view target);

// Empty for an invalid target.
std::optional<std::string> linkUrl(std::string_view target);

} // namespace app
