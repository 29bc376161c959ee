#include "reports/PdfTextRepair.h"

#include "reports/ToUnicodeRepair.h"

#include <zlib.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <utility>
#include <vector>

namespace reports {
namespace {

using Number = unsigned long long;

bool isWhite(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t' || c == '\f' || c == '\0';
}

bool isRegular(char c) {
    return !isWhite(c) && std::string_view("()<>[]{}/%").find(c) == std::string_view::npos;
}

// The few tokens of a PDF's structure, read from a position on.
class Cursor {
public:
    Cursor(std::string_view text, std::size_t at) : m_text(text), m_at(at) {}

    std::size_t at() const { return m_at; }

    // Where the next token begins.
    std::size_t next() {
        while (m_at < m_text.size() && isWhite(m_text[m_at])) {
            ++m_at;
        }
        return m_at;
    }

    bool atEnd() { return next() == m_text.size(); }

    bool keyword(std::string_view word) {
        const std::size_t begin = next();
        if (m_text.substr(begin, word.size()) != word || !endsToken(begin + word.size())) {
            return false;
        }
        m_at = begin + word.size();
        return true;
    }

    std::optional<Number> number() {
        std::size_t end = next();
        Number value = 0;
        for (; end < m_text.size() && m_text[end] >= '0' && m_text[end] <= '9'; ++end) {
            if (end - m_at >= 15) {
                return std::nullopt;
            }
            value = value * 10 + Number(m_text[end] - '0');
        }
        if (end == m_at || !endsToken(end)) {
            return std::nullopt;
        }
        m_at = end;
        return value;
    }

    // "N 0 R"
    std::optional<Number> reference() {
        Cursor probe = *this;
        const std::optional<Number> target = probe.number();
        const std::optional<Number> generation = probe.number();
        if (!target || generation != Number(0) || !probe.keyword("R")) {
            return std::nullopt;
        }
        *this = probe;
        return target;
    }

private:
    bool endsToken(std::size_t end) const {
        return end >= m_text.size() || !isRegular(m_text[end]) || !isRegular(m_text[end - 1]);
    }

