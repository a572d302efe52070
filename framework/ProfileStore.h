#pragma once

#include <string>
#include <utility>

// The application profile: 32-bit integers and texts addressed by section and key.
//
// Reads never fail: a value that is missing or cannot be read gives the caller's default.
// Writes report success, which the program is free to ignore. Sections, keys and texts are
// zero-terminated strings that stay the caller's.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;

    ProfileStore(const ProfileStore&) = delete;
    ProfileStore& operator=(const ProfileStore&) = delete;

    virtual int GetInt(const char16_t* section, const char16_t* key, int defaultValue) = 0;
    virtual bool WriteInt(const char16_t* section, const char16_t* key, int value) = 0;

    // A null default reads as the empty text.
    virtual std::u16string GetString(const char16_t* section, const char16_t* key, const char16_t* defaultValue) = 0;
    // A null key removes the whole section, a null text removes the one value.
    virtual bool WriteString(const char16_t* section, const char16_t* key, const char16_t* text) = 0;

    // Writes the text only into a section that exists; false, writing nothing, when it does not
    // (removed by someone else since it was written, say), so that what belongs to the values
    // already there never lands in a section begun anew.
    virtual bool WriteExisting(const char16_t* section, const char16_t* key, const char16_t* text) {
        return HasSection(section) && WriteString(section, key, text);
    }

    // Whether the section exists; never creates it (a back end may create a section that a read
    // or a write names, so ask this before reading a section that may be missing).
    virtual bool HasSection(const char16_t* section) = 0;
    // Gives a section, its values and all, a new name in one step that is never left half done.
    // Fails, changing nothing, when `from` does not exist or `to` does.
    virtual bool RenameSection(const char16_t* from, const char16_t* to) = 0;

    // Lets a back end keep one section open across a batch of reads and writes (a whole load or
    // save) instead of reaching it anew for every value. Holding changes nothing that is stored or
    // read. Holds do not nest: a new hold replaces the last one, and a release ends any hold.
    // Use HeldSection rather than calling these directly.
    virtual void HoldSection(const char16_t* /*section*/) {}
    virtual void ReleaseSection() {}

protected:
    ProfileStore() = default;
};

// Holds one section of a profile open for the lifetime of a load or save.
class HeldSection {
public:
    HeldSection(ProfileStore& store, const char16_t* section) : m_store(&store) { store.HoldSection(section); }
    ~HeldSection() { Release(); }

    HeldSection(HeldSection&& other) noexcept : m_store(std::exchange(other.m_store, nullptr)) {}
    HeldSection& operator=(HeldSection&& other) noexcept {
        if (this != &other) {
            Release();
            m_store = std::exchange(other.m_store, nullptr);
        }
        return *this;
    }
    HeldSection(const HeldSection&) = delete;
    HeldSection& operator=(const HeldSection&) = delete;

private:
    void Release() {
        if (m_store != nullptr) {
            m_store->ReleaseSection();
            m_store = nullptr;
        }
    }

    ProfileStore* m_store;
};
