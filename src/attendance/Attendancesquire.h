// Attendancesquire: the logic of "出勤情况预览", a read-only list of every record of table
// [attendance], all weeks, sorted by the column of the pressed button. It only reads.
//
// Each line holds 教师, 周别, 班级, 日期 (YYYY-MM-DD, empty without a date), 星期, 节别, 性质,
// 代课 ([补课]) and 备注. Every record is listed except those without a teacher (shorter than
// 4 bytes), which are passed over. The sort is stable, so ties stay in table order:
//   周别排序  by the week as a number (2, 9, 10); texts that are no number after them;
//   班级排序  by grade and class ("初一⑵" before "初一⑽" before "初二⑴");
//   节别排序  in the order of the period list ("第一节" … "第七节", "早督修" … "升  旗");
//   性质排序  in the order of the category list ("迟  到" … "组公开");
//   教师排序  by the names' GBK codes, which is pinyin order for the common characters.
// Texts outside a list come after the listed ones, in GBK code order. sort() reads the table
// and may throw store::DbError; the lines shown before then stay.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace attendance {

class Attendancesquire {
public:
    static constexpr const char* kTitle = "出勤情况预览";

    enum class SortKey { Class, Period, Category, Teacher, Week };
    struct SortButton {
        SortKey key;
        const char* caption;
    };
    static constexpr std::array<SortButton, 5> kSortButtons = {{{SortKey::Class, "班级排序"},
                                                                {SortKey::Period, "节别排序"},
                                                                {SortKey::Category, "性质排序"},
                                                                {SortKey::Teacher, "教师排序"},
                                                                {SortKey::Week, "周别排序"}}};
    static constexpr std::array<const char*, 9> kColumns = {"教师", "周别", "班级", "日期", "星期",
                                                            "节别", "性质", "代课", "备注"};

    using Line = std::array<std::string, kColumns.size()>;

    void sort(SortKey key);
    const std::vector<Line>& lines() const { return m_lines; }

private:
    std::vector<Line> m_lines;
};

} // namespace attendance
