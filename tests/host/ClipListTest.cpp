#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "clips/ClipList.h"

namespace {
// A list control as a vector of texts that records its batches and can refuse or fail.
struct FakeItems final : ClipListItems {
    std::vector<std::string> items;
    std::vector<std::string> batches;
    bool refuseInserts = false;
    bool failReads = false;

    int Count() const override { return static_cast<int>(items.size()); }
    std::string TextAt(int index) const override {
        if (failReads) throw std::bad_alloc();
        return index >= 0 && index < Count() ? items[index] : std::string();
    }
    bool InsertAt(int index, const char* text) override {
        if (refuseInserts) return false;
        items.insert(items.begin() + index, text);
        return true;
    }
    bool Append(const char* text) override { return InsertAt(Count(), text); }
    bool DeleteAt(int index) override {
        items.erase(items.begin() + index);
        return true;
    }
    void Clear() override { items.clear(); }
    void BeginBatch(int expectedItems) override { batches.push_back("begin " + std::to_string(expectedItems)); }
    void EndBatch() override { batches.push_back("end"); }
};

using Texts = std::vector<std::string>;
using Action = std::function<void(ClipList&, FakeItems&)>;

Action Capture(const char* text) {
    return [text](ClipList& list, FakeItems&) { list.InsertAtTop(text, true); };
}
Action Insert(const char* text) {
    return [text](ClipList& list, FakeItems&) { list.InsertAtTop(text); };
}
Action Delete(std::vector<int> indices) {
    return [indices](ClipList& list, FakeItems&) { list.Delete(indices); };
}
Action Clear() {
    return [](ClipList& list, FakeItems&) { list.Clear(); };
}
// The action while the control refuses every insert.
Action Refused(Action action) {
    return [action](ClipList& list, FakeItems& items) {
        items.refuseInserts = true;
        action(list, items);
        items.refuseInserts = false;
    };
}
// The action while no item can be read back for want of memory: it fails and changes nothing.
Action OutOfMemory(Action action) {
    return [action](ClipList& list, FakeItems& items) {
        items.failReads = true;
        EXPECT_THROW(action(list, items), std::bad_alloc);
        items.failReads = false;
    };
}

const struct {
    const char* behaviour;
    Texts loaded;
    std::vector<Action> actions;
    Texts expected;
} kCases[] = {
    {"an item that merely begins with the text stays",
     {"hello world", "other", "hello"},
     {Capture("hello")},
     {"hello", "hello world", "other"}},
    {"only the newest exact duplicate goes",
     {"HELLO", "Hello", "hello", "hello"},
     {Capture("hello")},
     {"hello", "HELLO", "Hello", "hello"}},
    {"the oldest item is found", {"a", "b", "c", "d"}, {Capture("d")}, {"d", "a", "b", "c"}},
    {"the empty text is a text like any other", {"a", "", "b"}, {Capture("")}, {"", "a", "b"}},
    {"without the rule duplicates stay", {"a"}, {Insert("a")}, {"a", "a"}},
    {"a delete passes over bad and repeated indices", {"a", "b", "c", "d"}, {Delete({3, 0, 0, 9, -1})}, {"b", "c"}},
    {"the index follows a delete", {"a", "b", "c"}, {Delete({1}), Capture("c")}, {"c", "a"}},
    {"the index follows a clear", {"a", "b"}, {Clear(), Capture("b")}, {"b"}},
    {"an edited text counts as an item", {"x"}, {Insert("e"), Capture("e")}, {"e", "x"}},
    {"a refused insert leaves the index in step", {"a", "b"}, {Refused(Capture("new")), Capture("b")}, {"b", "a"}},
    {"a failed allocation changes nothing", {"a", "b"}, {OutOfMemory(Capture("b")), Capture("b")}, {"b", "a"}},
};
}  // namespace

TEST(ClipList, EveryChangeKeepsTheDuplicateRule) {
    for (const auto& row : kCases) {
        FakeItems items;
        ClipList list(items);
        list.AppendBatch(static_cast<int>(row.loaded.size()), [&](const auto& append) {
            for (const std::string& text : row.loaded) append(text);
        });
        for (const Action& action : row.actions) action(list, items);
        EXPECT_EQ(items.items, row.expected) << row.behaviour;
    }
}

TEST(ClipList, ABatchIsClosedEvenWhenItsSourceFails) {
    FakeItems items;
    ClipList list(items);
    const auto failingLoad = [](const auto& append) {
        append("one");
        throw std::runtime_error("read failed");
    };
    EXPECT_THROW(list.AppendBatch(7, failingLoad), std::runtime_error);
    EXPECT_EQ(items.batches, (Texts{"begin 7", "end"}));
    list.InsertAtTop("one", true);
    EXPECT_EQ(items.items, Texts{"one"});
}
