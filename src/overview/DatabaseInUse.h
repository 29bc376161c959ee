// How the overview names the database in use: the database file with its whole path, or for
// a server the engine, the server and the database name the driver reports, with the data
// source it was reached through. A server that cannot be reached is named with the reason.
#pragma once

#include <string>

namespace overview {

std::string databaseInUse();

} // namespace overview
