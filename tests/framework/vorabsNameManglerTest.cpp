// Tests of name mangling: the process-wide stack of live manglers and their chains.
#include "vorabsDefaultNameMangler.h"
#include "vorabsNameMangler.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

std::string mangled(const char* name) {
  return vorabsNameMangler::mangle_name(utString(name)).c_str();
}

// A mangler that marks the name and ends the chain at itself.
class BracketMangler : public vorabsNameMangler {
protected:
  utString do_mangling(const utString& name) const override { return "[" + name + "]"; }
};

} // namespace

TEST(vorabsNameManglerTest, LiveManglersAppendTheirTagsInnermostFirst) {
  EXPECT_EQ(mangled("N"), "N");
  EXPECT_TRUE(vorabsNameMangler::mangle_name(utString()).is_null());
  auto a = std::make_unique<vorabsDefaultNameMangler>(utString("A"));
  EXPECT_EQ(mangled(""), "_A");
  {
    vorabsDefaultNameMangler b(utString("B"));
    EXPECT_EQ(mangled("N"), "N_B_A");
    EXPECT_EQ(mangled("N"), "N_B_A"); // the chain repositions its cursor each time
    {
      vorabsDefaultNameMangler c(utString("C"));
      EXPECT_EQ(mangled("M"), "M_C_B_A");
    }
    EXPECT_EQ(mangled("N"), "N_B_A");
  }
  EXPECT_EQ(mangled("N"), "N_A");
  {
    vorabsDefaultNameMangler d(utString("D")); // nests as before after the others died
    EXPECT_EQ(mangled("N"), "N_D_A");
  }
  a.reset();
  EXPECT_EQ(mangled("N"), "N");
}

TEST(vorabsNameManglerTest, AManglerThatDoesNotPassItsResultOnEndsTheChain) {
  vorabsDefaultNameMangler outer(utString("A"));
  {
    BracketMangler middle;
    EXPECT_EQ(mangled("N"), "[N]");
    vorabsDefaultNameMangler inner(utString("B"));
    EXPECT_EQ(mangled("N"), "[N_B]");
  }
  EXPECT_EQ(mangled("N"), "N_A");
}
