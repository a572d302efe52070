// The clip list's journal: its records, and what a start shows after a kill or failed write at any moment.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>

#include "clips/ClipJournal.h"
#include "clips/JournalRecord.h"
#include "settings/ClipArchive.h"
#include "tests/host/FakeItems.h"
#include "tests/host/FakeProfileStore.h"

using clip_archive::ClipKey;

namespace {
using Texts = std::vector<std::u16string>;
using Kind = JournalRecord::Kind;

// One start of the program: the list loaded through the journal, which then hears of every change.
struct Program {
    Program(FakeProfileStore& profile, std::int32_t numberToSave) : journal(profile) {
        const Texts loaded = journal.Load(numberToSave);
        list.AppendBatch(0, [&](const auto& append) {
            for (const std::u16string& text : loaded) append(text);
        });
        list.Observe(&journal);
    }
    clip_archive::ClipListReader Reader() {
        return {[this] { return list.Count(); }, [this](int index) { return list.TextAt(index); }};
    }
    FakeItems items;
    ClipList list{items};
    ClipJournal journal;
};

// A version before the journal loads CLIP 00, CLIP 01, ... up to numberToSave of them, stopping at
// the first empty or missing one.
Texts PlainLoad(FakeProfileStore& profile, std::int32_t numberToSave) {
    Texts loaded;
    for (std::int32_t number = 0; number < numberToSave; ++number) {
        std::u16string text = profile.GetString(u"LastClips", ClipKey(number).c_str(), nullptr);
        if (text.empty()) break;
        loaded.push_back(std::move(text));
    }
    return loaded;
}
// What the next start shows of this list: the texts a save keeps, as many as are loaded. The
// duplicates go only when the list was last saved so and nothing changed since; after any change
// the start shows the list as it stood.
Texts NextStart(const Texts& list, std::int32_t numberToSave, bool removeDups) {
    Texts kept;
    for (const int index : clip_archive::SavedIndices(list, removeDups))
        if (static_cast<std::int32_t>(kept.size()) < numberToSave) kept.push_back(list[index]);
    return kept;
}
// Puts the saved clippings in place as a program that knows no journal leaves them.
void WriteClippingsAsBefore(FakeProfileStore& profile, const Texts& texts) {
    for (auto value = profile.values.begin(); value != profile.values.end();)
        value = value->first.first == u"LastClips" ? profile.values.erase(value) : std::next(value);
    for (std::size_t number = 0; number <= texts.size(); ++number)
        profile.values[{u"LastClips", ClipKey(static_cast<int>(number))}] =
            number < texts.size() ? texts[number] : std::u16string();
}
// Whether "LastClips" holds "CLIP 00", "CLIP 01", ... and the empty ending entry, and nothing else.
// That is, what writing the clippings it loads as before would leave, unless it is empty.
bool OnlyClippings(FakeProfileStore& profile) {
    FakeProfileStore rewritten;
    WriteClippingsAsBefore(rewritten, PlainLoad(profile, INT32_MAX));
    FakeProfileStore::Values clippings;
    for (const auto& value : profile.values)
        if (value.first.first == u"LastClips") clippings.insert(value);
    return clippings.empty() || clippings == rewritten.values;
}

// Where the program stood after a step: the store changes made so far, its list and its settings.
struct Moment {
    int changes = 0;
    Texts list;  // the list the program holds (or an older version left)
    std::int32_t numberToSave = 0;
    bool removeDups = false, started = false;
    bool savedWithoutDups = false;  // nothing changed since such a save
};
struct Session : Moment {
    explicit Session(FakeProfileStore& store) : profile(store) {}
    FakeProfileStore& profile;
    std::unique_ptr<Program> program;
    bool splitWithoutDups = false;  // nothing changed since the split save under way began
};
struct Step {
    std::function<void(Session&)> act;
    int changes = -1;          // the store changes it makes, when that is part of the behaviour
    bool saves = false;        // a full save or part of one
    bool changesList = false;  // by the program or by an older version
};

// A kill, then a start with these settings.
Step Start(std::int32_t numberToSave, bool removeDups, int changes = -1) {
    return {[=](Session& run) {
                run.program.reset();
                run.numberToSave = numberToSave, run.removeDups = removeDups, run.started = true;
                run.program = std::make_unique<Program>(run.profile, numberToSave);
            },
            changes};
}
Step Capture(const char16_t* text) {
    return {[=](Session& run) { run.program->list.InsertAtTop(text, run.removeDups); }, 1, false, true};
}
Step Edit(const char16_t* text) {
    return {[=](Session& run) { run.program->list.InsertAtTop(text); }, 1, false, true};
}
Step Delete(std::vector<int> indices) {
    return {[=](Session& run) { run.program->list.Delete(indices); }, 1, false, true};
}
Step Clear() {
    return {[](Session& run) { run.program->list.Clear(); }, 1, false, true};
}
Step SaveAll() {
    return {[](Session& run) {
                run.program->journal.SaveAll(run.program->Reader(), run.removeDups);
                run.savedWithoutDups = run.removeDups, run.splitWithoutDups = false;
            },
            -1, true};
}
Step BeginSplit() {
    return {[](Session& run) {
                run.program->journal.BeginSplitSave(run.program->Reader(), run.removeDups);
                run.splitWithoutDups = run.removeDups;
            },
            -1, true};
}
Step Continue(int maxWrites) {
    return {[=](Session& run) {
                const int before = run.profile.changes;
                const bool underWay = run.program->journal.SplitSaveUnderWay();
                if (!run.program->journal.ContinueSplitSave(maxWrites)) {
                    EXPECT_LE(run.profile.changes - before, maxWrites);
                } else if (underWay) {
                    run.savedWithoutDups = run.splitWithoutDups;
                }
            },
            -1, true};
}
// The program is killed and an older version that knows no journal runs and saves these.
Step OlderVersionSaves(const Texts& texts) {
    return {[=](Session& run) {
                run.program.reset();
                if (PlainLoad(run.profile, INT32_MAX) == texts) return;  // the profile is as it was
                if (run.profile.changes <= run.profile.freezeAt) WriteClippingsAsBefore(run.profile, texts);
                run.list = texts;
            },
            -1, false, true};
}
// The program is killed and another program puts the value in place of the journal's record
// number `record` (0 the header); the next start shows `shown`.
Step Spoil(const char16_t* record, const char16_t* value, const Texts& shown) {
    return {[=](Session& run) {
                run.program.reset();
                if (run.profile.changes <= run.profile.freezeAt) run.profile.values[{u"Journal", record}] = value;
                run.list = shown;
            },
            -1, false, true};
}

const struct Scenario {
    const char* behaviour;
    Texts saved;  // by a version before the journal
    std::vector<Step> steps;
} kScenarios[] = {
    {"a list saved with duplicates loads whole, RemoveDups on; a save drops them unless the list changes after it",
     {u"dup", u"mid", u"dup"},
     {Start(10, true, 1), SaveAll(), Start(10, true, 2), Edit(u"dup"), SaveAll(), Capture(u"x"), Start(10, true),
      Start(2, true, 1)}},
    {"captures, edits, deletes and clears, duplicates removed, fewer shown than kept",
     {u"a", u"b", u"c", u"d"},
     {Start(3, true, 1), Capture(u"b"), Edit(u"x"), Edit(u""), Capture(u"a"), Delete({1, 3}), Start(2, true, 1),
      Edit(u"a"), Start(10, true, 0), Clear(), Capture(u"q"), Start(10, true, 0)}},
    {"full saves keep the empties and duplicates the list still holds",
     {},
     {Start(10, false, 1), Edit(u"a"), Edit(u""), Edit(u"a"), Edit(u"b"), SaveAll(), Delete({1}), Edit(u""), SaveAll(),
      Delete({2}), Start(10, true, 1), Capture(u"a"), Edit(u"a"), SaveAll(), Delete({2}), Start(1, true),
      Start(1, true, 0)}},
    {"split saves with changes made while they are under way",
     {u"a", u"b"},
     {Start(10, true, 1), Capture(u"c"), Capture(u"a"), BeginSplit(),    Continue(2),   Capture(u"d"),
      Edit(u""),          Continue(2),   Delete({3}),   Continue(2),     Continue(50),  Capture(u"e"),
      BeginSplit(),       Continue(1),   Capture(u"b"), SaveAll(),       Capture(u"f"), Edit(u""),
      BeginSplit(),       Capture(u"g"), Continue(3),   Start(10, true), Capture(u"h")}},
    {"a journal over a list an older version saved again is set aside",
     {u"a", u"b"},
     {Start(10, true, 1), Capture(u"c"), OlderVersionSaves({u"z", u"a", u"b"}), Start(10, true, 2), Capture(u"d"),
      OlderVersionSaves({u"y"}), Start(10, true, 3), Capture(u"e")}},
    {"a list that begins as the journal's but is longer is not the journal's",
     {u"a", u"a"},
     {Start(10, false, 1), Edit(u"x"), Delete({0}), OlderVersionSaves({u"a", u"a", u"a"}), Start(10, false),
      Edit(u"y")}},
    {"the same characters split into other texts are another list",
     {u"a", u"bc"},
     {Start(10, false, 1), Edit(u"x"), OlderVersionSaves({u"ab", u"c"}), Start(10, false), Edit(u"y")}},
    {"a damaged record is passed over, and so is the next, made on another list",
     {u"a", u"b", u"c"},
     {Start(10, true, 1), Capture(u"x"), Capture(u"b"), Spoil(u"00000001", u"not a record", {u"a", u"b", u"c"}),
      Start(10, true), Capture(u"next"), Start(10, true)}},
    {"a journal with a damaged header is passed over",
     {u"a", u"b", u"c"},
     {Start(10, true, 1), Capture(u"x"), Spoil(u"00000000", u"H,1", {u"a", u"b", u"c"}), Start(10, true),
      Capture(u"next"), Start(10, true)}},
    {"saved clippings restored from a backup of an earlier save",
     {u"a"},
     {Start(10, true, 1), Capture(u"b"), SaveAll(), Capture(u"c"), SaveAll(), Capture(u"d"),
      OlderVersionSaves({u"b", u"a"}), Start(10, true), Capture(u"e")}},
};

// Plays the scenario and gives the moment before each step and after the last. Unless a change
// is dropped or fails, every start shows the list as it stood, or as last saved (NextStart).
std::vector<Moment> Play(FakeProfileStore& profile, const Scenario& scenario) {
    WriteClippingsAsBefore(profile, scenario.saved);
    Session run(profile);
    run.changes = profile.changes, run.list = scenario.saved;
    std::vector<Moment> moments{run};
    for (const Step& step : scenario.steps) {
        run.started = false;
        step.act(run);
        if (step.changesList || run.started) run.savedWithoutDups = run.splitWithoutDups = false;
        if (run.program) run.list = run.program->items.items;
        run.changes = profile.changes;
        moments.push_back(run);
        if (profile.freezeAt < INT_MAX || profile.failAt >= 0) continue;
        const auto where = ::testing::Message() << scenario.behaviour << ", step " << moments.size() - 1;
        EXPECT_TRUE(step.changes < 0 || profile.changes - moments.end()[-2].changes == step.changes) << where;
        if (moments.back().started) {
            const Moment& before = moments.end()[-2];
            EXPECT_EQ(run.list, NextStart(before.list, run.numberToSave, before.savedWithoutDups)) << where;
        }
    }
    moments[0].numberToSave = moments[1].numberToSave, moments[0].removeDups = moments[1].removeDups;
    return moments;
}

// The step under way at store change number `change` (one past the last when none is).
std::size_t StepAt(const std::vector<Moment>& moments, int change) {
    std::size_t step = 1;
    while (step < moments.size() && moments[step].changes <= change) ++step;
    return std::min(step, moments.size() - 1);
}
}  // namespace

