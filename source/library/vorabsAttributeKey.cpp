// vorabsAttributeKey.cpp - the name an attribute is stored under, and the global keys.
#include "vorabsAttributeKey.h"

#include "co.h"

vorabsAttributeKey::vorabsAttributeKey() : name_(""), hash_(co_hash(name_)) {}

vorabsAttributeKey::vorabsAttributeKey(const utString& name)
    : name_(name.is_null() ? utString("") : name), hash_(co_hash(name_)) {}

unsigned int co_hash(const vorabsAttributeKey& key) {
  return key.hash();
}

// The names are literals: sets copy these keys all the time, without counting.
const vorabsAttributeKey vorabsANGLEPOINT(ut_lit("angle_point"));
const vorabsAttributeKey vorabsANNOTATION(ut_lit("annotation"));
const vorabsAttributeKey vorabsBODY(ut_lit("body"));
const vorabsAttributeKey vorabsCHILDITEM(ut_lit("child_item"));
const vorabsAttributeKey vorabsCOLOUR(ut_lit("colour"));
const vorabsAttributeKey vorabsCONVERTINGANNOTATION(ut_lit("converting_annotation"));
const vorabsAttributeKey vorabsCURVE(ut_lit("curve"));
const vorabsAttributeKey vorabsCURVEFONT(ut_lit("curvefont"));
const vorabsAttributeKey vorabsDISPLAYNAME(ut_lit("display_name"));
const vorabsAttributeKey vorabsFACE(ut_lit("face"));
const vorabsAttributeKey vorabsFROMQVX(ut_lit("fromqvx"));
const vorabsAttributeKey vorabsGEOMETRYSIZE(ut_lit("geometry_size"));
const vorabsAttributeKey vorabsGEOMETRYSTYLE(ut_lit("geometry_style"));
const vorabsAttributeKey vorabsGEOMETRYTOLERANCE(ut_lit("geometry_tolerance"));
const vorabsAttributeKey vorabsGEOMETRYUNIT(ut_lit("geometry_unit"));
const vorabsAttributeKey vorabsHIERARCHY(ut_lit("hierarchy"));
const vorabsAttributeKey vorabsLAYER(ut_lit("layer"));
const vorabsAttributeKey vorabsLINEWIDTH(ut_lit("line_width"));
const vorabsAttributeKey vorabsNAME(ut_lit("name"));
const vorabsAttributeKey vorabsNAME_SPACE(ut_lit("name_space"));
const vorabsAttributeKey vorabsNAME_SPACE_PATH(ut_lit("name_space_path"));
const vorabsAttributeKey vorabsOBJECTTYPE(ut_lit("object_type"));
const vorabsAttributeKey vorabsPARASOLID(ut_lit("parasolid"));
const vorabsAttributeKey vorabsPARENT(ut_lit("parent"));
const vorabsAttributeKey vorabsPARENTITEM(ut_lit("parent_item"));
const vorabsAttributeKey vorabsPOINT(ut_lit("point"));
const vorabsAttributeKey vorabsPOINTCLOUD(ut_lit("pointcloud"));
const vorabsAttributeKey vorabsPRECURSOR(ut_lit("precursor"));
const vorabsAttributeKey vorabsPROCESSVIEWS(ut_lit("process_views"));
const vorabsAttributeKey vorabsPROPERTIES(ut_lit("properties"));
const vorabsAttributeKey vorabsSCALEFACTOR(ut_lit("scale_factor"));
const vorabsAttributeKey vorabsSTRUCTURE(ut_lit("structure"));
const vorabsAttributeKey vorabsSUPPRESSOUTPUT(ut_lit("suppress_output"));
const vorabsAttributeKey vorabsSURFACE(ut_lit("surface"));
const vorabsAttributeKey vorabsTOPOLOGY(ut_lit("topology"));
const vorabsAttributeKey vorabsTRIANGLEBLOCK(ut_lit("triangleblock"));
const vorabsAttributeKey vorabsTYPE(ut_lit("type"));
const vorabsAttributeKey vorabsVISIBLE(ut_lit("visible"));
const vorabsAttributeKey vorabsWORKPLANE(ut_lit("workplane"));
