// The process entry point: hands over to the one application object.
#include "framework/CWinApp.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    CWinApp* app = AfxGetApp();
    return app ? app->WinMainBody(instance, showCommand) : 0;
}