TEST(JournalRecord, EveryKindReadsBackAndAnyDamageIsRecognised) {
    std::u16string megabyte(1 << 20, u'\0');  // every code unit but zero: lone surrogates, controls, ',', ':'
    for (std::size_t at = 0; at < megabyte.size(); ++at) megabyte[at] = static_cast<char16_t>(1 + at % 0xFFFF);
    const JournalRecord records[] = {
        {Kind::Header, {1, 0, INT64_MIN}, {}},
        {Kind::Header, {1, 32767, INT64_MAX}, {}},
        {Kind::Insert, {-1}, u""},
        {Kind::Insert, {4}, megabyte},
        {Kind::Delete, {3, 2, 0}, {}},
        {Kind::Clear, {}, {}},
        {Kind::Restore, {7}, u" 1:2, \r\n"},
        {Kind::Keep, {-25536, 1}, {}},
    };
    for (const JournalRecord& record : records) {
        const std::u16string value = EncodeRecord(record);
        EXPECT_TRUE(DecodeRecord(value) == record) << value.size();
        const std::size_t step = value.size() > 100 ? value.size() / 3 : 1;  // the megabyte: a few places
        for (std::size_t at = 0; at < value.size(); at += step) {
            std::u16string changed = value;
            changed[at] ^= 1;
            EXPECT_FALSE(DecodeRecord(value.substr(0, at)) || DecodeRecord(changed)) << at << " of " << value.size();
        }
    }
    const JournalRecord misshapen[] = {{Kind::Clear, {5}, {}},
                                       {Kind::Delete, {}, {}},
                                       {Kind::Header, {1, 2}, {}},
                                       {Kind::Keep, {1}, {}},
                                       {static_cast<Kind>(u'X'), {}, {}}};
    for (const JournalRecord& record : misshapen) EXPECT_FALSE(DecodeRecord(EncodeRecord(record)));
}

