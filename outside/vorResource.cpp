// vorResource.cpp - the resource table and the system's option and tolerance keys.
#include "vorResource.h"

const vorBooleanKey vorOptExplodeGroups("vorOptExplodeGroups", 0);
const vorStringKey vorOptInputEncoding("vorOptInputEncoding", "");
const vorStringKey vorOptOutputEncoding("vorOptOutputEncoding", "");
const vorBooleanKey vorOptProcessViews("vorOptProcessViews", 0);
const vorDoubleKey vorTolCoincBreakPoints("vorTolCoincBreakPoints", 1e-6);
const vorDoubleKey vorTolCoincAngles("vorTolCoincAngles", 1e-9);
const vorDoubleKey vorTolPolygonizeCurve3d("vorTolPolygonizeCurve3d", 1e-5);
const vorDoubleKey vorTolCurveOnSurface3d("vorTolCurveOnSurface3d", 1e-5);
const vorDoubleKey vorTolClosureCompCurve3d("vorTolClosureCompCurve3d", 1e-6);

vorResourceTable::vorResourceTable() = default;
vorResourceTable::~vorResourceTable() = default;

const vorResourceTable::Entry* vorResourceTable::find(const vorResourceKey& key) const {
  auto it = values_.find(&key);
  return it == values_.end() ? nullptr : &it->second;
}

int vorResourceTable::value(const vorBooleanKey& key) const {
  const Entry* entry = find(key);
  return entry ? entry->boolean : key.default_value();
}

utString vorResourceTable::value(const vorStringKey& key) const {
  const Entry* entry = find(key);
  return entry ? entry->text : key.default_value();
}

double vorResourceTable::value(const vorDoubleKey& key) const {
  const Entry* entry = find(key);
  return entry ? entry->number : key.default_value();
}

void vorResourceTable::set_value(const vorBooleanKey& key, int value) {
  values_[&key].boolean = value;
}

void vorResourceTable::set_value(const vorStringKey& key, const utString& value) {
  values_[&key].text = value;
}

void vorResourceTable::set_value(const vorDoubleKey& key, double value) {
  values_[&key].number = value;
}

int vorResourceTable::is_set(const vorResourceKey& key) const {
  return find(key) != nullptr;
}

void vorResourceTable::reset(const vorResourceKey& key) {
  values_.erase(&key);
}

vorResourceTable& vor_resource_table_inquire() {
  static vorResourceTable table;
  return table;
}
