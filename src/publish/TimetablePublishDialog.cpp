#include "publish/TimetablePublishDialog.h"

#include "core/SchoolNames.h"
#include "publish/OutputTarget.h"
#include "store/DbError.h"
#include "widgets/TextConvert.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardPaths>
#include <QUrl>
#include <QVBoxLayout>

namespace publish {
namespace {

void openInFileManager(const QString& folder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

TimetablePublishDialog::FolderOpener& folderOpener() {
    static TimetablePublishDialog::FolderOpener opener = openInFileManager;
    return opener;
}

std::filesystem::path startFolder() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QDir(folder).exists())
        folder = QDir::homePath();
    return std::filesystem::path(widgets::toStdString(folder));
}

template <class Names> void fill(QComboBox* box, const Names& names) {
    for (std::string_view name : names)
        box->addItem(widgets::toQString(std::string(name)));
}

} // namespace

void TimetablePublishDialog::setFolderOpener(FolderOpener opener) {
    folderOpener() = opener ? std::move(opener) : FolderOpener(openInFileManager);
}

TimetablePublishDialog::TimetablePublishDialog(QWidget* parent)
    : QDialog(parent), m_messenger(this), m_logic(startFolder()) {
    setWindowTitle(QStringLiteral("课表发布"));
    m_kind = new QComboBox(this);
    fill(m_kind, TimetablePublish::kKinds);
    m_grade = new QComboBox(this);
    m_grade->addItem(widgets::toQString(std::string(TimetablePublish::kAllGrades)));
    fill(m_grade, school::kGradeNames);
    m_format = new QComboBox(this);
    fill(m_format, TimetablePublish::kFormats);
    m_weeks = new QSpinBox(this);
    m_weeks->setRange(1, kMaxCalendarWeeks);
    m_weeks->setValue(m_logic.weeks());
    m_weeks->setSuffix(QStringLiteral(" 周"));
    m_target = new QLineEdit(this);
    m_target->setMinimumWidth(360);
    auto* browseButton = new QPushButton(QStringLiteral("浏览…"), this);
    auto* targetRow = new QHBoxLayout;
    targetRow->addWidget(m_target, 1);
    targetRow->addWidget(browseButton);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("内容"), m_kind);
    form->addRow(QStringLiteral("年段"), m_grade);
    form->addRow(QStringLiteral("格式"), m_format);
    form->addRow(QStringLiteral("日历周数"), m_weeks);
    form->addRow(QStringLiteral("保存到"), targetRow);

    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_publish = new QPushButton(QStringLiteral("发布"), this);
    m_publish->setDefault(true);
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_publish);
    buttons->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);

    connect(m_kind, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_logic.chooseKind(index);
        showChoices();
    });
    connect(m_grade, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_logic.chooseGrade(index);
        showChoices();
    });
    connect(m_format, &QComboBox::currentIndexChanged, this, [this](int index) {
        m_logic.chooseFormat(index);
        showChoices();
    });
    connect(m_weeks, &QSpinBox::valueChanged, this, [this](int weeks) { m_logic.setWeeks(weeks); });
    connect(m_target, &QLineEdit::textEdited, this, [this](const QString& text) {
        m_logic.setTarget(std::filesystem::path(widgets::toStdString(text)));
    });
    connect(browseButton, &QPushButton::clicked, this, &TimetablePublishDialog::browse);
    connect(m_publish, &QPushButton::clicked, this, &TimetablePublishDialog::publishNow);
    connect(m_close, &QPushButton::clicked, this, &TimetablePublishDialog::reject);
    showChoices();
}

void TimetablePublishDialog::showChoices() {
    m_weeks->setEnabled(m_logic.weeksApply());
    m_target->setText(widgets::toQString(m_logic.target().string()));
}

void TimetablePublishDialog::browse() {
    const QString current = widgets::toQString(m_logic.target().string());
    const QString chosen =
        m_logic.writesFolder()
            ? QFileDialog::getExistingDirectory(
                  this, QStringLiteral("选择保存的文件夹"),
                  widgets::toQString(m_logic.target().parent_path().string()))
            : QFileDialog::getSaveFileName(this, QStringLiteral("保存为"), current, {}, nullptr,
                                           QFileDialog::DontConfirmOverwrite);
    if (chosen.isEmpty())
        return;
    std::filesystem::path target(widgets::toStdString(chosen));
    if (m_logic.writesFolder())
        target /= m_logic.suggestedName();
    m_logic.setTarget(target);
    showChoices();
}

void TimetablePublishDialog::publishNow() {
    if (const std::string problem = m_logic.problem(); !problem.empty()) {
        m_messenger.error(problem);
        return;
    }
    const bool replace = m_logic.targetExists();
    if (replace && !m_messenger.confirm(m_logic.replaceQuestion()))
        return;
    m_running = true;
    m_cancelled = false;
    m_publish->setEnabled(false);
    m_close->setText(QStringLiteral("取消"));
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    Progress progress;
    progress.step = [this](int done, int total) {
        m_progress->setRange(0, total);
        m_progress->setValue(done);
        QCoreApplication::processEvents();
        return !m_cancelled;
    };
    std::string said;
    bool done = false;
    try {
        said = m_logic.run(replace, progress);
        done = true;
    } catch (const Cancelled&) {
        said = "已取消，没有写出文件。";
    } catch (const std::exception& e) {
        said = e.what();
    }
    m_running = false;
    m_publish->setEnabled(true);
    m_close->setText(QStringLiteral("关闭"));
    if (!done) {
        m_progress->setValue(0);
        m_messenger.error(said);
        return;
    }
    m_messenger.info(said);
    folderOpener()(widgets::toQString(m_logic.resultFolder().string()));
}

void TimetablePublishDialog::reject() {
    if (m_running) {
        m_cancelled = true;
        return;
    }
    QDialog::reject();
}

} // namespace publish
