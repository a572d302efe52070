#pragma once

#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "framework/ProfileStore.h"

// An in-memory profile that logs every read, write and hold, for tests of code that uses one.
class FakeProfileStore final : public ProfileStore {
public:
    using Value = std::variant<int, std::string>;

    struct Access {
        std::string section;
        std::string key;
        std::optional<Value> written;  // empty for a read or a removal
        std::string heldSection;       // the section held at the time, "" when none
    };

    FakeProfileStore() = default;

    // Seeds a value as if an earlier run had stored it; not logged.
    void Put(const std::string& section, const std::string& key, Value value) {
        m_values[{section, key}] = std::move(value);
    }

    std::optional<Value> Stored(const std::string& section, const std::string& key) const {
        const auto found = m_values.find({section, key});
        if (found == m_values.end()) return std::nullopt;
        return found->second;
    }

    const std::vector<Access>& Log() const { return m_log; }
    void ClearLog() { m_log.clear(); }

    std::vector<Access> Writes() const { return Filter(true); }
    std::vector<Access> Reads() const { return Filter(false); }

    int HoldCount() const { return m_holds; }
    int ReleaseCount() const { return m_releases; }
    bool IsHolding() const { return !m_held.empty(); }

    int GetInt(const char* section, const char* key, int defaultValue) override {
        Record(section, key, std::nullopt);
        const auto stored = Stored(section, key);
        if (stored && std::holds_alternative<int>(*stored)) return std::get<int>(*stored);
        return defaultValue;
    }

    bool WriteInt(const char* section, const char* key, int value) override {
        Record(section, key, Value(value));
        m_values[{section, key}] = value;
        return true;
    }

    std::string GetString(const char* section, const char* key, const char* defaultValue) override {
        Record(section, key, std::nullopt);
        const auto stored = Stored(section, key);
        if (stored && std::holds_alternative<std::string>(*stored)) return std::get<std::string>(*stored);
        return defaultValue != nullptr ? defaultValue : "";
    }

    bool WriteString(const char* section, const char* key, const char* text) override {
        if (key == nullptr) {
            Record(section, "", std::nullopt);
            for (auto entry = m_values.begin(); entry != m_values.end();)
                entry = entry->first.first == section ? m_values.erase(entry) : std::next(entry);
            return true;
        }
        if (text == nullptr) {
            Record(section, key, std::nullopt);
            return m_values.erase({section, key}) > 0;
        }
        Record(section, key, Value(std::string(text)));
        m_values[{section, key}] = std::string(text);
        return true;
    }

    void HoldSection(const char* section) override {
        ++m_holds;
        m_held = section;
    }

    void ReleaseSection() override {
        ++m_releases;
        m_held.clear();
    }

private:
    void Record(const char* section, const char* key, std::optional<Value> written) {
        m_log.push_back({section, key, std::move(written), m_held});
    }

    std::vector<Access> Filter(bool writes) const {
        std::vector<Access> result;
        for (const Access& access : m_log)
            if (access.written.has_value() == writes) result.push_back(access);
        return result;
    }

    std::map<std::pair<std::string, std::string>, Value> m_values;
    std::vector<Access> m_log;
    std::string m_held;
    int m_holds = 0;
    int m_releases = 0;
};
