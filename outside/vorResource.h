// vorResource.h - the resource table: typed option and tolerance keys.
//
// Each option or tolerance the system reads is a global key object with a
// name and a default value; its type is the key's class (boolean, string,
// double). The process has one resource table, reached through
// vor_resource_table_inquire(): it answers a key's value, which is the
// key's default until a value is set, and forgets a set value on reset.
// Readers ask the table each time they need a value; nothing is cached. The
// table owns copies of the values set; keys are never owned by the table.
#pragma once

#include "ut.h"
#include "vorout_export.h"

#include <map>

class VOROUT_API vorResourceKey {
public:
  enum Kind { vorKEY_BOOLEAN, vorKEY_STRING, vorKEY_DOUBLE };
  constexpr vorResourceKey(const char* name, Kind kind) : name_(name), kind_(kind) {}
  vorResourceKey(const vorResourceKey&) = delete;
  vorResourceKey& operator=(const vorResourceKey&) = delete;

  const char* name() const { return name_; }
  Kind kind() const { return kind_; }

private:
  const char* name_;
  Kind kind_;
};

class VOROUT_API vorBooleanKey final : public vorResourceKey {
public:
  constexpr vorBooleanKey(const char* name, int default_value)
      : vorResourceKey(name, vorKEY_BOOLEAN), default_(default_value) {}
  int default_value() const { return default_; }

private:
  int default_;
};

// The default is a plain text, so that keys need no construction at load time.
class VOROUT_API vorStringKey final : public vorResourceKey {
public:
  constexpr vorStringKey(const char* name, const char* default_value)
      : vorResourceKey(name, vorKEY_STRING), default_(default_value) {}
  utString default_value() const { return utString(default_); }

private:
  const char* default_;
};

class VOROUT_API vorDoubleKey final : public vorResourceKey {
public:
  constexpr vorDoubleKey(const char* name, double default_value)
      : vorResourceKey(name, vorKEY_DOUBLE), default_(default_value) {}
  double default_value() const { return default_; }

private:
  double default_;
};

class VOROUT_API vorResourceTable {
public:
  vorResourceTable();
  ~vorResourceTable();
  vorResourceTable(const vorResourceTable&) = delete;
  vorResourceTable& operator=(const vorResourceTable&) = delete;

  // The value set for the key, or its default.
  int value(const vorBooleanKey& key) const;
  utString value(const vorStringKey& key) const;
  double value(const vorDoubleKey& key) const;

  void set_value(const vorBooleanKey& key, int value);
  void set_value(const vorStringKey& key, const utString& value);
  void set_value(const vorDoubleKey& key, double value);

  // Nonzero when a value is set for the key.
  int is_set(const vorResourceKey& key) const;
  // Forgets the value set for the key: its default answers again.
  void reset(const vorResourceKey& key);

private:
  struct Entry {
    int boolean = 0;
    utString text;
    double number = 0;
  };
  const Entry* find(const vorResourceKey& key) const;

  std::map<const vorResourceKey*, Entry> values_;
};

// The process's resource table; never null, lives until the process ends.
VOROUT_API vorResourceTable& vor_resource_table_inquire();

// Options.
extern VOROUT_API const vorBooleanKey vorOptExplodeGroups; // default 0
extern VOROUT_API const vorStringKey vorOptInputEncoding;  // default "": native text
extern VOROUT_API const vorStringKey vorOptOutputEncoding; // default "": native text
extern VOROUT_API const vorBooleanKey vorOptProcessViews;  // default 0
// Tolerances: lengths in model units, angles in radians.
extern VOROUT_API const vorDoubleKey vorTolCoincBreakPoints;   // default 1e-6
extern VOROUT_API const vorDoubleKey vorTolCoincAngles;        // default 1e-9
extern VOROUT_API const vorDoubleKey vorTolPolygonizeCurve3d;  // default 1e-5
extern VOROUT_API const vorDoubleKey vorTolCurveOnSurface3d;   // default 1e-5
extern VOROUT_API const vorDoubleKey vorTolClosureCompCurve3d; // default 1e-6
