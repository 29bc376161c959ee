#include "optimise/ReviewOptimiser.h"

#include "optimise/ReviewProblem.h"
#include "optimise/Search.h"
#include "timetable/ReviewClashes.h"

#include <chrono>

namespace optimise {

ReviewOutcome optimiseReview(const timetable::ReviewData& data, const ReviewRequest& request,
                             timetable::RandomSource& random) {
    const auto start = std::chrono::steady_clock::now();
    const ReviewProblem review(data);
    ReviewOutcome outcome;
    outcome.causes = review.causes();
    outcome.days = review.days();
    outcome.arranged = static_cast<int>(review.problem().classes().size());

    Search search(review.problem(), Search::seedFrom(random));
    search.construct();
    search.run(Search::limitsFor(start, request.timeLimitSeconds, request.keepGoing,
                                 !outcome.causes.empty()));

    outcome.timetable = review.timetable(search);
    outcome.cancelled = search.cancelled();
    outcome.iterations = search.steps();
    for (const timetable::ReviewClash& clash :
         timetable::reviewClashes(outcome.timetable, review.grade(), review.days())) {
        outcome.violations.push_back(timetable::clashText(clash));
    }
    for (std::string& violation : review.violations(search)) {
        outcome.violations.push_back(std::move(violation));
    }
    outcome.solved = outcome.causes.empty() && outcome.violations.empty();
    outcome.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return outcome;
}

} // namespace optimise
