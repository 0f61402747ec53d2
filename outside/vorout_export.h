// vorout_export.h - export macro of the outside stand-in library.
//
// The stand-ins are built with hidden visibility; every class and free
// function that a client may reach carries VOROUT_API.
#pragma once

#define VOROUT_API __attribute__((visibility("default")))
