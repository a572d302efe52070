#pragma once
// How many clip list items hold each text, by hash: tells at once that a captured text has no
// duplicate, so the common capture does not search a long list.
#include <cstddef>
#include <string_view>
#include <unordered_map>

class ClipTextCensus {
public:
    void Add(std::string_view text) { ++m_counts[Hash(text)]; }
    void Remove(std::string_view text);
    void Clear() { m_counts.clear(); }
    // False only when no item holds the text; true may also mean another text of the same hash.
    bool MayContain(std::string_view text) const { return m_counts.count(Hash(text)) != 0; }

private:
    static std::size_t Hash(std::string_view text) { return std::hash<std::string_view>{}(text); }
    std::unordered_map<std::size_t, int> m_counts;
};
