#include "publish/PagePainter.h"

#include "core/Typeface.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace publish {
namespace {

// A text wider than its cell is drawn down to this share of the cell's size, then elided.
constexpr double kMinShrink = 0.75;
// The pitch of the lines in a cell and the room above and below them, in ems.
constexpr double kLinePitch = 1.25;
constexpr double kCellRoom = 0.6;
// A heading row is one line high.
constexpr double kHeadRow = 1.8;
// Below this size the cells are planned for two characters and longer texts shrink or elide.
constexpr double kLegible = 7.0;

QString qt(const std::string& text) {
    return QString::fromStdString(text);
}

// The widest of the texts in ems of the page's face; reference measures at emSize device
// units to the em.
double widestEm(const std::vector<std::string>& texts, const QFontMetricsF& reference,
                double emSize) {
    double widest = 0;
    for (const std::string& text : texts) {
        widest = std::max(widest, reference.horizontalAdvance(qt(text)) / emSize);
    }
    return widest;
}

// The page's boxes: the column and row edges of the table, the title above, the notes below.
struct Layout {
    double scale = 1;     // device units per point
    double bodySize = 10; // points
    double titleSize = 16;
    double notesSize = 9;
    int groupColumns = 0; // 1 when the rows are grouped
    int groupRows = 0;    // 1 when the columns are grouped
    std::vector<double> x;
    std::vector<double> y;
    QRectF title;
    QRectF notes;

    int firstDataColumn() const { return groupColumns + 1; }
    int firstDataRow() const { return groupRows + 1; }
    QRectF box(int column, int row, int columns = 1, int rows = 1) const {
        const auto at = [](const std::vector<double>& edges, int i) {
            return edges[static_cast<std::size_t>(i)];
        };
        return QRectF(QPointF(at(x, column), at(y, row)),
                      QPointF(at(x, column + columns), at(y, row + rows)));
    }
};

Layout layOut(const QPainter& painter, const Page& page, const QRectF& rect) {
    Layout layout;
    QPaintDevice* device = painter.device();
    const double k = device->logicalDpiY() / 72.0;
    layout.scale = k;
    const bool wide = rect.width() > rect.height();
    layout.groupColumns = page.rowGroups.empty() ? 0 : 1;
    layout.groupRows = page.columnGroups.empty() ? 0 : 1;
    const int rows = std::max<int>(1, static_cast<int>(page.rowHeads.size()));
    const int columns = std::max<int>(1, static_cast<int>(page.columnHeads.size()));

    layout.titleSize = wide ? 16 : 20;
    layout.notesSize = wide ? 8 : 10;
    const double titleHeight = layout.titleSize * k * 2.0;
    const double notesHeight =
        page.notes.empty()
            ? 0.0
            : (static_cast<double>(page.notes.size()) * 1.5 + 0.5) * layout.notesSize * k;
    layout.title = QRectF(rect.left(), rect.top(), rect.width(), titleHeight);
    layout.notes = QRectF(rect.left(), rect.bottom() - notesHeight, rect.width(), notesHeight);
    const double tableHeight = rect.height() - titleHeight - notesHeight;

    // the widths in ems of what the columns hold, measured once in the page's face
    constexpr double kReference = 10.0;
    const QFontMetricsF reference(PagePainter::font(kReference), device);
    const double em = kReference * k;
    std::size_t lines = 1;
    std::vector<std::string> cellTexts;
    for (const auto& row : page.cells) {
        for (const Lines& cell : row) {
            lines = std::max(lines, cell.size());
            cellTexts.insert(cellTexts.end(), cell.begin(), cell.end());
        }
    }
    std::vector<std::string> headTexts{page.corner};
    for (const Lines& head : page.rowHeads) {
        lines = std::max(lines, head.size());
        headTexts.insert(headTexts.end(), head.begin(), head.end());
    }
    std::vector<std::string> groupTexts;
    for (const Span& group : page.rowGroups) {
        groupTexts.push_back(group.text);
    }
    const double cellEm = std::max(1.0, widestEm(cellTexts, reference, em));
    const double columnHeadEm = widestEm(page.columnHeads, reference, em);
    const double headEm = std::max(2.0, widestEm(headTexts, reference, em)) + 1.0;
    const double groupEm =
        groupTexts.empty() ? 0.0 : std::min(3.0, widestEm(groupTexts, reference, em)) + 1.0;

    // the body size: every row's lines fit, and the cells hold their widest text (or, where
    // that would be too small, two characters, the rest shrinking)
    const double headRows = (layout.groupRows + 1) * kHeadRow;
    const double byHeight =
        tableHeight /
        (k * (rows * (static_cast<double>(lines) * kLinePitch + kCellRoom) + headRows));
    const auto byWidth = [&](double planned) {
        return rect.width() / (k * (columns * (planned + kCellRoom) + headEm + groupEm));
    };
    const double preferred = wide ? 10.0 : 14.0;
    double size =
        std::min({preferred, byHeight, byWidth(std::min(std::max(cellEm, columnHeadEm), 4.0))});
    if (size < kLegible) {
        size = std::min({preferred, byHeight, std::max(size, byWidth(std::min(cellEm, 2.0)))});
    }
    layout.bodySize = std::max(size, 4.0);

    // columns: the row groups, the row heads (at most three tenths), the data sharing the rest
    const double s = layout.bodySize * k;
    const double groupWidth = groupEm * s;
    const double headWidth = std::min(headEm * s, rect.width() * 0.3);
    const double dataWidth = (rect.width() - groupWidth - headWidth) / columns;
    layout.x.push_back(rect.left());
    if (layout.groupColumns) {
        layout.x.push_back(layout.x.back() + groupWidth);
    }
    layout.x.push_back(layout.x.back() + headWidth);
    for (int c = 0; c < columns; ++c) {
        layout.x.push_back(layout.x.back() + dataWidth);
    }
    const double headHeight = kHeadRow * s;
    const double rowHeight = (tableHeight - headRows * s) / rows;
    layout.y.push_back(layout.title.bottom());
    for (int r = 0; r < layout.groupRows + 1; ++r) {
        layout.y.push_back(layout.y.back() + headHeight);
    }
    for (int r = 0; r < rows; ++r) {
        layout.y.push_back(layout.y.back() + rowHeight);
    }
    return layout;
}

// Draws lines centred in the box; a line too wide for it shrinks, then is elided; lines
// more than the box holds shrink together.
void drawLines(QPainter& painter, const QRectF& box, const Lines& lines, const QFont& font,
               double scale) {
    if (lines.empty()) {
        return;
    }
    const double size = font.pointSizeF();
    double em = size * scale;
    double pitch = kLinePitch * em;
    const double fill = pitch * static_cast<double>(lines.size()) + kCellRoom * em * 0.5;
    QFont base = font;
    if (fill > box.height()) {
        const double factor = box.height() / fill;
        base.setPointSizeF(size * factor);
        em *= factor;
        pitch *= factor;
    }
    const double room = std::max(0.0, box.width() - 0.4 * em);
    const QFontMetricsF baseMetrics(base, painter.device());
    const double top = box.center().y() - pitch * static_cast<double>(lines.size()) / 2;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        QString text = qt(lines[i]);
        QFont drawn = base;
        QFontMetricsF metrics = baseMetrics;
        double width = metrics.horizontalAdvance(text);
        if (width > room) {
            drawn.setPointSizeF(base.pointSizeF() * std::max(kMinShrink, room / width));
            metrics = QFontMetricsF(drawn, painter.device());
            width = metrics.horizontalAdvance(text);
            if (width > room) {
                text = metrics.elidedText(text, Qt::ElideRight, room);
                width = metrics.horizontalAdvance(text);
            }
        }
        const double centre = top + pitch * (static_cast<double>(i) + 0.5);
        painter.setFont(drawn);
        painter.drawText(QPointF(box.center().x() - width / 2,
                                 centre + (metrics.ascent() - metrics.descent()) / 2),
                         text);
    }
}

