#include "app/StartScreenDialog.h"

#include "app/ProductInfo.h"
#include "widgets/TextConvert.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

namespace app {

StartScreenDialog::StartScreenDialog(StartScreen& screen, QWidget* parent)
    : QDialog(parent), m_screen(screen) {
    setWindowTitle(QString::fromUtf8(kProductName));
    auto* layout = new QGridLayout(this);
    m_create = new QPushButton(QStringLiteral("新建学校…"), this);
    m_demo = new QCheckBox(QStringLiteral("示范学校"), this);
    m_open = new QPushButton(QStringLiteral("打开学校…"), this);
    m_recent = new QListWidget(this);
    m_cancel = new QPushButton(QStringLiteral("取消"), this);
    layout->addWidget(m_create, 0, 0);
    layout->addWidget(m_demo, 0, 1);
    layout->addWidget(m_open, 1, 0);
    layout->addWidget(new QLabel(QStringLiteral("最近的学校"), this), 2, 0, 1, 2);
    layout->addWidget(m_recent, 3, 0, 1, 2);
    layout->addWidget(m_cancel, 4, 1, Qt::AlignRight);

    for (const RecentSchools::Entry& entry : screen.recent()) {
        auto* item = new QListWidgetItem(widgets::toQString(entry.folder), m_recent);
        if (!entry.present) {
            item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
        }
    }
    connect(m_create, &QPushButton::clicked, this,
            [this] { acceptWhen(m_screen.createSchool(m_demo->isChecked())); });
    connect(m_open, &QPushButton::clicked, this, [this] { acceptWhen(m_screen.openSchool()); });
    connect(m_recent, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        acceptWhen(m_screen.openRecent(static_cast<std::size_t>(m_recent->row(item))));
    });
    connect(m_cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(560, 360);
}

void StartScreenDialog::acceptWhen(bool chosen) {
    if (chosen) {
        accept();
    }
}

} // namespace app
