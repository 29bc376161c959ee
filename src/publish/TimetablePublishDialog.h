// TimetablePublishDialog ("课表发布", under 课程查询): four choices (内容, 年段, 格式, 周数 for
// calendars) and the target (保存到, with 浏览…), a progress bar, and the buttons 发布 and
// 关闭. 发布 checks the choices, asks before replacing an existing target, then publishes
// the stored timetable with the bar counting pages; meanwhile 关闭 reads 取消 and stops the
// job, which leaves nothing behind. When done it says what was written and opens the folder
// holding the result. All rules live in publish::TimetablePublish.
#pragma once

#include "publish/TimetablePublish.h"
#include "widgets/QtMessenger.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace publish {

class TimetablePublishDialog : public QDialog {
    Q_OBJECT
public:
    explicit TimetablePublishDialog(QWidget* parent = nullptr);

    // How a finished job's folder is opened (the desktop's file manager by default); tests
    // replace it, and an empty opener restores the default.
    using FolderOpener = std::function<void(const QString& folder)>;
    static void setFolderOpener(FolderOpener opener);

    const TimetablePublish& logic() const { return m_logic; }
    QComboBox* kindBox() const { return m_kind; }
    QComboBox* gradeBox() const { return m_grade; }
    QComboBox* formatBox() const { return m_format; }
    QSpinBox* weeksBox() const { return m_weeks; }
    QLineEdit* targetEdit() const { return m_target; }
    QProgressBar* progressBar() const { return m_progress; }
    QPushButton* publishButton() const { return m_publish; }
    QPushButton* closeButton() const { return m_close; }

    void reject() override;

private:
    void showChoices();
    void browse();
    void publishNow();

    widgets::QtMessenger m_messenger;
    TimetablePublish m_logic;
    QComboBox* m_kind = nullptr;
    QComboBox* m_grade = nullptr;
    QComboBox* m_format = nullptr;
    QSpinBox* m_weeks = nullptr;
    QLineEdit* m_target = nullptr;
    QProgressBar* m_progress = nullptr;
    QPushButton* m_publish = nullptr;
    QPushButton* m_close = nullptr;
    bool m_running = false;
    bool m_cancelled = false;
};

} // namespace publish
