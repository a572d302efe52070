# The application shell: the application object, the main frame, the document, About.
set(APP_PURE_SOURCES
)
set(APP_WIN32_SOURCES
    app/CAboutDlg.cpp
    app/CMainFrame.cpp
    app/CScrapvaultApp.cpp
    app/CScrapvaultDoc.cpp
)
# The global application object, kept apart so tests can link the program without it.
set(APP_ENTRY_SOURCES
    app/ScrapvaultMain.cpp
)
