#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "clips/ClipList.h"
#include "tests/host/FakeItems.h"

namespace {
using Texts = std::vector<std::u16string>;

std::u16string Number(int number) {
    const std::string digits = std::to_string(number);
    return {digits.begin(), digits.end()};
}
struct Told final : ClipListObserver {
    Texts told;
    void Inserted(std::u16string_view text, int removed) override {
        told.push_back(u"+" + std::u16string(text) + u" " + Number(removed));
    }
    void Deleted(const std::vector<int>& indices) override {
        std::u16string deleted = u"-";
        for (const int index : indices) deleted += (deleted.size() > 1 ? u" " : u"") + Number(index);
        told.push_back(deleted);
    }
    void Cleared() override { told.push_back(u"clear"); }
};

using Action = std::function<void(ClipList&, FakeItems&)>;

Action Capture(const char16_t* text) {
    return [text](ClipList& list, FakeItems&) { list.InsertAtTop(text, true); };
}
Action Insert(const char16_t* text) {
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
        items.refuseInserts = true, action(list, items), items.refuseInserts = false;
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
    Texts told;  // what the observer was told: "+text removed", "-indices", "clear"
} kCases[] = {
    {"a longer item stays", {u"ab", u"c", u"a"}, {Capture(u"a")}, {u"a", u"ab", u"c"}, {u"+a 2"}},
    {"only the newest exact duplicate goes", {u"A", u"a", u"a"}, {Capture(u"a")}, {u"a", u"A", u"a"}, {u"+a 1"}},
    {"the oldest item is found", {u"a", u"b", u"c", u"d"}, {Capture(u"d")}, {u"d", u"a", u"b", u"c"}, {u"+d 3"}},
    {"the empty text is a text like any other", {u"a", u"", u"b"}, {Capture(u"")}, {u"", u"a", u"b"}, {u"+ 1"}},
    {"without the rule duplicates stay", {u"a"}, {Insert(u"a")}, {u"a", u"a"}, {u"+a -1"}},
    {"a delete skips bad and repeated indices", {u"a", u"b", u"c"}, {Delete({2, 0, 0, 9, -1})}, {u"b"}, {u"-2 0"}},
    {"the index follows a delete", {u"a", u"b", u"c"}, {Delete({1}), Capture(u"c")}, {u"c", u"a"}, {u"-1", u"+c 1"}},
    {"the index follows a duplicate's removal",
     {u"a", u"b", u"c"},
     {Capture(u"b"), Capture(u"a")},
     {u"a", u"b", u"c"},
     {u"+b 1", u"+a 1"}},
    {"the index follows a clear", {u"a", u"b"}, {Clear(), Clear(), Capture(u"b")}, {u"b"}, {u"clear", u"+b -1"}},
    {"an edited text counts as an item", {u"x"}, {Insert(u"e"), Capture(u"e")}, {u"e", u"x"}, {u"+e -1", u"+e 0"}},
    {"a refused insert keeps the index",
     {u"a", u"b"},
     {Refused(Capture(u"c")), Capture(u"b")},
     {u"b", u"a"},
     {u"+b 1"}},
    {"a refused insert still tells of the duplicate removed", {u"a", u"b"}, {Refused(Capture(u"b"))}, {u"a"}, {u"-1"}},
    {"texts that differ only beyond the code page are two",
     {u"\u65E5\u672C", u"\U0001F44D"},
     {Capture(u"\u4E2D\u56FD"), Capture(u"\U0001F44E")},
     {u"\U0001F44E", u"\u4E2D\u56FD", u"\u65E5\u672C", u"\U0001F44D"},
     {u"+\u4E2D\u56FD -1", u"+\U0001F44E -1"}},
    {"out of memory, nothing changes",
     {u"a", u"b"},
     {OutOfMemory(Capture(u"b")), Capture(u"b")},
     {u"b", u"a"},
     {u"+b 1"}},
};
}  // namespace

TEST(ClipList, EveryChangeKeepsTheDuplicateRuleAndIsToldAsMade) {
    for (const auto& row : kCases) {
        FakeItems items;
        ClipList list(items);
        Told observer;
        list.Observe(&observer);
        list.AppendBatch(static_cast<int>(row.loaded.size()), [&](const auto& append) {
            for (const std::u16string& text : row.loaded) append(text);
        });
        for (const Action& action : row.actions) action(list, items);
        EXPECT_EQ(items.items, row.expected) << row.behaviour;
        EXPECT_EQ(observer.told, row.told) << row.behaviour;
    }
}

TEST(ClipList, ABatchIsClosedEvenWhenItsSourceFails) {
    FakeItems items;
    ClipList list(items);
    EXPECT_THROW(
        list.AppendBatch(7, [](const auto& append) { append(u"one"), throw std::runtime_error("read failed"); }),
        std::runtime_error);
    EXPECT_EQ(items.batches, (std::vector<std::string>{"begin 7", "end"}));
    list.InsertAtTop(u"one", true);
    EXPECT_EQ(items.items, Texts{u"one"});
}
