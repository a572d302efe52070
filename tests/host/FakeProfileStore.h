#pragma once
// An in-memory profile that notes every read and write with the section held at the time. As in
// the registry, a read creates the section it names. Its changes (writes, removals, renames) are
// numbered from 0: change number failAt fails, and from number freezeAt on every change is dropped
// while reporting success, as if the program had been killed just before it.
#include <climits>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "framework/ProfileStore.h"

class FakeProfileStore final : public ProfileStore {
public:
    using Value = std::variant<int, std::u16string>;
    using Values = std::map<std::pair<std::u16string, std::u16string>, Value>;  // by section and key

    int GetInt(const char16_t* section, const char16_t* key, int defaultValue) override {
        const Value* value = Note(section, key);
        return value && value->index() == 0 ? std::get<int>(*value) : defaultValue;
    }
    bool WriteInt(const char16_t* section, const char16_t* key, int value) override {
        Note(section, key);
        return Change([&] { return Put(section, key, value); });
    }
    std::u16string GetString(const char16_t* section, const char16_t* key, const char16_t* defaultValue) override {
        const Value* value = Note(section, key);
        return value && value->index() == 1 ? std::get<std::u16string>(*value) : defaultValue ? defaultValue : u"";
    }
    bool WriteString(const char16_t* section, const char16_t* key, const char16_t* text) override {
        if (key == nullptr) return Change([&] { return HasSection(section) && Move(section, nullptr); });
        Note(section, key);
        return Change([&] {
            return text ? Put(section, key, std::u16string(text)) : values.erase({section, key}) > 0;
        });
    }
    bool HasSection(const char16_t* section) override {
        return sections.count(section) > 0 || Begin(section) != Begin(section, true);
    }
    bool RenameSection(const char16_t* from, const char16_t* to) override {
        return Change([&] { return HasSection(from) && !HasSection(to) && Move(from, to); });
    }
    void HoldSection(const char16_t* section) override { m_held = section; }
    void ReleaseSection() override { m_held.clear(); }
    bool Holding() const { return !m_held.empty(); }

    Values values;
    std::set<std::u16string> sections;                           // sections that exist, with values or without
    std::vector<std::pair<std::u16string, std::u16string>> log;  // each key read or written, and the section held
    int changes = 0, failAt = -1, freezeAt = INT_MAX;

private:
    template <typename Apply>
    bool Change(Apply apply) {
        const int number = changes++;
        return number != failAt && (number >= freezeAt || apply());
    }
    bool Put(const char16_t* section, const char16_t* key, Value value) {
        sections.insert(section);
        values[{section, key}] = std::move(value);
        return true;
    }
    // The first value of the section, or the first one past it.
    Values::iterator Begin(const std::u16string& section, bool past = false) {
        return values.lower_bound({past ? section + u'\0' : section, u""});
    }
    // Moves the section's values to section `to`, or removes them when it is null.
    bool Move(const char16_t* from, const char16_t* to) {
        for (auto value = Begin(from); value != Begin(from, true); value = values.erase(value))
            if (to) values[{to, value->first.second}] = value->second;
        sections.erase(from);
        if (to) sections.insert(to);
        return true;
    }
    const Value* Note(const char16_t* section, const char16_t* key) {
        log.push_back({key, m_held});
        if (changes < freezeAt) sections.insert(section);
        const auto found = values.find({section, key});
        return found == values.end() ? nullptr : &found->second;
    }
    std::u16string m_held;
};
