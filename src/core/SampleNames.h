// Distinct, plausible teacher names for generated schools (benchmarks and randomised
// tests): two characters for n below 576, three from there on, distinct for every n below
// 14400. All are GBK-encodable, 4 or 6 bytes. UTF-8.
#pragma once

#include <string>

namespace school {

std::string sampleTeacherName(int n);

} // namespace school
