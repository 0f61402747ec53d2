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
//
// The reader is its own source: the host walks its top-level translators
// (model-space entities, then layouts) with operator++. The translators of
// plain entities (lines, arcs, texts ...) are made when the file is read,
// counted, and made again when the walk reaches them, unless a viewport
// shows model space. A host that walks the file once may let the reader
// release what it has passed (set_release_walked), so that converting a
// long drawing holds the entity records of what is still to come, not of
// all, and few translators at once.
#pragma once

#include "dxfRecords.h"
#include "dxf_export.h"

#include "vorLengthUnit.h"
#include "vorabsLibInput.h"
#include "vorabsTranslator.h"

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

class dxfTables;

class DXF_API dxfLibInput : public vorabsLibInput {
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
  int check_file_size(vorabsIfStream&) override { return 1; }

  // The walk: a step moves onto the next top-level translator (the first
  // step onto the first) and answers 0 once the last has been passed.
  int operator++() override;
  // Every translator made, nested ones included.
  int num_objects() const override { return total_; }
  void attributes(vorabsAttributeSet& attributes) const override;
  vorabsTranslationStatus send_to(const vorabsAttributeSet& attributes, vorabsInterface& receiver,
                                  vorabsLibSink& sink) const override;
  // Nonzero: each step lets go of the translator it leaves, and of the
  // entity records that nothing still to come is made from, for a host
  // that walks the file once. Off by default; once on, a second walk finds
  // nothing to translate. Records are kept while a layout's viewport shows
  // model space (its view holds the model's translators).
  void set_release_walked(int release) { release_walked_ = release; }

  dxfParseStatus parse_status() const { return status_; }
  // The parsed file (counts, tables, blocks, version); null before reading.
  // The records of the spaces' entities are not in it: the reader holds
  // them for its translators.
  const dxfFile* file() const;
  // The records of the spaces' entities, in file order; after a walk that
  // released them (set_release_walked), only those still needed.
  const dxfEntityList& entities() const { return entities_; }
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
  void add_translator(vorabsTranslatorcoPrf translator);
  // The translator at position made again from its record (remade_).
  void remake(size_t position);
  // Frees the entity records that no translator from position on needs.
  void release_records(size_t position);

  std::shared_ptr<const dxfTables> tables_;
  dxfParseStatus status_ = dxfPARSE_OK;
  std::map<std::string, int> untranslated_;
  std::map<std::string, int> unbuilt_;
  std::map<std::string, int> ignored_;
  std::map<std::string, int> ignored_in_blocks_;

  std::vector<vorabsTranslatorcoPrf> translators_; // top level, in walking order
  int total_ = 0;
  size_t cursor_ = 0; // 1 + the position of the current translator; 0: off the list
  int release_walked_ = 0;
  // The spaces' entity records, taken from the parsed file, and for each
  // chunk of them the last position whose translator needs it, sorted by
  // that position; next_release_ is the first not yet freed.
  dxfEntityList entities_;
  std::vector<std::pair<size_t, size_t>> chunk_needs_;
  size_t next_release_ = 0;
  std::vector<dxfEntityList> earlier_entities_; // of files read before by this reader
  // Plain entities (lines, arcs, texts ...) have their translators made when
  // the file is read, counted and let go, and made again when the walk
  // reaches them, so that they never all live at once: the index of their
  // record in entities_ by position, held where the translator is held.
  // Their records wait packed (dxfEntityList::set_packing).
  static constexpr size_t held = size_t(-1);
  std::vector<size_t> remade_;
  vorabsContext remake_context_;
  std::string remake_name_;
};
