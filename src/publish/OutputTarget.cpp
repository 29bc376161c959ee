#include "publish/OutputTarget.h"

#include <random>
#include <system_error>

namespace fs = std::filesystem;

namespace publish {
namespace {

std::string shown(const fs::path& p) {
    return p.string();
}

fs::path besideTarget(const fs::path& target, const char* tag) {
    std::random_device device;
    std::mt19937 draw(device());
    fs::path folder = target.parent_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
        fs::path candidate =
            folder / ("." + target.filename().string() + tag + std::to_string(draw() % 1000000));
        std::error_code ec;
        if (!fs::exists(fs::symlink_status(candidate, ec)))
            return candidate;
    }
    throw PublishError("不能在 " + shown(folder) + " 中建立临时文件");
}

} // namespace

OutputTarget::OutputTarget(fs::path target, Shape shape, bool replace)
    : m_target(fs::absolute(std::move(target))), m_shape(shape) {
    std::error_code ec;
    if (m_target.filename().empty())
        m_target = m_target.parent_path();
    const fs::file_status status = fs::status(m_target, ec);
    if (fs::exists(status)) {
        if (shape == Shape::File && fs::is_directory(status))
            throw PublishError("目标是一个文件夹，不能写成文件：" + shown(m_target));
        if (shape == Shape::Folder && !fs::is_directory(status))
            throw PublishError("目标是一个文件，不能作为文件夹：" + shown(m_target));
        if (!replace)
            throw PublishError("目标已存在：" + shown(m_target), PublishError::Kind::Exists);
    }
    const fs::path folder = m_target.parent_path();
    if (!fs::is_directory(folder, ec))
        throw PublishError("文件夹不存在：" + shown(folder));
    m_work = besideTarget(m_target, shape == Shape::File ? ".part" : ".parts");
    if (shape == Shape::Folder) {
        if (!fs::create_directory(m_work, ec))
            throw PublishError("不能写入 " + shown(folder) + "：" + ec.message());
    } else {
        // a file is created by its writer; probe the folder now so a refusal comes first
        if (FILE* probe = std::fopen(m_work.c_str(), "wb")) {
            std::fclose(probe);
        } else {
            throw PublishError("不能写入 " + shown(folder));
        }
    }
}

OutputTarget::~OutputTarget() {
    if (m_committed)
        return;
    std::error_code ec;
    fs::remove_all(m_work, ec);
}

void OutputTarget::commit() {
    std::error_code ec;
    if (m_shape == Shape::Folder && fs::exists(m_target, ec)) {
        const fs::path old = besideTarget(m_target, ".old");
        fs::rename(m_target, old, ec);
        if (ec)
            throw PublishError("不能替换 " + shown(m_target) + "：" + ec.message());
        fs::rename(m_work, m_target, ec);
        if (ec) {
            std::error_code back;
            fs::rename(old, m_target, back);
            throw PublishError("不能替换 " + shown(m_target) + "：" + ec.message());
        }
        fs::remove_all(old, ec);
    } else {
        fs::rename(m_work, m_target, ec);
        if (ec)
            throw PublishError("不能写入 " + shown(m_target) + "：" + ec.message());
    }
    m_committed = true;
}

} // namespace publish