    std::string_view m_text;
    std::size_t m_at;
};

struct XrefEntry {
    Number offset = 0;
    Number generation = 0;
    char type = 'f';
};

struct XrefSection {
    Number first = 0;
    std::vector<XrefEntry> entries;
};

// Where everything is: the xref table's sections, the objects in use with the bytes each
// spans up to the next one (or the table), the trailer.
struct Layout {
    std::vector<XrefSection> sections;
    std::map<Number, std::pair<std::size_t, std::size_t>> objects;
    std::size_t xrefAt = 0;
    std::size_t trailerAt = 0;
    std::size_t startxrefAt = 0;
};

bool readXref(std::string_view pdf, Layout& layout) {
    Cursor xref(pdf, layout.xrefAt + 4);
    while (!xref.keyword("trailer")) {
        const std::optional<Number> first = xref.number();
        const std::optional<Number> count = xref.number();
        if (!first || !count || *count > pdf.size() / 20) {
            return false;
        }
        XrefSection section{*first, {}};
        for (Number i = 0; i < *count; ++i) {
            XrefEntry entry;
            const std::optional<Number> offset = xref.number();
            const std::optional<Number> generation = xref.number();
            if (!offset || !generation) {
                return false;
            }
            entry.offset = *offset;
            entry.generation = *generation;
            if (xref.keyword("n")) {
                entry.type = 'n';
            } else if (!xref.keyword("f")) {
                return false;
            }
            section.entries.push_back(entry);
        }
        layout.sections.push_back(std::move(section));
    }
    layout.trailerAt = xref.at() - std::string_view("trailer").size();
    const std::string_view trailer =
        pdf.substr(layout.trailerAt, layout.startxrefAt - layout.trailerAt);
    for (const std::string_view key : {"/Prev", "/XRefStm", "/Encrypt"}) {
        if (trailer.find(key) != std::string_view::npos) {
            return false;
        }
    }
    return true;
}

bool findObjects(std::string_view pdf, Layout& layout) {
    std::vector<std::pair<std::size_t, Number>> starts;
    for (const XrefSection& section : layout.sections) {
        for (std::size_t i = 0; i < section.entries.size(); ++i) {
            const XrefEntry& entry = section.entries[i];
            if (entry.type != 'n') {
                continue;
            }
            const Number number = section.first + i;
            Cursor object(pdf, std::size_t(entry.offset));
            if (entry.generation != 0 || entry.offset >= layout.xrefAt ||
                object.next() != entry.offset || object.number() != number ||
                object.number() != Number(0) || !object.keyword("obj")) {
                return false;
            }
            starts.emplace_back(std::size_t(entry.offset), number);
        }
    }
    std::sort(starts.begin(), starts.end());
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::size_t end = i + 1 < starts.size() ? starts[i + 1].first : layout.xrefAt;
        if (end == starts[i].first ||
            !layout.objects.emplace(starts[i].second, std::pair(starts[i].first, end)).second) {
            return false;
        }
    }
    return true;
}

std::optional<Layout> layoutOf(std::string_view pdf) {
    if (!pdf.starts_with("%PDF-")) {
        return std::nullopt;
    }
    Layout layout;
    layout.startxrefAt = pdf.rfind("startxref");
    if (layout.startxrefAt == std::string_view::npos) {
        return std::nullopt;
    }
    Cursor tail(pdf, layout.startxrefAt + std::string_view("startxref").size());
    const std::optional<Number> xrefAt = tail.number();
    if (!xrefAt || !tail.keyword("%%EOF") || !tail.atEnd() || *xrefAt >= layout.startxrefAt ||
        pdf.substr(std::size_t(*xrefAt), 4) != "xref") {
        return std::nullopt;
    }
    layout.xrefAt = std::size_t(*xrefAt);
    if (!readXref(pdf, layout) || !findObjects(pdf, layout)) {
        return std::nullopt;
    }
    return layout;
}

// The object's dictionary part: up to its stream's data, or the whole object.
std::string_view headOf(std::string_view object) {
    for (std::size_t at = object.find("stream"); at != std::string_view::npos;
         at = object.find("stream", at + 1)) {
        const std::string_view after = object.substr(at + 6, 2);
        if (at > 0 && (isWhite(object[at - 1]) || object[at - 1] == '>') &&
            (after.starts_with('\n') || after == "\r\n")) {
            return object.substr(0, at);
        }
    }
    return object;
}

// Collects the ToUnicode streams the object refers to; false on a structure not expected.
bool collectToUnicode(std::string_view head, std::set<Number>& streams) {
    if (head.find("/ObjStm") != std::string_view::npos ||
        head.find("/XRef") != std::string_view::npos) {
        return false;
    }
    constexpr std::string_view kKey = "/ToUnicode";
    for (std::size_t at = head.find(kKey); at != std::string_view::npos;
         at = head.find(kKey, at + 1)) {
        Cursor value(head, at + kKey.size());
        const std::optional<Number> stream = value.reference();
        if (!stream) {
            return false;
        }
        streams.insert(*stream);
    }
    return true;
}

std::optional<std::string> inflated(std::string_view data) {
    if (data.size() > UINT_MAX) {
        return std::nullopt;
    }
    z_stream z{};
    if (inflateInit(&z) != Z_OK) {
        return std::nullopt;
    }
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.data()));
    z.avail_in = uInt(data.size());
    std::string result;
    char buffer[16384];
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        status = inflate(&z, Z_NO_FLUSH);
        result.append(buffer, sizeof buffer - z.avail_out);
    }
    inflateEnd(&z);
    return status == Z_STREAM_END ? std::optional(result) : std::nullopt;
}

std::optional<std::string> deflated(const std::string& data) {
    uLongf size = compressBound(uLong(data.size()));
    std::string result(size, '\0');
    if (compress2(reinterpret_cast<Bytef*>(result.data()), &size,
                  reinterpret_cast<const Bytef*>(data.data()), uLong(data.size()),
                  Z_DEFAULT_COMPRESSION) != Z_OK) {
        return std::nullopt;
    }
    result.resize(size);
    return result;
}

struct Edit {
    std::size_t begin = 0;
    std::size_t end = 0;
    std::string text;
};

// The stream's length: its number's place in the file and its value, in its dictionary or
// in an object of its own.
struct Length {
    std::size_t begin = 0;
    std::size_t end = 0;
    Number value = 0;
};

std::optional<Length> lengthObject(std::string_view pdf, const Layout& layout, Number number) {
    const auto found = layout.objects.find(number);
    if (found == layout.objects.end()) {
        return std::nullopt;
    }
    Cursor object(pdf, found->second.first);
    object.number();
    object.number();
    object.keyword("obj");
    Length length;
    length.begin = object.next();
    const std::optional<Number> value = object.number();
    length.end = object.at();
    if (!value || !object.keyword("endobj") || object.at() > found->second.second) {
        return std::nullopt;
    }
    length.value = *value;
    return length;
}

