// TReplace: the logic behind "任课教师替换", which hands one class's lessons from one teacher to
// another. The class is named by a grade ("初一" … "高三") and a class text ("一  班" …
// "二十班"); its display name "初一⑶" is what the tables hold.
//
// replace() refuses, with its message and without writing, a grade or class text that is not
// among the entries, a new or a former teacher shorter than 4 GBK bytes, and a former teacher
// who has no [classcourse] row in the class ("无此课任教师"). Otherwise the class's
// [classcourse] rows naming the former teacher take the new one, and so does every cell of
// Monday to Friday of the class's [gradelesson] rows (number div 100 = grade·100 + class) that
// holds exactly the former teacher's name; Saturday and Sunday, other classes and the order of
// the rows stay as they were. The user is told how many rows and cells changed, and then
// warned (kBusyWarning, one line a period: "陈静 星期一第一节：高一⑶、高二⑶") where the new
// teacher now teaches this class and another one at the same time, in the stored timetable
// read in teacher names.
//
// Each table changes where its rows stand, in one transaction, the class plans first; when
// the timetable then fails, the class plans are put back as they were, so a failed
// replacement changes nothing, and store::DbError carries the driver's text. Text is UTF-8.
#pragma once

#include "core/Messenger.h"
#include "core/SchoolNames.h"

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace maintain {

class TReplace {
public:
    static constexpr std::size_t kMaxTeachers = 200;
    // A teacher's name field.
    static constexpr std::size_t kNameBytes = 10;

    static constexpr const char* kTitle = "任课教师替换";
    static constexpr const char* kNoTeachers = "请输入所有任课教师姓名!";
    static constexpr const char* kNoClass = "请输入年段和班级";
    static constexpr const char* kNoNewTeacher = "请输入新课任教师";
    static constexpr const char* kNoFormerTeacher = "请输入原课任教师";
    static constexpr const char* kNotTeaching = "无此课任教师";
    static constexpr const char* kBusyWarning = "注意：新任课教师在以下节次已在别的班上课：";

    // The class selector's entries, class 1 to 20.
    static constexpr std::array<const char*, school::kMaxClasses> kClassTexts = {
        "一  班", "二  班", "三  班", "四  班", "五  班", "六  班", "七  班",
        "八  班", "九  班", "十  班", "十一班", "十二班", "十三班", "十四班",
        "十五班", "十六班", "十七班", "十八班", "十九班", "二十班"};

    // What the user entered in the four boxes.
    struct Request {
        std::string grade;
        std::string classText;
        std::string former;
        std::string replacement;
    };

    explicit TReplace(ui::Messenger& messenger) : m_messenger(messenger) {}

    // Reads the roster (at most 200 names, up to the first blank one).
    void load();
    const std::vector<std::string>& teachers() const { return m_teachers; }
    // Tells the user that the roster is empty; says nothing otherwise.
    void reportEmptyRoster();

    static std::vector<std::string> grades();
    static std::vector<std::string> classTexts();

    // True when replaced (and told how much); false when refused (told why): nothing was
    // written then.
    bool replace(const Request& request);

private:
    ui::Messenger& m_messenger;
    std::vector<std::string> m_teachers;
};

} // namespace maintain
