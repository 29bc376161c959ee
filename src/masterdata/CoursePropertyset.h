// CoursePropertyset: whether a course is an examination course (考试科, 1) or an assessed
// course without examination (考查科, 0) in a grade; 3 = not set (table [courseproperty],
// one row per grade and course). The logic behind the dialog "课程性质设置": a grade
// selector and twenty pairs of a course and its property.
//
// load() reads the course names; when there are none, startMessage() holds the message the
// dialog shows before it opens anyway (a course may still be typed). Choosing a grade
// reads its first twenty rows into the pairs; pairs changed since they were read or saved
// are given up only after the user agrees (kDiscardQuestion), 否 keeping the grade and the
// pairs. The dialog copies its controls in with setPair() before a grade is chosen and before
// a save: the property arrives as the property selector's
// text, and a selector showing nothing keeps the pair's loaded property (3 when none was
// loaded). save() replaces the grade's rows (other grades stay) by the pairs whose course
// has 4 bytes or more, in one transaction; without a chosen grade it is refused with a
// message. Text is UTF-8; load(), chooseGrade() and save() may throw store::DbError.
#pragma once

#include "core/Messenger.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace masterdata {

class CoursePropertyset {
public:
    static constexpr std::size_t kMaxCourses = 20;
    static constexpr int kPairs = 20;

    static constexpr int kExamination = 1;
    static constexpr int kAssessed = 0;
    static constexpr int kNotSet = 3;
    static constexpr const char* kExaminationName = "考试科";
    static constexpr const char* kAssessedName = "考查科";

    static constexpr const char* kTitle = "课程性质设置";
    static constexpr const char* kNoCourses = "请设置学科课程的名称!";
    static constexpr const char* kNoGrade = "请先选择年段!";
    static constexpr const char* kDiscardQuestion = "课程性质已修改，放弃未存盘的修改吗？";

    struct Pair {
        std::string course;
        int property = kNotSet;
        friend bool operator==(const Pair&, const Pair&) = default;
    };

    explicit CoursePropertyset(ui::Messenger& messenger) : m_messenger(messenger) {}

    void load();
    // Shown before the dialog opens; empty when there is nothing to say.
    const std::string& startMessage() const { return m_startMessage; }

    // The entries of every course selector, in table order.
    const std::vector<std::string>& courses() const { return m_courses; }
    // The entries of every property selector, in the sorted order of the list.
    static std::vector<std::string> propertyChoices();
    // The grade selector's entries: the six grades in their fixed order.
    static std::vector<std::string> gradeChoices();

    // Makes grade index 0 … 5 the selected grade and reads its rows; any other index
    // chooses no grade.
    // False when the user kept unsaved pairs: nothing changed.
    bool chooseGrade(int gradeIndex);
    // The chosen grade's index, or -1.
    int gradeIndex() const;
    bool modified() const { return m_pairs != m_savedPairs; }
    bool hasGrade() const { return !m_grade.empty(); }
    const std::string& grade() const { return m_grade; }

    // Pair k (0 … 19, left to right, then top to bottom).
    const Pair& pair(int k) const { return m_pairs.at(static_cast<std::size_t>(k)); }
    // What pair k's property selector shows: "考试科", "考查科", or empty.
    std::string propertyText(int k) const;
    void setPair(int k, const std::string& course, const std::string& propertyText);

    // Replaces the selected grade's rows. False (told to the user) without a grade.
    bool save();

private:
    void clearPairs();

    ui::Messenger& m_messenger;
    std::string m_startMessage;
    std::vector<std::string> m_courses;
    std::string m_grade;
    std::array<Pair, kPairs> m_pairs{};
    std::array<Pair, kPairs> m_savedPairs{}; // as read or last saved
};

} // namespace masterdata
