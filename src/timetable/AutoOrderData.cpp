#include "timetable/AutoOrderData.h"

#include "core/Gbk.h"

#include <cstddef>

namespace timetable {
namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

} // namespace

bool namesTeacher(std::string_view teacher) {
    return !gbk::isBlank(teacher) && teacher.front() != ' ';
}

AutoOrderData::AutoOrderData() {
    for (int g = 0; g < school::kGrades; ++g) {
        for (int c = 0; c < school::kMaxClasses; ++c) {
            classList(g, c).className = school::className(g, c + 1);
        }
    }
}

const ClassCourseList& AutoOrderData::classList(int grade, int classIndex) const {
    return classes[at(grade)][at(classIndex)];
}

ClassCourseList& AutoOrderData::classList(int grade, int classIndex) {
    return classes[at(grade)][at(classIndex)];
}

void AutoOrderData::addCourseshare(std::string course, int share) {
    if (resources.size() >= static_cast<std::size_t>(kResources)) {
        return;
    }
    resources.push_back({std::move(course), share >= 1 && share <= 29 ? share : 0});
}

bool AutoOrderData::addClasscourse(std::string_view className, std::string course,
                                   std::string teacher, int weekly) {
    const auto id = school::parseClassName(className);
    if (!id) {
        return false;
    }
    for (CourseEntry& entry : classList(id->gradeIndex, id->classNumber - 1).entries) {
        if (gbk::isBlank(entry.course)) {
            entry = {std::move(course), std::move(teacher), weekly};
            break;
        }
    }
    return true;
}

void AutoOrderData::cleanUp() {
    for (auto& grade : classes) {
        for (ClassCourseList& list : grade) {
            if (gbk::isBlank(list.entries[0].course)) {
                list.className.clear();
            }
            for (CourseEntry& entry : list.entries) {
                if (entry.weekly == 0) {
                    entry.teacher.clear();
                }
            }
        }
    }
}

void AutoOrderData::addPreset(std::string teacher, std::string mask) {
    if (presets.size() < static_cast<std::size_t>(kPresets)) {
        presets.push_back({std::move(teacher), std::move(mask)});
    }
}

void AutoOrderData::addCourseproperty(std::string_view grade, std::string course, int property) {
    const auto g = school::gradeIndex(grade);
    if (property != 1 || !g) {
        return;
    }
    for (std::string& slot : examCourses[at(*g)]) {
        if (slot.empty()) {
            slot = std::move(course);
            return;
        }
    }
}

void AutoOrderData::addSamelesson(std::string grade, int day, int period, std::string course) {
    sameLessons.push_back({std::move(grade), day, period, std::move(course)});
}

} // namespace timetable
