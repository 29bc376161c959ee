// reported(): runs one step on behalf of the user and turns an exception into an error
// message with the exception's own text (a database error shows the driver's text). Used
// wherever nothing may unwind further: the command loop, a dialog's save buttons and its
// event handlers (Qt's event loop cannot carry exceptions). Returns false when the step
// threw; the user has been told. A step the user declined (ui::Declined: answered 否 to a
// question that guards it) returns false without a message.
#pragma once

#include "core/Messenger.h"

#include <exception>
#include <utility>

namespace ui {

// The user declined to go on; nothing was done and there is nothing more to tell.
class Declined : public std::exception {
public:
    const char* what() const noexcept override { return "declined"; }
};

template <class Step> bool reported(Messenger& messenger, Step&& step) {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const Declined&) {
        return false;
    } catch (const std::exception& e) {
        messenger.error(e.what());
    } catch (...) {
        messenger.error("未知错误");
    }
    return false;
}

} // namespace ui
