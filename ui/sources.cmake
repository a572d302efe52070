# Resource identifiers, the resource script and the control layout.
# The resource script itself (ui/scrapvault.rc) is added to the program by the root.
set(UI_PURE_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ControlLayout.cpp
)
set(UI_WIN32_SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CEditTextDlg.cpp
)
