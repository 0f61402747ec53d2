// annPresentation.h - the presentation side of a document: drawings, views, environments.
//
// A presentation (a drawing sheet) holds geometry items, sub-presentations
// and an environment, shares them through handles and has a default style
// set and an optional paper size and name. A view is a presentation placed
// by a transform item (a shape-preserving annSPT or a general transform)
// with a box. An environment holds lights and a background. The document
// owns every item; the model lists the top-level presentations.
#pragma once

#include "annGeometry.h"
#include "annItem.h"
#include "annProperty.h"
#include "gi.h"

class annGeneralTransform;
class annPresentation;
class annView;
class annEnvironment;
class annLight;
class annBackground;
using annGeneralTransformannPtr = annPtr<annGeneralTransform>;
using annPresentationannPtr = annPtr<annPresentation>;
using annViewannPtr = annPtr<annView>;
using annEnvironmentannPtr = annPtr<annEnvironment>;
using annLightannPtr = annPtr<annLight>;
using annBackgroundannPtr = annPtr<annBackground>;
using annGeometryItemannPtrcoSet = annPtrcoSet<annGeometryItem>;
using annStyleAssignmentannPtrcoSet = annPtrcoSet<annNamedItem>;

// Any transform, shape-preserving or not, kept as its matrix.
class VOROUT_API annGeneralTransform final : public annNamedItem {
  ANN_ITEM_KIND(annGeneralTransform)
public:
  ~annGeneralTransform() override;
  const giXform3& xform() const { return xform_; }
  void print_details(std::ostream& out) const override;

private:
  friend VOROUT_API annGeneralTransformannPtr make_annGeneralTransform(annEntity*, const giXform3&,
                                                                       const utString&);
  giXform3 xform_;
};

class VOROUT_API annPresentation : public annNamedItem {
  ANN_ITEM_KIND(annPresentation)
public:
  ~annPresentation() override;

  void add_geometry(const annGeometryItemannPtr& item);
  void add_presentation(const annPresentationannPtr& presentation);
  void set_environment(const annEnvironmentannPtr& environment) { environment_ = environment; }
  const annEnvironmentannPtr& environment() const { return environment_; }
  void set_default_style(const annStyleSetannPtr& style) { default_style_ = style; }
  const annStyleSetannPtr& default_style() const { return default_style_; }
  void set_paper_size(double width, double height);
  double paper_width() const { return paper_width_; }
  double paper_height() const { return paper_height_; }
  void set_paper_name(const utString& name) { paper_name_ = name; }
  const utString& paper_name() const { return paper_name_; }
  size_t num_geometry() const { return geometry_.size(); }
  size_t num_presentations() const { return presentations_.size(); }
  const annPresentationannPtr& presentation(size_t i) const { return presentations_[i]; }

  // " paper W x H", " paper name "n"", " environment "e"" where set.
  void print_details(std::ostream& out) const override;
  // Geometry first, then sub-presentations, each in the order added.
  size_t num_members() const override;
  annNamedItem* member(size_t i) const override;
  int remove_member(const annNamedItem* item) override;

private:
  friend VOROUT_API annPresentationannPtr make_annPresentation(annEntity*, const annStyleSetannPtr&,
                                                               const annGeometryItemannPtrcoSet&,
                                                               const annStyleAssignmentannPtrcoSet&,
                                                               const utString&);
  coVariableArr<annGeometryItemannPtr> geometry_;
  coVariableArr<annPresentationannPtr> presentations_;
  annEnvironmentannPtr environment_;
  annStyleSetannPtr default_style_;
  double paper_width_ = 0.0;
  double paper_height_ = 0.0;
  utString paper_name_;
};

class VOROUT_API annView final : public annPresentation {
  ANN_ITEM_KIND(annView)
public:
  ~annView() override;
  // The annSPT or annGeneralTransform that places the view.
  const annNamedItemPtr& transform() const { return transform_; }
  const giBox3& box() const { return box_; }
  void print_details(std::ostream& out) const override;

private:
  friend VOROUT_API annViewannPtr make_annView(annEntity*, const annNamedItemPtr&, const giBox3&,
                                               const utString&);
  annNamedItemPtr transform_;
  giBox3 box_;
};

class VOROUT_API annEnvironment final : public annNamedItem {
  ANN_ITEM_KIND(annEnvironment)
public:
  ~annEnvironment() override;
  static annEnvironmentannPtr make_annEnvironment(annEntity* owner, const utString& name);
  void add_light(const annLightannPtr& light);
  size_t num_lights() const { return lights_.size(); }
  const annLightannPtr& light(size_t i) const { return lights_[i]; }
  void set_background(const annBackgroundannPtr& background) { background_ = background; }
  const annBackgroundannPtr& background() const { return background_; }
  // Lights in order, then the background.
  size_t num_members() const override;
  annNamedItem* member(size_t i) const override;
  int remove_member(const annNamedItem* item) override;

private:
  coVariableArr<annLightannPtr> lights_;
  annBackgroundannPtr background_;
};

// A light source; its kind is a free word ("ambient", "distant", "spot" ...).
class VOROUT_API annLight final : public annNamedItem {
  ANN_ITEM_KIND(annLight)
public:
  ~annLight() override;
  static annLightannPtr make_annLight(annEntity* owner, const utString& kind, const utString& name);
  const utString& kind() const { return kind_; }
  void print_details(std::ostream& out) const override;

private:
  utString kind_;
};

// The background of a rendered scene: a plain colour.
class VOROUT_API annBackground final : public annNamedItem {
  ANN_ITEM_KIND(annBackground)
public:
  ~annBackground() override;
  static annBackgroundannPtr make_annBackground(annEntity* owner, double red, double green,
                                                double blue, const utString& name);
  double red() const { return red_; }
  double green() const { return green_; }
  double blue() const { return blue_; }
  void print_details(std::ostream& out) const override;

private:
  double red_ = 0, green_ = 0, blue_ = 0;
};

VOROUT_API annGeneralTransformannPtr make_annGeneralTransform(annEntity* owner,
                                                              const giXform3& xform,
                                                              const utString& name);
VOROUT_API annPresentationannPtr make_annPresentation(annEntity* owner,
                                                      const annStyleSetannPtr& style,
                                                      const annGeometryItemannPtrcoSet& geometry,
                                                      const annStyleAssignmentannPtrcoSet& styles,
                                                      const utString& name);
// transform is the annSPT or annGeneralTransform that places the view.
VOROUT_API annViewannPtr make_annView(annEntity* owner, const annNamedItemPtr& transform,
                                      const giBox3& box, const utString& name);

inline const stoClass* sto_class_annGeneralTransform() {
  return annGeneralTransform::sto_static_class();
}
inline const stoClass* sto_class_annPresentation() {
  return annPresentation::sto_static_class();
}
inline const stoClass* sto_class_annView() {
  return annView::sto_static_class();
}
inline const stoClass* sto_class_annEnvironment() {
  return annEnvironment::sto_static_class();
}
inline const stoClass* sto_class_annLight() {
  return annLight::sto_static_class();
}
inline const stoClass* sto_class_annBackground() {
  return annBackground::sto_static_class();
}
