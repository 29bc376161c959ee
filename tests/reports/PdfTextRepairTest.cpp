// The text layer of Qt's PDF files repaired: the ToUnicode maps alone (radicals mapped back,
// everything else kept), a file Qt wrote and a hand-made one with a deflated map read back
// by poppler as they were written, and files of any other shape left exactly as they were.
#include "reports/PdfTextRepair.h"
#include "ReportTestSupport.h"
#include "core/Typeface.h"
#include "reports/ToUnicodeRepair.h"

#include <QBuffer>
#include <QFont>
#include <QPainter>
#include <QPdfWriter>
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdio>
#include <optional>
#include <regex>
#include <vector>

using namespace reporttest;

namespace {

constexpr const char* kWritten = "初一⑴ 语文 星期一 文";

std::string section(const std::string& kind, const std::string& entries) {
    return "1 begin" + kind + "\n" + entries + "\nend" + kind + "\n";
}

TEST(ToUnicodeRepair, MapsRadicalsBackAndKeepsTheRest) {
    const std::string outside = "/CIDSystemInfo << /Registry (Adobe) (a\\)b) >> def\n"
                                "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    const struct {
        std::string cmap;
        std::string expected;
    } cases[] = {
        {section("bfchar", "<0001> <2F00>"), section("bfchar", "<0001> <4E00>")},
        {section("bfchar", "<0001> <2f 42> <0002> <2474>"),
         section("bfchar", "<0001> <6587> <0002> <2474>")},
        {section("bfrange", "<0001> <0003> [<521D> <2F00> <2474>]"),
         section("bfrange", "<0001> <0003> [<521D> <4E00> <2474>]")},
        // a counting range that runs into the radicals is written out
        {section("bfrange", "<0001> <0003> <2EFF>"),
         section("bfrange", "<0001> <0003> [<2EFF> <4E00> <4E28>]")},
        {section("bfrange", "<0001> <0003> <4E00>"), section("bfrange", "<0001> <0003> <4E00>")},
        // supplement radicals with a compatibility form, with an equivalent ideograph only
        // (⻚ 页, ⻩ 黄), with neither (⻊), two units
        {section("bfchar", "<0001> <2E9F> <0002> <2EDA> <0003> <2EE9> <0004> <2ECA> <0005> "
                           "<D840DC00>"),
         section("bfchar", "<0001> <6BCD> <0002> <9875> <0003> <9EC4> <0004> <2ECA> <0005> "
                           "<D840DC00>")},
        // hex strings outside the bf sections are not destinations
        {outside + "<2F00> % <2F00>\n" + section("bfchar", "<0001> <2F00>"),
         outside + "<2F00> % <2F00>\n" + section("bfchar", "<0001> <4E00>")},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(reports::repairedToUnicode(c.cmap), c.expected) << c.cmap;
    }
    for (const std::string& unreadable :
         {std::string("1 beginbfchar\n<0001> <2F00>\n"), section("bfchar", "<0001> /X"),
          section("bfchar", "<0001> <2F0G>"), section("bfrange", "<0003> <0001> <2F00>"),
          section("bfrange", "<0001> <0002> [<2F00> <2F01>"), outside + "(open"}) {
        EXPECT_EQ(reports::repairedToUnicode(unreadable), std::nullopt) << unreadable;
    }
}

struct ToolResult {
    std::string out;
    std::string err;
};

// A poppler tool's output and its complaints.
ToolResult tool(const std::string& command, const fs::path& err) {
    ToolResult result;
    FILE* pipe = ::popen((command + " 2>'" + err.string() + "'").c_str(), "r");
    if (pipe) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            result.out.append(buffer, n);
        }
        ::pclose(pipe);
    }
    result.err = readBytes(err);
    return result;
}

void writeBytes(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string qtPdf() {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        QPainter painter(&writer);
        painter.setFont(QFont(QString::fromUtf8(typeface::kCjkFamily), 12));
        painter.drawText(200, 400, QString::fromUtf8(kWritten));
        writer.newPage();
        painter.drawText(200, 400, QStringLiteral("第二页 老 黄马龙"));
    }
    return buffer.data().toStdString();
}

