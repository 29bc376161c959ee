// Test support: a Messenger that records every message and answers questions from a
// script (yes when the script is exhausted, unless told otherwise).
#pragma once

#include "core/Messenger.h"

#include <deque>
#include <string>
#include <vector>

namespace testsupport {

class RecordingMessenger : public ui::Messenger {
public:
    struct Entry {
        enum class Kind { Info, Error, Confirm } kind;
        std::string text;
        std::string caption; // the caption of a notice; empty for the application title
        // The button Return presses in an okCancel() box.
        ui::Messenger::Default byDefault = ui::Messenger::Default::Ok;
    };

    void info(const std::string& text) override {
        m_entries.push_back({Entry::Kind::Info, text, {}});
    }
    void notice(const std::string& caption, const std::string& text) override {
        m_entries.push_back({Entry::Kind::Info, text, caption});
    }
    void error(const std::string& text) override {
        m_entries.push_back({Entry::Kind::Error, text, {}});
    }
    bool confirm(const std::string& text) override {
        m_entries.push_back({Entry::Kind::Confirm, text, {}});
        return nextAnswer();
    }
    // Answered from the same script as confirm(): true is 确定.
    bool okCancel(const std::string& caption, const std::string& text, Default byDefault) override {
        m_entries.push_back({Entry::Kind::Confirm, text, caption, byDefault});
        return nextAnswer();
    }

    Answer ask(const std::string& text) override {
        m_entries.push_back({Entry::Kind::Confirm, text, {}});
        if (m_asks.empty()) {
            return Answer::Yes;
        }
        const Answer answer = m_asks.front();
        m_asks.pop_front();
        return answer;
    }
    // Answers of ask(), in order (是 when the script is exhausted).
    void scriptAsks(std::initializer_list<Answer> answers) { m_asks.insert(m_asks.end(), answers); }

    void scriptAnswers(std::initializer_list<bool> answers) {
        m_answers.insert(m_answers.end(), answers);
    }
    void setDefaultAnswer(bool answer) { m_defaultAnswer = answer; }

    const std::vector<Entry>& entries() const { return m_entries; }
    std::vector<std::string> texts() const {
        std::vector<std::string> out;
        for (const auto& e : m_entries) {
            out.push_back(e.text);
        }
        return out;
    }
    bool said(const std::string& text) const {
        for (const auto& e : m_entries) {
            if (e.text == text) {
                return true;
            }
        }
        return false;
    }
    void clear() { m_entries.clear(); }

private:
    bool nextAnswer() {
        if (m_answers.empty()) {
            return m_defaultAnswer;
        }
        const bool answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }

    std::vector<Entry> m_entries;
    std::deque<bool> m_answers;
    std::deque<Answer> m_asks;
    bool m_defaultAnswer = true;
};

} // namespace testsupport
