// vorabsLibSinkTester.h - a sink that records every geometric entity it receives.
//
// For checks: each entity kind has an append-only list of entities and one
// of their names (the vorabsNAME string, empty without one), element i of
// the one naming element i of the other. A body is also recorded as the
// topology of its face (when marked a face) or shell (when marked a
// topology). The tester owns its copies of triangle blocks and shares the
// other entities through their handles.
#pragma once

#include "vorabsLibSink.h"

#include "gi.h"
#include "top.h"
#include "vel.h"

#include <vector>

class VORABS_API vorabsLibSinkTester : public vorabsLibSink {
public:
  vorabsLibSinkTester() = default;
  ~vorabsLibSinkTester() override;

  const char* library_name() const override { return "vel2pmf"; }
  const char* option() const override { return "blah"; }
  int database_number() const override { return 999; }
  void add_file_types(intcoSet&) const override {}
  void add_extensions(utStringcoSet&) const override {}
  const char* file_filter() const override { return "blah"; }
  const char* format_name() const override { return "blah"; }

  vorabsTranslationStatus topology(const topTopologyPtr& topology,
                                   const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus curve3(const velCurvePtr3& curve,
                                 const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus surface(const velSurfPtr& surface,
                                  const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus point3(const giPoint3& point,
                                 const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus triblock(const giTriBlock& block,
                                   const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus workplane3(const giWorkplane3& workplane,
                                     const vorabsAttributeSet& attributes) override;
  vorabsTranslationStatus body(const aqtIBodycoPrf& body,
                               const vorabsAttributeSet& attributes) override;

  int number_of_topologies() const { return topologies_.count(); }
  int number_of_curves3() const { return curves3_.count(); }
  int number_of_surfaces() const { return surfaces_.count(); }
  int number_of_points3() const { return points3_.count(); }
  int number_of_triblocks() const { return triblocks_.count(); }
  int number_of_workplane3() const { return workplanes3_.count(); }
  int number_of_bodies() const { return bodies_.count(); }

  // Element i (0 <= i < count) and its name.
  void get_topology(int i, topTopologyPtr& topology, utString& name) const {
    topologies_.get(i, topology, name);
  }
  void get_curve3(int i, velCurvePtr3& curve, utString& name) const {
    curves3_.get(i, curve, name);
  }
  void get_surface(int i, velSurfPtr& surface, utString& name) const {
    surfaces_.get(i, surface, name);
  }
  void get_point3(int i, giPoint3& point, utString& name) const { points3_.get(i, point, name); }
  void get_triblock(int i, giTriBlock& block, utString& name) const {
    triblocks_.get(i, block, name);
  }
  void get_workplane3(int i, giWorkplane3& workplane, utString& name) const {
    workplanes3_.get(i, workplane, name);
  }
  void get_body(int i, aqtIBodycoPrf& body, utString& name) const { bodies_.get(i, body, name); }

protected:
  // The vorabsNAME string of attributes, or an empty string.
  static utString entity_name(const vorabsAttributeSet& attributes);

private:
  template <class T> class Recorded {
  public:
    void add(const T& entity, const utString& name) {
      entities_.push_back(entity);
      names_.push_back(name);
    }
    int count() const { return static_cast<int>(entities_.size()); }
    void get(int i, T& entity, utString& name) const {
      entity = entities_[static_cast<size_t>(i)];
      name = names_[static_cast<size_t>(i)];
    }

  private:
    std::vector<T> entities_;
    std::vector<utString> names_;
  };

  Recorded<topTopologyPtr> topologies_;
  Recorded<velCurvePtr3> curves3_;
  Recorded<velSurfPtr> surfaces_;
  Recorded<giPoint3> points3_;
  Recorded<giTriBlock> triblocks_;
  Recorded<giWorkplane3> workplanes3_;
  Recorded<aqtIBodycoPrf> bodies_;
};
