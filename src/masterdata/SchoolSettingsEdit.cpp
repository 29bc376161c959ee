#include "masterdata/SchoolSettingsEdit.h"

#include "core/DateTime.h"
#include "core/Gbk.h"
#include "core/Reported.h"
#include "store/SchoolSettingsStore.h"

namespace masterdata {
namespace {

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

SchoolSettingsEdit::SchoolSettingsEdit(ui::Messenger& messenger)
    : m_messenger(messenger), m_settings(store::readSchoolSettings()), m_saved(m_settings) {}

std::string SchoolSettingsEdit::periodLabel(int period) {
    return std::string(school::kPeriodNames.at(static_cast<std::size_t>(period)));
}

std::string SchoolSettingsEdit::orderMessage(int later, int earlier) {
    return periodLabel(later) + "不能在" + periodLabel(earlier) + "结束之前开始。";
}

std::optional<SchoolSettingsEdit::Refusal>
SchoolSettingsEdit::checked(const school::SchoolSettings& shown, school::SchoolSettings& out) {
    out = school::SchoolSettings();
    out.schoolName = trimmed(shown.schoolName);
    if (const std::string bad = gbk::firstUnencodable(out.schoolName); !bad.empty()) {
        return Refusal{kNameField, kNameUnencodable + bad};
    }
    if (gbk::width(out.schoolName) > kNameBytes) {
        return Refusal{kNameField, kNameTooLong};
    }
    if (const std::string date = trimmed(shown.weekOneMonday); !date.empty()) {
        const std::optional<std::string> day = store::calendarDate(date);
        if (!day) {
            return Refusal{kDateField, kBadDate};
        }
        if (school::DateTime::fromText(*day)->weekday() != 1) {
            return Refusal{kDateField, kNotMonday};
        }
        out.weekOneMonday = *day;
    }
    // The period that last gave a time, and that time.
    int previous = -1;
    std::string previousEnd;
    for (int p = 0; p < school::kPeriods; ++p) {
        const school::PeriodTime& in = shown.periods[static_cast<std::size_t>(p)];
        school::PeriodTime& period = out.periods[static_cast<std::size_t>(p)];
        period.afternoon = in.afternoon;
        const std::pair<const std::string*, std::string*> times[] = {{&in.start, &period.start},
                                                                     {&in.end, &period.end}};
        for (std::size_t k = 0; k < 2; ++k) {
            const std::string text = trimmed(*times[k].first);
            if (text.empty()) {
                continue;
            }
            const std::optional<std::string> time = store::clockTime(text);
            if (!time) {
                const int field = k == 0 ? startField(p) : endField(p);
                return Refusal{field,
                               periodLabel(p) + (k == 0 ? "开始时间" : "结束时间") + kBadTime};
            }
            *times[k].second = *time;
        }
        if (!period.start.empty() && !period.end.empty() && period.end <= period.start) {
            return Refusal{endField(p), periodLabel(p) + kEndNotAfterStart};
        }
        const std::string& first = period.start.empty() ? period.end : period.start;
        if (first.empty()) {
            continue;
        }
        if (previous >= 0 && first < previousEnd) {
            return Refusal{period.start.empty() ? endField(p) : startField(p),
                           orderMessage(p, previous)};
        }
        previous = p;
        previousEnd = period.end.empty() ? period.start : period.end;
    }
    return std::nullopt;
}

std::optional<int> SchoolSettingsEdit::take(const school::SchoolSettings& shown) {
    school::SchoolSettings values;
    if (const std::optional<Refusal> refusal = checked(shown, values)) {
        m_messenger.error(refusal->message);
        return refusal->field;
    }
    m_settings = values;
    return std::nullopt;
}

bool SchoolSettingsEdit::save() {
    if (!ui::reported(m_messenger, [&] { store::saveSchoolSettings(m_settings); })) {
        return false;
    }
    m_saved = m_settings;
    return true;
}

bool SchoolSettingsEdit::modified(const school::SchoolSettings& shown) const {
    school::SchoolSettings values;
    return checked(shown, values) || values != m_saved;
}

bool SchoolSettingsEdit::mayClose(const school::SchoolSettings& shown) {
    return !modified(shown) || m_messenger.confirm(kDiscardQuestion);
}

} // namespace masterdata
