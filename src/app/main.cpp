// The tavlen program: in the school folder given (else the current folder, else the start
// screen's choice), the main window with the menus of every command, then the data source
// "TAVLEN" pointed at ./tavlen/tavlen.mdb there. Choosing another school in the window starts
// the program again in that folder once this one has let go of its school.
#include "app/CommandTable.h"
#include "app/MainWindow.h"
#include "app/ProductInfo.h"
#include "app/SchoolEntry.h"
#include "app/ShellIcons.h"
#include "app/StartScreenDialog.h"
#include "app/StartUp.h"
#include "widgets/QtMessenger.h"

#include <QApplication>
#include <QProcess>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>

int main(int argc, char* argv[]) {
    // --help and --version answer before any display is opened (help2man reads them while
    // the package is built).
    if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
        std::printf("tavlen %s\n", app::kProductVersion);
        return 0;
    }
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::printf(
            "用法: tavlen [选项] [文件夹]\n"
            "中学排课管理: 课程设置、年段课程编排、任课教师管理、早晚督修与教师出勤统计。\n"
            "在学校文件夹 (默认为当前文件夹) 的 tavlen/tavlen.mdb 中工作; 文件夹中没有学校时,\n"
            "启动画面可新建学校、打开学校或选择最近的学校。\n\n"
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

    widgets::QtMessenger messenger(nullptr);
    app::SchoolEntry school = app::enterSchool(
        QCoreApplication::arguments().mid(1), messenger, [&]() -> std::optional<std::string> {
            app::StartScreen screen(messenger, app::dialogFolderChooser(nullptr));
            app::StartScreenDialog dialog(screen);
            if (dialog.exec() != QDialog::Accepted) {
                return std::nullopt;
            }
            return screen.chosen();
        });
    if (!school.run) {
        return school.exitCode;
    }
    QString next;
    int code = 0;
    {
        app::MainWindow window(app::commandTable());
        app::startUp(window, app::defaultRegistrar());
        code = QApplication::exec();
        next = window.nextSchool();
    }
    school.lock.reset();
    if (!next.isEmpty()) {
        QProcess::startDetached(QCoreApplication::applicationFilePath(), {next});
    }
    return code;
}
