// TeacherWeekPanel: beside the week view, the week of the picked lesson's teacher and, below
// it, that of the teacher in the cell under the pointer (each period: class over course), so
// a move can be judged for both teachers at once. Shows what it is given; empty weeks hide.
#pragma once

#include "arrange/WeekGridView.h"

#include <QWidget>

#include <array>
#include <optional>

class QLabel;
class QTableWidget;

namespace arrange {

class TeacherWeekPanel : public QWidget {
    Q_OBJECT
public:
    static constexpr const char* kPickedTitle = "所选教师：";
    static constexpr const char* kTargetTitle = "目标教师：";
    explicit TeacherWeekPanel(QWidget* parent);

    void show(const WeekGridView& view);
    // 0: the picked lesson's teacher, 1: the teacher under the pointer.
    QLabel* title(int which) const { return m_titles.at(static_cast<std::size_t>(which)); }
    QTableWidget* table(int which) const { return m_tables.at(static_cast<std::size_t>(which)); }

private:
    void showWeek(int which, const char* heading,
                  const std::optional<WeekGridView::TeacherWeek>& week);

    std::array<QLabel*, 2> m_titles{};
    std::array<QTableWidget*, 2> m_tables{};
};

} // namespace arrange
