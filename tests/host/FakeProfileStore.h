#pragma once
// An in-memory profile that notes every read and write with the section held at the time.
#include <map>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "framework/ProfileStore.h"

class FakeProfileStore final : public ProfileStore {
public:
    using Value = std::variant<int, std::u16string>;
    struct Access {
        std::u16string key, held;  // the key read or written, and the section held meanwhile
    };

    int GetInt(const char16_t* section, const char16_t* key, int defaultValue) override {
        const Value* value = Note(section, key);
        return value && value->index() == 0 ? std::get<int>(*value) : defaultValue;
    }
    bool WriteInt(const char16_t* section, const char16_t* key, int value) override {
        Note(section, key);
        values[{section, key}] = value;
        return true;
    }
    std::u16string GetString(const char16_t* section, const char16_t* key, const char16_t* defaultValue) override {
        const Value* value = Note(section, key);
        return value && value->index() == 1 ? std::get<std::u16string>(*value) : defaultValue ? defaultValue : u"";
    }
    bool WriteString(const char16_t* section, const char16_t* key, const char16_t* text) override {
        Note(section, key);
        values[{section, key}] = std::u16string(text);
        return true;
    }
    void HoldSection(const char16_t* section) override { m_held = section; }
    void ReleaseSection() override { m_held.clear(); }
    bool Holding() const { return !m_held.empty(); }

    std::map<std::pair<std::u16string, std::u16string>, Value> values;
    std::vector<Access> log;

private:
    const Value* Note(const char16_t* section, const char16_t* key) {
        log.push_back({key, m_held});
        const auto found = values.find({section, key});
        return found == values.end() ? nullptr : &found->second;
    }
    std::u16string m_held;
};
