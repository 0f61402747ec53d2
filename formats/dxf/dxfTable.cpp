// dxfTable.cpp - the block reference part of an ACAD_TABLE.
#include "dxfTable.h"

namespace {

// Whether a group code begins the table's own data (version, style, block
// record, direction, flags, row and column counts).
bool table_data(int code) {
  return code == 280 || code == 342 || code == 343 || code == 11 || code == 90 || code == 91;
}

} // namespace

void dxf_decode_table(const dxfTags& tags, dxfEntity& entity, dxfFile&) {
  for (const dxfTag& tag : tags) {
    if (table_data(tag.code))
      return;
    switch (tag.code) {
    case 2:
      entity.name = std::string(tag.value);
      while (!entity.name.empty() && (entity.name.back() == ' ' || entity.name.back() == '\r'))
        entity.name.pop_back();
      break;
    case 10:
    case 20:
    case 30: {
      double& axis = tag.code == 10   ? entity.p[0].x
                     : tag.code == 20 ? entity.p[0].y
                                      : entity.p[0].z;
      axis = dxf_tag_number(tag);
      break;
    }
    case 41:
    case 42:
    case 43: {
      double& scale = tag.code == 41 ? entity.d41 : tag.code == 42 ? entity.d42 : entity.d43;
      scale = dxf_tag_number(tag, 1.0);
      entity.scale_given |= tag.code == 41 ? 1 : tag.code == 42 ? 2 : 4;
      break;
    }
    case 50:
      entity.a50 = dxf_tag_number(tag);
      break;
    default:
      break;
    }
  }
}