TEST(ClipJournal, AStartAfterAKillAtAnyMomentShowsTheListAsItStoodOrAsLastSaved) {
    for (const Scenario& scenario : kScenarios) {
        FakeProfileStore whole;
        const std::vector<Moment> moments = Play(whole, scenario);
        for (int kill = 0; kill <= moments.back().changes; ++kill) {
            FakeProfileStore killed;
            killed.freezeAt = kill;
            Play(killed, scenario);
            // Killed between two steps, the start has the settings of the one before; within one, its own.
            const std::size_t step = StepAt(moments, kill);
            const Moment& held = moments[kill < moments[step].changes ? step - 1 : step];
            const Moment& at = kill == held.changes ? held : moments[step];
            const Texts expected = NextStart(held.list, at.numberToSave, held.savedWithoutDups);
            // Killed within a full save, the start may find it made.
            const bool withinSave = kill > held.changes && scenario.steps[step - 1].saves;
            const Texts saved = NextStart(held.list, at.numberToSave, moments[step].savedWithoutDups);
            // Then starts killed in their turn after 0, 1, 2, ... changes, until one is not cut short.
            for (int startKill = 0, cutShort = true; cutShort; ++startKill) {
                FakeProfileStore profile;
                profile.values = killed.values, profile.sections = killed.sections, profile.freezeAt = startKill;
                Program{profile, at.numberToSave};
                cutShort = profile.changes > startKill;
                profile.freezeAt = INT_MAX;
                Program start(profile, at.numberToSave);
                const auto where = ::testing::Message() << scenario.behaviour << ", killed before change " << kill
                                                        << ", then the start before change " << startKill;
                EXPECT_EQ(start.items.items, withinSave && start.items.items == saved ? saved : expected) << where;
                EXPECT_TRUE(OnlyClippings(profile)) << where;
                for (const char16_t* left : {u"LastClips New", u"LastClips Old", u"Journal New"})
                    EXPECT_FALSE(profile.HasSection(left)) << where;
                start.list.InsertAtTop(u"next", at.removeDups);
                EXPECT_EQ(Program(profile, at.numberToSave).items.items,
                          NextStart(start.items.items, at.numberToSave, false))
                    << where;
            }
        }
    }
}

