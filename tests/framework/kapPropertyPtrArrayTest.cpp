// Tests of user properties: the property array, its orderings and its annotation items.
#include "kapPropertyPtrArray.h"

#include "kapDoubleProperty.h"
#include "kapFormula.h"
#include "kapIntProperty.h"
#include "kapProperty.h"

#include "ann/annProperty.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>
#include <vector>

namespace {

// A property that makes no annotation item.
class SilentProperty : public kapProperty {
public:
  using kapProperty::kapProperty;
  annPropertyannPtr create_item(const utString&) const override { return annPropertyannPtr(); }
};

class kapPropertyPtrArrayTest : public ::testing::Test {
protected:
  kapPropertyPtrArrayTest() : properties(context_with(document)) {}

  static vorabsContext context_with(annDocument& document) {
    vorabsContext context;
    context.set_document(&document);
    return context;
  }

  kapPropertycoPrf titled(const char* title) {
    kapPropertycoPrf property(new kapProperty(context_with(document)));
    property->set_title(utString(title));
    return property;
  }

  static std::vector<std::string> titles(kapPropertycoPrfIterator it) {
    std::vector<std::string> result;
    while (++it)
      result.push_back(it.current().invalid() ? "<empty>" : it.current()->title().c_str());
    return result;
  }

  annDocument document;
  kapPropertyPtrArray properties;
};

} // namespace

TEST_F(kapPropertyPtrArrayTest, SortedByTitleIsStableAndLeavesTheArrayAlone) {
  properties.add_property(titled("beta"));
  properties.add_property(titled("Alpha"));
  properties.add_property(titled("gamma"));
  properties.add_property(titled("alpha"));
  properties.add_property(titled("ALPHA"));

  kapPropertycoPrfIterator sorted = properties.sorted_by_title();
  EXPECT_EQ(titles(sorted), (std::vector<std::string>{"Alpha", "alpha", "ALPHA", "beta", "gamma"}));
  const std::vector<std::string> array_order{"beta", "Alpha", "gamma", "alpha", "ALPHA"};
  EXPECT_EQ(titles(properties.iterator()), array_order);
  EXPECT_STREQ(properties.read(0)->title().c_str(), "beta");

  // Equal titles keep their array order however many there are.
  kapPropertyPtrArray many(context_with(document));
  const char* cases[] = {"y", "X", "Y", "x"};
  for (int i = 0; i < 64; ++i) {
    kapPropertycoPrf property = titled(cases[(i * 7) % 4]);
    utString position("");
    position << i;
    property->set_type(position);
    many.add_property(property);
  }
  kapPropertycoPrfIterator it = many.sorted_by_title();
  int previous = -1, count = 0;
  char previous_title = 'x';
  while (++it) {
    char title = static_cast<char>(std::tolower(it.current()->title()[0]));
    int position = 0;
    ASSERT_TRUE(it.current()->type().parse(position));
    if (title != previous_title)
      previous = -1;
    EXPECT_LT(previous, position) << "after " << previous;
    EXPECT_GE(title, previous_title);
    previous = position;
    previous_title = title;
    ++count;
  }
  EXPECT_EQ(count, 64);

  // The sorted sequence holds its own references: it survives a clear.
  kapPropertycoPrfIterator kept = properties.sorted_by_title();
  properties.clear();
  EXPECT_EQ(titles(kept), (std::vector<std::string>{"Alpha", "alpha", "ALPHA", "beta", "gamma"}));
}

TEST_F(kapPropertyPtrArrayTest, ClearEmptiesTheEntriesButKeepsTheirCount) {
  kapPropertycoPrf first = titled("a");
  properties.add_property(first);
  properties.add_property(titled("b"));
  EXPECT_EQ(first.use_count(), 2);
  properties.clear();
  EXPECT_EQ(first.use_count(), 1);
  EXPECT_EQ(properties.num_properties(), 2);
  EXPECT_TRUE(properties.read(0).invalid());
  EXPECT_TRUE(properties.read(1).invalid());
  annNamedItemPtr item = make_annCurveItem(&document, utString("line"), utString("N"));
  size_t items_before = document.num_items();
  EXPECT_TRUE(properties.create_item(item).invalid());
  EXPECT_EQ(document.num_items(), items_before);

  // Later additions go after the emptied entries.
  properties.add_property(titled("c"));
  EXPECT_EQ(properties.num_properties(), 3);
  EXPECT_STREQ(properties.read(2)->title().c_str(), "c");
  EXPECT_EQ(titles(properties.iterator()), (std::vector<std::string>{"<empty>", "<empty>", "c"}));
}

