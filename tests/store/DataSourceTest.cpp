// Registration of the data source "TAVLEN" against a private odbc.ini, and record sets
// reaching it through their connect strings in either letter case.
#include "PrivateOdbcIni.h"
#include "TempDatabase.h"

#include "store/CCPRecord.h"
#include "store/CTNRecord.h"
#include "store/ConnectTarget.h"
#include "store/DataSourceRegistration.h"
#include "store/DatabaseFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <odbcinst.h>

namespace {

// The value of key in section [TAVLEN] of an ini text, or nullopt.
std::optional<std::string> iniValue(const std::string& text, const std::string& key) {
    std::istringstream in(text);
    std::string line;
    bool inSection = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line[0] == '[') {
            inSection = line == "[TAVLEN]";
            continue;
        }
        const auto eq = line.find('=');
        if (inSection && eq != std::string::npos) {
            std::string k = line.substr(0, eq);
            std::string v = line.substr(eq + 1);
            while (!k.empty() && k.back() == ' ') {
                k.pop_back();
            }
            while (!v.empty() && v.front() == ' ') {
                v.erase(0, 1);
            }
            if (k == key) {
                return v;
            }
        }
    }
    return std::nullopt;
}

TEST(DataSource, RegistrationWritesTheFileAttributes) {
    const std::string dir = "/srv/学校/课程";
    const auto result = store::registerDataSource(dir);
    ASSERT_TRUE(result.ok) << result.error;
    const std::string ini =
        readFile(result.system ? PrivateOdbcIni::systemIni() : PrivateOdbcIni::userIni());
    EXPECT_EQ(iniValue(ini, "Driver"), "SQLite3");
    EXPECT_EQ(iniValue(ini, "Database"), dir + "/tavlen/tavlen.mdb");
    EXPECT_EQ(iniValue(ini, "DefaultDir"), dir + "/tavlen");
    EXPECT_EQ(iniValue(ini, "NoCreat"), "1");
    EXPECT_EQ(iniValue(ini, "Timeout"), "2000");
    EXPECT_FALSE(iniValue(ini, "DBQ").has_value());
}

TEST(DataSource, TheLatestStartWinsAndLongDirectoriesFit) {
    const std::string first = "/home/a/first";
    std::string second = "/home/b";
    while (second.size() < 400) {
        second += "/很长的目录名称";
    }
    ASSERT_TRUE(store::registerDataSource(first).ok);
    const auto result = store::registerDataSource(second);
    ASSERT_TRUE(result.ok) << result.error;
    const std::string ini =
        readFile(result.system ? PrivateOdbcIni::systemIni() : PrivateOdbcIni::userIni());
    EXPECT_EQ(iniValue(ini, "Database"), second + "/tavlen/tavlen.mdb");
    EXPECT_EQ(iniValue(ini, "DefaultDir"), second + "/tavlen");
    // One section only.
    EXPECT_EQ(ini.find("[TAVLEN]"), ini.rfind("[TAVLEN]"));
}

TEST(DataSource, ConnectStringsInEitherCaseReachTheSameDatabase) {
    const testsupport::TempDatabase db;
    ASSERT_TRUE(store::registerDataSource(db.workingDir()).ok);
    store::useDataSource(); // through the data source, not the file

    store::CTNRecord lower; // "ODBC;DSN=tavlen"
    lower.append(std::vector<store::TeachernameRow>{{"王伟"}});
    store::CCPRecord upper; // "ODBC;DSN=TAVLEN"
    upper.append(std::vector<store::CoursepropertyRow>{{"初一", "语文", 1}});

    // Both rows are in the one file the data source names.
    store::useDatabaseFile(db.databasePath());
    store::CTNRecord teachers;
    store::CCPRecord properties;
    EXPECT_EQ(teachers.readAll(), (std::vector<store::TeachernameRow>{{"王伟"}}));
    EXPECT_EQ(properties.readAll(), (std::vector<store::CoursepropertyRow>{{"初一", "语文", 1}}));
}

// Two copies of the program: A starts in its school, then B starts in another and re-points
// the data source. A's later saves still land in A's file.
TEST(DataSource, ARunKeepsTheDatabaseItRegisteredWhenAnotherStartRepointsTheSource) {
    const testsupport::TempDatabase a;
    const testsupport::TempDatabase b;
    ASSERT_TRUE(store::registerForThisRun(a.workingDir()).ok);
    ASSERT_TRUE(store::registerDataSource(b.workingDir()).ok); // the other copy's start

    store::CTNRecord().append(std::vector<store::TeachernameRow>{{"王伟"}});

    store::useDataSource(); // the data source now names B's file, which got nothing
    EXPECT_TRUE(store::CTNRecord().readAll().empty());
    store::useDatabaseFile(a.databasePath());
    EXPECT_EQ(store::CTNRecord().readAll(), (std::vector<store::TeachernameRow>{{"王伟"}}));
}

TEST(DataSource, AMissingDatabaseIsAnErrorNeverANewEmptyFile) {
    const std::string dir = testsupport::makeTempDir("tavlen-nodb-");
    std::filesystem::create_directories(dir + "/tavlen");
    ASSERT_TRUE(store::registerDataSource(dir).ok);
    store::useDataSource();
    store::CTNRecord rs;
    EXPECT_THROW(rs.open(), store::DbError);
    EXPECT_FALSE(std::filesystem::exists(dir + "/tavlen/tavlen.mdb"));
    std::filesystem::remove_all(dir);
}

} // namespace

