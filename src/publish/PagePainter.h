// Draws published pages (Page.h) on a painter: the one layout of the PDF, of printing and of
// the week windows' 打印. Qt Gui only.
//
// A page fills the rect it is given: the title centred on top, the table under it with its
// column groups over the column heads and its row groups (上午 / 下午) beside the row heads,
// the notes under the table. Every cell is bordered and its lines are centred. Sizes follow
// the rect and the page's shape: a week fills an A4 portrait page in a large type, an
// overview of 20 classes × 35 periods fits A4 landscape in a small one. A text too wide for
// its cell is drawn smaller (down to three quarters), and what still does not fit is elided,
// so no text ever reaches into a neighbouring cell. The face is typeface::kCjkFamily.
//
// paintPages() draws a series on a paged device. A PDF file (QPdfWriter) turns each sheet to
// its page's orientation (Page::landscape); a printer and its preview keep the first page's
// orientation for the whole job (the paper in the tray is one), and a page of the other
// orientation is drawn turned a quarter on its sheet.
#pragma once

#include "publish/Page.h"
#include "publish/Progress.h"

#include <QFont>
#include <QRectF>
#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace publish {

class PagePainter {
public:
    // Draws one page within rect, in the painter's device coordinates.
    static void paint(QPainter& painter, const Page& page, const QRectF& rect);

    // Begins painting on the device, draws every page on a page of its own, each turned to its
    // orientation, and ends. progress is told after each page; when it asks to stop, painting
    // ends and Cancelled is thrown. False when painting could not begin (nothing is drawn).
    static bool paintPages(QPagedPaintDevice& device, const std::vector<Page>& pages,
                           const Progress& progress = {});

    // The face of every published page, at a size in points.
    static QFont font(double pointSize, bool bold = false);
};

} // namespace publish
