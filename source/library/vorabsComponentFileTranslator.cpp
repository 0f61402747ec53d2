// vorabsComponentFileTranslator.cpp - a component of an assembly: an externally referenced file.
#include "vorabsComponentFileTranslator.h"

#include "vorabsIfStream.h"
#include "vorabsOutput.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

namespace {

// The component files being read on this thread, outermost first, by
// identity. Per thread, because hosts translate several files at once; as
// deep as the assembly, never longer.
thread_local std::vector<std::string> files_in_progress;

// One file kept in progress for the lifetime of the guard.
class InProgress {
public:
  explicit InProgress(const std::string& identity) { files_in_progress.push_back(identity); }
  ~InProgress() { files_in_progress.pop_back(); }
  InProgress(const InProgress&) = delete;
  InProgress& operator=(const InProgress&) = delete;
};

// Appends the parts of path to normal, a normal absolute path (empty for
// the root): "." and empty parts are skipped, ".." takes the last part off.
void append_normal(std::string& normal, const char* path) {
  while (*path) {
    const char* end = path;
    while (*end && *end != '/')
      ++end;
    const size_t length = size_t(end - path);
    if (length == 2 && path[0] == '.' && path[1] == '.') {
      normal.resize(std::min(normal.size(), normal.rfind('/')));
    } else if (length > 1 || (length == 1 && path[0] != '.')) {
      normal += '/';
      normal.append(path, length);
    }
    path = *end ? end + 1 : end;
  }
}

// The same file reached by different names ("parts/../bolt.txt", a name
// relative to the current folder) has one identity: its absolute, normal
// path. Worked out from the text alone, without asking the file system,
// because it is needed for every component (only a relative name needs
// the current folder). A file reached through links may take one more
// level to be recognised, but names come from a finite set, so a circle
// is always found.
std::string identity_of(const utString& file) {
  std::string normal;
  normal.reserve(file.length() + 1);
  if (file[0] != '/') {
    std::error_code failed;
    const std::filesystem::path current = std::filesystem::current_path(failed);
    if (failed)
      return std::string(file.c_str());
    append_normal(normal, current.c_str());
  }
  append_normal(normal, file.c_str());
  return normal.empty() ? std::string("/") : normal;
}

int in_progress(const std::string& identity) {
  return std::find(files_in_progress.begin(), files_in_progress.end(), identity) !=
         files_in_progress.end();
}

// The file opened for binary reading, at its start, when it can be read
// as a file; null otherwise. Looking at the first byte fills the buffer the
// reader goes on from, so finding a file costs no more than reading it. A
// folder opens as a stream on some systems but fails that first read; it
// is never a component. Only a file that looks empty is asked about
// separately, where a failed read may not show.
std::unique_ptr<vorabsIfStream> open_for_reading(const utString& file) {
  auto opened = std::make_unique<vorabsIfStream>(nullptr);
  opened->initialise(file);
  if (!opened->open_stream())
    return nullptr;
  std::basic_ifstream<char>& stream = opened->stream();
  if (stream.peek() != std::char_traits<char>::eof())
    return opened;
  std::error_code failed;
  if (stream.bad() || std::filesystem::is_directory(file.c_str(), failed))
    return nullptr;
  stream.clear();
  return opened;
}

// Position just after the last '/' or '\', 0 when there is none.
size_t after_last_separator(const utString& path) {
  for (size_t i = path.length(); i > 0; --i)
    if (path[i - 1] == '/' || path[i - 1] == '\\')
      return i;
  return 0;
}

} // namespace

vorabsComponentFileTranslator::vorabsComponentFileTranslator(const utString& file_name,
                                                             const utString& referencing_file,
                                                             const giXform3& own_transform,
                                                             const vorabsContext& context)
    : vorabsGroupTranslator(sto_class_annComponentFile(), own_transform, context),
      file_name_(file_name), referencing_file_(referencing_file), resolved_file_name_("") {}

