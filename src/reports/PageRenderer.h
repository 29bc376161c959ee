// Draws the printed pages of a report document on a paged device: the default printer's
// QPrinter or a QPdfWriter, through the same code.
//
// Each page gets the title row and the page's lines, each drawn one two-byte cell at a
// time at its place in the report's print geometry: a GBK character or two single-byte
// characters fill one cell; zero bytes draw nothing. The whole geometry is scaled to the
// device's printable area with its proportions kept, and the orientation is chosen to suit
// it. Fonts: 宋体 (SimSun) when installed, otherwise the program's typeface
// (typeface::kCjkFamily, whose class numbers ⑴ … ⒇ are full height), otherwise another
// installed CJK face.
#pragma once

#include "reports/Document.h"

#include <QFont>
#include <QPageLayout>
#include <QSizeF>
#include <string>

class QPagedPaintDevice;
class QPainter;

namespace reports {

class PageRenderer {
public:
    // titleGbk: the title in GBK bytes.
    PageRenderer(const Document& document, std::string titleGbk);

    // The extent of the geometry: the area the pages are scaled from.
    QSizeF extent() const;
    QPageLayout::Orientation orientation() const;

    // Starts painting on the device (for a printer: starts the job), draws every printed
    // page and ends. False when painting could not start; nothing is drawn then.
    bool render(QPagedPaintDevice& device) const;

    // The face used for printing: SimSun/宋体 when installed, else typeface::kCjkFamily, else
    // another installed CJK face.
    static QString fontFamily();
    static QFont titleFont(ReportKind kind);
    static QFont bodyFont();

    // The title (GBK) cut at a character boundary to the cells the page holds: as wide as
    // the body, and never fewer than 30 characters nor than one more than the row is laid
    // out for. A title that fits
    // is returned as it is.
    static std::string fittedTitle(ReportKind kind, const std::string& titleGbk);

private:
    void drawPage(QPainter& painter, const PrintedPage& page) const;
    int titleCells() const;

    const Document& m_document;
    std::string m_title;
};

} // namespace reports
