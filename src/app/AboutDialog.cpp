#include "app/AboutDialog.h"

#include "app/HyperlinkLabel.h"
#include "app/ProductInfo.h"
#include "app/ShellIcons.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace app {

AboutDialog::AboutDialog(ui::Messenger& messenger, UrlOpener openUrl, QWidget* parent)
    : QDialog(parent) {
    const QString product = QString::fromUtf8(kProductName);
    setWindowTitle(QStringLiteral("关于 ") + product);

    auto* iconLabel = new QLabel(this);
    iconLabel->setPixmap(applicationIcon().pixmap(48, 48));
    iconLabel->setAlignment(Qt::AlignTop);

    auto* text = new QVBoxLayout;
    auto* title =
        new QLabel(product + QStringLiteral("  版本 ") + QString::fromUtf8(kProductVersion), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    text->addWidget(title);
    for (const char* line : kMakerLines) {
        text->addWidget(new QLabel(QString::fromUtf8(line), this));
    }
    m_link = new HyperlinkLabel(QString::fromUtf8(kMakerLink), messenger, std::move(openUrl), this);
    text->addWidget(m_link);

    auto* body = new QHBoxLayout;
    body->addWidget(iconLabel);
    body->addSpacing(12);
    body->addLayout(text, 1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace app
