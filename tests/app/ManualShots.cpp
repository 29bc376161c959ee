// tavlen-manual-shots FOLDER: the pictures of the user manual, taken from the demo school so
// they can be remade (scripts/manual-screenshots runs it under Xvfb at 1366 × 768): the start
// screen with a recent list, the main window with its overview after the whole school is
// arranged, 年段课程编排 and 课表发布. Works in a temporary school folder; the user's recent list
// is kept apart by the script's own HOME.
#include "app/CommandTable.h"
#include "app/MainWindow.h"
#include "app/RecentSchools.h"
#include "app/StartScreenDialog.h"
#include "app/StartUp.h"
#include "cli/Command.h"
#include "cli/InitCommand.h"
#include "store/ConnectTarget.h"
#include "widgets/QtMessenger.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>

namespace {

void settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
    }
}

bool save(QWidget& widget, const QString& file) {
    settle();
    if (!widget.grab().save(file)) {
        std::fprintf(stderr, "tavlen-manual-shots: cannot write %s\n", qPrintable(file));
        return false;
    }
    std::printf("%s\n", qPrintable(file));
    return true;
}

// Opens the menu entry's dialog, takes its picture once it shows, and closes it.
bool shootEntry(app::MainWindow& window, const QString& caption, const QString& file) {
    QAction* action = window.entryAction(caption);
    if (action == nullptr) {
        std::fprintf(stderr, "tavlen-manual-shots: no entry %s\n", qPrintable(caption));
        return false;
    }
    bool saved = false;
    QTimer::singleShot(500, [&] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            saved = save(*dialog, file);
            dialog->close();
        }
    });
    action->trigger();
    return saved;
}

int run(const QString& out) {
    QTemporaryDir work;
    const std::string school = QDir(work.path()).filePath(QStringLiteral("育才中学")).toStdString();
    std::ostringstream said;
    if (cli::initSchool(school, true, said, said) != 0) {
        std::cerr << said.str();
        return 1;
    }
    QDir::setCurrent(QString::fromStdString(school));
    store::useDatabaseFile(school + "/tavlen/tavlen.mdb", "tavlen/tavlen.mdb");
    std::ostringstream arranged;
    if (cli::dispatch({"tavlen-cli", "arrange", "all", "--optimise", "--save"}, arranged,
                      arranged) != 0) {
        std::cerr << arranged.str();
        return 1;
    }

    app::RecentSchools recent;
    recent.add(QDir(work.path()).filePath(QStringLiteral("实验中学")).toStdString()); // gone
    recent.add(school);
    widgets::QtMessenger messenger(nullptr);
    app::StartScreen screen(messenger, [](const std::string&) { return std::string(); });
    app::StartScreenDialog start(screen);
    start.show();
    bool ok = save(start, out + QStringLiteral("/start-screen.png"));
    start.close();

    app::MainWindow window(app::commandTable());
    window.resize(1366, 768);
    app::startUp(window, [&](const std::string&) {
        store::useDatabaseFile(school + "/tavlen/tavlen.mdb", "tavlen/tavlen.mdb");
    });
    ok = save(window, out + QStringLiteral("/overview.png")) && ok;
    ok = shootEntry(window, QStringLiteral("年段课程编排"),
                    out + QStringLiteral("/gradelesson.png")) &&
         ok;
    ok = shootEntry(window, QStringLiteral("课表发布"), out + QStringLiteral("/publish.png")) && ok;
    window.close();
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "用法: tavlen-manual-shots 文件夹\n");
        return 2;
    }
    QApplication application(argc, argv);
    app::installFonts();
    app::installTranslations();
    return run(QDir(QString::fromLocal8Bit(argv[1])).absolutePath());
}
