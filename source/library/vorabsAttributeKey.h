// vorabsAttributeKey.h - the name an attribute is stored under, and the global keys.
//
// Two keys are equal when their names hold the same characters (exact,
// case-sensitive). A key carries the hash of its name, computed once, so
// that look-ups compare a number before they compare text. The empty name
// marks an empty slot; attribute keys have non-empty names. The 39 global
// keys are built when the library loads and never change.
#pragma once

#include "vorabs_export.h"

#include "ut.h"

class VORABS_API vorabsAttributeKey {
public:
  vorabsAttributeKey();
  explicit vorabsAttributeKey(const utString& name);
  vorabsAttributeKey(const vorabsAttributeKey& other) = default;
  vorabsAttributeKey& operator=(const vorabsAttributeKey& other) = default;
  ~vorabsAttributeKey() = default;

  int operator==(const vorabsAttributeKey& other) const {
    return hash_ == other.hash_ && name_ == other.name_;
  }
  int operator!=(const vorabsAttributeKey& other) const { return !(*this == other); }
  utString name() const { return name_; }
  // The container library's string hash of the name.
  unsigned int hash() const { return hash_; }

private:
  utString name_;
  unsigned int hash_;
};

VORABS_API unsigned int co_hash(const vorabsAttributeKey& key);

// The global keys; the comment gives the value type stored under each.
extern VORABS_API const vorabsAttributeKey vorabsANGLEPOINT;           // giAngle
extern VORABS_API const vorabsAttributeKey vorabsANNOTATION;           // vorabsVoid
extern VORABS_API const vorabsAttributeKey vorabsBODY;                 // vorabsVoid
extern VORABS_API const vorabsAttributeKey vorabsCHILDITEM;            // vorabsVoid
extern VORABS_API const vorabsAttributeKey vorabsCOLOUR;               // vorabsColour
extern VORABS_API const vorabsAttributeKey vorabsCONVERTINGANNOTATION; // vorabsVoid
extern VORABS_API const vorabsAttributeKey vorabsCURVE;                // vorabsVoid
extern VORABS_API const vorabsAttributeKey vorabsCURVEFONT;            // vorabsCurveFont
extern VORABS_API const vorabsAttributeKey vorabsDISPLAYNAME;          // vorabsName
extern VORABS_API const vorabsAttributeKey vorabsFACE;                 // vorabsVoid
extern VORABS_API const vorabsAttributeKey vorabsFROMQVX;              // for format libraries
extern VORABS_API const vorabsAttributeKey vorabsGEOMETRYSIZE;         // for format libraries
extern VORABS_API const vorabsAttributeKey vorabsGEOMETRYSTYLE;        // vorabsStyle
extern VORABS_API const vorabsAttributeKey vorabsGEOMETRYTOLERANCE;    // for format libraries
extern VORABS_API const vorabsAttributeKey vorabsGEOMETRYUNIT;         // for format libraries
extern VORABS_API const vorabsAttributeKey vorabsHIERARCHY;            // annHierarchy
extern VORABS_API const vorabsAttributeKey vorabsLAYER;                // vorabsLayer
extern VORABS_API const vorabsAttributeKey vorabsLINEWIDTH;            // double
extern VORABS_API const vorabsAttributeKey vorabsNAME;                 // vorabsName
extern VORABS_API const vorabsAttributeKey vorabsNAME_SPACE;           // for format libraries
extern VORABS_API const vorabsAttributeKey vorabsNAME_SPACE_PATH;      // annNameSpacePath
extern VORABS_API const vorabsAttributeKey vorabsOBJECTTYPE;           // vorabsObjectType
extern VORABS_API const vorabsAttributeKey vorabsPARASOLID;            // for format libraries
extern VORABS_API const vorabsAttributeKey vorabsPARENT;               // utString
extern VORABS_API const vorabsAttributeKey vorabsPARENTITEM;           // vorabsVoid
extern VORABS_API const vorabsAttributeKey vorabsPOINT;                // vorabsVoid
extern VORABS_API const vorabsAttributeKey vorabsPOINTCLOUD;           // vorabsVoid
extern VORABS_API const vorabsAttributeKey vorabsPRECURSOR;            // vorabsPrecursor
extern VORABS_API const vorabsAttributeKey vorabsPROCESSVIEWS;         // presence only
extern VORABS_API const vorabsAttributeKey vorabsPROPERTIES;           // kapProperties
extern VORABS_API const vorabsAttributeKey vorabsSCALEFACTOR;          // for format libraries
extern VORABS_API const vorabsAttributeKey vorabsSTRUCTURE;            // vorabsVoid
extern VORABS_API const vorabsAttributeKey vorabsSUPPRESSOUTPUT;       // for format libraries
extern VORABS_API const vorabsAttributeKey vorabsSURFACE;              // vorabsVoid
extern VORABS_API const vorabsAttributeKey vorabsTOPOLOGY;             // vorabsVoid
extern VORABS_API const vorabsAttributeKey vorabsTRIANGLEBLOCK;        // vorabsVoid
extern VORABS_API const vorabsAttributeKey vorabsTYPE;                 // for format libraries
extern VORABS_API const vorabsAttributeKey vorabsVISIBLE;              // utBool
extern VORABS_API const vorabsAttributeKey vorabsWORKPLANE;            // vorabsVoid
