#include "exchange/ImportPlan.h"

#include "core/Gbk.h"
#include "exchange/ImportNames.h"
#include "exchange/RowText.h"
#include "exchange/WorkbookFormat.h"
#include "exchange/WorkloadCheck.h"
#include "store/NameList.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>

namespace exchange {
namespace {

constexpr std::size_t kNameBytes = 10;
constexpr std::size_t kRosterBytes = 6;
constexpr std::size_t kMaxCourses = 20;
constexpr std::size_t kMaxTeachers = store::kRosterCapacity;
constexpr int kMaxWeekly = 30;
constexpr int kMaxReviewDays = 10;
constexpr int kMaxShare = 29;

// The sheet that fills each table, in the order of forEachTable().
constexpr std::array<std::string_view, kSchoolTables> kSheetOf = {
    sheets::kCourses, sheets::kTeachers,   sheets::kTeachers,
    sheets::kClasses, sheets::kGradePlans, sheets::kClassPlans,
    sheets::kPresets, sheets::kUnified,    sheets::kResources};

std::string quoted(const std::string& text) {
    return "“" + text + "”";
}

// One sheet of a known format: where its header row is, where each column stands, and the
// rows that hold anything.
struct SheetRows {
    const Sheet* sheet = nullptr;
    const SheetFormat* format = nullptr;
    std::map<std::string, int, std::less<>> columns; // header text → column
    std::vector<int> rows;                           // data rows, from 1
    bool usable = false;

    std::string text(int row, std::string_view column) const {
        const auto found = columns.find(column);
        return found == columns.end() ? std::string() : trimmed(sheet->cell(row, found->second));
    }
    CellPlace place(int row, std::string_view column) const {
        const auto found = columns.find(column);
        return {row, found == columns.end() ? 1 : found->second};
    }
};

bool emptyRow(const std::vector<std::string>& cells) {
    return std::all_of(cells.begin(), cells.end(),
                       [](const std::string& c) { return trimmed(c).empty(); });
}

class Planner {
public:
    Planner(const Workbook& workbook, const SchoolTables& current, ImportMode mode)
        : m_current(current), m_mode(mode) {
        m_plan.result = current;
        for (const Sheet& sheet : workbook.sheets) {
            const SheetFormat* format = sheetFormat(trimmed(sheet.name));
            if (format == nullptr) {
                problem(sheet.name, {}, Severity::Warning, "未知的工作表，已忽略");
                continue;
            }
            m_sheets[std::string(format->name)] = readSheet(sheet, *format);
        }
    }

    ImportPlan run() {
        courses();
        teachers();
        classes();
        gradePlans();
        classPlans();
        presets();
        unified();
        resources();
        workload();
        changes();
        return std::move(m_plan);
    }

private:
    void problem(const std::string& sheet, CellPlace place, Severity severity, std::string text) {
        m_plan.problems.push_back({sheet, place, severity, std::move(text)});
    }
    void error(const SheetRows& rows, int row, std::string_view column, std::string text) {
        problem(rows.sheet->name, rows.place(row, column), Severity::Error, std::move(text));
    }

    SheetRows readSheet(const Sheet& sheet, const SheetFormat& format) {
        SheetRows rows{&sheet, &format, {}, {}, false};
        for (const CellPlace& place : sheet.formulasWithoutValue) {
            problem(sheet.name, place, Severity::Error, "公式没有缓存的值");
        }
        int header = 0;
        for (std::size_t r = 0; r < sheet.rows.size() && header == 0; ++r) {
            if (!emptyRow(sheet.rows[r])) {
                header = static_cast<int>(r) + 1;
            }
        }
        if (header == 0) {
            problem(sheet.name, {}, Severity::Error, "工作表没有标题行");
            return rows;
        }
        const auto& cells = sheet.rows[static_cast<std::size_t>(header - 1)];
        for (std::size_t c = 0; c < cells.size(); ++c) {
            rows.columns.emplace(trimmed(cells[c]), static_cast<int>(c) + 1);
        }
        rows.usable = true;
        for (std::size_t k = 0; k < format.required; ++k) {
            const std::string column(format.columns[k]);
            if (rows.columns.count(column) == 0) {
                problem(sheet.name, {header, 1}, Severity::Error, "缺少列" + quoted(column));
                rows.usable = false;
            }
        }
        for (std::size_t r = static_cast<std::size_t>(header); r < sheet.rows.size(); ++r) {
            if (!emptyRow(sheet.rows[r])) {
                rows.rows.push_back(static_cast<int>(r) + 1);
            }
        }
        return rows;
    }

