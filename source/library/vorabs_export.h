// vorabs_export.h - export macro of the translation framework.
//
// The framework is built with hidden visibility; every exported class, global
// key and free function carries VORABS_API.
#pragma once

#define VORABS_API __attribute__((visibility("default")))
