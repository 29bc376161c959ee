#include "app/ShellIcons.h"

#include <QFont>
#include <QPainter>
#include <QPixmap>

namespace app {
namespace {

QPixmap glyphPixmap(const QString& glyph, const QColor& background, int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(background);
    const qreal radius = size / 6.0;
    painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), radius, radius);
    QFont font;
    font.setPixelSize(size * 5 / 8);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect(0, 0, size, size), Qt::AlignCenter, glyph);
    return pixmap;
}

// The program's mark: 课 on the tool bar's blue.
const QString& markGlyph() {
    static const QString glyph = QStringLiteral("课");
    return glyph;
}
const QColor kMarkColour(0x1f, 0x5f, 0x99);

} // namespace

QIcon glyphIcon(const QString& glyph, const QColor& background) {
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) {
        icon.addPixmap(glyphPixmap(glyph, background, size));
    }
    return icon;
}

QIcon applicationIcon() {
    return glyphIcon(markGlyph(), kMarkColour);
}

QPixmap applicationPixmap(int size) {
    return glyphPixmap(markGlyph(), kMarkColour, size);
}

} // namespace app
