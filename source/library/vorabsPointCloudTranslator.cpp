// vorabsPointCloudTranslator.cpp - the translator of a point cloud entity.
#include "vorabsPointCloudTranslator.h"

#include "vorabsAttributesToAnnotation.h"

#include <memory>

namespace {

// Positions move in index order and drop their cached box; normals are
// carried as vectors and keep their lengths.
void move_points(annPointCloudData& data, const giXform3& transform) {
  if (giNodeXYZ* positions = data.find_feature<giNodeXYZ>())
    positions->transform(transform);
  if (giNormArr* normals = data.find_feature<giNormArr>())
    for (size_t i = 0; i < normals->size(); ++i)
      normals->set(i, transform * (*normals)[i]);
}

} // namespace

vorabsPointCloudTranslator::~vorabsPointCloudTranslator() = default;

void vorabsPointCloudTranslator::attributes(vorabsAttributeSet& set) const {
  vorabsAnnotationTranslator::attributes(set);
  mark_kind(set, vorabsSTRUCTURE);
  mark_kind(set, vorabsPOINTCLOUD);
}

int vorabsPointCloudTranslator::non_spts_supported() const {
  return 1;
}

vorabsTranslationStatus vorabsPointCloudTranslator::create_annotation(
    const vorabsAttributeSet& attributes, const giXform3& transform, annGeometryItemannPtr& item) {
  const utString name = entity_name(attributes);
  std::unique_ptr<annPointCloudData> data(point_cloud_data(3));
  if (!data)
    return vorabsSTATUS_FAILED;
  if (!transform.identity())
    move_points(*data, transform);
  annPointCloudannPtr cloud = make_annPointCloud(context().document(), std::move(data), name);
  item = cloud;
  if (item.invalid())
    return vorabsSTATUS_FAILED;
  vorabsAttributesToAnnotation(attributes, name).apply(context().document(), item);
  return vorabsSTATUS_OK;
}
