// The one way logic classes talk to the user: information, errors and questions.
// Widgets implement it with message boxes (caption "tavlen", the application title, unless a
// notice names its own caption, as "提示" for a finished print); tests use a recording fake
// that also scripts the answers. Texts are UTF-8.
#pragma once

#include <string>

namespace ui {

class Messenger {
public:
    virtual ~Messenger() = default;
    virtual void info(const std::string& text) = 0;
    // Information under a caption of its own.
    virtual void notice(const std::string& caption, const std::string& text) = 0;
    virtual void error(const std::string& text) = 0;
    // True for yes.
    virtual bool confirm(const std::string& text) = 0;

    enum class Answer { Yes, No, Cancel };
    // A question answered 是, 否 or 取消; where a messenger has no third button it is asked
    // as a yes/no question.
    virtual Answer ask(const std::string& text) { return confirm(text) ? Answer::Yes : Answer::No; }

    // A box under a caption of its own with the buttons 确定 and 取消, `byDefault` being the
    // one Return presses; true for 确定. Where a messenger has no such box it is asked as a
    // yes/no question.
    enum class Default { Ok, Cancel };
    virtual bool okCancel(const std::string& caption, const std::string& text, Default byDefault) {
        (void)caption;
        (void)byDefault;
        return confirm(text);
    }
};

} // namespace ui
