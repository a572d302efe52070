#include "clips/ClipJournal.h"

#include <algorithm>
#include <climits>
#include <deque>
#include <iterator>

#include "clips/JournalRecord.h"
#include "framework/ProfileStore.h"

using clip_archive::ClipKey;
using clip_archive::kLastClipsSection;
using Kind = JournalRecord::Kind;

namespace {

constexpr char16_t kJournal[] = u"Journal";
constexpr char16_t kJournalNew[] = u"Journal New";
// Named to sort before "Journal": Wine 8 corrupts its registry when a key is renamed to a name
// that sorts right after its own, with no other key between.
constexpr char16_t kJournalSetAside[] = u"Foreign Journal";
constexpr char16_t kLastClipsNew[] = u"LastClips New";
// Stands while a commit is under way, and only once both new sections are complete.
constexpr char16_t kLastClipsOld[] = u"LastClips Old";

constexpr std::int64_t kFormat = 1;
constexpr int kFewestChangesForCompaction = 64;

std::u16string RecordKey(std::size_t number) { return clip_archive::NumberedKey(u"", number, 8); }

// Continues the hash of a base with one more value, its length first so that "ab","c" and "a","bc"
// differ. A base's hash covers its texts and then the value that follows them ("" for the ending
// entry), so that a longer list that begins the same differs too.
std::uint64_t HashValue(std::uint64_t hash, std::u16string_view text) {
    const char16_t length[] = {static_cast<char16_t>(text.size()), static_cast<char16_t>(text.size() >> 16)};
    return ContinueHash(ContinueHash(hash, {length, 2}), text);
}

JournalRecord Header(std::size_t count, std::uint64_t hash) {
    return {Kind::Header, {kFormat, static_cast<std::int64_t>(count), static_cast<std::int64_t>(hash)}, {}};
}

// The saved clippings, read from "LastClips" as far as asked and no further, each value once.
class SavedClippings {
public:
    explicit SavedClippings(ProfileStore& profile)
        : m_profile(profile), m_exists(profile.HasSection(kLastClipsSection)) {
        if (m_exists) m_held.emplace(profile, kLastClipsSection);
    }

    // The texts before the first empty or missing value, at most `most` of them.
    int Leading(std::int64_t most) {
        int count = 0;
        while (count < most && !At(count).empty()) ++count;
        return count;
    }
    std::uint64_t Hash(int count) {
        std::uint64_t hash = kHashStart;
        for (int number = 0; number < count; ++number) hash = HashValue(hash, At(number));
        return HashValue(hash, At(count));
    }
    std::vector<std::u16string> Take(int count) {
        return {std::make_move_iterator(m_texts.begin()), std::make_move_iterator(m_texts.begin() + count)};
    }

private:
    const std::u16string& At(int number) {
        while (static_cast<int>(m_texts.size()) <= number)
            m_texts.push_back(m_exists ? m_profile.GetString(kLastClipsSection, ClipKey(number).c_str(), nullptr)
                                       : std::u16string());
        return m_texts[number];
    }

    ProfileStore& m_profile;
    const bool m_exists;  // a missing section is not read, so that it is not created
    std::optional<HeldSection> m_held;
    std::vector<std::u16string> m_texts;
};

// The list as the journal rebuilds it: a deque, so that an item goes on top without moving others.
struct ReplayItems final : ClipListItems {
    std::deque<std::u16string> texts;

