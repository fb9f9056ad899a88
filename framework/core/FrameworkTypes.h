#pragma once
// Small scalar aliases and constants shared by every part of the framework.
#include <cstdint>

using BOOL = int;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = unsigned int;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t; // 0xAARRGGBB; drawing ignores the alpha byte
using LPCSTR = const char*;
using LPSTR = char*;

// A position in a CObList: an opaque pointer to one node, null for none.
struct CObListNode;
using POSITION = CObListNode*;

// Longest path and path component the path routines produce (with the terminating zero).
constexpr int _MAX_PATH = 1024;
constexpr int _MAX_DRIVE = 256;
constexpr int _MAX_DIR = 256;
constexpr int _MAX_FNAME = 256;
constexpr int _MAX_EXT = 256;

#define LOWORD(l) (static_cast<WORD>(static_cast<DWORD>(l) & 0xffff))
#define HIWORD(l) (static_cast<WORD>((static_cast<DWORD>(l) >> 16) & 0xffff))
#define MAKELONG(lo, hi)                                                                           \
    (static_cast<LONG>((static_cast<DWORD>(static_cast<WORD>(lo)))                                 \
        | (static_cast<DWORD>(static_cast<WORD>(hi)) << 16)))