void drawCell(QPainter& painter, const QRectF& box, const Lines& lines, const QFont& font,
              double scale) {
    painter.drawRect(box);
    drawLines(painter, box, lines, font, scale);
}

// Which heads a series of spans covers; spans reaching past the heads are cut off there.
std::vector<bool> covered(const std::vector<Span>& spans, int heads) {
    std::vector<bool> result(static_cast<std::size_t>(heads), false);
    for (const Span& span : spans) {
        for (int i = std::max(0, span.first); i < std::min(heads, span.first + span.count); ++i) {
            result[static_cast<std::size_t>(i)] = true;
        }
    }
    return result;
}

} // namespace

QFont PagePainter::font(double pointSize, bool bold) {
    QFont face(QString::fromUtf8(typeface::kCjkFamily));
    face.setPointSizeF(pointSize);
    face.setBold(bold);
    return face;
}

void PagePainter::paint(QPainter& painter, const Page& page, const QRectF& rect) {
    const Layout layout = layOut(painter, page, rect);
    const double k = layout.scale;
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(Qt::black);

    // the title, shrunk to the page's width
    QFont title = font(layout.titleSize, true);
    const double titleWidth =
        QFontMetricsF(title, painter.device()).horizontalAdvance(qt(page.title));
    if (titleWidth > rect.width()) {
        title.setPointSizeF(std::max(4.0, layout.titleSize * rect.width() / titleWidth));
    }
    drawLines(painter, layout.title, {page.title}, title, k);

    painter.setPen(QPen(Qt::black, 0.6 * k));
    const QFont body = font(layout.bodySize);
    const QFont heading = font(layout.bodySize, true);
    const int rows = static_cast<int>(page.rowHeads.size());
    const int columns = static_cast<int>(page.columnHeads.size());
    const int c0 = layout.firstDataColumn();
    const int r0 = layout.firstDataRow();

    drawCell(painter, layout.box(0, 0, c0, r0), page.corner.empty() ? Lines{} : Lines{page.corner},
             heading, k);
    // column groups over the heads; a head no group covers reaches up into the group row
    const std::vector<bool> columnCovered = covered(page.columnGroups, columns);
    for (const Span& group : page.columnGroups) {
        const int first = std::max(0, group.first);
        const int count = std::min(columns, group.first + group.count) - first;
        if (count > 0) {
            drawCell(painter, layout.box(c0 + first, 0, count, 1), {group.text}, heading, k);
        }
    }
    for (int c = 0; c < columns; ++c) {
        const bool up = layout.groupRows && !columnCovered[static_cast<std::size_t>(c)];
        drawCell(painter, layout.box(c0 + c, up ? 0 : layout.groupRows, 1, up ? 2 : 1),
                 {page.columnHeads[static_cast<std::size_t>(c)]}, heading, k);
    }
    // row groups beside the heads; a head no group covers reaches into the group column
    const std::vector<bool> rowCovered = covered(page.rowGroups, rows);
    for (const Span& group : page.rowGroups) {
        const int first = std::max(0, group.first);
        const int count = std::min(rows, group.first + group.count) - first;
        if (count > 0) {
            drawCell(painter, layout.box(0, r0 + first, 1, count), {group.text}, heading, k);
        }
    }
    for (int r = 0; r < rows; ++r) {
        const auto row = static_cast<std::size_t>(r);
        const bool left = layout.groupColumns && !rowCovered[row];
        drawCell(painter, layout.box(left ? 0 : layout.groupColumns, r0 + r, left ? 2 : 1, 1),
                 page.rowHeads[row], body, k);
        for (int c = 0; c < columns; ++c) {
            const auto column = static_cast<std::size_t>(c);
            const Lines none;
            const Lines& cell = row < page.cells.size() && column < page.cells[row].size()
                                    ? page.cells[row][column]
                                    : none;
            drawCell(painter, layout.box(c0 + c, r0 + r), cell, body, k);
        }
    }
    // the frame
    painter.setPen(QPen(Qt::black, 1.2 * k));
    painter.drawRect(QRectF(QPointF(layout.x.front(), layout.y.front()),
                            QPointF(layout.x.back(), layout.y.back())));

    // the notes, left aligned under the table
    const QFont notes = font(layout.notesSize);
    painter.setFont(notes);
    const QFontMetricsF metrics(notes, painter.device());
    const double pitch = layout.notesSize * k * 1.5;
    double centre = layout.notes.top() + layout.notesSize * k * 0.5 + pitch / 2;
    for (const std::string& note : page.notes) {
        painter.drawText(
            QPointF(layout.notes.left(), centre + (metrics.ascent() - metrics.descent()) / 2),
            metrics.elidedText(qt(note), Qt::ElideRight, layout.notes.width()));
        centre += pitch;
    }
    painter.restore();
}

