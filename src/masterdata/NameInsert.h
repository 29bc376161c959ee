// NameInsert: the logic of the small new-name dialog of the teacher roster (no title). It
// holds the prompt and the text the user typed; the roster decides what to do with it.
// result() is the typed text once accepted, nothing after a cancel. Text is UTF-8.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

namespace masterdata {

class NameInsert {
public:
    static constexpr const char* kPrompt = "请输入新教师名字";
    // The box takes no more than a teacher name keeps (the roster cuts to 6 bytes anyway).
    static constexpr std::size_t kBoxBytes = 6;

    void accept(std::string text) { m_result = std::move(text); }
    void cancel() { m_result.reset(); }
    const std::optional<std::string>& result() const { return m_result; }

private:
    std::optional<std::string> m_result;
};

} // namespace masterdata
