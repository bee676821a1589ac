#include <windows.h>

#include "app/application_shell.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return velloran::runApplication();
}
