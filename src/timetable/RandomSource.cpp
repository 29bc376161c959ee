#include "timetable/RandomSource.h"

#include <cstdlib>

namespace timetable {

int CLibraryRandom::next() {
    return std::rand();
}

RandomSource& defaultRandom() {
    static CLibraryRandom source;
    return source;
}

} // namespace timetable
