// The save-file dialog of "表格导出" on QFileDialog: the report's title and default file,
// the request's filters (the first chosen), "txt" appended to a name typed without extension, and a
// question before an existing file is overwritten.
#pragma once

#include "reports/ReportExport.h"

class QWidget;

namespace reports {

class SaveFileDialog : public SaveFileChooser {
public:
    // parent may be null; it must outlive the chooser.
    explicit SaveFileDialog(QWidget* parent = nullptr) : m_parent(parent) {}

    std::optional<std::filesystem::path> chooseSaveFile(const SaveRequest& request) override;

private:
    QWidget* m_parent;
};

} // namespace reports