    const SheetRows* sheet(std::string_view name) const {
        const auto found = m_sheets.find(name);
        return found == m_sheets.end() || !found->second.usable ? nullptr : &found->second;
    }

    void touch(int table) { m_plan.touched[static_cast<std::size_t>(table)] = true; }

    // A name as the 11-byte fields hold it: 4..10 GBK bytes, all encodable.
    std::optional<std::string> name(const SheetRows& rows, int row, std::string_view column) {
        const std::string text = rows.text(row, column);
        return checkedName(rows, row, column, text);
    }
    std::optional<std::string> checkedName(const SheetRows& rows, int row, std::string_view column,
                                           const std::string& text) {
        if (text.empty()) {
            error(rows, row, column, "缺少" + std::string(column));
        } else if (!gbk::encodable(text)) {
            error(rows, row, column,
                  quoted(text) + "含有 GBK 无法表示的字符" + quoted(gbk::firstUnencodable(text)));
        } else if (gbk::width(text) > kNameBytes) {
            error(rows, row, column,
                  quoted(text) + "超过 10 个 GBK 字节（" + std::to_string(gbk::width(text)) +
                      " 字节）");
        } else if (gbk::isBlank(text)) {
            error(rows, row, column, quoted(text) + "不足 4 个 GBK 字节（两个汉字）");
        } else {
            return text;
        }
        return std::nullopt;
    }

    std::optional<int> number(const SheetRows& rows, int row, std::string_view column, int low,
                              int high, bool emptyIsLow = false) {
        const std::string text = rows.text(row, column);
        if (text.empty() && emptyIsLow) {
            return low;
        }
        const std::optional<int> value = wholeNumber(text);
        if (!value || *value < low || *value > high) {
            error(rows, row, column,
                  std::string(column) + quoted(text) + "应为 " + std::to_string(low) + " 到 " +
                      std::to_string(high) + " 的整数");
            return std::nullopt;
        }
        return value;
    }

    std::optional<std::string> grade(const SheetRows& rows, int row, std::string_view column) {
        const std::string text = rows.text(row, column);
        if (const auto g = gradeOf(text)) {
            return std::string(school::kGradeNames[static_cast<std::size_t>(*g)]);
        }
        error(rows, row, column,
              text.empty() ? "缺少" + std::string(column) : "未知年段" + quoted(text));
        return std::nullopt;
    }

    std::optional<std::string> known(const SheetRows& rows, int row, std::string_view column,
                                     const std::set<std::string>& names, const char* what) {
        const auto checked = name(rows, row, column);
        if (checked && names.count(*checked) == 0) {
            error(rows, row, column, std::string("未知") + what + quoted(*checked));
            return std::nullopt;
        }
        return checked;
    }

    std::optional<int> day(const SheetRows& rows, int row, std::string_view column) {
        const std::string text = rows.text(row, column);
        if (const auto d = dayOf(text)) {
            return d;
        }
        error(rows, row, column,
              text.empty() ? "缺少" + std::string(column) : "未知星期" + quoted(text));
        return std::nullopt;
    }

    std::optional<std::vector<int>> periods(const SheetRows& rows, int row,
                                            std::string_view column) {
        const std::string text = rows.text(row, column);
        if (auto p = periodsOf(text)) {
            return p;
        }
        error(rows, row, column, "节次" + quoted(text) + "应为 1 到 7 的节次（如 1-4 或 1,3）");
        return std::nullopt;
    }

