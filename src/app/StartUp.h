// Start-up of the program, kept apart from main() so tests can drive it.
//   installFontSubstitutions(): "宋体"/"SimSun" (the family the reports and dialogs name)
//     resolve to an installed CJK serif font instead of a Latin fallback.
//   startUp(): shows the main window, THEN reads the working directory once and registers
//     the data source there. The registration's result is not examined and nothing is
//     reported: a broken data source shows up as the first dialog's database error.
#pragma once

#include <functional>
#include <string>

namespace app {

class MainWindow;

// Called with the working directory (UTF-8).
using DataSourceRegistrar = std::function<void(const std::string& workingDir)>;

// store::registerDataSource.
DataSourceRegistrar defaultRegistrar();

void installFontSubstitutions();

void startUp(MainWindow& window, const DataSourceRegistrar& registrar);

} // namespace app
