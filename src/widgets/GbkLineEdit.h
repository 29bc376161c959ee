// GbkLineEdit: a line edit for the fixed GBK name fields (8, 10 or 11 bytes). Every user
// edit — typing, pasting, an input method's commit, undo — is refused when it would
//   - bring in a character GBK cannot encode (emoji, "•", private-use characters), or
//   - take the text's GBK byte width (gbk::width: Han 2 bytes, ASCII 1) above the cap.
// A refused edit leaves the text as it was and QLineEdit::inputRejected() is emitted, so a
// dialog can say why. Text set by code (setText) is taken as it is; later edits of such a
// text are still allowed as long as they do not make it wider or add unencodable
// characters, so an over-long stored name can always be shortened.
#pragma once

#include <QLineEdit>

#include <cstddef>

namespace widgets {

class GbkLineEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit GbkLineEdit(std::size_t maxBytes, QWidget* parent = nullptr);

    std::size_t maxBytes() const { return m_maxBytes; }

    // Whether replacing the current text by candidate is an edit this field accepts.
    bool accepts(const QString& candidate) const;

private:
    std::size_t m_maxBytes;
    QString m_accepted; // the text before the edit under validation
};

} // namespace widgets