// "N 0 obj … endobj" of a file, in file order.
std::vector<std::string> objectsOf(const std::string& pdf) {
    static const std::regex object(R"(\d+ 0 obj[\s\S]*?endobj)");
    std::vector<std::string> result;
    for (auto it = std::sregex_iterator(pdf.begin(), pdf.end(), object);
         it != std::sregex_iterator(); ++it) {
        result.push_back(it->str());
    }
    return result;
}

class PdfTextRepair : public testing::Test {
protected:
    void SetUp() override {
        if (std::system("pdftotext -v >/dev/null 2>&1") != 0) {
            GTEST_SKIP() << "poppler-utils is not installed";
        }
    }
    ToolResult run(const std::string& program, const std::string& bytes,
                   const std::string& options = {}) const {
        const fs::path pdf = m_dir / "file.pdf";
        writeBytes(pdf, bytes);
        return tool(program + " " + options + " '" + pdf.string() + "'" +
                        (program == "pdftotext" ? " -" : ""),
                    m_dir / "err.txt");
    }

    WorkDir m_dir;
};

TEST_F(PdfTextRepair, QtsFileReadsBackAsWritten) {
    const std::string written = qtPdf();
    ASSERT_NE(run("pdftotext", written).out.find("⼀"), std::string::npos)
        << "Qt's text layer no longer shows the radicals: this repair may have become needless";
    const std::optional<std::string> repaired = reports::repairedPdfText(written);
    ASSERT_TRUE(repaired);

    const ToolResult text = run("pdftotext", *repaired);
    EXPECT_EQ(text.out, std::string(kWritten) + "\n\n\f第二页 老 黄马龙\n\n\f");
    EXPECT_EQ(text.err, "");
    const ToolResult info = run("pdfinfo", *repaired);
    EXPECT_EQ(info.err, "");
    EXPECT_NE(info.out.find("Pages:           2\n"), std::string::npos) << info.out;
    EXPECT_EQ(run("pdffonts", *repaired).out, run("pdffonts", written).out);
    const auto pages = [&](const std::string& bytes) {
        const std::string out = run("pdfinfo", bytes, "-f 1 -l 2").out;
        const std::size_t first = out.find("Page    1 size");
        return out.substr(first, out.find("File size") - first);
    };
    EXPECT_EQ(pages(*repaired), pages(written));

    // every object but the map is kept byte for byte
    std::vector<std::string> before = objectsOf(written);
    std::vector<std::string> after = objectsOf(*repaired);
    ASSERT_EQ(before.size(), after.size());
    int maps = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
        if (before[i].find("begincmap") != std::string::npos) {
            ++maps;
            EXPECT_NE(after[i], before[i]);
        } else {
            EXPECT_EQ(after[i], before[i]);
        }
    }
    EXPECT_EQ(maps, 1);
    // nothing is left to repair
    EXPECT_EQ(reports::repairedPdfText(*repaired), std::nullopt);
}

// A font whose map is deflated and whose length is an object of its own; the font is not
// embedded, poppler reads the text from the map alone.
std::string handMadePdf(const std::string& mapDictionary, const std::string& mapData) {
    const std::string content = "BT /F1 12 Tf 72 700 Td <0001000200030004> Tj ET";
    const std::vector<std::string> objects = {
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 595 842] /Contents 4 0 R /Resources << "
        "/Font << /F1 5 0 R >> >> >>",
        "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream",
        "<< /Type /Font /Subtype /Type0 /BaseFont /NotoSansCJKsc-Regular /Encoding /Identity-H "
        "/DescendantFonts [6 0 R] /ToUnicode 7 0 R >>",
        "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /NotoSansCJKsc-Regular /CIDSystemInfo "
        "<< /Registry (Adobe) /Ordering (Identity) /Supplement 0 >> /CIDToGIDMap /Identity >>",
        "<< /Length 8 0 R" + mapDictionary + " >>\nstream\n" + mapData + "\nendstream",
        std::to_string(mapData.size()),
    };
    std::string pdf = "%PDF-1.4\n";
    std::string xref = "xref\n0 9\n0000000000 65535 f \n";
    for (std::size_t i = 0; i < objects.size(); ++i) {
        char entry[24];
        std::snprintf(entry, sizeof entry, "%010zu 00000 n \n", pdf.size());
        xref += entry;
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::size_t xrefAt = pdf.size();
    return pdf + xref + "trailer\n<< /Size 9 /Root 1 0 R >>\nstartxref\n" + std::to_string(xrefAt) +
           "\n%%EOF\n";
}

