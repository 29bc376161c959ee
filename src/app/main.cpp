// The tavlen program: the main window with the menus of every command, then the data
// source "TAVLEN" pointed at ./tavlen/tavlen.mdb under the directory it was started from.
#include "app/CommandTable.h"
#include "app/MainWindow.h"
#include "app/ProductInfo.h"
#include "app/ShellIcons.h"
#include "app/StartUp.h"
#include "widgets/QtMessenger.h"

#include <QApplication>

#include <cstdio>
#include <cstring>

int main(int argc, char* argv[]) {
    // --help and --version answer before any display is opened (help2man reads them while
    // the package is built).
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("tavlen %s\n", app::kProductVersion);
        return 0;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::printf("用法: tavlen [选项]\n"
                    "中学排课管理: 课程设置、年段课程编排、任课教师管理、早晚督修与教师出勤统计。\n"
                    "在当前文件夹的 tavlen/tavlen.mdb 中工作 (用 tavlen-cli init 创建)。\n\n"
                    "选项:\n"
                    "  -h, --help     显示本帮助并退出\n"
                    "      --version  显示版本并退出\n");
        return 0;
    }
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
