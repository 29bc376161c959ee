#include "PrivateOdbcIni.h"

#include "TempDatabase.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {
std::string g_folder;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string PrivateOdbcIni::folder() {
    return g_folder;
}

PrivateOdbcIni::PrivateOdbcIni() {
    g_folder = testsupport::makeTempDir("tavlen-odbc-");
    std::ofstream(g_folder + "/odbcinst.ini")
        << "[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=libsqlite3odbc.so\n"
           "Setup=libsqlite3odbc.so\nUsageCount=1\n";
    std::ofstream(systemIni()).flush();
    std::ofstream(userIni()).flush();
    setenv("ODBCSYSINI", g_folder.c_str(), 1);
    setenv("ODBCINI", userIni().c_str(), 1);
}

PrivateOdbcIni::~PrivateOdbcIni() {
    std::error_code ec;
    std::filesystem::remove_all(g_folder, ec);
}
