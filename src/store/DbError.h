// The one exception type of the data store. Its text is the driver's own diagnostic
// text (for example "[SQLite]no such table: x (1)"), shown to the user as it is.
#pragma once

#include <stdexcept>
#include <string>

namespace store {

class DbError : public std::runtime_error {
public:
    explicit DbError(const std::string& text) : std::runtime_error(text) {}
};

} // namespace store
