// dxfToleranceText.h - a geometric tolerance item written back as the text of a TOLERANCE entity.
//
// The writer's side of dxfTolerance.h: the frame text is composed from the
// GD&T items a reader made (per tolerance row item a line: the
// characteristic, its tolerances with their modifiers, its datum
// references; a datum the datum identifier). What the GD&T items do not
// hold comes from the item's properties: the characteristics ("position;
// flatness", one per row) and the projected zone's height. Nothing is
// kept: the caller owns the item.
#pragma once

#include "ann/ann.h"

#include <string>

// The frame text of a geometric tolerance (gdtGeometricToleranceBase) in
// UTF-8; empty when the item is not one or holds no row.
std::string dxf_tolerance_text(const annNamedItem& tolerance, const std::string& characteristics,
                               const std::string& zone);
