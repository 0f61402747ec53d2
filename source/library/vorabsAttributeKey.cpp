// vorabsAttributeKey.cpp - the name an attribute is stored under, and the global keys.
#include "vorabsAttributeKey.h"

#include "co.h"

vorabsAttributeKey::vorabsAttributeKey() : name_(""), hash_(co_hash(name_)) {}

vorabsAttributeKey::vorabsAttributeKey(const utString& name)
    : name_(name.is_null() ? utString("") : name), hash_(co_hash(name_)) {}

unsigned int co_hash(const vorabsAttributeKey& key) {
  return key.hash();
}

const vorabsAttributeKey vorabsANGLEPOINT(utString("angle_point"));
const vorabsAttributeKey vorabsANNOTATION(utString("annotation"));
const vorabsAttributeKey vorabsBODY(utString("body"));
const vorabsAttributeKey vorabsCHILDITEM(utString("child_item"));
const vorabsAttributeKey vorabsCOLOUR(utString("colour"));
const vorabsAttributeKey vorabsCONVERTINGANNOTATION(utString("converting_annotation"));
const vorabsAttributeKey vorabsCURVE(utString("curve"));
const vorabsAttributeKey vorabsCURVEFONT(utString("curvefont"));
const vorabsAttributeKey vorabsDISPLAYNAME(utString("display_name"));
const vorabsAttributeKey vorabsFACE(utString("face"));
const vorabsAttributeKey vorabsFROMQVX(utString("fromqvx"));
const vorabsAttributeKey vorabsGEOMETRYSIZE(utString("geometry_size"));
const vorabsAttributeKey vorabsGEOMETRYSTYLE(utString("geometry_style"));
const vorabsAttributeKey vorabsGEOMETRYTOLERANCE(utString("geometry_tolerance"));
const vorabsAttributeKey vorabsGEOMETRYUNIT(utString("geometry_unit"));
const vorabsAttributeKey vorabsHIERARCHY(utString("hierarchy"));
const vorabsAttributeKey vorabsLAYER(utString("layer"));
const vorabsAttributeKey vorabsLINEWIDTH(utString("line_width"));
const vorabsAttributeKey vorabsNAME(utString("name"));
const vorabsAttributeKey vorabsNAME_SPACE(utString("name_space"));
const vorabsAttributeKey vorabsNAME_SPACE_PATH(utString("name_space_path"));
const vorabsAttributeKey vorabsOBJECTTYPE(utString("object_type"));
const vorabsAttributeKey vorabsPARASOLID(utString("parasolid"));
const vorabsAttributeKey vorabsPARENT(utString("parent"));
const vorabsAttributeKey vorabsPARENTITEM(utString("parent_item"));
const vorabsAttributeKey vorabsPOINT(utString("point"));
const vorabsAttributeKey vorabsPOINTCLOUD(utString("pointcloud"));
const vorabsAttributeKey vorabsPRECURSOR(utString("precursor"));
const vorabsAttributeKey vorabsPROCESSVIEWS(utString("process_views"));
const vorabsAttributeKey vorabsPROPERTIES(utString("properties"));
const vorabsAttributeKey vorabsSCALEFACTOR(utString("scale_factor"));
const vorabsAttributeKey vorabsSTRUCTURE(utString("structure"));
const vorabsAttributeKey vorabsSUPPRESSOUTPUT(utString("suppress_output"));
const vorabsAttributeKey vorabsSURFACE(utString("surface"));
const vorabsAttributeKey vorabsTOPOLOGY(utString("topology"));
const vorabsAttributeKey vorabsTRIANGLEBLOCK(utString("triangleblock"));
const vorabsAttributeKey vorabsTYPE(utString("type"));
const vorabsAttributeKey vorabsVISIBLE(utString("visible"));
const vorabsAttributeKey vorabsWORKPLANE(utString("workplane"));
