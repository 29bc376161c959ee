#include "app/StartUp.h"

#include "app/MainWindow.h"
#include "store/DataSourceRegistration.h"
#include "widgets/TextConvert.h"

#include <QDir>
#include <QFont>
#include <QStringList>

#include <exception>

namespace app {

DataSourceRegistrar defaultRegistrar() {
    return [](const std::string& workingDir) { store::registerDataSource(workingDir); };
}

void installFontSubstitutions() {
    const QStringList cjkSerif = {QStringLiteral("AR PL UMing CN"),
                                  QStringLiteral("Noto Serif CJK SC"),
                                  QStringLiteral("Noto Sans CJK SC")};
    QFont::insertSubstitutions(QStringLiteral("宋体"), cjkSerif);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), cjkSerif);
}

void startUp(MainWindow& window, const DataSourceRegistrar& registrar) {
    window.show();
    const QString workingDir = QDir::currentPath();
    window.setWorkingDirectory(workingDir);
    try {
        registrar(widgets::toStdString(workingDir));
    } catch (const std::exception&) {
        // Not reported at start-up, like a refused registration: the first dialog that
        // opens the database reports the failure.
    }
}

} // namespace app
