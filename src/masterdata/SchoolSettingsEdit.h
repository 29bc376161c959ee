// SchoolSettingsEdit: the logic of the dialog "学校信息与作息时间" (系统设置): the school's name,
// the date of the Monday of week 1 and, for 第一节 … 第七节, the start and end of the period
// and whether it lies in the morning (上午) or the afternoon (下午). They are kept in table
// setting (store/SchoolSettingsStore.h); only the published timetables and the calendars
// read them.
//
// Construction reads the settings: what is missing or cannot be read shows blank (a period's
// half of the day by its default). Only a database that cannot be reached throws
// store::DbError: the command ends.
//
// take() checks what the controls show, in the order the dialog shows them: a name of at most
// 40 GBK bytes that GBK can encode; a date "2024-09-02" (or "2024-9-2") that is a Monday; for
// each period times "08:00" (or "8:00"), the end after the start, and each period starting
// no earlier than the one before it ended (a blank time leaves its period out of that
// comparison). Any field may stay blank. The first refused field is told with its message,
// nothing changes and the field comes back, so a refused 确定 never writes; otherwise the
// values are kept in their written form. save() writes them in one transaction (creating the
// table in an older database); a failure leaves the table as it was, shows the driver's text
// and returns false. mayClose() asks before unsaved changes are dropped. Text is UTF-8.
#pragma once

#include "core/Messenger.h"
#include "core/SchoolNames.h"
#include "core/SchoolSettings.h"

#include <cstddef>
#include <optional>
#include <string>

namespace masterdata {

class SchoolSettingsEdit {
public:
    static constexpr const char* kTitle = "学校信息与作息时间";
    static constexpr std::size_t kNameBytes = 40;
    static constexpr const char* kMorning = "上午";
    static constexpr const char* kAfternoon = "下午";

    static constexpr const char* kNameTooLong = "学校名称最多 40 个字节（20 个汉字）。";
    static constexpr const char* kNameUnencodable = "学校名称中有不能保存的字符：";
    static constexpr const char* kBadDate = "第一周星期一请按“年-月-日”填写日期，例如 2024-09-02。";
    static constexpr const char* kNotMonday = "第一周的第一天必须是星期一。";
    // Preceded by the period's name and "开始时间" or "结束时间".
    static constexpr const char* kBadTime = "请按“时:分”填写，例如 08:00。";
    // Preceded by the period's name.
    static constexpr const char* kEndNotAfterStart = "的结束时间必须晚于开始时间。";
    static constexpr const char* kDiscardQuestion = "学校信息已修改，放弃未存盘的修改吗？";

    // The fields in the order the dialog shows them, as take() names a refused one.
    static constexpr int kNameField = 0;
    static constexpr int kDateField = 1;
    static constexpr int startField(int period) { return 2 + 2 * period; } // period 0 … 6
    static constexpr int endField(int period) { return 3 + 2 * period; }

    explicit SchoolSettingsEdit(ui::Messenger& messenger);

    // "第一节" … "第七节" for period 0 … 6.
    static std::string periodLabel(int period);
    // The message for period `later` starting before period `earlier` ended:
    // "第二节不能在第一节结束之前开始。".
    static std::string orderMessage(int later, int earlier);

    // What was read or last taken.
    const school::SchoolSettings& settings() const { return m_settings; }

    // Takes what the controls show; on a refusal the user is told, nothing changes, and the
    // refused field comes back.
    std::optional<int> take(const school::SchoolSettings& shown);
    bool save();

    // Whether what the controls show differs from what was read or last saved.
    bool modified(const school::SchoolSettings& shown) const;
    // True when the dialog may close: nothing unsaved, or the user agrees to drop it.
    bool mayClose(const school::SchoolSettings& shown);

private:
    struct Refusal {
        int field;
        std::string message;
    };
    // The values in their written form, or why they are refused.
    static std::optional<Refusal> checked(const school::SchoolSettings& shown,
                                          school::SchoolSettings& out);

    ui::Messenger& m_messenger;
    school::SchoolSettings m_settings;
    school::SchoolSettings m_saved; // as read or last saved
};

} // namespace masterdata
