#include "exchange/ImportWrite.h"

#include "core/Reported.h"
#include "store/TableWatch.h"

#include <functional>
#include <memory>

namespace exchange {
namespace {

// One table's part of the import's transaction, on a connection it shares.
template <class Record> class TableWrite : public Record {
public:
    using Row = typename Record::RowType;

    TableWrite(store::RecordSet& owner, const std::vector<Row>& rows) : m_rows(rows) {
        this->shareConnectionOf(owner);
    }

    // Takes the write lock and reads the table; true when another program changed it since
    // this process last read it.
    bool lockAndCompare() {
        return this->explained([&] {
            store::odbc::Connection& db = this->connection();
            this->prepareTable(db);
            this->lockForWrite(db);
            m_stored = this->readRows();
            const auto seen = store::tablewatch::remembered(this->table().name);
            return seen && *seen != m_stored;
        });
    }

    // What this process now knows of the table, so that asking once is enough.
    void acceptStored() { store::tablewatch::remember(this->table().name, m_stored); }

    void write() {
        this->explained([&] {
            std::vector<Row> stored;
            for (const store::StoredRow& row : m_stored) {
                stored.push_back(Record::toRow(row.fields));
            }
            if (stored == m_rows) {
                return;
            }
            store::odbc::Connection& db = this->connection();
            this->deleteRows(db, m_stored);
            this->insertRows(db, m_rows, nullptr);
        });
    }

    void readSaved() {
        m_stored = this->explained([&] { return this->readRows(); });
    }

private:
    const std::vector<Row>& m_rows;
    std::vector<store::StoredRow> m_stored;
};

// The writes of the touched tables, as one list of steps.
struct Step {
    std::function<bool()> lockAndCompare;
    std::function<void()> acceptStored;
    std::function<void()> write;
    std::function<void()> readSaved;
    const store::TableDef* table;
};

} // namespace

void writeImport(const ImportPlan& plan) {
    store::CCNRecord owner; // the connection every table's write shares
    std::vector<std::shared_ptr<void>> keep;
    std::vector<Step> steps;
    std::size_t index = 0;
    forEachTable(plan.result, [&](auto record, const auto& rows) {
        if (!plan.touched[index++]) {
            return;
        }
        using Write = TableWrite<typename decltype(record)::type>;
        auto write = std::make_shared<Write>(owner, rows);
        keep.push_back(write);
        steps.push_back({[write] { return write->lockAndCompare(); },
                         [write] { write->acceptStored(); }, [write] { write->write(); },
                         [write] { write->readSaved(); }, &write->table()});
    });
    for (;;) {
        store::odbc::Transaction transaction(owner.connection());
        const Step* changed = nullptr;
        for (const Step& step : steps) {
            if (step.lockAndCompare() && changed == nullptr) {
                changed = &step;
            }
        }
        if (changed != nullptr) {
            // Changed by another program: ask with no lock held, then look again.
            transaction.rollback();
            if (!store::askOverwrite(*changed->table)) {
                throw ui::Declined();
            }
            for (const Step& step : steps) {
                step.acceptStored();
            }
            continue;
        }
        for (const Step& step : steps) {
            step.write();
        }
        for (const Step& step : steps) {
            step.readSaved();
        }
        transaction.commit();
        for (const Step& step : steps) {
            step.acceptStored();
        }
        return;
    }
}

ImportPlan importWorkbook(const Workbook& workbook, ImportMode mode, bool write) {
    ImportPlan plan = planImport(workbook, readSchoolTables(), mode);
    if (write && !plan.hasErrors()) {
        writeImport(plan);
    }
    return plan;
}

} // namespace exchange