// Edits that map the stream's radicals back; false on a structure not expected.
bool repairStream(std::string_view pdf, const Layout& layout, Number number,
                  std::vector<Edit>& edits) {
    const auto found = layout.objects.find(number);
    if (found == layout.objects.end()) {
        return false;
    }
    const auto [begin, end] = found->second;
    Cursor object(pdf, begin);
    object.number();
    object.number();
    object.keyword("obj");
    if (!object.keyword("<<")) {
        return false;
    }
    std::optional<Length> length;
    bool isDeflated = false;
    while (!object.keyword(">>")) {
        if (object.keyword("/Length")) {
            if (const std::optional<Number> target = object.reference()) {
                length = lengthObject(pdf, layout, *target);
            } else {
                const std::size_t at = object.next();
                const std::optional<Number> value = object.number();
                length = value ? std::optional(Length{at, object.at(), *value}) : std::nullopt;
            }
            if (!length) {
                return false;
            }
        } else if (object.keyword("/Filter") && object.keyword("/FlateDecode")) {
            isDeflated = true;
        } else {
            return false;
        }
        if (object.at() >= end) {
            return false;
        }
    }
    if (!length || !object.keyword("stream")) {
        return false;
    }
    std::size_t dataAt = object.at();
    dataAt += pdf.substr(dataAt, 2) == "\r\n" ? 2u : pdf.substr(dataAt, 1) == "\n" ? 1u : 0u;
    if (dataAt == object.at() || length->value > end - dataAt) {
        return false;
    }
    const std::size_t dataEnd = dataAt + std::size_t(length->value);
    Cursor after(pdf, dataEnd);
    if (!after.keyword("endstream") || !after.keyword("endobj") || after.at() > end) {
        return false;
    }

    const std::string_view data = pdf.substr(dataAt, dataEnd - dataAt);
    const std::optional<std::string> cmap = isDeflated ? inflated(data) : std::string(data);
    const std::optional<std::string> repaired = cmap ? repairedToUnicode(*cmap) : std::nullopt;
    if (!repaired) {
        return false;
    }
    if (*repaired == *cmap) {
        return true;
    }
    const std::optional<std::string> written = isDeflated ? deflated(*repaired) : *repaired;
    if (!written) {
        return false;
    }
    edits.push_back({dataAt, dataEnd, *written});
    edits.push_back({length->begin, length->end, std::to_string(written->size())});
    return true;
}

// The file with the edits made and a new xref table for the moved objects.
std::string rewritten(std::string_view pdf, const Layout& layout, const std::vector<Edit>& edits) {
    std::string result;
    std::size_t copied = 0;
    for (const Edit& edit : edits) {
        result.append(pdf.substr(copied, edit.begin - copied));
        result += edit.text;
        copied = edit.end;
    }
    result.append(pdf.substr(copied, layout.xrefAt - copied));
    const auto moved = [&](Number offset) {
        Number added = 0;
        Number removed = 0;
        for (const Edit& edit : edits) {
            if (edit.end <= offset) {
                added += edit.text.size();
                removed += edit.end - edit.begin;
            }
        }
        return offset + added - removed;
    };
    const std::size_t xrefAt = result.size();
    result += "xref\n";
    for (const XrefSection& section : layout.sections) {
        result +=
            std::to_string(section.first) + ' ' + std::to_string(section.entries.size()) + '\n';
        for (const XrefEntry& entry : section.entries) {
            char line[32];
            std::snprintf(line, sizeof line, "%010llu %05llu %c \n",
                          entry.type == 'n' ? moved(entry.offset) : entry.offset, entry.generation,
                          entry.type);
            result += line;
        }
    }
    result.append(pdf.substr(layout.trailerAt, layout.startxrefAt - layout.trailerAt));
    result += "startxref\n" + std::to_string(xrefAt) + "\n%%EOF\n";
    return result;
}

} // namespace

std::optional<std::string> repairedPdfText(std::string_view pdf) {
    const std::optional<Layout> layout = layoutOf(pdf);
    if (!layout) {
        return std::nullopt;
    }
    std::set<Number> streams;
    for (const auto& [number, span] : layout->objects) {
        if (!collectToUnicode(headOf(pdf.substr(span.first, span.second - span.first)), streams)) {
            return std::nullopt;
        }
    }
    std::vector<Edit> edits;
    for (const Number stream : streams) {
        if (!repairStream(pdf, *layout, stream, edits)) {
            return std::nullopt;
        }
    }
    if (edits.empty()) {
        return std::nullopt;
    }
    std::sort(edits.begin(), edits.end(),
              [](const Edit& a, const Edit& b) { return a.begin < b.begin; });
    for (std::size_t i = 1; i < edits.size(); ++i) {
        // two streams sharing one length object: not a layout this understands
        if (edits[i].begin < edits[i - 1].end) {
            return std::nullopt;
        }
    }
    return rewritten(pdf, *layout, edits);
}

bool repairPdfTextFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return false;
    }
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) {
        return false;
    }
    const std::optional<std::string> repaired = repairedPdfText(bytes);
    if (!repaired) {
        return true;
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(repaired->data(), std::streamsize(repaired->size()));
    out.close();
    return !out.fail();
}

} // namespace reports
