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
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    // At most a million seconds, so the deadline cannot overflow the clock.
    const auto limit = std::chrono::duration<double>(
        request.timeLimitSeconds > 0 ? std::min(request.timeLimitSeconds, 1e6) : 0.0);

    const Problem problem(data, request);
    Outcome outcome;
    outcome.causes = findCauses(problem);

    std::uint64_t seed = 0;
    for (int i = 0; i < 3; ++i) {
        seed = seed << 31 ^ static_cast<std::uint64_t>(random.next());
    }
    Search search(problem, seed);
    search.construct();
    Search::Limits limits;
    limits.deadline = start + std::chrono::duration_cast<Clock::duration>(limit);
    limits.keepGoing = request.keepGoing;
    // Known infeasible: the best timetable is worth a short search, not the whole limit.
    limits.stallSteps = outcome.causes.empty() ? 0 : 20000;
    search.run(limits);

    outcome.timetable = search.timetable();
    outcome.cancelled = search.cancelled();
    outcome.earlyMisses = search.earlyMisses();
    outcome.iterations = search.steps();
    std::vector<std::string> violations = search.violations(outcome.timetable);
    outcome.solved = outcome.causes.empty() && violations.empty();
    if (!outcome.solved) {
        outcome.violations = std::move(violations);
    }
    outcome.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    return outcome;
}

} // namespace optimise
