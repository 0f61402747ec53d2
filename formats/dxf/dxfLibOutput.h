// dxfLibOutput.h - the writer of ASCII DXF drawings.
//
// A sink that turns every entity it receives into DXF entities of one
// drawing and writes the drawing when write() is called: 3D curves (lines,
// arcs, circles, ellipses, polylines, splines), points, triangle blocks (as
// polyface meshes), workplanes (as UCSs) and annotation items. Surfaces,
// topologies and bodies are refused with the sink's messages. Attributes
// become the entity's layer (each made once), colour (ACI where the colour
// is one, true colour otherwise), linetype with its dashes, nearest
// lineweight and visibility. An entity that cannot be written (coordinates
// that are not finite, a layer name DXF forbids, a text the file's code page
// cannot hold) fails alone, with one message on the error channel.
//
// The host owns the stream, the channels and the application information;
// write() writes the whole file through the stream and commits it, so a
// failed write leaves no file that looks complete.
#pragma once

#include "dxfPolylineWidth.h"
#include "dxf_export.h"

#include "vorabsLibOutput.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class annFillArea;
class annPointCloud;
class annPresentation;
class annSPT;
class annTextFont;
class annTextGeometry;
class velPolyline3;
class annView;
class dxfDrawingWriter;
struct dxfEntityProperties;
struct dxfTextLayout;

class DXF_API dxfLibOutput : public vorabsLibOutput {
public:
  dxfLibOutput(vorabsOfStream* stream, const vorabsAppInfo* app);
  ~dxfLibOutput() override;

  const char* library_name() const override { return "vorabs_dxf"; }
  const char* option() const override { return "DXF"; }
  int database_number() const override { return 28; }
  void add_file_types(intcoSet& types) const override;
  void add_extensions(utStringcoSet& extensions) const override;
  const char* file_filter() const override { return "DXF drawings (*.dxf)|*.dxf"; }
  const char* format_name() const override { return "DXF"; }

  // The file's version ($ACADVER, "AC1015" to "AC1032") and, for versions
  // before AC1021, the code page of its texts ($DWGCODEPAGE, e.g.
  // "ANSI_1252"); later versions are always UTF-8. Set before the first
  // entity. Nonzero when both are known.
  int set_version(const std::string& version, const std::string& code_page);
  // The drawing unit written as $INSUNITS.
  void set_units(const vorLengthUnit& unit);

