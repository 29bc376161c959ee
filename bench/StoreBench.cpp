// Loading and saving tables as the dialogs do, on the demo school (`tavlen-cli init --demo`,
// then `arrange all --save`), on a SQLite file and on a throwaway PostgreSQL server, the server
// reached directly (its socket, 0 ms) and through a LatencyProxy at 2 ms a round trip (1 ms each
// way), as across an office network: classcourse read whole as the class plan dialog reads it
// when a class is chosen, and one class's plan saved as that dialog saves it; gradelesson loaded
// and saved whole as the grade timetable dialog does; all the loads of opening 年段课程编排
// (gradelesson and the engine's five tables, six record sets); and `tavlen-cli arrange all
// --optimise --save` as a whole process. Each step opens its record sets anew, so their
// connections are part of the time. Where PostgreSQL is not installed its benchmarks are
// skipped with the reason. TAVLEN_BENCH_PG_OPTIONS="Key=value;…" adds settings of the
// PostgreSQL driver to its connection string, to measure them.
#include "LatencyProxy.h"
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
#include "timetable/AutoOrderStore.h"
#include "timetable/SchoolTimetableStore.h"

#include <benchmark/benchmark.h>

#include <chrono>
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

    // The engine's database; for PostgreSQL reached through a proxy adding `roundTripMs` to
    // every round trip (none when 0). SQLite has no network: only 0 is measured.
    static DemoDatabase* of(Engine engine, int roundTripMs, std::string& why) {
        static std::unique_ptr<DemoDatabase> databases[2];
        static std::string reasons[2];
        static bool tried[2] = {false, false};
        static std::unique_ptr<testsupport::LatencyProxy> proxy;
        const int i = engine == Engine::PostgreSQL ? 1 : 0;
        if (!tried[i]) {
            tried[i] = true;
            databases[i] = make(engine, reasons[i]);
        }
        why = reasons[i];
        DemoDatabase* db = databases[i].get();
        if (db == nullptr) {
            return nullptr;
        }
        if (roundTripMs == 0) {
            db->m_used = db->m_connection;
        } else {
            if (!proxy) {
                const auto delay = std::chrono::microseconds(roundTripMs * 1000 / 2);
                proxy = std::make_unique<testsupport::LatencyProxy>(
                    testsupport::PostgresServer::get()->socketFile(), delay);
            }
            db->m_used =
                testsupport::PostgresServer::get()->connectionString(db->m_name, proxy->port()) +
                db->m_options;
        }
        store::useConnection(db->m_used, "测试数据库");
        return db;
    }

    const std::string& dir() const { return m_dir; }
    // The connection string the benchmark uses.
    const std::string& connection() const { return m_used; }

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
            db->m_name = server->newDatabaseName();
            if (const char* options = std::getenv("TAVLEN_BENCH_PG_OPTIONS")) {
                db->m_options = std::string(";") + options;
            }
            db->m_connection = server->connectionString(db->m_name) + db->m_options;
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
    std::string m_name;
    std::string m_options;
    std::string m_connection;
    std::string m_used;
};

// The database of the engine for a benchmark, or null when the benchmark is skipped.
DemoDatabase* use(benchmark::State& state, Engine engine, int roundTripMs) {
    std::string why;
    DemoDatabase* db = DemoDatabase::of(engine, roundTripMs, why);
    if (db == nullptr) {
        state.SkipWithError(why.c_str());
    }
    return db;
}

// What opening a record set's connection takes, part of every step below.
void BM_Connect(benchmark::State& state, Engine engine, int roundTripMs) {
    if (use(state, engine, roundTripMs) == nullptr) {
        return;
    }
    for (auto _ : state) {
        store::odbc::Connection connection;
        connection.connect(store::resolveConnectString(store::kConnectLower));
    }
}

void BM_ClasscourseLoad(benchmark::State& state, Engine engine, int roundTripMs) {
    if (use(state, engine, roundTripMs) == nullptr) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(store::CCCRecord().readAll());
    }
}

