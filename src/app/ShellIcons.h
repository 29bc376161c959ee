// Icons the shell draws itself, so the program needs no image files: the window icon and
// the tool-bar buttons show one character on a coloured square. The program's mark at one
// size, drawn the same way, also makes the installed icons (tavlen-icons, at build time).
// Qt Gui alone: the icon tool links this without the shell.
#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace app {

QIcon glyphIcon(const QString& glyph, const QColor& background);

QIcon applicationIcon();

// The mark as a size × size picture (a transparent corner, the rounded square, the glyph).
QPixmap applicationPixmap(int size);

} // namespace app