const std::string kMap = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                         "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                         "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n"
                         "2 beginbfchar\n<0001> <521D>\n<0002> <2F00>\nendbfchar\n"
                         "1 beginbfrange\n<0003> <0004> <2F42>\nendbfrange\nendcmap\n"
                         "CMapName currentdict /CMap defineresource pop\nend\nend\n";

std::string compressed(const std::string& data) {
    uLongf size = compressBound(uLong(data.size()));
    std::string result(size, '\0');
    compress(reinterpret_cast<Bytef*>(result.data()), &size,
             reinterpret_cast<const Bytef*>(data.data()), uLong(data.size()));
    result.resize(size);
    return result;
}

TEST_F(PdfTextRepair, DeflatedMapIsDeflatedAgain) {
    const std::string written = handMadePdf(" /Filter /FlateDecode", compressed(kMap));
    ASSERT_EQ(run("pdftotext", written).out, "初⼀⽂⽃\n\n\f");
    const std::optional<std::string> repaired = reports::repairedPdfText(written);
    ASSERT_TRUE(repaired);
    const ToolResult text = run("pdftotext", *repaired);
    EXPECT_EQ(text.out, "初一文斗\n\n\f");
    EXPECT_EQ(text.err, "");
    EXPECT_EQ(run("pdfinfo", *repaired).err, "");
    EXPECT_NE(repaired->find("/Length 8 0 R /Filter /FlateDecode >>\nstream\nx"),
              std::string::npos);
}

TEST_F(PdfTextRepair, WhatItDoesNotUnderstandIsLeftAsItWas) {
    const std::string qt = qtPdf();
    const std::string withoutEof = qt.substr(0, qt.rfind("%%EOF"));
    std::string update = qt;
    update.insert(update.rfind("trailer\n<<") + 10, "\n/Prev 9");
    std::string wrongXref = qt;
    wrongXref.replace(wrongXref.rfind("startxref\n") + 10, 1, "1");
    const std::string cases[] = {
        "",
        "not a PDF at all\n%%EOF\n",
        qt.substr(0, qt.size() / 2),
        withoutEof,
        update,
        wrongXref,
        handMadePdf(" /Filter /ASCIIHexDecode", compressed(kMap)),
        handMadePdf(" /Filter /FlateDecode", compressed(kMap).substr(0, 20)),
        handMadePdf(" /Filter /FlateDecode /DecodeParms << >>", compressed(kMap)),
        handMadePdf("", kMap.substr(0, kMap.find("endbfchar"))),
    };
    for (const std::string& bytes : cases) {
        EXPECT_EQ(reports::repairedPdfText(bytes), std::nullopt) << bytes.substr(0, 200);
        const fs::path file = m_dir / "kept.pdf";
        writeBytes(file, bytes);
        EXPECT_TRUE(reports::repairPdfTextFile(file));
        EXPECT_EQ(readBytes(file), bytes);
    }
    EXPECT_FALSE(reports::repairPdfTextFile(m_dir / "missing.pdf"));
    // a map of the expected shape with nothing to repair: the file is left as it was
    EXPECT_EQ(reports::repairedPdfText(handMadePdf("", "1 beginbfchar\n<0001> <521D>\nendbfchar")),
              std::nullopt);
}

} // namespace
