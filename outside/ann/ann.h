// ann.h - the annotation model: the umbrella header of its parts.
//
// annItem.h holds the document, named items, handles and class tags;
// annGeometry.h the geometry items and render meshes; annLevel.h levels and
// colours; annStyle.h styles, style sets, curve fonts and placeholders;
// annGroup.h groups and shape-preserving transforms; annProperty.h user
// properties and their assignment; annCurve.h the 2D curve item; annText.h
// texts, fonts and their frames; annFillArea.h fill areas; annPointCloud.h
// point clouds and their data.
#pragma once

#include "annItem.h"
#include "annGeometry.h"
#include "annLevel.h"
#include "annStyle.h"
#include "annGroup.h"
#include "annProperty.h"
#include "annPresentation.h"
#include "annNameSpaceCopier.h"
#include "annDimension.h"       // dimensions and witness lines
#include "gdt.h"                // GD&T items
#include "annExternalContext.h" // the context of conversions made outside the model
#include "annCurve.h"
#include "annText.h"
#include "annFillArea.h"
#include "annPointCloud.h"
