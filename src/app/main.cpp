// The tavlen program: the main window with the menus of every command, then the data
// source "TAVLEN" pointed at ./tavlen/tavlen.mdb under the directory it was started from.
#include "app/CommandTable.h"
#include "app/MainWindow.h"
#include "app/ProductInfo.h"
#include "app/ShellIcons.h"
#include "app/StartUp.h"
#include "widgets/QtMessenger.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(widgets::kMessageCaption));
    QApplication::setApplicationVersion(QString::fromUtf8(app::kProductVersion));
    QApplication::setWindowIcon(app::applicationIcon());
    app::installFonts();
    app::installTranslations();

    app::MainWindow window(app::commandTable());
    app::startUp(window, app::defaultRegistrar());
    return QApplication::exec();
}
