#pragma once
// The clip list's journal: each change of the list is appended to section "Journal" as it is made,
// over the list standing in "LastClips", so that a kill loses nothing; a full save writes the list
// and a fresh journal beside the old ones and puts both in place in one step.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "clips/ClipList.h"
#include "settings/ClipArchive.h"

class ProfileStore;

class ClipJournal final : public ClipListObserver {
public:
    explicit ClipJournal(ProfileStore& profile) : m_profile(profile) {}
    ClipJournal(const ClipJournal&) = delete;
    ClipJournal& operator=(const ClipJournal&) = delete;

    // The texts the start shows: finishes or clears away a full save a kill cut short, replays the
    // journal over the saved clippings when it extends them (else sets it aside in section
    // "Foreign Journal" and starts a fresh one), and keeps the first numberToSave of the texts that
    // are not empty, duplicates included. What the last full save dropped comes back only with the
    // changes made after it, so a start after a kill shows the list as it stood and one after an
    // orderly exit the list as saved. Writes what makes the journal describe the list shown, and
    // nothing when it already does. Every change the list reports from then on is appended at once.
    std::vector<std::u16string> Load(std::int32_t numberToSave);

    // The full save, all or nothing: a kill at any point leaves the old list and its journal or the
    // new ones. Abandons a split save under way.
    void SaveAll(const clip_archive::ClipListReader& list, bool removeDups);

    // Whether a full save is due: the journal holds about as many changes as the list has items
    // (64 at least), or a write failed, so that changes are no longer journaled.
    bool WantsCompaction(int listCount) const;
    // The full save in steps, so that the window never waits long: Begin takes a copy of the list,
    // each Continue writes at most maxWrites values and, once all are written, puts them in place and
    // gives true. Changes made meanwhile are journaled at once and carried into the new journal.
    void BeginSplitSave(const clip_archive::ClipListReader& list, bool removeDups);
    bool ContinueSplitSave(int maxWrites);
    bool SplitSaveUnderWay() const { return m_split.has_value(); }

    void Inserted(std::u16string_view text, int removedDuplicate) override;
    void Deleted(const std::vector<int>& indices) override;
    void Cleared() override;

private:
    // A full save under way: the list as it stood at its start, and the values written so far.
    struct SplitSave {
        std::vector<std::u16string> texts;
        std::vector<int> saved;               // the indices of the texts the save writes
        std::vector<std::u16string> journal;  // the new journal's records: header, restores, changes
        std::size_t baseRecords = 0;          // the header and the restores
        std::size_t written = 0;              // the clippings and their ending entry, then the records
    };

    // Appends the record makeRecord() gives to the journal and to the split save's.
    template <typename MakeRecord>
    void Append(const MakeRecord& makeRecord);
    bool Recover();
    void Commit(const SplitSave& split);
    bool Write(const char16_t* section, const std::u16string& key, const std::u16string& text);
    bool Remove(const char16_t* section);

    ProfileStore& m_profile;
    // The section changes are appended to: "Journal", or the new one while a commit is unfinished.
    const char16_t* m_journal = nullptr;
    int m_nextRecord = 0;       // the number of the next record in it
    int m_changes = 0;          // records in it after the header and the restores
    bool m_unjournaled = true;  // no change is appended: before Load, or since one reached no journal
    std::optional<SplitSave> m_split;
};
