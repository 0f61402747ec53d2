// dxfLibInput.h - the reader of ASCII DXF drawings.
//
// read_input parses the file in one pass (dxfParser), then registers one
// translator per model-space entity (inserts as groups over shared block
// translators) and one drawing per paper-space layout, its viewports as
// views of model space. Messages about the file (faults with their line,
// code-page remarks, skipped entity types) go to the reader's channels. A
// file that breaks off keeps everything read before the fault, and
// parse_status() says how it ended. The reader owns the parsed file through
// the tables its translators share; the host owns the channels, the
// context and the stream.
#pragma once

#include "dxfRecords.h"
#include "dxf_export.h"

#include "vorLengthUnit.h"
#include "vorabsLibInputEx.h"

#include <map>
#include <memory>
#include <string>

class dxfTables;

class DXF_API dxfLibInput : public vorabsLibInputEx {
public:
  explicit dxfLibInput(const vorabsAppInfo* app);
  ~dxfLibInput() override;

  const char* library_name() const override { return "vorabs_dxf"; }
  const char* option() const override { return "DXF"; }
  int database_number() const override { return 28; }
  void add_file_types(intcoSet& types) const override;
  void add_extensions(utStringcoSet& extensions) const override;
  const char* file_filter() const override { return "DXF drawings (*.dxf)|*.dxf"; }
  const char* format_name() const override { return "DXF"; }

  // Reads the named file; 0 when nothing could be read (no such file, a
  // directory, an empty, binary DXF or DWG file, a file faulty from its
  // first group on, which is no DXF at all).
  int read_input(const vorabsContext& context, vorabsIfStream& stream) override;
  // The same for size bytes in memory, reported under name.
  int read_buffer(const vorabsContext& context, const char* data, size_t size, const char* name);

  dxfParseStatus parse_status() const { return status_; }
  // The parsed file (counts, tables, version); null before reading.
  const dxfFile* file() const;
  // The drawing unit of $INSUNITS; 0 when the file names none this
  // framework knows (unitless, microinches, ...), unit then untouched.
  int length_unit(vorLengthUnit& unit) const;
  // Entities read of kinds this reader has no translator for (the kinds
  // the parser knows only by name ...), by type, in model space and blocks
  // together.
  const std::map<std::string, int>& untranslated() const { return untranslated_; }
  // Entities that could not be made into translators (an INSERT of a
  // missing block, nesting too deep), by type.
  const std::map<std::string, int>& unbuilt() const { return unbuilt_; }
  // Entities read and left out on purpose, by type: a layout's own
  // viewport, a viewport in model space.
  const std::map<std::string, int>& ignored() const { return ignored_; }
  // The same inside block definitions: the ATTDEFs, templates of the
  // attributes of inserts, and the entities of blocks that nothing places.
  const std::map<std::string, int>& ignored_in_blocks() const { return ignored_in_blocks_; }

private:
  int finish(const vorabsContext& context, std::unique_ptr<dxfFile> file, const char* name);
  void report(const dxfFile& file, const char* name) const;

  std::shared_ptr<const dxfTables> tables_;
  dxfParseStatus status_ = dxfPARSE_OK;
  std::map<std::string, int> untranslated_;
  std::map<std::string, int> unbuilt_;
  std::map<std::string, int> ignored_;
  std::map<std::string, int> ignored_in_blocks_;
};
