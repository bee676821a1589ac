#pragma once

// Resource ids of the program, shared by the resource script and the window tables.
#define IDI_PROGRAM 1
#define IDP_MAIN_CREDIT 101
