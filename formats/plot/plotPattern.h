// plotPattern.h - the line families of a hatch pattern traced over a box.
//
// A pattern reaches the plot as text: line families separated by ";", each
// "angle,x,y,dx,dy" and its dashes (drawing units, angle in degrees): lines
// at the angle through (x, y), repeated at every multiple of the offset
// (dx, dy); positive dashes are drawn, negative ones are gaps, 0 a dot.
// The lines are traced over a box (the fill area's), to be clipped to the
// fill area when drawn.
#pragma once

#include "plotScene.h"

#include <string>

// Appends the lines of pattern across box; 0 when the pattern cannot be
// read, or is so dense that it would be a solid fill anyway.
PLOT_API int plot_pattern_lines(const std::string& pattern, const plotBox& box,
                                std::vector<plotOp>& ops);
