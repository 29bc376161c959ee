// A private unixODBC configuration for one test process: ODBCSYSINI names a temporary
// folder with odbcinst.ini (the SQLite3 driver) and an empty odbc.ini, ODBCINI an empty
// user file there. The folder is removed on destruction.
#pragma once

#include <string>

class PrivateOdbcIni {
public:
    PrivateOdbcIni();
    ~PrivateOdbcIni();
    PrivateOdbcIni(const PrivateOdbcIni&) = delete;
    PrivateOdbcIni& operator=(const PrivateOdbcIni&) = delete;

    static std::string folder();
    static std::string systemIni() { return folder() + "/odbc.ini"; }
    static std::string userIni() { return folder() + "/user-odbc.ini"; }
};

// The whole text of a file, or empty when it cannot be read.
std::string readFile(const std::string& path);
