#include "app/LinkTarget.h"

#include <algorithm>
#include <cctype>

namespace app {
namespace {

bool hasPrefix(std::string_view text, std::string_view prefix) {
    if (text.size() <= prefix.size()) {
        return false; // the prefix alone names nothing
    }
    return std::equal(prefix.begin(), prefix.end(), text.begin(), [](char lower, char c) {
        return std::tolower(static_cast<unsigned char>(c)) == lower;
    });
}

bool hasSpace(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; });
}

bool isBareMailAddress(std::string_view text) {
    const auto at = text.find('@');
    return at != std::string_view::npos && at > 0 && at + 1 < text.size() &&
           text.find('@', at + 1) == std::string_view::npos;
}

} // namespace

LinkKind classifyLink(std::string_view target) {
    if (target.empty() || hasSpace(target)) {
        return LinkKind::Invalid;
    }
    if (hasPrefix(target, "http://") || hasPrefix(target, "https://") ||
        hasPrefix(target, "www.")) {
        return LinkKind::Web;
    }
    if (hasPrefix(target, "mailto:") || isBareMailAddress(target)) {
        return LinkKind::Mail;
    }
    return LinkKind::Invalid;
}

std::optional<std::string> linkUrl(std::string_view target) {
    switch (classifyLink(target)) {
    case LinkKind::Web:
        if (hasPrefix(target, "www.")) {
            return "http://" + std::string(target);
        }
        return std::string(target);
    case LinkKind::Mail:
        if (hasPrefix(target, "mailto:")) {
            return std::string(target);
        }
        return "mailto:" + std::string(target);
    case LinkKind::Invalid:
        break;
    }
    return std::nullopt;
}

} // namespace app
