// Reading and saving the school's own settings (core/SchoolSettings.h) in table setting, one
// row a setting, on the database the record sets use (the data source, or the database
// ConnectTarget points them at). The rows, 名称 → 值, all text:
//   学校名称                     the school's name, at most 40 GBK bytes
//   第一周星期一                 the date of the Monday of week 1, "2024-09-02"
//   第1节开始 … 第7节开始        the start of each period, "08:00" (24-hour clock)
//   第1节结束 … 第7节结束        its end, "08:45"
//   第1节时段 … 第7节时段        "上午" or "下午"
// A name, date or time that is not set has no row.
//
// readSchoolSettings() never fails over the settings themselves: a missing table, a missing
// row or a value that cannot be read (a time "8点", a date "2024-13-01" or one that is no
// Monday, a name GBK cannot encode, a 时段 other than 上午 and 下午) leaves that setting at
// its default (empty; afternoon from period 5). Of two rows of one name the later one wins;
// a longer name is cut to 40 bytes. Only a database that cannot be reached, or a table that
// is there but cannot be read, throws store::DbError.
//
// saveSchoolSettings() replaces the rows of the names above (rows of any other name stay) in
// one transaction, creating the table first when the database lacks it. On failure it throws
// store::DbError and the table is as it was (still missing, if it was). Text is UTF-8.
#pragma once

#include "core/SchoolSettings.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace store {

inline constexpr std::size_t kSchoolNameBytes = 40;

inline constexpr std::string_view kSchoolNameSetting = "学校名称";
inline constexpr std::string_view kWeekOneMondaySetting = "第一周星期一";
inline constexpr std::string_view kMorning = "上午";
inline constexpr std::string_view kAfternoon = "下午";

enum class PeriodSetting { Start, End, HalfDay };
// "第3节开始", "第3节结束", "第3节时段" for period 3 (1 … 7).
std::string periodSettingName(int period, PeriodSetting which);

// A time of day written "8:05" or "08:05" (00:00 … 23:59, spaces around it allowed) as
// "08:05"; nothing for anything else.
std::optional<std::string> clockTime(std::string_view text);
// A calendar date written "2024-09-02" or "2024-9-2" as "2024-09-02"; nothing for anything
// else, a date that does not exist included.
std::optional<std::string> calendarDate(std::string_view text);

school::SchoolSettings readSchoolSettings();
void saveSchoolSettings(const school::SchoolSettings& settings);

} // namespace store
