// Start-up of the program, kept apart from main() so tests can drive it.
//   installFonts(): every window's text in typeface::kCjkFamily, at the platform's size (so the
//     class numbers ⑴ … ⒇ are legible); "宋体"/"SimSun" resolve to an installed CJK serif
//     font instead of a Latin fallback.
//   installTranslations(): Qt's own Chinese texts (qtbase_zh_CN from Qt's translations folder,
//     Debian package qt6-translations-l10n), so the standard dialogs read 保存/取消/文件名; the
//     translator belongs to the application. Without the file the dialogs stay in English.
//   startUp(): shows the main window, THEN reads the working directory once and registers
//     the data source there; from then on the process works on the database file it
//     registered, whatever a later start elsewhere does to the data source. The
//     registration's result is not examined and nothing is reported: a missing or broken
//     database shows up as the first dialog's database error (and in the overview, which is
//     read once the data source is registered).
#pragma once

#include <functional>
#include <string>

class QTranslator;

namespace app {

class MainWindow;

// Called with the working directory (UTF-8).
using DataSourceRegistrar = std::function<void(const std::string& workingDir)>;

// store::registerForThisRun.
DataSourceRegistrar defaultRegistrar();

void installFonts();

// The installed translator, or null when Qt's Chinese translation is not there.
QTranslator* installTranslations();

void startUp(MainWindow& window, const DataSourceRegistrar& registrar);

} // namespace app