bool PagePainter::paintPages(QPagedPaintDevice& device, const std::vector<Page>& pages,
                             const Progress& progress) {
    const auto orientation = [](const Page& page) {
        return page.landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
    };
    // Only a PDF file turns its sheets page by page; a printer (and its preview, which takes a
    // change midway one page late) keeps the first page's orientation for the whole job.
    const bool turnsSheets = dynamic_cast<QPdfWriter*>(&device) != nullptr;
    if (!pages.empty()) {
        device.setPageOrientation(orientation(pages.front()));
    }
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const int total = static_cast<int>(pages.size());
    for (int i = 0; i < total; ++i) {
        const Page& page = pages[static_cast<std::size_t>(i)];
        if (i > 0) {
            if (turnsSheets) {
                device.setPageOrientation(orientation(page));
            }
            device.newPage();
        }
        const QRectF sheet(0, 0, device.width(), device.height());
        if (device.pageLayout().orientation() == orientation(page)) {
            paint(painter, page, sheet);
        } else {
            // the page turned a quarter onto the sheet there is
            painter.save();
            painter.translate(sheet.width(), 0);
            painter.rotate(90);
            paint(painter, page, QRectF(0, 0, sheet.height(), sheet.width()));
            painter.restore();
        }
        if (!progress.report(i + 1, total)) {
            painter.end();
            throw Cancelled();
        }
    }
    painter.end();
    return true;
}

} // namespace publish