    // Reports a second row of the same key; true for the first.
    bool firstOfKey(std::map<std::string, int>& seen, const std::string& key, const SheetRows& rows,
                    int row, std::string_view column) {
        const auto [at, inserted] = seen.emplace(key, row);
        if (!inserted) {
            error(rows, row, column, "与第 " + std::to_string(at->second) + " 行重复");
        }
        return inserted;
    }

    template <class Row, class Key>
    std::vector<Row> combined(const std::vector<Row>& current, const std::vector<Row>& incoming,
                              Key key) const {
        if (m_mode == ImportMode::Replace) {
            return incoming;
        }
        std::vector<Row> result = current;
        std::map<std::string, std::size_t> where;
        for (std::size_t i = 0; i < result.size(); ++i) {
            where.emplace(key(result[i]), i);
        }
        for (const Row& row : incoming) {
            const auto found = where.find(key(row));
            if (found != where.end()) {
                result[found->second] = row;
            } else {
                where.emplace(key(row), result.size());
                result.push_back(row);
            }
        }
        return result;
    }

    std::set<std::string> courseNames() const {
        std::set<std::string> names;
        for (const auto& row : m_plan.result.coursename) {
            names.insert(row.name);
        }
        return names;
    }
    std::set<std::string> teacherNames() const {
        std::set<std::string> names;
        for (const auto& row : m_plan.result.teachername) {
            names.insert(row.name);
        }
        return names;
    }

    // Reports the entry beyond a limit of the combined list.
    template <class Row>
    void limit(const std::vector<Row>& result, std::size_t most, const SheetRows& rows,
               const std::vector<int>& rowOf, const std::vector<Row>& incoming,
               const std::string& text) {
        if (result.size() <= most) {
            return;
        }
        // the first of the sheet's rows that lies beyond the limit
        for (std::size_t i = 0; i < incoming.size(); ++i) {
            const auto at = std::find(result.begin(), result.end(), incoming[i]);
            if (at != result.end() && static_cast<std::size_t>(at - result.begin()) >= most) {
                error(rows, rowOf[i], rows.format->columns.front(),
                      text + "（共 " + std::to_string(result.size()) + "）");
                return;
            }
        }
    }

    void courses() {
        const SheetRows* rows = sheet(sheets::kCourses);
        if (rows == nullptr) {
            return;
        }
        touch(0);
        std::vector<store::CoursenameRow> incoming;
        std::vector<int> rowOf;
        std::map<std::string, int> seen;
        for (const int r : rows->rows) {
            const auto course = name(*rows, r, "课程");
            if (course && firstOfKey(seen, *course, *rows, r, "课程")) {
                incoming.push_back({*course});
                rowOf.push_back(r);
            }
        }
        auto& result = m_plan.result.coursename;
        result = combined(m_current.coursename, incoming, [](const auto& c) { return c.name; });
        limit(result, kMaxCourses, *rows, rowOf, incoming, "课程超过 20 门");
    }

