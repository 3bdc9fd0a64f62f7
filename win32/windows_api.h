#pragma once

// The Windows API as the front end uses it: wide strings, no min/max macros.
#ifndef UNICODE
#define UNICODE
#endif
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
