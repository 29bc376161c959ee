// Test support of the attendance statistics dialogs: a list's rows as texts, and 表格导出 answered
// in the save dialog with a file.
#pragma once

#include "MenuDialogDriver.h"

#include <QFileDialog>
#include <QPushButton>
#include <QTableWidget>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace statisticstest {

using Rows = std::vector<std::vector<std::string>>;

inline Rows shownRows(const QTableWidget& list) {
    Rows rows;
    for (int r = 0; r < list.rowCount(); ++r) {
        std::vector<std::string> cells;
        for (int c = 0; c < list.columnCount(); ++c) {
            cells.push_back(widgets::toStdString(list.item(r, c)->text()));
        }
        rows.push_back(cells);
    }
    return rows;
}

// Clicks the export button, chooses `file` in the save dialog and returns that dialog's title
// ("" when none came up).
inline std::string exportTo(QPushButton& exportButton, const std::filesystem::path& file) {
    std::string title;
    dialogtest::whileModal<QFileDialog>(
        [&] { exportButton.click(); },
        [&](QFileDialog& chooser) {
            title = widgets::toStdString(chooser.windowTitle());
            chooser.selectFile(QString::fromStdString(file.string()));
            QMetaObject::invokeMethod(&chooser, "accept", Qt::DirectConnection);
        });
    return title;
}

inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace statisticstest