namespace {

// Writes [TAVLEN] through the installer, as an administrator's tool would, in one mode only.
void setUpDataSource(UWORD mode, const char* driver, const char* database) {
    for (const UWORD each : {UWORD{ODBC_USER_DSN}, UWORD{ODBC_SYSTEM_DSN}}) {
        SQLSetConfigMode(each);
        SQLRemoveDSNFromIni(store::kDataSourceName);
    }
    SQLSetConfigMode(mode);
    SQLWritePrivateProfileString(store::kDataSourceName, "Driver", driver, "ODBC.INI");
    SQLWritePrivateProfileString(store::kDataSourceName, "Database", database, "ODBC.INI");
    SQLSetConfigMode(ODBC_BOTH_DSN);
}

TEST(DataSource, AServerDataSourceIsLeftAsTheAdministratorSetItUp) {
    for (const UWORD mode : {UWORD{ODBC_USER_DSN}, UWORD{ODBC_SYSTEM_DSN}}) {
        const std::string ini =
            mode == ODBC_USER_DSN ? PrivateOdbcIni::userIni() : PrivateOdbcIni::systemIni();
        setUpDataSource(mode, "PostgreSQL ANSI", "tavlen");
        const auto result = store::registerDataSource("/srv/other");
        EXPECT_TRUE(result.ok && result.leftAlone) << ini;
        EXPECT_EQ(iniValue(readFile(ini), "Driver"), "PostgreSQL ANSI") << ini;
        EXPECT_EQ(iniValue(readFile(ini), "Database"), "tavlen") << ini;
        // The program's start then keeps to the server, not to a file of its folder.
        ASSERT_TRUE(store::registerForThisRun("/srv/other").leftAlone);
        EXPECT_EQ(store::resolveConnectString(store::kConnectLower), "DSN=TAVLEN");
        store::useDataSource();
    }
    // A SQLite data source is ours: it is re-pointed as before.
    setUpDataSource(ODBC_SYSTEM_DSN, "SQLite3", "/srv/old/tavlen/tavlen.mdb");
    const auto result = store::registerDataSource("/srv/new");
    EXPECT_FALSE(result.leftAlone);
    EXPECT_EQ(iniValue(readFile(PrivateOdbcIni::systemIni()), "Database"),
              "/srv/new/tavlen/tavlen.mdb");
}

// A folder name holding a line break would add a section or a key to odbc.ini: it is
// refused, nothing is written, and the program's record sets never open it.
TEST(DataSource, AFolderNameWithALineBreakNeverChangesOdbcIni) {
    setUpDataSource(ODBC_SYSTEM_DSN, "SQLite3", "/srv/old/tavlen/tavlen.mdb");
    const std::string systemBefore = readFile(PrivateOdbcIni::systemIni());
    const std::string userBefore = readFile(PrivateOdbcIni::userIni());
    for (const std::string dir :
         {"/srv/inj\n[EVIL]\nDriver=SQLite3\nServername=evil", "/srv/nl\nx", "/srv/c\rr"}) {
        const auto result = store::registerForThisRun(dir);
        EXPECT_FALSE(result.ok);
        EXPECT_TRUE(result.error.starts_with(store::kControlCharacterRefusal)) << result.error;
        EXPECT_EQ(result.error.find('\n'), std::string::npos) << result.error;
        EXPECT_EQ(readFile(PrivateOdbcIni::systemIni()), systemBefore);
        EXPECT_EQ(readFile(PrivateOdbcIni::userIni()), userBefore);
        store::CTNRecord rs;
        try {
            rs.open();
            ADD_FAILURE() << "opened a database in " << dir;
        } catch (const store::DbError& e) {
            EXPECT_NE(std::string(e.what()).find(store::kControlCharacterRefusal),
                      std::string::npos)
                << e.what();
        }
    }
    store::useDataSource();
}

// The program's own connections in a folder whose name holds what a connection string gives
// a meaning to: the rows land in that folder's database, not in a file the name's first part
// names.
TEST(DataSource, TheProgramSavesIntoItsFolderWhateverTheFolderIsNamed) {
    const std::string base = testsupport::makeTempDir("tavlen-names-");
    for (const std::string name : {"sch;x", "a{b}c", "d=e", "f g'h\"i", "学校;DRIVER=x"}) {
        const std::string dir = base + "/" + name;
        std::filesystem::create_directories(dir + "/tavlen");
        store::createDatabase(dir + "/tavlen/tavlen.mdb");
        ASSERT_TRUE(store::registerForThisRun(dir).ok) << name;
        store::CTNRecord().append(std::vector<store::TeachernameRow>{{"王伟"}});
        store::useDatabaseFile(dir + "/tavlen/tavlen.mdb");
        EXPECT_EQ(store::CTNRecord().readAll(), (std::vector<store::TeachernameRow>{{"王伟"}}))
            << name;
        std::filesystem::remove_all(dir);
    }
    // nothing was created beside the folders (a name cut at ';' or '{' would have made one)
    EXPECT_TRUE(std::filesystem::is_empty(base));
    std::filesystem::remove_all(base);
    store::useDataSource();
}

} // namespace
