#include "maintain/GTBrowse.h"

#include "core/SchoolNames.h"

namespace maintain {

std::vector<std::string> GTBrowse::grades() {
    return {school::kGradeNames.begin(), school::kGradeNames.end()};
}

void GTBrowse::chooseGrade(int grade) {
    m_teachers.reset();
    if (grade >= 0 && grade < school::kGrades) {
        m_teachers = readGradeTeachers(grade);
    }
}

std::vector<std::string> GTBrowse::headings() const {
    return reportTable().grid.front();
}

std::vector<std::vector<std::string>> GTBrowse::rows() const {
    std::vector<std::vector<std::string>> grid = reportTable().grid;
    grid.erase(grid.begin());
    return grid;
}

bool GTBrowse::prepareReport() {
    if (!m_teachers) {
        m_messenger.info(kNoGrade);
        return false;
    }
    if (const std::string omitted = omittedText(*m_teachers); !omitted.empty()) {
        m_messenger.info(omitted);
    }
    return true;
}

reports::ReportTable GTBrowse::reportTable() const {
    return teacherListTable(m_teachers.value_or(GradeTeachers{}));
}

std::string GTBrowse::printTitle() const {
    return m_teachers ? teacherListPrintTitle(m_teachers->grade) : std::string();
}

} // namespace maintain
