#include "widgets/QtMessenger.h"

#include "widgets/TextConvert.h"

#include <QMessageBox>
#include <QPushButton>

namespace widgets {
namespace {

QString caption() {
    return QString::fromUtf8(kMessageCaption);
}

// Built by hand rather than through the static helpers, so the buttons read in Chinese
// whether or not Qt's own translations are installed.
void tell(QWidget* parent, QMessageBox::Icon icon, const std::string& text,
          const QString& title = caption()) {
    QMessageBox box(icon, title, toQString(text), QMessageBox::Ok, parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.exec();
}

} // namespace

void QtMessenger::info(const std::string& text) {
    tell(m_parent, QMessageBox::Information, text);
}

void QtMessenger::notice(const std::string& caption, const std::string& text) {
    tell(m_parent, QMessageBox::Information, text, toQString(caption));
}

void QtMessenger::error(const std::string& text) {
    tell(m_parent, QMessageBox::Warning, text);
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

ui::Messenger::Answer QtMessenger::ask(const std::string& text) {
    QMessageBox box(QMessageBox::Question, caption(), toQString(text),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, m_parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("是"));
    box.button(QMessageBox::No)->setText(QStringLiteral("否"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    default:
        return Answer::Cancel;
    }
}

bool QtMessenger::okCancel(const std::string& caption, const std::string& text, Default byDefault) {
    QMessageBox box(QMessageBox::NoIcon, toQString(caption), toQString(text),
                    QMessageBox::Ok | QMessageBox::Cancel, m_parent);
    box.button(QMessageBox::Ok)->setText(QStringLiteral("确定"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("取消"));
    box.setDefaultButton(byDefault == Default::Ok ? QMessageBox::Ok : QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    return box.exec() == QMessageBox::Ok;
}

} // namespace widgets
