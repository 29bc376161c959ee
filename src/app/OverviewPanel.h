// OverviewPanel: the main window's "学校概况" beside its central view — where the school
// stands (overview/OverviewText.h), read afresh by refresh(). A link of the "下一步" line
// emits entryChosen with its menu entry's caption. A database that cannot be read is said in
// the panel itself, never in a message box: the first dialog reports it as before.
#pragma once

#include <QDockWidget>

#include <functional>
#include <string>

class QLabel;

namespace overview {
struct Standing;
}

namespace app {

class OverviewPanel : public QDockWidget {
    Q_OBJECT
public:
    // Reads the standing of the school; throws store::DbError when the database cannot be read.
    using StandingReader = std::function<overview::Standing()>;

    explicit OverviewPanel(QWidget* parent = nullptr, StandingReader read = {});

    void refresh();
    QLabel* text() const { return m_text; }

signals:
    void entryChosen(const QString& caption);

private:
    StandingReader m_read;
    QLabel* m_text = nullptr;
};

} // namespace app
