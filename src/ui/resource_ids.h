#pragma once

// Resource ids of the program, shared by the resource script and the window tables.
#define IDI_PROGRAM 1
#define IDP_MAIN_CREDIT 101
#define IDP_COMPLETION_CONSOLE 102
#define IDP_COMPLETION_WELCOME 103
#define IDP_COMPLETION_SCRIPT_TILE 104
