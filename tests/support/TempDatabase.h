// Test support: a fresh working directory in the system's temporary folder holding
// tavlen/tavlen.mdb with the sixteen empty tables. While it lives every record set of
// the process connects to that file; the machine's data sources are never touched.
// The directory is removed on destruction.
#pragma once

#include <string>

namespace testsupport {

class TempDatabase {
public:
    TempDatabase();
    ~TempDatabase();
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    const std::string& workingDir() const { return m_workingDir; }
    const std::string& databasePath() const { return m_databasePath; }
    // Runs statements directly on the database (for triggers and checks in tests).
    void execute(const std::string& sql) const;

private:
    std::string m_workingDir;
    std::string m_databasePath;
};

// A new empty temporary directory (removed by the caller).
std::string makeTempDir(const std::string& prefix);

} // namespace testsupport
