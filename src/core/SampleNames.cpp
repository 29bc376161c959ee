#include "core/SampleNames.h"

#include <array>
#include <cstddef>

namespace school {
namespace {

constexpr std::array<const char*, 24> kSurnames = {"王", "李", "张", "刘", "陈", "杨", "黄", "赵",
                                                   "吴", "周", "徐", "孙", "马", "朱", "胡", "郭",
                                                   "何", "高", "林", "罗", "郑", "梁", "谢", "宋"};
constexpr std::array<const char*, 24> kGiven = {"伟", "芳", "娜", "敏", "静", "丽", "强", "磊",
                                                "军", "洋", "勇", "艳", "杰", "涛", "明", "超",
                                                "秀", "霞", "平", "刚", "桂", "华", "红", "兰"};

} // namespace

std::string sampleTeacherName(int n) {
    std::string name = std::string(kSurnames[static_cast<std::size_t>(n % 24)]) +
                       kGiven[static_cast<std::size_t>((n / 24) % 24)];
    if (n >= 576) {
        name += kGiven[static_cast<std::size_t>(n / 576 - 1)];
    }
    return name;
}

} // namespace school
