// dxfMesh.h - the decoder of a MESH (a subdivision mesh): its control vertices and faces.
//
// The mesh is drawn at level 0, its control mesh, as other readers draw
// it: the vertices (92 their count, then 10/20/30 each) go to the entity's
// vertices, the face list (93 its size, then 90 values: for each face its
// corner count and its 0-based vertex indices) to its extra faces. Edges,
// creases and the subdivision level are not needed to draw level 0. A
// proxy graphics size (also 92, before the mesh's own groups) is passed
// over: only the count that 10 groups follow counts.
#pragma once

#include "dxfKinds.h"

void dxf_decode_mesh(const dxfTags& tags, dxfEntity& entity, dxfFile& file);
