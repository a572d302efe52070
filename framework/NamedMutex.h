#pragma once
// Owns a handle to a named mutex and, once this thread holds the mutex, the holding: released,
// then closed, when the owner goes.
#include <windows.h>

#include <utility>

class NamedMutex {
public:
    NamedMutex() = default;
    // Creates the mutex held by this thread. When it exists already it is only opened, not held
    // (see HeldElsewhere); without a handle when neither works.
    explicit NamedMutex(const wchar_t* name) : m_handle(::CreateMutexW(nullptr, TRUE, name)) {
        m_held = m_handle != nullptr && ::GetLastError() != ERROR_ALREADY_EXISTS;
    }
    ~NamedMutex() { Close(); }

    NamedMutex(NamedMutex&& other) noexcept
        : m_handle(std::exchange(other.m_handle, nullptr)), m_held(std::exchange(other.m_held, false)) {}
    NamedMutex& operator=(NamedMutex&& other) noexcept {
        if (this != &other) {
            Close();
            m_handle = std::exchange(other.m_handle, nullptr);
            m_held = std::exchange(other.m_held, false);
        }
        return *this;
    }
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    bool HeldElsewhere() const { return m_handle != nullptr && !m_held; }

    // Waits up to timeoutMs for the holder to let go, or to end without doing so; true when this
    // thread holds the mutex then.
    bool WaitToHold(DWORD timeoutMs) {
        if (HeldElsewhere()) {
            const DWORD result = ::WaitForSingleObject(m_handle, timeoutMs);
            m_held = result == WAIT_OBJECT_0 || result == WAIT_ABANDONED;
        }
        return m_held;
    }

private:
    void Close() {
        if (m_held) ::ReleaseMutex(m_handle);
        if (m_handle != nullptr) ::CloseHandle(m_handle);
        m_handle = nullptr;
        m_held = false;
    }

    HANDLE m_handle = nullptr;
    bool m_held = false;
};
