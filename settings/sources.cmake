# Settings, saved clippings and window position over the application profile.
set(SETTINGS_PURE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ClipArchive.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ClipSettings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NumberRule.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StoredRect.cpp
)
set(SETTINGS_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CConfigureDlg.cpp
)
