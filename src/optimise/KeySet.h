// A set of small non-negative keys with constant-time insert, erase and draw by index: the
// search keeps its violated rules in such sets to pick one at random.
#pragma once

#include <cstddef>
#include <vector>

namespace optimise {

class KeySet {
public:
    void reset(int keys) {
        m_position.assign(static_cast<std::size_t>(keys), -1);
        m_keys.clear();
    }
    void set(int key, bool on) {
        int& position = m_position[static_cast<std::size_t>(key)];
        if (on && position < 0) {
            position = static_cast<int>(m_keys.size());
            m_keys.push_back(key);
        } else if (!on && position >= 0) {
            const int last = m_keys.back();
            m_keys[static_cast<std::size_t>(position)] = last;
            m_position[static_cast<std::size_t>(last)] = position;
            m_keys.pop_back();
            position = -1;
        }
    }
    bool contains(int key) const { return m_position[static_cast<std::size_t>(key)] >= 0; }
    int size() const { return static_cast<int>(m_keys.size()); }
    bool empty() const { return m_keys.empty(); }
    int operator[](int index) const { return m_keys[static_cast<std::size_t>(index)]; }
    const std::vector<int>& keys() const { return m_keys; }

private:
    std::vector<int> m_keys;
    std::vector<int> m_position;
};

} // namespace optimise
