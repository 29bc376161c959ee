#include "publish/PdfOutput.h"

#include "publish/OutputTarget.h"
#include "publish/PagePainter.h"
#include "reports/PdfTextRepair.h"

#include <QPageSize>
#include <QPdfWriter>
#include <fstream>
#include <string>

namespace publish {
namespace {

bool endsWhole(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary | std::ios::ate);
    const std::streamoff size = in ? static_cast<std::streamoff>(in.tellg()) : 0;
    if (size < 16) {
        return false;
    }
    std::string tail(16, '\0');
    in.seekg(size - 16);
    in.read(tail.data(), 16);
    return in && tail.find("%%EOF") != std::string::npos;
}

} // namespace

void writePdf(const std::vector<Page>& pages, const std::filesystem::path& target, bool replace,
              const Progress& progress) {
    if (pages.empty()) {
        throw PublishError("没有可写出的页");
    }
    OutputTarget output(target, OutputTarget::Shape::File, replace);
    {
        QPdfWriter writer(QString::fromStdString(output.workPath().string()));
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter);
        writer.setResolution(600);
        writer.setTitle(QString::fromStdString(pages.front().title));
        writer.setCreator(QString::fromUtf8(kPdfCreator));
        if (!PagePainter::paintPages(writer, pages, progress)) {
            throw PublishError("不能写入 " + output.target().string());
        }
    }
    // QPdfWriter reports no failed write: a file that does not end as a PDF ends was cut short
    if (!endsWhole(output.workPath()) || !reports::repairPdfTextFile(output.workPath())) {
        throw PublishError("不能写入 " + output.target().string());
    }
    output.commit();
}

} // namespace publish
