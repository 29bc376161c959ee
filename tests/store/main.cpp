// The store tests never touch the machine's data sources: before the first ODBC call the
// driver manager is pointed at a private folder holding a copy of the driver list and
// empty data-source files.
#include "PrivateOdbcIni.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    const PrivateOdbcIni ini;
    return RUN_ALL_TESTS();
}