vorabsComponentFileTranslator::~vorabsComponentFileTranslator() = default;

utString vorabsComponentFileTranslator::resolve_file_name(const utString& referencing_file,
                                                          const utString& file_name) {
  if ((opened_ = open_for_reading(file_name)))
    return file_name;
  const size_t name_start = after_last_separator(file_name);
  utString candidate = referencing_file.substring(0, after_last_separator(referencing_file));
  candidate += file_name.substring(name_start, file_name.length() - name_start);
  return (opened_ = open_for_reading(candidate)) ? candidate : utString("");
}

vorabsIfStream* vorabsComponentFileTranslator::component_stream() {
  return opened_ && opened_->file_name() == resolved_file_name_ ? opened_.get() : nullptr;
}

int vorabsComponentFileTranslator::add_translators() {
  resolved_file_name_ = resolve_file_name(referencing_file_, file_name_);
  const int added = add_resolved_translators();
  opened_.reset();
  return added;
}

int vorabsComponentFileTranslator::add_resolved_translators() {
  if (resolved_file_name_.empty()) {
    if (error())
      error()->tprintf("vorabs", "Error : Unable to find externally referenced file %s.\n",
                       file_name_.c_str());
    return 0;
  }
  const std::string identity = identity_of(resolved_file_name_);
  if (in_progress(identity)) {
    circular_ = 1;
    if (error())
      error()->tprintf("vorabs",
                       "Error : Circular reference to externally referenced file %s is not "
                       "followed.\n",
                       resolved_file_name_.c_str());
    return 0;
  }
  if (output()) {
    if (resolved_file_name_ != file_name_)
      output()->tprintf("vorabs", "Externally referenced file %s was resolved to %s.\n",
                        file_name_.c_str(), resolved_file_name_.c_str());
    output()->tprintf("vorabs", "Reading externally referenced file %s.\n",
                      resolved_file_name_.c_str());
  }
  // The file stays in progress while its objects are read and their
  // translators made, so that a component inside it that refers back to
  // it is stopped when it is read in turn.
  InProgress reading(identity);
  const int count = read_component_file(resolved_file_name_);
  if (count < 0) {
    if (error())
      error()->tprintf("vorabs", "Error : Unable to read externally referenced file %s.\n",
                       resolved_file_name_.c_str());
    return 0;
  }
  if (count == 0) {
    if (output())
      output()->tprintf("vorabs", "Warning : No objects read from externally referenced file %s.\n",
                        resolved_file_name_.c_str());
    return 0;
  }
  for (int index = 0; index < count; ++index) {
    vorabsTranslatorcoPrf translator = component_translator(index);
    if (!translator.invalid())
      add_translator(translator);
  }
  return 1;
}

vorabsTranslationStatus
vorabsComponentFileTranslator::create_item(const vorabsAttributeSet& attributes,
                                           const giXform3& transform, vorabsInterface& receiver,
                                           vorabsLibSink& sink) {
  // The circular reference was reported when it was read.
  if (circular_)
    return vorabsSTATUS_FAILED;
  annDocument* document = context().document();
  if (!document)
    return vorabsGroupTranslator::create_item(attributes, transform, receiver, sink);
  annNameSpacePtr previous =
      document->set_name_space(make_annNameSpace(document, resolved_file_name_, file_name_));
  const vorabsTranslationStatus status =
      vorabsGroupTranslator::create_item(attributes, transform, receiver, sink);
  document->set_name_space(previous);
  return status;
}

annNamedItemPtr vorabsComponentFileTranslator::make_compound_object(const utString& name) {
  annGroupannPtr group =
      annGroup::make_annGroup(context().document(), sto_class_annComponentFile(), name);
  if (annComponentFile* component = annComponentFile::sto_dynamic_cast(group.pointer()))
    component->set_component_file(resolved_file_name_);
  set_group(group);
  return group;
}

utString vorabsComponentFileTranslator::type_name() const {
  return utString("component");
}
