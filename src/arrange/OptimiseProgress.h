// The wait for an optimiser in a dialog: the work runs on a thread of its own while the event
// loop goes on, and after half a second a window-modal progress dialog "正在优化编排…" with
// 取消 appears. The work is handed the test it polls (false once 取消 was pressed).
#pragma once

#include "core/Messenger.h"
#include "core/Reported.h"

#include <functional>
#include <optional>
#include <string>
#include <utility>

class QWidget;

namespace arrange {

// Returns once the work has ended; the text of an exception it threw comes back in failure
// (empty when it ended normally).
void runWithProgress(QWidget* parent, const std::function<void(std::function<bool()>)>& work,
                     std::string& failure);

// A dialog's 优化编排: the logic's OptimiseJob (nothing happens when it cannot be read; the
// logic has told the user), run(job) under runWithProgress with the job's request polling
// 取消, then apply(outcome); a failure of the run is told instead.
template <class Logic, class Run, class Apply>
void optimiseWithProgress(QWidget* parent, ui::Messenger& messenger, Logic& logic, Run&& run,
                          Apply&& apply) {
    std::optional<typename Logic::OptimiseJob> job;
    ui::reported(messenger, [&] { job = logic.optimiseJob(); });
    if (!job) {
        return;
    }
    decltype(run(*job)) outcome;
    std::string failure;
    runWithProgress(
        parent,
        [&](std::function<bool()> keepGoing) {
            job->request.keepGoing = std::move(keepGoing);
            outcome = run(*job);
        },
        failure);
    if (!failure.empty()) {
        messenger.error(failure);
        return;
    }
    apply(outcome);
}

} // namespace arrange