    void teachers() {
        const SheetRows* rows = sheet(sheets::kTeachers);
        if (rows == nullptr) {
            return;
        }
        touch(1);
        touch(2);
        const std::set<std::string> courses = courseNames();
        std::vector<store::TeachernameRow> incoming;
        std::vector<int> rowOf;
        std::map<std::string, int> seen;
        std::map<std::string, std::vector<std::string>> subjects; // teacher → courses
        for (const int r : rows->rows) {
            const auto teacher = name(*rows, r, "姓名");
            if (!teacher || !firstOfKey(seen, *teacher, *rows, r, "姓名")) {
                continue;
            }
            if (gbk::width(*teacher) > kRosterBytes) {
                // the roster dialog shows and saves a place cut to 6 bytes
                problem(rows->sheet->name, rows->place(r, "姓名"), Severity::Warning,
                        quoted(*teacher) + "超过 6 个 GBK 字节，教师名单中会被截短");
            }
            incoming.push_back({*teacher});
            rowOf.push_back(r);
            auto& taught = subjects[*teacher];
            for (const std::string& course : namesOf(rows->text(r, "学科"))) {
                if (!checkedName(*rows, r, "学科", course)) {
                    continue;
                }
                if (courses.count(course) == 0) {
                    error(*rows, r, "学科", "未知课程" + quoted(course));
                } else if (std::find(taught.begin(), taught.end(), course) == taught.end()) {
                    taught.push_back(course);
                }
            }
        }
        auto& result = m_plan.result.teachername;
        result = combined(m_current.teachername, incoming, [](const auto& t) { return t.name; });
        limit(result, kMaxTeachers, *rows, rowOf, incoming, "教师超过 200 位");

        // course by course in the course list's order, each course's teachers in sheet order
        std::vector<store::CourseteacherRow> pairs;
        for (const auto& course : m_plan.result.coursename) {
            for (const auto& teacher : incoming) {
                const auto& taught = subjects[teacher.name];
                if (std::find(taught.begin(), taught.end(), course.name) != taught.end()) {
                    pairs.push_back({course.name, teacher.name});
                }
            }
        }
        auto& taughtBy = m_plan.result.courseteacher;
        if (m_mode == ImportMode::Replace) {
            taughtBy = pairs;
            return;
        }
        // a teacher the sheet names teaches exactly the courses it lists
        taughtBy.clear();
        for (const auto& pair : m_current.courseteacher) {
            if (subjects.count(pair.teacher) == 0 ||
                std::find(pairs.begin(), pairs.end(), pair) != pairs.end()) {
                taughtBy.push_back(pair);
            }
        }
        for (const auto& pair : pairs) {
            if (std::find(taughtBy.begin(), taughtBy.end(), pair) == taughtBy.end()) {
                taughtBy.push_back(pair);
            }
        }
    }

    void classes() {
        const SheetRows* rows = sheet(sheets::kClasses);
        if (rows == nullptr) {
            return;
        }
        touch(3);
        std::vector<store::GradeclassRow> incoming;
        std::map<std::string, int> seen;
        for (const int r : rows->rows) {
            const auto g = grade(*rows, r, "年段");
            const auto count = number(*rows, r, "班级数", 0, school::kMaxClasses);
            if (g && count && firstOfKey(seen, *g, *rows, r, "年段")) {
                incoming.push_back({*g, *count});
            }
        }
        auto result =
            combined(m_current.gradeclass, incoming, [](const auto& row) { return row.grade; });
        // one row per grade that has classes, in grade order
        std::erase_if(result, [](const auto& row) {
            return row.classes == 0 && gradeOf(row.grade).has_value();
        });
        std::stable_sort(result.begin(), result.end(), [](const auto& a, const auto& b) {
            return gradeOf(a.grade).value_or(school::kGrades) <
                   gradeOf(b.grade).value_or(school::kGrades);
        });
        m_plan.result.gradeclass = result;
    }

    void gradePlans() {
        const SheetRows* rows = sheet(sheets::kGradePlans);
        if (rows == nullptr) {
            return;
        }
        touch(4);
        const std::set<std::string> courses = courseNames();
        std::vector<store::GradecourseRow> incoming;
        std::map<std::string, int> seen;
        for (const int r : rows->rows) {
            const auto g = grade(*rows, r, "年段");
            const auto course = known(*rows, r, "学科", courses, "课程");
            const auto weekly = number(*rows, r, "周课时", 0, kMaxWeekly);
            const auto days = number(*rows, r, "复习天数", 0, kMaxReviewDays, true);
            if (g && course && weekly && days) {
                store::GradecourseRow row{*g, *course, *weekly, *days};
                if (firstOfKey(seen, rowKey(row), *rows, r, "学科")) {
                    incoming.push_back(row);
                }
            }
        }
        m_plan.result.gradecourse =
            combined(m_current.gradecourse, incoming, [](const auto& row) { return rowKey(row); });
    }

