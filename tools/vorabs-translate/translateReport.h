// translateReport.h - what a translation came to, as a readable report and as JSON.
//
// The readable report lists the entities per DXF type and outcome (model
// and paper space, then block definitions), what the reader did not
// translate or skipped, the message log's summaries, and the time taken.
// The JSON report carries the same fields for one file as an object, for
// several files as an array of them (the fields are described in the
// README).
#pragma once

#include "translateJob.h"

#include <iosfwd>
#include <vector>

void translate_print_report(std::ostream& out, const translateResult& result);
void translate_write_json(std::ostream& out, const std::vector<translateResult>& results);
