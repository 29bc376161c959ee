// The report kinds and the fixed facts of each: its template (name, size, lines and
// line width; a kind without a template file has its frame built in, TemplateFile.h), where its
// export goes by default and the title of the save dialog, whether it is printed, whether the
// export probes the chosen path first, and the geometry its pages are printed with. Paths are
// relative to the working directory, with '/'.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace reports {

enum class ReportKind {
    Weekly,          // weekly attendance
    Monthly,         // monthly workload
    Term,            // term workload (the monthly template and layout)
    TeacherList,     // course teachers of a grade
    DutyRoster,      // supervised-study duty roster
    GradeTimetable,  // timetable of a grade
    ReviewTimetable, // review timetable of a grade (exported only)
    LessonCounts,    // the teachers' weekly lesson counts (a frame of its own, no template)
};

// Where the title cells and the body cells of a printed page stand, in the units the
// geometry is laid out in (the whole geometry is scaled to the paper).
struct PrintGeometry {
    int titleCells = 0; // cells the title row is laid out for
    double titleX = 0;
    double titleStep = 0;
    double titleY = 0;
    int titleHeight = 0; // title font height
    int bodyCells = 0;   // two-byte cells drawn of each body line
    double bodyX = 0;
    double bodyStep = 0;
    double bodyY = 0;
    double lineStep = 0;
};

struct ReportLayout {
    ReportKind kind;
    std::string_view cliName;       // KIND of `tavlen-cli report`
    std::string_view templateName;  // file in the data directory; empty: the frame is built in
    std::size_t templateSize;       // lines × lineBytes
    int lines;                      // lines of the template
    int lineBytes;                  // bytes per line, CR LF included
    std::string_view exportDefault; // default export file, relative to the working directory
    std::string_view exportTitle;   // title of the save dialog
    bool printable;                 // false: exported only, never printed
    bool exclusiveProbe;            // the export first creates and removes the chosen file
    PrintGeometry print;
};

inline constexpr std::string_view kDataDir = "tavlen";
// The database in the data directory, which no report may ever replace.
inline constexpr std::string_view kDatabaseFile = "tavlen.mdb";

const ReportLayout& layoutOf(ReportKind kind);

// The kind whose cliName is name.
std::optional<ReportKind> kindFromCliName(std::string_view name);

} // namespace reports
