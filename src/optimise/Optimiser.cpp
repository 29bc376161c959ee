#include "optimise/Optimiser.h"

#include "optimise/Causes.h"
#include "optimise/Problem.h"
#include "optimise/Search.h"

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace optimise {

Outcome optimise(const timetable::AutoOrderData& data, const Request& request,
                 timetable::RandomSource& random) {
    const auto start = std::chrono::steady_clock::now();
    const Problem problem(data, request);
    Outcome outcome;
    outcome.causes = findCauses(problem);

    Search search(problem, Search::seedFrom(random));
    search.construct();
    search.run(Search::limitsFor(start, request.timeLimitSeconds, request.keepGoing,
                                 !outcome.causes.empty()));

    outcome.timetable = search.timetable();
    outcome.cancelled = search.cancelled();
    outcome.earlyMisses = search.earlyMisses();
    outcome.earlyMissesBound = search.earlyMissesFloor();
    outcome.iterations = search.steps();
    std::vector<std::string> violations = search.violations(outcome.timetable);
    outcome.solved = outcome.causes.empty() && violations.empty();
    if (!outcome.solved) {
        outcome.violations = std::move(violations);
    }
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return outcome;
}

} // namespace optimise
