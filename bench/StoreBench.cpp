// Loading and saving two tables as the dialogs do, on the demo school (`tavlen-cli init --demo`,
// then `arrange all --save`), on a SQLite file and on a throwaway PostgreSQL server: classcourse
// read whole as the class plan dialog reads it when a class is chosen, and one class's plan
// saved as that dialog saves it; gradelesson loaded and saved whole as the grade timetable
// dialog does. Each step opens its record set anew, so the connection is part of the time.
// Where PostgreSQL is not installed its benchmarks are skipped with the reason.
// TAVLEN_BENCH_PG_OPTIONS="Key=value;…" adds settings of the PostgreSQL driver to its
// connection string, to measure them.
#include "PostgresServer.h"
#include "TempDatabase.h"

#include "cli/Command.h"
#include "core/Gbk.h"
#include "core/SchoolNames.h"
#include "store/CCCRecord.h"
#include "store/CGLRecord.h"
#include "store/ConnectTarget.h"
#include "store/Odbc.h"
#include "store/RecordSet.h"
#include "timetable/SchoolTimetableStore.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace {

using store::odbc::Engine;

// The demo school, arranged and saved, in a database of the engine; nothing when it cannot be
// made (the reason in `why`).
class DemoDatabase {
public:
    ~DemoDatabase() {
        std::error_code ignored;
        std::filesystem::remove_all(m_dir, ignored);
    }

    static DemoDatabase* of(Engine engine, std::string& why) {
        static std::unique_ptr<DemoDatabase> databases[2];
        static std::string reasons[2];
        static bool tried[2] = {false, false};
        const int i = engine == Engine::PostgreSQL ? 1 : 0;
        if (!tried[i]) {
            tried[i] = true;
            databases[i] = make(engine, reasons[i]);
        }
        why = reasons[i];
        if (databases[i]) {
            store::useConnection(databases[i]->m_connection, "测试数据库");
        }
        return databases[i].get();
    }

private:
    static std::unique_ptr<DemoDatabase> make(Engine engine, std::string& why) {
        auto db = std::unique_ptr<DemoDatabase>(new DemoDatabase());
        cli::Args init{"tavlen-cli", "init", db->m_dir, "--demo"};
        if (engine == Engine::PostgreSQL) {
            testsupport::PostgresServer* server = testsupport::PostgresServer::get();
            if (server == nullptr) {
                why = testsupport::PostgresServer::skipReason();
                return nullptr;
            }
            db->m_connection = server->newDatabase();
            if (const char* options = std::getenv("TAVLEN_BENCH_PG_OPTIONS")) {
                db->m_connection += std::string(";") + options;
            }
            init.insert(init.end(), {"--connect", db->m_connection});
        } else {
            db->m_connection = store::fileConnectionString(db->m_dir + "/tavlen/tavlen.mdb");
        }
        std::ostringstream out;
        std::ostringstream err;
        if (cli::dispatch(init, out, err) != 0 ||
            cli::dispatch({"tavlen-cli", "arrange", "all", "--save", "--connect", db->m_connection},
                          out, err) != 0) {
            why = "示例学校未能建立：" + err.str();
            return nullptr;
        }
        return db;
    }

    DemoDatabase() : m_dir(testsupport::makeTempDir("tavlen-bench")) {}

    std::string m_dir;
    std::string m_connection;
};

// The database of the engine for a benchmark, or null when the benchmark is skipped.
DemoDatabase* use(benchmark::State& state, Engine engine) {
    std::string why;
    DemoDatabase* db = DemoDatabase::of(engine, why);
    if (db == nullptr) {
        state.SkipWithError(why.c_str());
    }
    return db;
}

// What opening a record set's connection takes, part of every step below.
void BM_Connect(benchmark::State& state, Engine engine) {
    if (use(state, engine) == nullptr) {
        return;
    }
    for (auto _ : state) {
        store::odbc::Connection connection;
        connection.connect(store::resolveConnectString(store::kConnectLower));
    }
}

void BM_ClasscourseLoad(benchmark::State& state, Engine engine) {
    if (use(state, engine) == nullptr) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(store::CCCRecord().readAll());
    }
}

// The read alone: the table read again on a record set whose connection is open.
template <class Records> void reread(benchmark::State& state, Engine engine) {
    if (use(state, engine) == nullptr) {
        return;
    }
    Records records;
    records.readAll();
    for (auto _ : state) {
        benchmark::DoNotOptimize(records.readAll());
    }
}

void BM_ClasscourseReread(benchmark::State& state, Engine engine) {
    reread<store::CCCRecord>(state, engine);
}

void BM_GradelessonReread(benchmark::State& state, Engine engine) {
    reread<store::CGLRecord>(state, engine);
}

// The class plan of 初一⑴ saved over its stored rows.
void BM_ClasscourseSave(benchmark::State& state, Engine engine) {
    if (use(state, engine) == nullptr) {
        return;
    }
    const std::string name = school::className(0, 1);
    std::vector<store::ClasscourseRow> plan;
    for (const store::ClasscourseRow& row : store::CCCRecord().readAll()) {
        if (row.className == name) {
            plan.push_back(row);
        }
    }
    for (auto _ : state) {
        store::CCCRecord().replace(
            [&name](const store::ClasscourseRow& row) { return row.className == name; }, plan,
            [](const store::ClasscourseRow& row) { return gbk::isBlank(row.course); });
    }
    state.counters["rows"] = static_cast<double>(plan.size());
}

void BM_GradelessonLoad(benchmark::State& state, Engine engine) {
    if (use(state, engine) == nullptr) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(timetable::loadSchoolTimetable());
    }
}

void BM_GradelessonSave(benchmark::State& state, Engine engine) {
    if (use(state, engine) == nullptr) {
        return;
    }
    const school::SchoolTimetable timetable = timetable::loadSchoolTimetable();
    for (auto _ : state) {
        timetable::saveSchoolTimetable(timetable);
    }
    state.counters["rows"] = static_cast<double>(timetable::rowsFromTimetable(timetable).size());
}

BENCHMARK_CAPTURE(BM_Connect, SQLite, Engine::SQLite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_Connect, PostgreSQL, Engine::PostgreSQL)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClasscourseLoad, SQLite, Engine::SQLite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClasscourseLoad, PostgreSQL, Engine::PostgreSQL)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClasscourseReread, SQLite, Engine::SQLite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClasscourseReread, PostgreSQL, Engine::PostgreSQL)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClasscourseSave, SQLite, Engine::SQLite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ClasscourseSave, PostgreSQL, Engine::PostgreSQL)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GradelessonLoad, SQLite, Engine::SQLite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GradelessonLoad, PostgreSQL, Engine::PostgreSQL)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GradelessonReread, SQLite, Engine::SQLite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GradelessonReread, PostgreSQL, Engine::PostgreSQL)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GradelessonSave, SQLite, Engine::SQLite)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_GradelessonSave, PostgreSQL, Engine::PostgreSQL)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
