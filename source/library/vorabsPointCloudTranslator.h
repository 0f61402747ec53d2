// vorabsPointCloudTranslator.h - the translator of a point cloud entity.
//
// A format library hands over the point data, which the point cloud item
// made from it claims (so the library gives up the pointer; null fails the
// entity). Under a transform other than the identity the positions are
// moved in place, and the normals, when there are any, are carried as
// vectors without being made unit again.
#pragma once

#include "vorabs_export.h"

#include "vorabsAnnotationTranslator.h"

#include "ann/ann.h"
#include "gi.h"

class VORABS_API vorabsPointCloudTranslator : public vorabsAnnotationTranslator {
public:
  explicit vorabsPointCloudTranslator(const vorabsContext& context)
      : vorabsAnnotationTranslator(context) {}
  ~vorabsPointCloudTranslator() override;
  // Annotation, a structure and a point cloud.
  void attributes(vorabsAttributeSet& set) const override;
  int non_spts_supported() const override;

protected:
  vorabsTranslationStatus create_annotation(const vorabsAttributeSet& attributes,
                                            const giXform3& transform,
                                            annGeometryItemannPtr& item) override;
  // New data that the caller claims; the translator always asks with 3.
  virtual annPointCloudData* point_cloud_data(int kind) = 0;
};
