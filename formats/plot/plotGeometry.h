// plotGeometry.h - the framework's curves, fill areas, triangle blocks and texts as plot items.
//
// Each function reads the object it is given (never keeps it) and appends
// path operations or a text in drawing coordinates seen from above. Arcs in
// the drawing's plane stay arcs; other curves are traced finely enough that
// the facets do not show at plot sizes. A function answers 0 when the
// object has nothing it can draw or coordinates that are not finite.
#pragma once

#include "plotScene.h"

#include <map>
#include <string>
#include <utility>
#include <vector>

class annFillArea;
class annTextGeometry;
class giTriBlock;
class velCurvePtr2;
class velCurvePtr3;

int plot_curve(const velCurvePtr3& curve, std::vector<plotOp>& ops);
// Every boundary of the fill area as a closed sub-path.
int plot_fill_area(const annFillArea& fill, std::vector<plotOp>& ops);
// filled: each triangle as a closed sub-path turned counter-clockwise (for
// a fill that is their union); otherwise the outline of every triangle.
int plot_triblock(const giTriBlock& block, int filled, std::vector<plotOp>& ops);
int plot_text(const annTextGeometry& text, plotStyles& styles, plotText& out);
// How a text sits and looks, from its "text layout" properties (title to
// value): its alignment, fit, paragraph, line spacing, slant, frame and
// background (a look on the text's layer), and its runs: "FIRST COUNT"
// (characters of its text) with "|key=value" fields (height, font, bold,
// italic, colour #RRGGBB or foreground, oblique, rise, underline, overline,
// strike), separated by "; ". What does not read is left out.
void plot_text_layout(const std::map<std::string, std::string>& layout, plotStyles& styles,
                      int layer, plotText& text);
// A path drawn as a band: one closed shape per segment (after the first
// MOVE, each LINE, arc or CLOSE), segment i from widths[i].first wide at its
// start to widths[i].second at its end (an arc takes the mean of the two); a
// single pair stands for every segment. 0 when the widths do not match the
// segments.
int plot_wide_path(const std::vector<plotOp>& path,
                   const std::vector<std::pair<double, double>>& widths,
                   std::vector<std::vector<plotOp>>& bands);
// Nonzero when every coordinate of the operations is finite.
int plot_finite(const std::vector<plotOp>& ops);