  vorabsTranslationStatus curve3(const velCurvePtr3& curve,
                                 const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus workplane3(const giWorkplane3& workplane,
                                     const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus point3(const giPoint3& point,
                                 const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus triblock(const giTriBlock& block,
                                   const vorabsAttributeSet& attributes) override;
  // Groups become block definitions placed by INSERTs; a group reached
  // again (an entity translated once and placed many times) is inserted
  // again without a second definition.
  vorabsTranslationStatus annotation(const annNamedItemPtr& item,
                                     const vorabsAttributeSet& attributes) override;
  // The item standing for the entity received last, so that a compound
  // being built can hold it.
  annNamedItemPtr current_annotation() override;

  // Any unit: drawings say which one they use.
  int valid_units(vorLengthUnit& unit) const override;
  // Nonzero for the entity kinds written here.
  int supported(const vorabsAttributeSet& attributes) const override;

  int write() override;

  // Entities written and refused so far.
  int num_written() const { return written_; }
  int num_failed() const { return failed_; }

private:
  struct pending;
  struct state;
  // Writes the entity into the model space, or keeps it as a member of the
  // compound being built when it is a child.
  vorabsTranslationStatus accept(pending&& entity, const vorabsAttributeSet& attributes);
  void emit(int space, const pending& entity);
  void emit_curve(int space, const velCurvePtr3& curve, const std::string& kind,
                  const dxfEntityProperties& properties, const dxfSegmentWidths& widths);
  void emit_polyline(int space, const velPolyline3& polyline, const std::string& kind,
                     const dxfEntityProperties& properties, const dxfSegmentWidths& widths);
  void emit_triblock(int space, const giTriBlock& block, const std::string& kind,
                     const dxfEntityProperties& properties);
  void emit_group(int space, const annNamedItemPtr& group, const dxfEntityProperties& properties);
  // The block written for a group, made on first use; anonymous names the
  // prefix of an anonymous block ("*D") when the block must be one.
  int block_of(const annNamedItemPtr& group, const char* anonymous = nullptr);
  // An INSERT placing a group's block; attributes: ATTRIBs follow it.
  std::uint64_t emit_insert(int space, const annNamedItemPtr& group,
                            const dxfEntityProperties& properties, int attributes);
  void emit_attribute(int space, std::uint64_t insert, const annTextGeometry& text,
                      const dxfEntityProperties& properties);
  // The group whose block a group draws: the one block definition it
  // holds, or itself.
  annNamedItemPtr drawn_block(const annNamedItemPtr& group) const;
  void emit_dimension(int space, const annNamedItemPtr& item,
                      const dxfEntityProperties& properties);
  void emit_item(int space, const annNamedItemPtr& item, const dxfEntityProperties& properties);
  // A geometric tolerance is written as a TOLERANCE entity with its frame text.
  void note_tolerance(const annNamedItemPtr& item, const vorabsAttributeSet& attributes);
  void emit_tolerance(int space, const annNamedItemPtr& item, const std::string& text,
                      const dxfEntityProperties& properties);
  // A TEXT, or an MTEXT for a paragraph, anchored as its layout says.
  void emit_text(int space, const annTextGeometry& text, const dxfEntityProperties& properties,
                 const dxfTextLayout& layout);
  // A paragraph's characters with MTEXT's escapes, or the markup it was
  // read with when that still reads as its text.
  std::string mtext_markup(const annTextGeometry& text, const dxfTextLayout& layout) const;
  // A line's value as written: its characters escaped, with the %%u, %%o
  // and %%k codes of its runs.
  std::string line_value(const annTextGeometry& text, const dxfTextLayout& layout) const;
  // The anchor and paragraph of a text received, from its properties.
  void keep_layout(const annTextGeometry& text, dxfTextLayout&& layout);
  const dxfTextLayout& layout_of(const annTextGeometry& text) const;
  // place: the transform of the group that places the fill area, or null.
  void emit_hatch(int space, const annFillArea& fill, const annSPT* place,
                  const dxfEntityProperties& properties);
  void emit_points(int space, const annPointCloud& cloud, const dxfEntityProperties& properties);
  // The text style of a font, made on first use.
  std::string text_style(const annTextFont& font);
  void emit_drawing(const annPresentation& sheet);
  void emit_viewport(int space, const annView& view, int id, const dxfEntityProperties& properties);
  // Fills properties from attributes; 0, with a message, when the entity
  // cannot be written with them.
  int properties_of(const vorabsAttributeSet& attributes, dxfEntityProperties& properties);
  // The extended data read as properties ("DXF extended data"), one
  // application each, its values split where the reader joined them.
  void extended_data(const vorabsAttributeSet& attributes, dxfEntityProperties& properties) const;
  // A name or text in the file's encoding. Characters the code page lacks
  // and control characters but tab and line end become \U+XXXX escapes (a
  // surrogate pair's two above the BMP), as other programs write and read
  // them; a backslash that would start an escape becomes one too. Nonzero
  // always: every text can be written.
  int encode(const utString& text, std::string& bytes) const;
  // The UTF-8 characters in the file's encoding; escape_all: every
  // character beyond ASCII as its escape.
  void encode_characters(std::string_view characters, int escape_all, std::string& bytes) const;
  void encode_character(std::string_view character, std::string_view rest,
                        std::string& bytes) const;
  vorabsTranslationStatus fail(const vorabsAttributeSet& attributes, const char* why);

  dxfDrawingWriter& drawing();

  std::unique_ptr<state> state_;
  std::string version_ = "AC1024";
  std::string code_page_name_ = "ANSI_1252";
  unsigned int code_page_ = 0; // 0: UTF-8
  int units_ = 0;
  int written_ = 0;
  int failed_ = 0;
  int ucs_count_ = 0;
  int layout_count_ = 0;
  int anonymous_count_ = 0;
  int attribute_count_ = 0;
};
