#pragma once
#include <new>
#include <string>
#include <vector>

#include "clips/ClipList.h"

// A list control as a vector of texts that records its batches and can refuse or fail.
struct FakeItems final : ClipListItems {
    std::vector<std::u16string> items;
    std::vector<std::string> batches;
    bool refuseInserts = false, failReads = false;

    int Count() const override { return static_cast<int>(items.size()); }
    std::u16string TextAt(int index) const override {
        if (failReads) throw std::bad_alloc();
        return index >= 0 && index < Count() ? items[index] : std::u16string();
    }
    bool InsertAt(int index, const char16_t* text) override {
        return !refuseInserts && (items.insert(items.begin() + index, text), true);
    }
    bool Append(const char16_t* text) override { return InsertAt(Count(), text); }
    bool DeleteAt(int index) override { return items.erase(items.begin() + index), true; }
    void Clear() override { items.clear(); }
    void BeginBatch(int expectedItems) override { batches.push_back("begin " + std::to_string(expectedItems)); }
    void EndBatch() override { batches.push_back("end"); }
};