// The read alone: the table read again on a record set whose connection is open.
template <class Records> void reread(benchmark::State& state, Engine engine, int roundTripMs) {
    if (use(state, engine, roundTripMs) == nullptr) {
        return;
    }
    Records records;
    records.readAll();
    for (auto _ : state) {
        benchmark::DoNotOptimize(records.readAll());
    }
}

void BM_ClasscourseReread(benchmark::State& state, Engine engine, int roundTripMs) {
    reread<store::CCCRecord>(state, engine, roundTripMs);
}

void BM_GradelessonReread(benchmark::State& state, Engine engine, int roundTripMs) {
    reread<store::CGLRecord>(state, engine, roundTripMs);
}

// The class plan of 初一⑴ saved over its stored rows.
void BM_ClasscourseSave(benchmark::State& state, Engine engine, int roundTripMs) {
    if (use(state, engine, roundTripMs) == nullptr) {
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

void BM_GradelessonLoad(benchmark::State& state, Engine engine, int roundTripMs) {
    if (use(state, engine, roundTripMs) == nullptr) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(timetable::loadSchoolTimetable());
    }
}

void BM_GradelessonSave(benchmark::State& state, Engine engine, int roundTripMs) {
    if (use(state, engine, roundTripMs) == nullptr) {
        return;
    }
    const school::SchoolTimetable timetable = timetable::loadSchoolTimetable();
    for (auto _ : state) {
        timetable::saveSchoolTimetable(timetable);
    }
    state.counters["rows"] = static_cast<double>(timetable::rowsFromTimetable(timetable).size());
}

// All the loads of opening 年段课程编排: the school timetable and the engine's lists.
void BM_GradelessonOpen(benchmark::State& state, Engine engine, int roundTripMs) {
    if (use(state, engine, roundTripMs) == nullptr) {
        return;
    }
    for (auto _ : state) {
        benchmark::DoNotOptimize(timetable::loadSchoolTimetable());
        benchmark::DoNotOptimize(timetable::loadAutoOrderData());
    }
}

// `tavlen-cli arrange all --optimise --save` from its start to its end, in the demo school.
void BM_CliArrangeOptimiseSave(benchmark::State& state, Engine engine, int roundTripMs) {
    const DemoDatabase* db = use(state, engine, roundTripMs);
    if (db == nullptr) {
        return;
    }
    const std::string connect =
        engine == Engine::SQLite ? std::string() : " --connect '" + db->connection() + "'";
    const std::string command = "cd '" + db->dir() +
                                "' && '" TAVLEN_CLI "' arrange all --optimise --save" + connect +
                                " >/dev/null 2>&1";
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("tavlen-cli arrange all --optimise --save failed");
            return;
        }
    }
}

// Every benchmark on SQLite, on PostgreSQL directly and on PostgreSQL at 2 ms a round trip.
#define TAVLEN_STORE_BENCHMARK(name)                                                               \
    BENCHMARK_CAPTURE(name, SQLite, Engine::SQLite, 0)->Unit(benchmark::kMillisecond);             \
    BENCHMARK_CAPTURE(name, PostgreSQL, Engine::PostgreSQL, 0)->Unit(benchmark::kMillisecond);     \
    BENCHMARK_CAPTURE(name, PostgreSQL_2ms, Engine::PostgreSQL, 2)->Unit(benchmark::kMillisecond)

TAVLEN_STORE_BENCHMARK(BM_Connect);
TAVLEN_STORE_BENCHMARK(BM_ClasscourseLoad);
TAVLEN_STORE_BENCHMARK(BM_ClasscourseReread);
TAVLEN_STORE_BENCHMARK(BM_ClasscourseSave);
TAVLEN_STORE_BENCHMARK(BM_GradelessonLoad);
TAVLEN_STORE_BENCHMARK(BM_GradelessonReread);
TAVLEN_STORE_BENCHMARK(BM_GradelessonSave);
TAVLEN_STORE_BENCHMARK(BM_GradelessonOpen);
TAVLEN_STORE_BENCHMARK(BM_CliArrangeOptimiseSave);

} // namespace

BENCHMARK_MAIN();
