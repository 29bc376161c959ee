// Icons the shell draws itself, so the program needs no image files: the window icon and
// the tool-bar buttons show one character on a coloured square.
#pragma once

#include <QColor>
#include <QIcon>
#include <QString>

namespace app {

QIcon glyphIcon(const QString& glyph, const QColor& background);

QIcon applicationIcon();

} // namespace app
