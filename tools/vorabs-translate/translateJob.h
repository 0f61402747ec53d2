// translateJob.h - one file read through the DXF reader into a document, a DXF file or a plot,
// and what came of it.
//
// translate_file reads the file with dxfLibInput, walks its objects the way
// a host does (every sub-object comes back through the host's receiver, so
// that each one is counted, shows on the progress and can be cancelled) and
// sends them into a vorabsDocumentSink building an annotation document, or
// into the DXF writer or the plot writer (PDF, SVG, PNG) when an output file
// is named. Everything the reader,
// its translators and the sink write to their channels is kept as message
// lines and in a message log keyed by the entity being translated; the log's
// summaries come back with the result. Each call owns its reader, document,
// context, channels and sink, so that several files may be translated at
// once on different threads.
#pragma once

#include <map>
#include <string>
#include <vector>

// What came of the entities of one DXF type.
struct translateTally {
  int read = 0;       // in the file
  int translated = 0; // complete, with or without an item
  int ignored = 0;    // nothing made, and no fault (empty, zero area, outside the extent)
  int failed = 0;
};

struct translateResult {
  std::string file;
  int readable = 0;    // the reader read the file (perhaps only its beginning)
  std::string status;  // how parsing ended: "ok", "truncated", "malformed", ...
  std::string version; // $ACADVER
  std::string units;   // the drawing unit ("millimetre"), empty when it names none
  std::map<std::string, translateTally> entities;       // model and paper space
  std::map<std::string, translateTally> block_entities; // inside block definitions
  std::map<std::string, int> skipped;      // unknown entity types and sections, by name
  std::map<std::string, int> untranslated; // read, but of a kind the reader does not translate
  std::map<std::string, int> unbuilt;      // could not be made into translators
  int layers = 0;
  int blocks = 0;  // named block definitions
  int objects = 0; // objects the reader offered, nested ones included
  int delivered = 0;
  std::vector<std::string> output; // message lines of the output channels
  std::vector<std::string> error;  // message lines of the error channels
  std::string summary;             // the message log's summary blocks
  std::string document;            // the printed document, when asked for
  std::string written;             // the DXF file written, empty when none
  int write_failed = 0;            // a DXF file was asked for and could not be written
  int cancelled = 0;
  double seconds = 0.0;
  // The input's size and modification time when it was read, -1 when it
  // could not be looked at: what a batch rerun compares to skip it.
  long long size = -1;
  long long mtime_ns = -1;

  int total_read() const;
  int total_failed() const;
  // Entities that went through the translators (translated, ignored or
  // failed), and those of kinds the reader does not translate.
  int total_delivered() const;
  int total_untranslated() const;
  // 0 everything translated, 1 some entities failed (or the file broke off,
  // or the run was cancelled), 2 the file could not be read or written.
  int exit_status() const;
};

// Where the jobs of a run report their progress. Jobs on several threads
// share one, so both operations must be safe to call at once.
class translateProgress {
public:
  virtual ~translateProgress();
  virtual void add_total(long objects) = 0;
  virtual void advance(long objects) = 0;
};

// How a plot is drawn (see plotOptions): for PDF, SVG and PNG output.
struct translatePlotOptions {
  int has_window = 0; // window: x0, y0, x1, y1 of model space
  double window[4] = {0, 0, 0, 0};
  int width = 0; // PNG pixels across; 0: from the paper and the dpi
  double dpi = 96;
  int black_background = 0;
  std::string layout; // empty: model space; a layout's name or "all"
};

struct translateOptions {
  std::string output; // the file to write instead of building the document
  // "dxf", "pdf", "svg" or "png"; empty: by the output's extension (DXF
  // when it is none of these).
  std::string format;
  translatePlotOptions plot;
  int dump = 0; // keep the printed document in the result
  translateProgress* progress = nullptr;
};

translateResult translate_file(const std::string& path, const translateOptions& options);

// Asks every running translation to stop at its next object; safe in a
// signal handler.
void translate_request_cancel();
int translate_cancel_requested();