    int Count() const override { return static_cast<int>(texts.size()); }
    std::u16string TextAt(int index) const override { return texts[index]; }
    bool InsertAt(int index, const char16_t* text) override {
        texts.emplace(texts.begin() + index, text);
        return true;
    }
    bool Append(const char16_t* text) override {
        texts.emplace_back(text);
        return true;
    }
    bool DeleteAt(int index) override {
        texts.erase(texts.begin() + index);
        return true;
    }
    void Clear() override { texts.clear(); }
};

void AppendAll(ClipList& list, const std::vector<std::u16string>& texts) {
    list.AppendBatch(static_cast<int>(texts.size()), [&texts](const auto& append) {
        for (const std::u16string& text : texts) append(text);
    });
}

// Keeps of the list what a save writes, the first `most` of it; false when that is the whole list.
bool KeepSaved(ClipList& list, const ReplayItems& items, std::int64_t most, bool removeDups) {
    std::vector<int> saved = clip_archive::SavedIndices(items.texts, removeDups);
    if (most < static_cast<std::int64_t>(saved.size()))
        saved.resize(static_cast<std::size_t>(std::max<std::int64_t>(most, 0)));
    if (saved.size() == items.texts.size()) return false;
    std::vector<std::u16string> kept;
    kept.reserve(saved.size());
    for (const int index : saved) kept.push_back(items.texts[index]);
    list.Clear();
    AppendAll(list, kept);
    return true;
}

// Makes the change again; a record that does not fit the list is passed over.
void Replay(ClipList& list, const ReplayItems& items, const JournalRecord& record) {
    const std::vector<std::int64_t>& numbers = record.numbers;
    switch (record.kind) {
        case Kind::Insert: {
            const std::int64_t removed = numbers[0];
            if (removed < -1 || removed >= list.Count() || (removed >= 0 && items.texts[removed] != record.text))
                return;
            if (removed >= 0) list.Delete({static_cast<int>(removed)});
            list.InsertAtTop(record.text);
            return;
        }
        case Kind::Delete: {
            std::vector<int> indices;
            for (const std::int64_t index : numbers)
                indices.push_back(index >= 0 && index < list.Count() ? static_cast<int>(index) : -1);
            list.Delete(std::move(indices));
            return;
        }
        case Kind::Clear:
            list.Clear();
            return;
        case Kind::Keep:
            if (numbers[1] == 0 || numbers[1] == 1) KeepSaved(list, items, numbers[0], numbers[1] == 1);
            return;
        default:  // a header or a restore out of its place
            return;
    }
}

}  // namespace

template <typename MakeRecord>
void ClipJournal::Append(const MakeRecord& makeRecord) {
    // Called after the list changed, so nothing may escape: a change that reaches no journal only
    // stops the journal until a full save holds the list again.
    try {
        const std::u16string value = EncodeRecord(makeRecord());
        ++m_changes;
        if (m_split) m_split->journal.push_back(value);
        if (m_unjournaled) return;
        // Into the journal as it stands: one begun anew, its header gone, would be set aside.
        if (m_profile.WriteExisting(m_journal, RecordKey(m_nextRecord).c_str(), value.c_str()))
            ++m_nextRecord;
        else
            m_unjournaled = true;
    } catch (...) {
        m_unjournaled = true;
        m_split.reset();
    }
}

