#include "widgets/GbkLineEdit.h"

#include "core/Gbk.h"
#include "widgets/TextConvert.h"

#include <QValidator>

namespace widgets {
namespace {

std::size_t unencodableCount(const std::string& utf8) {
    std::size_t count = 0;
    std::string_view rest(utf8);
    while (!rest.empty()) {
        char32_t ch = 0;
        rest.remove_prefix(gbk::decodeUtf8(rest, ch));
        if (gbk::charWidth(ch) == 0) {
            ++count;
        }
    }
    return count;
}

// QLineEdit runs the validator on the text an edit would produce and undoes the edit when
// the answer is Invalid; the line edit decides against the text it had before.
class GbkValidator : public QValidator {
public:
    explicit GbkValidator(const GbkLineEdit& edit) : QValidator(nullptr), m_edit(edit) {}

    State validate(QString& input, int& /*pos*/) const override {
        return m_edit.accepts(input) ? Acceptable : Invalid;
    }

private:
    const GbkLineEdit& m_edit;
};

} // namespace

GbkLineEdit::GbkLineEdit(std::size_t maxBytes, QWidget* parent)
    : QLineEdit(parent), m_maxBytes(maxBytes) {
    auto* validator = new GbkValidator(*this);
    validator->setParent(this);
    setValidator(validator);
    // textChanged follows every accepted change, whether typed or set by code.
    connect(this, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_accepted = text; });
}

bool GbkLineEdit::accepts(const QString& candidate) const {
    const std::string next = toStdString(candidate);
    const std::string before = toStdString(m_accepted);
    if (unencodableCount(next) > unencodableCount(before)) {
        return false;
    }
    const std::size_t width = gbk::width(next);
    return width <= m_maxBytes || width <= gbk::width(before);
}

} // namespace widgets
