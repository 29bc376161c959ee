#include "attendance/AttendancetermDialog.h"

#include "reports/ReportTitles.h"

namespace attendance {

AttendancetermDialog::AttendancetermDialog(QWidget* parent)
    : WorkloadTableDialog(kTitle, reports::ReportKind::Term, parent),
      m_workload(readWorkload(kTermWeeks)) {
    showWorkload(m_workload);
}

std::string AttendancetermDialog::printTitle() const {
    return reports::termTitle();
}

} // namespace attendance