std::vector<std::u16string> ClipJournal::Load(std::int32_t numberToSave) {
    m_split.reset();
    m_nextRecord = m_changes = 0;
    m_unjournaled = !Recover();
    m_journal = kJournal;

    const bool hasJournal = m_profile.HasSection(kJournal);
    std::optional<JournalRecord> header;
    if (hasJournal) header = DecodeRecord(m_profile.GetString(kJournal, RecordKey(0).c_str(), nullptr));
    if (header && (header->kind != Kind::Header || header->numbers[0] != kFormat || header->numbers[1] < 0 ||
                   header->numbers[1] > INT_MAX))
        header.reset();

    // The journal extends the saved clippings when its header names their count and their hash.
    bool extends = false;
    std::uint64_t baseHash = 0;
    std::vector<std::u16string> base;
    {
        SavedClippings saved(m_profile);
        int count = header ? saved.Leading(header->numbers[1]) : 0;
        extends = header && count == header->numbers[1] &&
                  saved.Hash(count) == static_cast<std::uint64_t>(header->numbers[2]);
        if (extends) {
            baseHash = static_cast<std::uint64_t>(header->numbers[2]);
        } else {
            count = saved.Leading(numberToSave);
            baseHash = saved.Hash(count);
        }
        base = saved.Take(count);
    }
    if (hasJournal && !extends && !(Remove(kJournalSetAside) && m_profile.RenameSection(kJournal, kJournalSetAside)))
        m_unjournaled = true;  // a fresh journal cannot start

    ReplayItems items;
    ClipList list(items);
    bool beginAgain = false;
    if (extends) {
        // The restores come first: merged into the base in one pass, they rebuild the list the last
        // full save was made from, which the changes after them were made to.
        std::vector<JournalRecord> restores;
        bool restoring = true;
        const auto endRestores = [&] {
            std::vector<std::u16string> start;
            auto next = base.begin();
            for (JournalRecord& restore : restores) {
                const std::int64_t index = restore.numbers[0];
                while (static_cast<std::int64_t>(start.size()) < index && next != base.end())
                    start.push_back(std::move(*next++));
                if (static_cast<std::int64_t>(start.size()) == index) start.push_back(std::move(restore.text));
            }
            std::move(next, base.end(), std::back_inserter(start));
            AppendAll(list, start);
            restoring = false;
        };
        const HeldSection held(m_profile, kJournal);
        for (m_nextRecord = 1;; ++m_nextRecord) {
            const std::u16string value = m_profile.GetString(kJournal, RecordKey(m_nextRecord).c_str(), nullptr);
            if (value.empty()) break;
            std::optional<JournalRecord> record = DecodeRecord(value);
            if (restoring && record && record->kind == Kind::Restore) {
                restores.push_back(std::move(*record));
                continue;
            }
            if (restoring && record) endRestores();
            if (!restoring) ++m_changes;
            if (record) Replay(list, items, *record);
        }
        // Nothing changed since the last full save: the start shows the list as that save wrote it,
        // without what it dropped, and the journal begins again over it.
        if (restoring) AppendAll(list, base);
        beginAgain = restoring && m_nextRecord > 1;
    } else {
        AppendAll(list, base);
    }
    if (!extends || beginAgain) {
        if (!m_unjournaled && beginAgain) m_unjournaled = !Remove(kJournal);
        if (!m_unjournaled) m_unjournaled = !Write(kJournal, RecordKey(0), EncodeRecord(Header(base.size(), baseHash)));
        m_nextRecord = 1;
    }

    // As the saved clippings always loaded: duplicates too, whatever RemoveDups says.
    if (KeepSaved(list, items, numberToSave, false))
        Append([&] { return JournalRecord{Kind::Keep, {numberToSave, 0}, {}}; });
    return {std::make_move_iterator(items.texts.begin()), std::make_move_iterator(items.texts.end())};
}

bool ClipJournal::Recover() {
    // Without the marker no commit was under way: the old list and its journal stand, and what a
    // save cut short left beside them goes. With it, the commit is finished. Each step may be taken
    // again, so a kill during the recovery is recovered from by the next start.
    if (!m_profile.HasSection(kLastClipsOld)) return Remove(kLastClipsNew) && Remove(kJournalNew);
    if (!m_profile.HasSection(kLastClipsSection) && m_profile.HasSection(kLastClipsNew) &&
        !m_profile.RenameSection(kLastClipsNew, kLastClipsSection))
        return false;
    if (m_profile.HasSection(kJournalNew)) {
        if (!Remove(kJournal) || !m_profile.RenameSection(kJournalNew, kJournal)) return false;
        m_journal = kJournal;
    }
    return Remove(kLastClipsOld);
}

void ClipJournal::SaveAll(const clip_archive::ClipListReader& list, bool removeDups) {
    BeginSplitSave(list, removeDups);
    ContinueSplitSave(INT_MAX);
}

bool ClipJournal::WantsCompaction(int listCount) const {
    return m_unjournaled || m_changes >= std::max(kFewestChangesForCompaction, listCount);
}

