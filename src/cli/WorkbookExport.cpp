#include "cli/WorkbookExport.h"

#include "cli/CommandSupport.h"
#include "exchange/WorkbookWriter.h"
#include "publish/OutputTarget.h"
#include "store/DbError.h"

#include <ostream>

namespace cli {

int exportWorkbook(const std::string& output, bool templateOnly, std::ostream& out,
                   std::ostream& err) {
    constexpr const char* kPrefix = "tavlen-cli export: ";
    if (!templateOnly && !useWorkingDatabase(err)) {
        return 1;
    }
    try {
        const exchange::Workbook workbook =
            templateOnly ? exchange::templateWorkbook()
                         : exchange::schoolWorkbook(exchange::readSchoolTables());
        exchange::writeWorkbookFile(workbook, output, true);
    } catch (const store::DbError& e) {
        err << kPrefix << e.what() << '\n';
        return 1;
    } catch (const publish::PublishError& e) {
        err << kPrefix << e.what() << '\n';
        return 1;
    }
    out << "已写出 " << output << '\n';
    return 0;
}

} // namespace cli
