#include "timetable/AutoOrder.h"

#include "timetable/ArrangeEngine.h"
#include "timetable/Boards.h"

namespace timetable {

struct AutoOrder::Impl {
    Impl(const AutoOrderData& data, RandomSource& random) : engine(data, random) {}
    ArrangeEngine<FastBoard> engine;
};

AutoOrder::AutoOrder(AutoOrderData data, RandomSource& random)
    : m_data(std::move(data)), m_impl(std::make_unique<Impl>(m_data, random)) {}

AutoOrder::~AutoOrder() = default;

void AutoOrder::arrange(int grade, const school::SchoolTimetable& source, Stage stage) {
    m_impl->engine.arrange(grade, source, stage);
    m_result = m_impl->engine.result();
}

int AutoOrder::arrangedCount() const {
    return m_impl->engine.stats().arrangedCount;
}
int AutoOrder::arrangedClassNumber(int position) const {
    return m_impl->engine.arrangedClassNumber(position);
}
int AutoOrder::passes() const {
    return m_impl->engine.stats().passes;
}
int AutoOrder::unresolved() const {
    return m_impl->engine.stats().unresolved;
}
int AutoOrder::abandonedPlacements() const {
    return m_impl->engine.stats().abandonedPlacements;
}

struct PlainAutoOrder::Impl {
    Impl(const AutoOrderData& data, RandomSource& random) : engine(data, random) {}
    ArrangeEngine<PlainBoard> engine;
};

PlainAutoOrder::PlainAutoOrder(AutoOrderData data, RandomSource& random)
    : m_data(std::move(data)), m_impl(std::make_unique<Impl>(m_data, random)) {}

PlainAutoOrder::~PlainAutoOrder() = default;

void PlainAutoOrder::arrange(int grade, const school::SchoolTimetable& source, Stage stage) {
    m_impl->engine.arrange(grade, source, stage);
    m_result = m_impl->engine.result();
}

int PlainAutoOrder::arrangedCount() const {
    return m_impl->engine.stats().arrangedCount;
}

} // namespace timetable
