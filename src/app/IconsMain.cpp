// tavlen-icons OUTDIR SIZE...: writes the program's mark as OUTDIR/SIZE.png for every SIZE,
// in the face the program's windows use. Run at build time (offscreen) to make the installed
// hicolor icons; not installed itself.
#include "app/ShellIcons.h"
#include "core/Typeface.h"

#include <QDir>
#include <QFont>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fputs("usage: tavlen-icons OUTDIR SIZE...\n", stderr);
        return 2;
    }
    // Drawing needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication application(argc, argv);
    QFont font = QGuiApplication::font();
    font.setFamily(QString::fromUtf8(typeface::kCjkFamily));
    QGuiApplication::setFont(font);
    const QDir out(QString::fromLocal8Bit(argv[1]));
    if (!out.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "tavlen-icons: cannot create %s\n", argv[1]);
        return 1;
    }
    for (int i = 2; i < argc; ++i) {
        bool ok = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&ok);
        if (!ok || size < 8 || size > 1024) {
            std::fprintf(stderr, "tavlen-icons: not a size: %s\n", argv[i]);
            return 2;
        }
        const QString file = out.filePath(QString::number(size) + QStringLiteral(".png"));
        if (!app::applicationPixmap(size).save(file, "PNG")) {
            std::fprintf(stderr, "tavlen-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
