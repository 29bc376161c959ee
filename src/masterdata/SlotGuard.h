// guardedCall(): runs one step of a dialog's event handler (choosing a subject or a grade
// reads the database) and turns an exception into a message, because nothing may unwind
// through Qt's event loop. Returns false when the step threw; the user has been told.
#pragma once

#include "core/Messenger.h"

#include <exception>
#include <utility>

namespace masterdata {

template <class Step> bool guardedCall(ui::Messenger& messenger, Step&& step) {
    try {
        std::forward<Step>(step)();
        return true;
    } catch (const std::exception& e) {
        messenger.error(e.what());
    } catch (...) {
        messenger.error("未知错误");
    }
    return false;
}

} // namespace masterdata
