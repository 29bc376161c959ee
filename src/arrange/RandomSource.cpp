#include "arrange/RandomSource.h"

#include <cstdlib>

namespace arrange {

int CLibraryRandom::next() {
    return std::rand();
}

RandomSource& defaultRandom() {
    static CLibraryRandom source;
    return source;
}

} // namespace arrange