TEST_F(kapPropertyPtrArrayTest, CreateItemNamesPropertiesByTheirPositionInTheArray) {
  kapPropertycoPrf first = titled("colour");
  first->set_type(utString("text"));
  first->set_value(utString("red"));
  properties.add_property(first);
  properties.add_property(kapPropertycoPrf());
  properties.add_property(kapPropertycoPrf(new SilentProperty(context_with(document))));
  properties.add_property(titled("mass"));
  annNamedItemPtr item = make_annCurveItem(&document, utString("line"), utString("N"));

  annPropertiesAssignmentannPtr assignment = properties.create_item(item);
  ASSERT_FALSE(assignment.invalid());
  EXPECT_STREQ(assignment.name().c_str(), "N_properties");
  EXPECT_EQ(assignment->owner(), &document);
  EXPECT_TRUE(assignment->item() == item);
  const annPropertyannPtrcoSet& made = assignment->properties();
  ASSERT_EQ(made.size(), 2u);
  EXPECT_STREQ(made[0].name().c_str(), "N_property0");
  EXPECT_STREQ(made[0]->title().c_str(), "colour");
  EXPECT_STREQ(made[0]->type().c_str(), "text");
  EXPECT_STREQ(made[0]->value().c_str(), "red");
  EXPECT_STREQ(made[1].name().c_str(), "N_property3");
  EXPECT_STREQ(made[1]->title().c_str(), "mass");

  // Properties that make no item give no assignment.
  kapPropertyPtrArray silent(context_with(document));
  silent.add_property(kapPropertycoPrf(new SilentProperty(context_with(document))));
  EXPECT_TRUE(silent.create_item(item).invalid());
}

TEST_F(kapPropertyPtrArrayTest, TypedPropertiesPassTheirOwnValue) {
  vorabsContext context = context_with(document);
  kapIntProperty count(context);
  count.set_title(utString("count"));
  count.set_type(utString("int"));
  count.set_value(utString("ignored text"));
  count.set_int_value(7);
  annPropertyannPtr made = count.create_item(utString("N_property2"));
  ASSERT_NE(annIntProperty::sto_dynamic_cast(made.pointer()), nullptr);
  EXPECT_EQ(annIntProperty::sto_dynamic_cast(made.pointer())->int_value(), 7);
  EXPECT_STREQ(made->value().c_str(), "");
  EXPECT_STREQ(made->title().c_str(), "count");
  EXPECT_STREQ(made->type().c_str(), "int");
  EXPECT_STREQ(made.name().c_str(), "N_property2");

  kapDoubleProperty length(context);
  length.set_value(utString("ignored text"));
  length.set_double_value(2.5);
  made = length.create_item(utString("L"));
  ASSERT_NE(annDoubleProperty::sto_dynamic_cast(made.pointer()), nullptr);
  EXPECT_EQ(annDoubleProperty::sto_dynamic_cast(made.pointer())->double_value(), 2.5);
  EXPECT_STREQ(made->value().c_str(), "");

  kapFormula formula(context);
  formula.set_title(utString("area"));
  formula.set_formula(utString("w*h"));
  formula.set_type(utString("real"));
  formula.set_value(utString("6"));
  made = formula.create_item(utString("F"));
  ASSERT_NE(annFormula::sto_dynamic_cast(made.pointer()), nullptr);
  EXPECT_STREQ(annFormula::sto_dynamic_cast(made.pointer())->formula().c_str(), "w*h");
  EXPECT_STREQ(made->type().c_str(), "real");
  EXPECT_STREQ(made->value().c_str(), "6");

  // Without a document nothing is made.
  kapProperty homeless{vorabsContext()};
  EXPECT_TRUE(homeless.create_item(utString("X")).invalid());
}
