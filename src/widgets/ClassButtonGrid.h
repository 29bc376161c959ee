// ClassButtonGrid: the twenty class buttons of a grade in four rows of five, and under them
// "选定班级：" followed by the selected classes' names. A button is checkable and pressed
// while its class is selected; pressing one emits toggled(k) for class k = 1..20 and leaves
// its state to the dialog, which shows the new state through setClass().
#pragma once

#include <QString>
#include <QWidget>

#include <array>

class QLabel;
class QPushButton;

namespace widgets {

class ClassButtonGrid : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClasses = 20;

    explicit ClassButtonGrid(QWidget* parent = nullptr);

    QPushButton* button(int k) const;
    QLabel* selectionLabel() const { return m_selection; }

    void setClass(int k, const QString& caption, bool selected, bool enabled,
                  const QString& toolTip = {});
    void setSelectionText(const QString& text);

signals:
    void toggled(int k);

private:
    std::array<QPushButton*, kClasses> m_buttons{};
    QLabel* m_selection = nullptr;
};

} // namespace widgets