    // The class's place in the grade's plan: the courses of its grade's normal plan first, in
    // plan order, then the others.
    std::size_t planPosition(const store::ClasscourseRow& row) const {
        const auto id = school::parseClassName(row.className);
        std::size_t position = 0;
        for (const auto& planned : m_plan.result.gradecourse) {
            if (planned.days != 0 || !id ||
                planned.grade != school::kGradeNames[static_cast<std::size_t>(id->gradeIndex)]) {
                continue;
            }
            if (planned.course == row.course) {
                return position;
            }
            ++position;
        }
        return kEntriesBeyondPlan;
    }
    static constexpr std::size_t kEntriesBeyondPlan = 1000;

    int classCount(int gradeIndex) const {
        int count = 0;
        for (const auto& row : m_plan.result.gradeclass) {
            if (row.grade == school::kGradeNames[static_cast<std::size_t>(gradeIndex)]) {
                count = row.classes;
            }
        }
        return count;
    }

    void classPlans() {
        const SheetRows* rows = sheet(sheets::kClassPlans);
        if (rows == nullptr) {
            return;
        }
        touch(5);
        const std::set<std::string> courses = courseNames();
        const std::set<std::string> teachers = teacherNames();
        std::vector<store::ClasscourseRow> incoming;
        std::map<std::string, int> seen;
        for (const int r : rows->rows) {
            const std::string classText = rows->text(r, "班级");
            std::optional<std::string> className;
            if (const auto id = classOf(classText)) {
                const int count = classCount(id->gradeIndex);
                className = school::className(id->gradeIndex, id->classNumber);
                if (id->classNumber > count) {
                    error(*rows, r, "班级",
                          "班级" + quoted(*className) + "超出" +
                              std::string(
                                  school::kGradeNames[static_cast<std::size_t>(id->gradeIndex)]) +
                              "的班级数 " + std::to_string(count));
                    className.reset();
                }
            } else {
                error(*rows, r, "班级",
                      classText.empty() ? std::string("缺少班级") : "未知班级" + quoted(classText));
            }
            const auto course = known(*rows, r, "学科", courses, "课程");
            std::optional<std::string> teacher = std::string();
            if (!rows->text(r, "教师").empty()) {
                teacher = known(*rows, r, "教师", teachers, "教师");
            }
            const auto weekly = number(*rows, r, "周课时", 0, kMaxWeekly);
            if (className && course && teacher && weekly) {
                store::ClasscourseRow row{*className, *course, *teacher, *weekly};
                if (firstOfKey(seen, rowKey(row), *rows, r, "学科")) {
                    incoming.push_back(row);
                    m_classRow.emplace(*className, r);
                    if (!teacher->empty()) {
                        m_teacherRow.emplace(*teacher, r);
                    }
                }
            }
        }
        if (m_mode == ImportMode::Replace) {
            // classes in the order they first appear, each in its grade's plan order
            std::map<std::string, std::size_t> firstSeen;
            for (const auto& row : incoming) {
                firstSeen.emplace(row.className, firstSeen.size());
            }
            std::stable_sort(incoming.begin(), incoming.end(), [&](const auto& a, const auto& b) {
                const std::size_t ca = firstSeen[a.className];
                const std::size_t cb = firstSeen[b.className];
                return ca != cb ? ca < cb : planPosition(a) < planPosition(b);
            });
        }
        m_plan.result.classcourse =
            combined(m_current.classcourse, incoming, [](const auto& row) { return rowKey(row); });
    }

