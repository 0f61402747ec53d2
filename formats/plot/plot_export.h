// plot_export.h - export macro of the plot format library.
//
// The library is built with hidden visibility; the endpoint and the types a
// host or a test reads carry PLOT_API.
#pragma once

#define PLOT_API __attribute__((visibility("default")))