void ClipJournal::BeginSplitSave(const clip_archive::ClipListReader& list, bool removeDups) {
    m_split.reset();
    SplitSave split;
    for (int index = 0; index < list.count(); ++index) split.texts.push_back(list.textAt(index));
    split.saved = clip_archive::SavedIndices(split.texts, removeDups);

    std::uint64_t hash = kHashStart;
    for (const int index : split.saved) hash = HashValue(hash, split.texts[index]);
    split.journal.push_back(EncodeRecord(Header(split.saved.size(), HashValue(hash, u""))));
    // What the save drops, put back where it stood, so that the list is rebuilt exactly and the
    // indices of later changes still fit.
    for (std::size_t index = 0, next = 0; index < split.texts.size(); ++index) {
        if (next < split.saved.size() && split.saved[next] == static_cast<int>(index))
            ++next;
        else
            split.journal.push_back(
                EncodeRecord({Kind::Restore, {static_cast<std::int64_t>(index)}, split.texts[index]}));
    }
    split.baseRecords = split.journal.size();
    if (Recover()) m_split = std::move(split);
}

bool ClipJournal::ContinueSplitSave(int maxWrites) {
    if (!m_split) return true;
    SplitSave& split = *m_split;
    const std::size_t clippings = split.saved.size() + 1;  // with the ending entry
    bool written = true;
    if (split.written < clippings && maxWrites > 0) {
        const HeldSection held(m_profile, kLastClipsNew);
        for (; written && maxWrites > 0 && split.written < clippings; --maxWrites, ++split.written) {
            const std::size_t number = split.written;
            written = Write(kLastClipsNew, ClipKey(static_cast<int>(number)),
                            number < split.saved.size() ? split.texts[split.saved[number]] : std::u16string());
        }
    }
    if (written && split.written >= clippings && maxWrites > 0) {
        const HeldSection held(m_profile, kJournalNew);
        for (; written && maxWrites > 0 && split.written < clippings + split.journal.size();
             --maxWrites, ++split.written) {
            const std::size_t number = split.written - clippings;
            written = Write(kJournalNew, RecordKey(number), split.journal[number]);
        }
    }
    // After a failed write the old list and its journal stand; what was written goes at the next save.
    if (written && split.written < clippings + split.journal.size()) return false;
    if (written) Commit(split);
    m_split.reset();
    return true;
}

void ClipJournal::Commit(const SplitSave& split) {
    const bool hadList = m_profile.HasSection(kLastClipsSection);
    const bool marked = hadList ? m_profile.RenameSection(kLastClipsSection, kLastClipsOld)
                                : Write(kLastClipsOld, ClipKey(0), std::u16string());
    if (!marked || !m_profile.RenameSection(kLastClipsNew, kLastClipsSection)) {
        // The old list and its journal stand again; a marker left standing would make the next
        // recovery put the new ones in place and drop every change journaled from now on.
        const bool undone =
            marked && hadList ? m_profile.RenameSection(kLastClipsOld, kLastClipsSection) : Remove(kLastClipsOld);
        if (!undone) m_unjournaled = true;
        return;
    }
    // The new list stands. Whatever fails from here on, the next recovery finishes, putting the new
    // journal in place: until then changes go on in it.
    m_nextRecord = static_cast<int>(split.journal.size());
    m_changes = static_cast<int>(split.journal.size() - split.baseRecords);
    m_unjournaled = false;
    m_journal = kJournalNew;
    if (!Remove(kJournal) || !m_profile.RenameSection(kJournalNew, kJournal)) return;
    m_journal = kJournal;
    Remove(kLastClipsOld);  // the result is ignored: a marker left standing goes at the next recovery
}

void ClipJournal::Inserted(std::u16string_view text, int removedDuplicate) {
    Append([&] { return JournalRecord{Kind::Insert, {removedDuplicate}, std::u16string(text)}; });
}

void ClipJournal::Deleted(const std::vector<int>& indices) {
    Append([&] { return JournalRecord{Kind::Delete, {indices.begin(), indices.end()}, {}}; });
}

void ClipJournal::Cleared() {
    Append([] { return JournalRecord{Kind::Clear, {}, {}}; });
}

bool ClipJournal::Write(const char16_t* section, const std::u16string& key, const std::u16string& text) {
    return m_profile.WriteString(section, key.c_str(), text.c_str());
}

bool ClipJournal::Remove(const char16_t* section) {
    return !m_profile.HasSection(section) || m_profile.WriteString(section, nullptr, nullptr);
}