    void presets() {
        const SheetRows* rows = sheet(sheets::kPresets);
        if (rows == nullptr) {
            return;
        }
        touch(6);
        const std::set<std::string> teachers = teacherNames();
        std::vector<store::LessonprearrangeRow> incoming;
        std::map<std::string, std::map<int, int>> seenSlots; // teacher → cell → row
        for (const int r : rows->rows) {
            const auto teacher = known(*rows, r, "教师", teachers, "教师");
            const std::string dayText = rows->text(r, "星期");
            const std::string periodText = rows->text(r, "节次");
            std::optional<int> d;
            std::optional<std::vector<int>> p = std::vector<int>();
            if (!dayText.empty() || !periodText.empty()) {
                d = day(*rows, r, "星期");
                p = periodText.empty() ? periodsOf("1-7") : periods(*rows, r, "节次");
            }
            if (!teacher || !p || (!d && (!dayText.empty() || !periodText.empty()))) {
                continue;
            }
            auto at = std::find_if(incoming.begin(), incoming.end(),
                                   [&](const auto& row) { return row.teacher == *teacher; });
            if (at == incoming.end()) {
                incoming.push_back({*teacher, std::string(kMaskLength, '0')});
                at = incoming.end() - 1;
            }
            for (const int period : *p) {
                const int cell = (*d - 1) * school::kPeriods + period - 1;
                const auto [seen, first] = seenSlots[*teacher].emplace(cell, r);
                if (!first) {
                    error(*rows, r, "节次", "与第 " + std::to_string(seen->second) + " 行重复");
                }
                at->prearrange[static_cast<std::size_t>(cell)] = '1';
            }
        }
        m_plan.result.lessonprearrange = combined(m_current.lessonprearrange, incoming,
                                                  [](const auto& row) { return row.teacher; });
    }

    void unified() {
        const SheetRows* rows = sheet(sheets::kUnified);
        if (rows == nullptr) {
            return;
        }
        touch(7);
        const std::set<std::string> courses = courseNames();
        std::vector<store::SamelessonRow> incoming;
        std::map<std::string, int> seen;
        for (const int r : rows->rows) {
            const auto g = grade(*rows, r, "年段");
            const auto d = day(*rows, r, "星期");
            const auto p = periods(*rows, r, "节次");
            const auto course = known(*rows, r, "课程", courses, "课程");
            if (!g || !d || !p || !course) {
                continue;
            }
            for (const int period : *p) {
                store::SamelessonRow row{*g, *d, period, *course};
                if (firstOfKey(seen, rowKey(row), *rows, r, "节次")) {
                    incoming.push_back(row);
                }
            }
        }
        m_plan.result.samelesson =
            combined(m_current.samelesson, incoming, [](const auto& row) { return rowKey(row); });
    }

    void resources() {
        const SheetRows* rows = sheet(sheets::kResources);
        if (rows == nullptr) {
            return;
        }
        touch(8);
        const std::set<std::string> courses = courseNames();
        std::vector<store::CourseshareRow> incoming;
        std::map<std::string, int> seen;
        for (const int r : rows->rows) {
            const auto course = known(*rows, r, "课程", courses, "课程");
            const auto share = number(*rows, r, "同时上课班数", 1, kMaxShare);
            if (course && share && firstOfKey(seen, *course, *rows, r, "课程")) {
                incoming.push_back({*course, *share});
            }
        }
        m_plan.result.courseshare =
            combined(m_current.courseshare, incoming, [](const auto& row) { return row.course; });
    }

    // The arrangement's view of the result: classes it would drop and what rules it out.
    void workload() {
        const auto& touched = m_plan.touched;
        if (!touched[5] && !touched[6] && !touched[7] && !touched[8]) {
            return;
        }
        const std::string sheetName(touched[5]   ? sheets::kClassPlans
                                    : touched[6] ? sheets::kPresets
                                    : touched[7] ? sheets::kUnified
                                                 : sheets::kResources);
        const SheetRows* rows = touched[5] ? sheet(sheets::kClassPlans) : nullptr;
        const auto placeOf = [&](const std::map<std::string, int>& rowOf,
                                 const std::string& text) -> CellPlace {
            for (const auto& [name, row] : rowOf) {
                if (text.find(name) != std::string::npos && rows != nullptr) {
                    return rows->place(row, name == text ? "班级" : "教师");
                }
            }
            return {};
        };
        const WorkloadFindings found = checkWorkload(m_plan.result);
        for (const DroppedTotal& dropped : found.dropped) {
            const auto row = m_classRow.find(dropped.className);
            const CellPlace place = row != m_classRow.end() && rows != nullptr
                                        ? rows->place(row->second, "周课时")
                                        : CellPlace{};
            problem(sheetName, place, Severity::Warning,
                    dropped.className + "周课时合计 " + std::to_string(dropped.total) +
                        "（含统一课程），不在 15 到 35 之间，编排时将跳过该班");
        }
        for (const std::string& cause : found.causes) {
            CellPlace place = placeOf(m_teacherRow, cause);
            if (place.row == 0) {
                place = placeOf(m_classRow, cause);
            }
            problem(sheetName, place, Severity::Warning, "无法排出：" + cause);
        }
    }

