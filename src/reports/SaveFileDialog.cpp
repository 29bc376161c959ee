#include "reports/SaveFileDialog.h"

#include <QFileDialog>
#include <QString>
#include <QStringList>

namespace reports {

std::optional<std::filesystem::path> SaveFileDialog::chooseSaveFile(const SaveRequest& request) {
    QFileDialog dialog(m_parent, QString::fromStdString(request.title),
                       QString::fromStdString(request.defaultPath.string()));
    QStringList filters;
    for (const std::string& filter : request.filters) {
        filters.append(QString::fromStdString(filter));
    }
    dialog.setNameFilters(filters);
    if (!filters.isEmpty()) {
        dialog.selectNameFilter(filters.first());
    }
    dialog.setObjectName(QStringLiteral("reportSaveDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QString::fromStdString(request.defaultSuffix));
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    dialog.selectFile(QString::fromStdString(request.defaultPath.string()));
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty()) {
        return std::nullopt;
    }
    return std::filesystem::path(files.first().toStdString());
}

} // namespace reports
