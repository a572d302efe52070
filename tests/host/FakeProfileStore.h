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
    using Value = std::variant<int, std::string>;
    struct Access {
        std::string key, held;  // the key read or written, and the section held meanwhile
    };

    int GetInt(const char* section, const char* key, int defaultValue) override {
        const Value* value = Note(section, key);
        return value && value->index() == 0 ? std::get<int>(*value) : defaultValue;
    }
    bool WriteInt(const char* section, const char* key, int value) override {
        Note(section, key);
        values[{section, key}] = value;
        return true;
    }
    std::string GetString(const char* section, const char* key, const char* defaultValue) override {
        const Value* value = Note(section, key);
        return value && value->index() == 1 ? std::get<std::string>(*value) : defaultValue ? defaultValue : "";
    }
    bool WriteString(const char* section, const char* key, const char* text) override {
        Note(section, key);
        values[{section, key}] = std::string(text);
        return true;
    }
    void HoldSection(const char* section) override { m_held = section; }
    void ReleaseSection() override { m_held.clear(); }
    bool Holding() const { return !m_held.empty(); }

    std::map<std::pair<std::string, std::string>, Value> values;
    std::vector<Access> log;

private:
    const Value* Note(const char* section, const char* key) {
        log.push_back({key, m_held});
        const auto found = values.find({section, key});
        return found == values.end() ? nullptr : &found->second;
    }
    std::string m_held;
};
