// PageButtons: the buttons 打印 and 导出 of a window that shows one week (a class's or a
// teacher's), over the published page of that week (PageActions.h). The page comes from the
// window when a button is pressed; a window with nothing to show yet gives nullopt and its
// reason, which is shown instead ("请先选择教师。").
#pragma once

#include "publish/Page.h"

#include <QWidget>

#include <functional>
#include <optional>
#include <string>

class QPushButton;

namespace ui {
class Messenger;
}

namespace publish {

class PageButtons : public QWidget {
    Q_OBJECT
public:
    // The page, or nullopt with why there is none written into the string.
    using PageSource = std::function<std::optional<Page>(std::string& whyNot)>;

    // messenger must outlive the buttons.
    PageButtons(QWidget* parent, ui::Messenger& messenger, PageSource source);

    QPushButton* printButton() const { return m_print; }
    QPushButton* exportButton() const { return m_export; }

private:
    std::optional<Page> page();

    ui::Messenger& m_messenger;
    PageSource m_source;
    QPushButton* m_print = nullptr;
    QPushButton* m_export = nullptr;
};

} // namespace publish
