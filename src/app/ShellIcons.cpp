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

} // namespace

QIcon glyphIcon(const QString& glyph, const QColor& background) {
    QIcon icon;
    for (const int size : {16, 24, 32, 48}) {
        icon.addPixmap(glyphPixmap(glyph, background, size));
    }
    return icon;
}

QIcon applicationIcon() {
    return glyphIcon(QStringLiteral("课"), QColor(0x1f, 0x5f, 0x99));
}

} // namespace app
