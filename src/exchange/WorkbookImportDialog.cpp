#include "exchange/WorkbookImportDialog.h"

#include "core/Reported.h"
#include "widgets/TextConvert.h"

#include <QApplication>
#include <QButtonGroup>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace exchange {
namespace {

using widgets::toQString;
using widgets::toStdString;

} // namespace

WorkbookImportDialog::WorkbookImportDialog(QWidget* parent) : QDialog(parent), m_messenger(this) {
    setWindowTitle(QStringLiteral("从工作簿导入"));
    m_files = new QLineEdit(this);
    m_files->setReadOnly(true);
    m_files->setMinimumWidth(420);
    m_files->setPlaceholderText(QStringLiteral("一个 .xlsx 工作簿，或几个 .csv 文件"));
    auto* browseButton = new QPushButton(QStringLiteral("浏览…"), this);
    auto* fileRow = new QHBoxLayout;
    fileRow->addWidget(new QLabel(QStringLiteral("文件"), this));
    fileRow->addWidget(m_files, 1);
    fileRow->addWidget(browseButton);

    m_replace =
        new QRadioButton(QStringLiteral("替换（工作表所对应的表只保留工作表中的行）"), this);
    m_merge = new QRadioButton(QStringLiteral("合并（按名称增加或修改，其余的行保留）"), this);
    m_replace->setChecked(true);
    auto* modes = new QButtonGroup(this);
    modes->addButton(m_replace);
    modes->addButton(m_merge);

    m_preview = new QListWidget(this);
    m_preview->setMinimumHeight(300);
    m_row = new QLabel(this);
    m_row->setWordWrap(true);
    m_progress = new QProgressBar(this);
    m_progress->setRange(0, 1);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);

    m_import = new QPushButton(QStringLiteral("导入"), this);
    m_import->setEnabled(false);
    m_close = new QPushButton(QStringLiteral("关闭"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_import);
    buttons->addWidget(m_close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fileRow);
    layout->addWidget(m_replace);
    layout->addWidget(m_merge);
    layout->addWidget(m_preview, 1);
    layout->addWidget(m_row);
    layout->addWidget(m_progress);
    layout->addLayout(buttons);

    connect(browseButton, &QPushButton::clicked, this, &WorkbookImportDialog::browse);
    connect(m_merge, &QRadioButton::toggled, this, [this](bool merge) {
        ui::reported(m_messenger,
                     [&] { m_logic.chooseMode(merge ? ImportMode::Merge : ImportMode::Replace); });
        showPlan();
    });
    connect(m_preview, &QListWidget::currentRowChanged, this, [this](int row) {
        m_row->setText(row < 0 || row >= static_cast<int>(m_lines.size())
                           ? QString()
                           : toQString(m_logic.rowOf(m_lines[static_cast<std::size_t>(row)])));
    });
    connect(m_import, &QPushButton::clicked, this, &WorkbookImportDialog::importNow);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
}

void WorkbookImportDialog::browse() {
    const QStringList chosen =
        QFileDialog::getOpenFileNames(this, QStringLiteral("选择工作簿"), QDir::currentPath(),
                                      QStringLiteral("工作簿 (*.xlsx *.csv);;所有文件 (*)"));
    if (chosen.isEmpty())
        return;
    std::vector<std::filesystem::path> files;
    for (const QString& file : chosen)
        files.emplace_back(toStdString(file));
    openFiles(files);
}

void WorkbookImportDialog::openFiles(const std::vector<std::filesystem::path>& files) {
    QStringList shown;
    for (const auto& file : files)
        shown << toQString(file.string());
    m_files->setText(shown.join(QStringLiteral("；")));
    // reading and checking a large school takes a moment: a busy bar meanwhile
    m_progress->setRange(0, 0);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    ui::reported(m_messenger, [&] { m_logic.chooseFiles(files); });
    QApplication::restoreOverrideCursor();
    m_progress->setRange(0, 1);
    m_progress->setValue(1);
    showPlan();
}

void WorkbookImportDialog::showPlan() {
    m_lines = m_logic.lines();
    m_preview->clear();
    m_row->clear();
    for (const WorkbookImport::Line& line : m_lines) {
        auto* item = new QListWidgetItem(toQString(line.text), m_preview);
        if (line.error)
            item->setForeground(Qt::red);
    }
    m_import->setEnabled(m_logic.canImport());
}

void WorkbookImportDialog::importNow() {
    std::string said;
    if (ui::reported(m_messenger, [&] { said = m_logic.runImport(); })) {
        m_messenger.info(said);
    }
    showPlan();
}

void WorkbookImportDialog::exportToWorkbook(QWidget* parent) {
    const QString school = QStringLiteral("学校数据 (*.xlsx)");
    const QString blank = QStringLiteral("空白模板 (*.xlsx)");
    QString filter = school;
    QString file =
        QFileDialog::getSaveFileName(parent, QStringLiteral("导出到工作簿"),
                                     QDir::current().filePath(QStringLiteral("学校数据.xlsx")),
                                     school + QStringLiteral(";;") + blank, &filter);
    if (file.isEmpty())
        return;
    if (!file.endsWith(QStringLiteral(".xlsx"), Qt::CaseInsensitive))
        file += QStringLiteral(".xlsx");
    widgets::QtMessenger messenger(parent);
    std::string said;
    if (ui::reported(messenger, [&] {
            said = exportSchool(std::filesystem::path(toStdString(file)), filter == blank);
        })) {
        messenger.info(said);
    }
}

} // namespace exchange
