# Settings, saved clippings and window position over the application profile.
# The Configure dialog joins SETTINGS_WIN32_SOURCES when it lands.
set(SETTINGS_PURE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ClipArchive.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ClipSettings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NumberRule.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StoredRect.cpp
)
set(SETTINGS_WIN32_SOURCES
)
