// ui::Messenger on message boxes: info() and notice() show an information box, error() a warning
// box, confirm() asks with 是/否 buttons (是 is the default, as on the original), okCancel() with
// 确定/取消 under its own caption. Every box is modal, parented to the widget given at
// construction, and carries the application title kMessageCaption as its caption unless it
// names its own. Texts arrive as UTF-8.
#pragma once

#include "core/Messenger.h"

#include <string>

class QWidget;

namespace widgets {

// The application title: the caption of every message box the program shows.
inline constexpr const char* kMessageCaption = "tavlen";

class QtMessenger : public ui::Messenger {
public:
    // parent may be null (the box is then centred on the screen); it must outlive us.
    explicit QtMessenger(QWidget* parent = nullptr) : m_parent(parent) {}

    void info(const std::string& text) override;
    void notice(const std::string& caption, const std::string& text) override;
    void error(const std::string& text) override;
    bool confirm(const std::string& text) override;
    // 是, 否 and 取消; Esc is 取消.
    Answer ask(const std::string& text) override;
    // A plain box (no icon) with 确定 and 取消; Esc is 取消.
    bool okCancel(const std::string& caption, const std::string& text, Default byDefault) override;

private:
    QWidget* m_parent;
};

} // namespace widgets
