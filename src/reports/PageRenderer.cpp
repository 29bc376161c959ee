#include "reports/PageRenderer.h"

#include "core/Gbk.h"
#include "core/Typeface.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QStringList>
#include <algorithm>

namespace reports {
namespace {

constexpr int kBodyHeight = 32;
// A title of this many characters is always printed whole (the page grows a little).
constexpr int kTitleCellsAlways = 30;

// One character of a line: its byte column and its text.
struct Glyph {
    int column;
    QString text;
};

// Splits GBK bytes into characters at their byte columns. A character that GBK does not
// know is dropped rather than drawn as a replacement mark; spaces and zeros draw nothing.
std::vector<Glyph> glyphsOf(std::string_view bytes) {
    std::vector<Glyph> glyphs;
    for (std::size_t i = 0; i < bytes.size();) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte >= 0x80 && i + 1 < bytes.size()) {
            const std::string decoded = gbk::fromGbk(bytes.substr(i, 2));
            char32_t ch = 0;
            const std::size_t length = gbk::decodeUtf8(decoded, ch);
            if (length == decoded.size() && ch != U'\uFFFD') {
                glyphs.push_back({static_cast<int>(i), QString::fromStdString(decoded)});
                i += 2;
                continue;
            }
        }
        if (byte > 0x20 && byte < 0x7F) {
            glyphs.push_back(
                {static_cast<int>(i), QString(QChar::fromLatin1(static_cast<char>(byte)))});
        }
        ++i;
    }
    return glyphs;
}

// Draws characters of a row: byte column c lands at x0 + step·(c div 2), half a cell
// further for an odd column, with the text's top at y.
void drawRow(QPainter& painter, std::string_view bytes, double x0, double step, double y) {
    const double ascent = QFontMetricsF(painter.font(), painter.device()).ascent();
    for (const Glyph& glyph : glyphsOf(bytes)) {
        const double x = x0 + step * (glyph.column / 2) + (glyph.column % 2 ? step / 2 : 0.0);
        painter.drawText(QPointF(x, y + ascent), glyph.text);
    }
}

} // namespace

PageRenderer::PageRenderer(const Document& document, std::string titleGbk)
    : m_document(document), m_title(std::move(titleGbk)) {}

QString PageRenderer::fontFamily() {
    const QStringList installed = QFontDatabase::families();
    const QStringList preferred = {
        QStringLiteral("SimSun"),
        QStringLiteral("宋体"),
        QStringLiteral("NSimSun"),
        QString::fromUtf8(typeface::kCjkFamily),
        QStringLiteral("Noto Serif CJK SC"),
        QStringLiteral("AR PL UMing CN"),
        QStringLiteral("AR PL SungtiL GB"),
        QStringLiteral("WenQuanYi Micro Hei"),
    };
    for (const QString& family : preferred) {
        if (installed.contains(family, Qt::CaseInsensitive)) {
            return family;
        }
    }
    return QStringLiteral("SimSun");
}

QFont PageRenderer::titleFont(ReportKind kind) {
    QFont font(fontFamily());
    font.setPixelSize(layoutOf(kind).print.titleHeight);
    font.setWeight(QFont::Bold);
    return font;
}

QFont PageRenderer::bodyFont() {
    QFont font(fontFamily());
    font.setPixelSize(kBodyHeight);
    font.setWeight(QFont::Normal);
    return font;
}

std::string PageRenderer::fittedTitle(ReportKind kind, const std::string& titleGbk) {
    const PrintGeometry& g = layoutOf(kind).print;
    const double bodyRight = g.bodyX + g.bodyStep * (g.bodyCells - 1) + kBodyHeight;
    const int fitting = static_cast<int>((bodyRight - g.titleX - g.titleHeight) / g.titleStep) + 1;
    const auto bytes =
        static_cast<std::size_t>(2 * std::max({fitting, g.titleCells + 1, kTitleCellsAlways}));
    std::size_t end = 0;
    while (end < titleGbk.size()) {
        const std::size_t next = end + (static_cast<unsigned char>(titleGbk[end]) >= 0x81 ? 2 : 1);
        if (next > bytes) {
            break;
        }
        end = next;
    }
    return titleGbk.substr(0, end);
}

int PageRenderer::titleCells() const {
    // The whole title is drawn, also where it needs more cells than the row is laid out
    // for (the grade timetable's title needs 25 of its 24).
    const int needed = static_cast<int>((m_title.size() + 1) / 2);
    return std::max(layoutOf(m_document.kind).print.titleCells, needed);
}

QSizeF PageRenderer::extent() const {
    const PrintGeometry& g = layoutOf(m_document.kind).print;
    const int lines = layoutOf(m_document.kind).lines;
    const double bodyRight = g.bodyX + g.bodyStep * (g.bodyCells - 1) + kBodyHeight;
    const double titleRight = g.titleX + g.titleStep * (titleCells() - 1) + g.titleHeight;
    const double width = std::max(bodyRight, titleRight) + g.bodyX;
    const double height = g.bodyY + g.lineStep * lines + kBodyHeight;
    return {width, height};
}

QPageLayout::Orientation PageRenderer::orientation() const {
    const QSizeF size = extent();
    return size.width() > size.height() ? QPageLayout::Landscape : QPageLayout::Portrait;
}

void PageRenderer::drawPage(QPainter& painter, const PrintedPage& page) const {
    const PrintGeometry& g = layoutOf(m_document.kind).print;
    painter.save();
    painter.setFont(titleFont(m_document.kind));
    drawRow(painter, m_title, g.titleX, g.titleStep, g.titleY);
    painter.setFont(bodyFont());
    const auto cellBytes = static_cast<std::size_t>(2 * g.bodyCells);
    for (int i = 0; i < page.lines; ++i) {
        const std::string_view line = m_document.line(page.page, i);
        drawRow(painter, line.substr(0, std::min(cellBytes, line.size() - 2)), g.bodyX, g.bodyStep,
                g.bodyY + g.lineStep * i);
    }
    painter.restore();
}

bool PageRenderer::render(QPagedPaintDevice& device) const {
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const QSizeF size = extent();
    const double scale = std::min(device.width() / size.width(), device.height() / size.height());
    painter.scale(scale, scale);
    bool first = true;
    for (const PrintedPage& page : m_document.printed) {
        if (!first) {
            device.newPage();
        }
        first = false;
        drawPage(painter, page);
    }
    return painter.end();
}

} // namespace reports
