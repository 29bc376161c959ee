// How an output reports its progress and learns that the user cancelled: step(done, total)
// is called after each page (or file) with the pages done so far; when it returns false the
// output stops, removes what it had written and throws Cancelled. An empty step is never
// called.
#pragma once

#include <functional>
#include <stdexcept>

namespace publish {

struct Progress {
    std::function<bool(int done, int total)> step;
    // false when the user cancelled
    bool report(int done, int total) const { return !step || step(done, total); }
};

class Cancelled : public std::runtime_error {
public:
    Cancelled() : std::runtime_error("已取消") {}
};

} // namespace publish
