// The process entry point: hands over to the one application object.
#include "framework/CWinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    CWinApp* app = AfxGetApp();
    try {
        return app ? app->WinMainBody(instance, showCommand) : 0;
    } catch (...) {
        // Only what failed outside every window procedure ends up here; the process ends normally
        // so the application object still takes its windows down (and the view saves).
        return 1;
    }
}
