// Teachernamemany: the logic of the batch dialog of the teacher roster ("增加一批教师名单"):
// 25 boxes of at most 6 GBK bytes in 5 rows of 5. batch() is the prepared batch: the boxes
// in reading order, without blank ones (under 4 GBK bytes) and without ones beginning with
// a space, each cut to 6 bytes. Text is UTF-8.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace masterdata {

class Teachernamemany {
public:
    static constexpr int kBoxes = 25;
    static constexpr int kRows = 5;
    static constexpr int kColumns = 5;
    static constexpr std::size_t kBoxBytes = 6;
    static constexpr const char* kTitle = "增加一批教师名单";

    using Texts = std::array<std::string, kBoxes>;

    // Box k (0-based, left to right, then top to bottom) into entry k.
    void setTexts(const Texts& texts) { m_texts = texts; }
    const Texts& texts() const { return m_texts; }

    std::vector<std::string> batch() const;

private:
    Texts m_texts{};
};

} // namespace masterdata
