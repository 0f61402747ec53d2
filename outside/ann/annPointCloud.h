// annPointCloud.h - a cloud of points, with a normal per point when scanned with them.
//
// The point data is a set of features found by kind, as in a triangle
// block: node positions (giNodeXYZ) and normals (giNormArr), each at most
// once and either possibly missing. A point cloud item claims its data and
// deletes it with itself.
#pragma once

#include "annGeometry.h"
#include "gi.h"

#include <memory>

class VOROUT_API annPointCloudData {
public:
  annPointCloudData();
  ~annPointCloudData();
  annPointCloudData(const annPointCloudData&) = delete;
  annPointCloudData& operator=(const annPointCloudData&) = delete;

  // The feature of kind F (giNodeXYZ or giNormArr), or null when missing.
  template <class F> F* find_feature() { return features_.find_feature<F>(); }
  template <class F> const F* find_feature() const { return features_.find_feature<F>(); }
  // The feature of kind F, added empty when missing.
  template <class F> F* add_feature() { return features_.add_feature<F>(); }
  // The number of node positions; 0 without them.
  size_t num_points() const;

private:
  giTriBlock features_;
};

class VOROUT_API annPointCloud final : public annGeometryItem {
  ANN_ITEM_KIND(annPointCloud)
public:
  ~annPointCloud() override;
  // Null for a point cloud made from a description.
  const annPointCloudData* data() const { return data_.get(); }
  void set_data(std::unique_ptr<annPointCloudData> data) { data_ = std::move(data); }
  // The description when there is one, then " points N" and, with
  // normals, " normals M".
  void print_details(std::ostream& out) const override;

private:
  std::unique_ptr<annPointCloudData> data_;
};

using annPointCloudannPtr = annPtr<annPointCloud>;

inline const stoClass* sto_class_annPointCloud() {
  return annPointCloud::sto_static_class();
}

// A new point cloud owned by the owner's document that claims data;
// invalid without an owner or data (the data is deleted then).
VOROUT_API annPointCloudannPtr make_annPointCloud(annEntity* owner,
                                                  std::unique_ptr<annPointCloudData> data,
                                                  const utString& name);
// A point cloud known only by a description of what it was made from.
VOROUT_API annPointCloudannPtr make_annPointCloud(annEntity* owner, const utString& description,
                                                  const utString& name);
