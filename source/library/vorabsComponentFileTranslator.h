// vorabsComponentFileTranslator.h - a component of an assembly: an externally referenced file.
//
// The translator finds the file the referencing data names (as given, or
// else by its name in the folder of the referencing file), has the format
// library read it, and takes the library's translators for the file's
// objects as its children. Their items are made inside a name space of
// the component's own and gathered into one component-file group. The
// format library supplies read_component_file, component_translator and
// create_name_mangler, and calls add_translators once before processing.
//
// A file that is already being read further up the same thread (an
// assembly that refers back to itself, directly or through others) is not
// read again: that reference gets one error and fails when processed.
// The translator owns its three file names and, while the file is read,
// the stream it was found through; children are shared handles.
#pragma once

#include "vorabs_export.h"

#include "vorabsGroupTranslator.h"

#include <memory>

class vorabsIfStream;

class VORABS_API vorabsComponentFileTranslator : public vorabsGroupTranslator {
public:
  vorabsComponentFileTranslator(const utString& file_name, const utString& referencing_file,
                                const giXform3& own_transform, const vorabsContext& context);
  ~vorabsComponentFileTranslator() override;

  // Resolves and reads the file and adds a child per object read; 1 when
  // at least one object was read, otherwise 0 (with a message saying why).
  int add_translators();

  const utString& file_name() const { return file_name_; }
  const utString& referencing_file() const { return referencing_file_; }
  // Empty until add_translators has resolved the file name.
  const utString& resolved_file_name() const { return resolved_file_name_; }

protected:
  // Makes the items of the component's objects with its name space current.
  vorabsTranslationStatus create_item(const vorabsAttributeSet& attributes,
                                      const giXform3& transform, vorabsInterface& receiver,
                                      vorabsLibSink& sink) override;
  // A component-file group that knows the resolved file; no group name.
  annNamedItemPtr make_compound_object(const utString& name) override;
  // "component".
  utString type_name() const override;
  // file_name when it opens, else the folder of referencing_file followed
  // by the last part of file_name when that opens, else an empty string.
  // Both '/' and '\' separate folders. The file found stays open for
  // component_stream.
  virtual utString resolve_file_name(const utString& referencing_file, const utString& file_name);
  // The resolved file as resolve_file_name opened it, at its start, while
  // read_component_file runs: a reader may read it from here rather than
  // open it again. Null when resolve_file_name was replaced and opened
  // nothing; the translator closes it once the file has been read.
  vorabsIfStream* component_stream();
  // Reads the file: the number of objects read, negative when it could not
  // be read.
  virtual int read_component_file(const utString& file_name) = 0;
  // The translator of the object at the 0-based index; may be empty.
  virtual vorabsTranslatorcoPrf component_translator(int index) = 0;

private:
  utString file_name_;
  utString referencing_file_;
  utString resolved_file_name_;
  int circular_ = 0; // set when add_translators met a circular reference
  // The file resolve_file_name found, open until add_translators is done.
  std::unique_ptr<vorabsIfStream> opened_;

  // add_translators once the file name is resolved.
  int add_resolved_translators();
};
