// The handful of platform types and constants the framework classes are written
// against. Declared so that they agree with the platform's own headers where a
// back end includes those too (identical typedefs may be repeated).
#pragma once

#include <cstdint>

typedef int BOOL;
typedef unsigned int UINT;
typedef unsigned char BYTE;
typedef std::intptr_t INT_PTR;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#ifndef WM_PAINT
#define WM_PAINT 0x000F
#endif
#ifndef WM_QUERYDRAGICON
#define WM_QUERYDRAGICON 0x0037
#endif
#ifndef WM_COMMAND
#define WM_COMMAND 0x0111
#endif
#ifndef BN_CLICKED
#define BN_CLICKED 0
#endif
#ifndef IDOK
#define IDOK 1
#endif
#ifndef IDCANCEL
#define IDCANCEL 2
#endif

// An icon as the back end holds it; null is "no icon".
struct HICON__; // NOLINT(bugprone-reserved-identifier): the platform's own name for it
typedef HICON__* HICON;
typedef HICON HCURSOR;

#ifndef ID_HELP
#define ID_HELP 0xE146
#endif
