// dxfMesh.cpp - a MESH's vertices and face list.
#include "dxfMesh.h"

void dxf_decode_mesh(const dxfTags& tags, dxfEntity& e, dxfFile&) {
  long vertices = 0, face_values = -1;
  bool in_point = false;
  for (const dxfTag& t : tags) {
    switch (t.code) {
    case 92:
      vertices = dxf_tag_int(t, 0, 0, 1 << 24);
      break;
    case 10:
      in_point = long(e.vertices.size()) < vertices;
      if (in_point) {
        e.vertices.emplace_back();
        e.vertices.back().x = dxf_tag_number(t);
      }
      break;
    case 20:
    case 30:
      if (in_point)
        (t.code == 20 ? e.vertices.back().y : e.vertices.back().z) = dxf_tag_number(t);
      break;
    case 93:
      face_values = dxf_tag_int(t, 0, 0, 1 << 26);
      break;
    case 90:
      if (face_values > 0) {
        e.more().faces.push_back(dxf_tag_int(t, -1, -1, 1 << 26));
        --face_values;
      }
      break;
    default:
      in_point = in_point && t.code != 91 && t.code != 94;
      break;
    }
  }
}
