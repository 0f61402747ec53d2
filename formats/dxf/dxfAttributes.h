// dxfAttributes.h - what a DXF entity looks like, in the framework's attribute keys.
//
// A dxfLook is an entity's layer, colour, linetype, lineweight and
// visibility after BYLAYER and BYBLOCK are resolved: BYLAYER through the
// entity's layer, BYBLOCK through the look of the insert that places the
// block, and the layer-0 rule (an entity of a block on layer 0 takes the
// layer of that insert). dxfTables holds what every translator of one file
// shares: the parsed file (tables, blocks and entities, which translators
// refer to), the text decoder, and the decoded layer names and curve fonts.
// Translators keep it alive through a shared pointer.
#pragma once

#include "dxfRecords.h"
#include "dxfText.h"

#include "vorabsAttributeSet.h"
#include "vorabsCurveFont.h"

#include <memory>
#include <vector>

struct dxfLook {
  int layer = 0;
  int aci = 7;         // 1 to 255
  int32_t rgb = -1;    // a true colour, else -1
  int linetype = -1;   // index, -1 continuous
  int lineweight = -3; // 1/100 mm, -3 default (no attribute)
  uint8_t visible = 1;
  uint8_t frozen = 0; // the insert's layer is frozen: nothing inside shows
};

class dxfTables {
public:
  explicit dxfTables(std::unique_ptr<dxfFile> file);

  const dxfFile& file() const { return *file_; }
  const dxfTextDecoder& decoder() const { return decoder_; }

  // The look of entity, placed by an insert whose look is outer (null at
  // the top level).
  dxfLook resolve(const dxfEntity& entity, const dxfLook* outer) const;
  // Adds the entity's name ("LINE 1F"), layer, colour, curve font, line
  // width and visibility to set.
  void add_attributes(const dxfEntity& entity, const dxfLook& look, vorabsAttributeSet& set) const;
  // The entity's name: its type word and handle ("LINE 1F").
  static utString entity_name(const dxfEntity& entity);
  // The text style of that name (compared ignoring case), or null.
  const dxfStyle* find_style(const std::string& name) const;
  // Adds a name alone.
  static void add_name(const utString& name, vorabsAttributeSet& set);

  // The RGB components of an ACI colour (1 to 255).
  static void aci_rgb(int aci, double& red, double& green, double& blue);

private:
  std::unique_ptr<dxfFile> file_;
  dxfTextDecoder decoder_;
  std::vector<utString> layer_names_;
  std::vector<vorabsCurveFont> fonts_;
};