    template <class Row>
    void compare(const std::string& sheetName, const std::string& table,
                 const std::vector<Row>& before, const std::vector<Row>& after) {
        TableChanges changes{sheetName, table, {}, {}, {}};
        std::map<std::string, std::vector<std::size_t>> stored; // key → rows before
        for (std::size_t i = 0; i < before.size(); ++i) {
            stored[rowKey(before[i])].push_back(i);
        }
        std::vector<bool> kept(before.size(), false);
        for (const Row& row : after) {
            auto& same = stored[rowKey(row)];
            if (same.empty()) {
                changes.added.push_back(rowText(row));
                continue;
            }
            const std::size_t i = same.front();
            same.erase(same.begin());
            kept[i] = true;
            if (!(before[i] == row)) {
                changes.changed.push_back(rowText(before[i]) + " → " + rowText(row));
            }
        }
        for (std::size_t i = 0; i < before.size(); ++i) {
            if (!kept[i]) {
                changes.removed.push_back(rowText(before[i]));
            }
        }
        m_plan.changes.push_back(std::move(changes));
    }

    void changes() {
        std::size_t index = 0;
        forEachTablePair(m_current, m_plan.result,
                         [&](auto, const auto& before, const auto& after) {
                             const std::size_t i = index++;
                             if (m_plan.touched[i]) {
                                 compare(std::string(kSheetOf[i]),
                                         std::string(kSchoolTableNames[i]), before, after);
                             }
                         });
    }

    const SchoolTables& m_current;
    ImportMode m_mode;
    ImportPlan m_plan;
    std::map<std::string, SheetRows, std::less<>> m_sheets;
    std::map<std::string, int> m_classRow;   // class → its first 课务分工 row
    std::map<std::string, int> m_teacherRow; // teacher → its first 课务分工 row
};

} // namespace

std::string problemLine(const ImportProblem& problem) {
    std::string line = problem.severity == Severity::Error ? "错误 " : "警告 ";
    line += problem.sheet;
    if (problem.place.row > 0) {
        line += "!" + cellName(problem.place);
    }
    return line + "：" + problem.text;
}

bool ImportPlan::hasErrors() const {
    return count(Severity::Error) > 0;
}

int ImportPlan::count(Severity severity) const {
    return static_cast<int>(std::count_if(problems.begin(), problems.end(),
                                          [&](const auto& p) { return p.severity == severity; }));
}

ImportPlan planImport(const Workbook& workbook, const SchoolTables& current, ImportMode mode) {
    return Planner(workbook, current, mode).run();
}

std::vector<std::string> previewLines(const ImportPlan& plan) {
    std::vector<std::string> lines;
    for (const TableChanges& table : plan.changes) {
        lines.push_back("工作表" + quoted(table.sheet) + "（" + table.table + "）：新增 " +
                        std::to_string(table.added.size()) + " 行，修改 " +
                        std::to_string(table.changed.size()) + " 行，删除 " +
                        std::to_string(table.removed.size()) + " 行");
        for (const std::string& row : table.added) {
            lines.push_back("  新增 " + row);
        }
        for (const std::string& row : table.changed) {
            lines.push_back("  修改 " + row);
        }
        for (const std::string& row : table.removed) {
            lines.push_back("  删除 " + row);
        }
    }
    for (const ImportProblem& problem : plan.problems) {
        lines.push_back(problemLine(problem));
    }
    lines.push_back("共 " + std::to_string(plan.count(Severity::Error)) + " 个错误，" +
                    std::to_string(plan.count(Severity::Warning)) + " 个警告");
    return lines;
}

} // namespace exchange