TEST(ClipJournal, AFailedStoreChangeLosesNothingInASaveAndElseOnlyChangesUpToTheNextSave) {
    for (const Scenario& scenario : kScenarios) {
        FakeProfileStore whole;
        const int changes = Play(whole, scenario).back().changes;
        for (int failed = 0; failed < changes; ++failed) {
            FakeProfileStore profile;
            profile.failAt = failed;
            std::vector<Moment> moments = Play(profile, scenario);
            const std::size_t failing = StepAt(moments, failed);
            moments.push_back(moments.back());  // and a last start
            moments.back().list = Program(profile, moments.back().numberToSave).items.items;
            moments.back().started = true;
            // Every start from then on shows the list just before it, or after a failed journal write
            // one the program held at the failure or later.
            for (std::size_t start = failing; start < moments.size(); ++start) {
                if (!moments[start].started) continue;
                const Moment& at = moments[start];
                bool held = false;
                for (std::size_t step = scenario.steps[failing - 1].saves ? start - 1 : failing - 1; step < start;
                     ++step)
                    for (const bool withoutDups : {false, true})
                        held = held || at.list == NextStart(moments[step].list, at.numberToSave, withoutDups);
                EXPECT_TRUE(held) << scenario.behaviour << ", change " << failed << " failed, start " << start;
            }
        }
    }
}
