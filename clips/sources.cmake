# The clip view: capture, the viewer chain and the commands on the clip list.
set(CLIPS_PURE_SOURCES
    clips/CaptureRules.cpp
    clips/ClipboardCapture.cpp
    clips/ClipJournal.cpp
    clips/ClipList.cpp
    clips/JournalRecord.cpp
    clips/PendingCapture.cpp
    clips/SystemMenuEntries.cpp
)
set(CLIPS_WIN32_SOURCES
    clips/CScrapvaultView.cpp
    clips/ClipboardAccess.cpp
    clips/ListBoxItems.cpp
)
