#include "app/StartUp.h"

#include "app/MainWindow.h"
#include "core/Typeface.h"
#include "store/DataSourceRegistration.h"
#include "widgets/TextConvert.h"

#include <QApplication>
#include <QDir>
#include <QFont>
#include <QLibraryInfo>
#include <QStringList>
#include <QTranslator>

#include <exception>

namespace app {

DataSourceRegistrar defaultRegistrar() {
    return [](const std::string& workingDir) { store::registerForThisRun(workingDir); };
}

void installFonts() {
    QFont font = QApplication::font();
    font.setFamily(QString::fromUtf8(typeface::kCjkFamily));
    QApplication::setFont(font);

    const QStringList cjkSerif = {QStringLiteral("AR PL UMing CN"),
                                  QStringLiteral("Noto Serif CJK SC"),
                                  QStringLiteral("Noto Sans CJK SC")};
    QFont::insertSubstitutions(QStringLiteral("宋体"), cjkSerif);
    QFont::insertSubstitutions(QStringLiteral("SimSun"), cjkSerif);
}

QTranslator* installTranslations() {
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator)) {
        delete translator;
        return nullptr;
    }
    return translator;
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
    window.refreshOverview();
}

} // namespace app
