// annPointCloud.cpp - a cloud of points with optional normals.
#include "annPointCloud.h"

#include "annKind.h"

#include <ostream>

ANN_DEFINE_KIND(annPointCloud, annGeometryItem::sto_static_class(), ANN_NEW_INSTANCE(annPointCloud))

annPointCloudData::annPointCloudData() = default;
annPointCloudData::~annPointCloudData() = default;

size_t annPointCloudData::num_points() const {
  const giNodeXYZ* positions = find_feature<giNodeXYZ>();
  return positions ? positions->size() : 0;
}

annPointCloud::~annPointCloud() = default;

void annPointCloud::print_details(std::ostream& out) const {
  annGeometryItem::print_details(out);
  if (!data_)
    return;
  out << " points " << data_->num_points();
  if (const giNormArr* normals = data_->find_feature<giNormArr>())
    out << " normals " << normals->size();
}

annPointCloudannPtr make_annPointCloud(annEntity* owner, std::unique_ptr<annPointCloudData> data,
                                       const utString& name) {
  if (!data)
    return annPointCloudannPtr();
  annPointCloudannPtr cloud = ann_make_item<annPointCloud>(owner, name);
  if (!cloud.invalid())
    cloud->set_data(std::move(data));
  return cloud;
}

annPointCloudannPtr make_annPointCloud(annEntity* owner, const utString& description,
                                       const utString& name) {
  return ann_make_described<annPointCloud>(owner, description, name);
}
