#include "publish/PageFileNames.h"

#include "core/SchoolNames.h"

#include <set>

namespace publish {
namespace {

constexpr std::size_t kMaxHexDigits = 96;

std::string twoDigits(int n) {
    return (n < 10 ? "0" : "") + std::to_string(n);
}

std::string cutHex(std::string_view name) {
    std::string hex = hexOf(name);
    if (hex.size() > kMaxHexDigits)
        hex.resize(kMaxHexDigits);
    return hex.empty() ? "0" : hex;
}

std::string gradePart(const std::string& grade) {
    if (const auto index = school::gradeIndex(grade))
        return std::to_string(*index + 1);
    return cutHex(grade);
}

std::string baseStem(const Page& page) {
    switch (page.kind) {
    case PageKind::Class:
        if (const auto id = school::parseClassName(page.name))
            return "class-" + std::to_string(id->gradeIndex + 1) + "-" + twoDigits(id->classNumber);
        return "class-" + cutHex(page.name);
    case PageKind::Teacher:
        return "teacher-" + cutHex(page.name);
    case PageKind::Overview:
        return "overview-" + gradePart(page.grade.empty() ? page.name : page.grade);
    case PageKind::Assignment:
        return "assignment-" + gradePart(page.grade.empty() ? page.name : page.grade);
    case PageKind::Notice:
        return "notice-" + cutHex(page.name);
    }
    return "page";
}

} // namespace

std::string hexOf(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0x0f];
    }
    return hex;
}

std::vector<std::string> pageFileStems(const std::vector<Page>& pages) {
    std::vector<std::string> stems;
    stems.reserve(pages.size());
    std::set<std::string> given; // every stem is lower case, so this also holds on FAT
    for (const Page& page : pages) {
        const std::string base = baseStem(page);
        std::string stem = base;
        for (int n = 2; !given.insert(stem).second; ++n)
            stem = base + "-" + std::to_string(n);
        stems.push_back(std::move(stem));
    }
    return stems;
}

} // namespace publish
