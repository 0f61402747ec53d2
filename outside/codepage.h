// codepage.h - numbered code pages: conversion to and from UTF-16, validity.
//
// The operating system's code-page services over the C library's iconv. Code
// page n is the iconv character set "CPn"; code page 0 selects the system's
// default ANSI code page, which is CP1252 here. A code page is valid when
// iconv can open it. UTF-16 text is held one unit per wchar_t (each value at
// most 0xFFFF); the caller owns every buffer. Each thread keeps the converters
// it opened for the next call.
#pragma once

#include "vorout_export.h"

#include <cstddef>

// The system's default ANSI code page, selected by code page 0.
inline constexpr unsigned int CP_DEFAULT_ANSI = 1252;

// Decodes size bytes of code page code_page into UTF-16 units. With capacity
// 0 only counts; otherwise writes at most capacity units. A byte that does not
// start a character of the code page gives one '?' and decoding goes on with
// the next byte. Returns the number of units, or 0 when the code page cannot
// be opened, the input is empty or the units do not fit.
VOROUT_API size_t cp_multibyte_to_wide(unsigned int code_page, const char* bytes, size_t size,
                                       wchar_t* units, size_t capacity);

// Encodes count UTF-16 units into code page code_page. A character the code
// page cannot hold, a lone surrogate or a value above 0xFFFF gives the code
// page's own '?'. With capacity 0 only counts. Returns the number of bytes, or
// 0 when the code page cannot be opened, the input is empty or the bytes do
// not fit.
VOROUT_API size_t cp_wide_to_multibyte(unsigned int code_page, const wchar_t* units, size_t count,
                                       char* bytes, size_t capacity);

// Nonzero when code_page names a code page that can be converted. 0 selects
// the default code page but is not itself a code page number: it is not valid.
VOROUT_API int cp_is_valid_code_page(unsigned int code_page);
