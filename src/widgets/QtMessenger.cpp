#include "widgets/QtMessenger.h"

#include "widgets/TextConvert.h"

#include <QMessageBox>
#include <QPushButton>

namespace widgets {
namespace {

QString caption() {
    return QString::fromUtf8(kMessageCaption);
}

} // namespace

void QtMessenger::info(const std::string& text) {
    QMessageBox::information(m_parent, caption(), toQString(text));
}

void QtMessenger::error(const std::string& text) {
    QMessageBox::warning(m_parent, caption(), toQString(text));
}

bool QtMessenger::confirm(const std::string& text) {
    QMessageBox box(QMessageBox::Question, caption(), toQString(text),
                    QMessageBox::Yes | QMessageBox::No, m_parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

} // namespace widgets
