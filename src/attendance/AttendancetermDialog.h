// AttendancetermDialog ("教师学期工作量统计表"): the workload list of the whole term, school weeks
// 1 to 25, counted as the dialog opens (a store::DbError propagates to the command loop), with
// no boxes of its own. An empty attendance table gives zero counts without a message. Its
// export and print write the "months" document as the term report (print title "工作量情况").
#pragma once

#include "attendance/WorkloadTableDialog.h"

namespace attendance {

class AttendancetermDialog : public WorkloadTableDialog {
    Q_OBJECT
public:
    static constexpr const char* kTitle = "教师学期工作量统计表";

    explicit AttendancetermDialog(QWidget* parent = nullptr);

    const Workload& workload() const { return m_workload; }

protected:
    reports::ReportTable reportTable() const override { return workloadTable(m_workload); }
    std::string printTitle() const override;

private:
    Workload m_workload;
};

} // namespace attendance
