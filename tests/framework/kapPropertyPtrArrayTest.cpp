// Tests of user properties: the property array, its orderings and its annotation items.
#include "kapPropertyPtrArray.h"

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
  static vorabsContext in(annDocument& document) {
    vorabsContext context;
    context.set_document(&document);
    return context;
  }
  kapPropertycoPrf titled(const std::string& title, const std::string& type = "") {
    kapPropertycoPrf property(new kapProperty(context));
    property->set_title(utString(title.c_str()));
    property->set_type(utString(type.c_str()));
    return property;
  }
  // The title and type of each property.
  static std::vector<std::string> titles(kapPropertycoPrfIterator it) {
    std::vector<std::string> result;
    while (++it)
      result.push_back(it.current().invalid() ? "<empty>"
                                              : std::string(it.current()->title().c_str()) +
                                                    it.current()->type().c_str());
    return result;
  }

  annDocument document;
  vorabsContext context = in(document);
  kapPropertyPtrArray properties{context};
  annNamedItemPtr item = make_annCurveItem(&document, utString("line"), utString("N"));
};

} // namespace

TEST_F(kapPropertyPtrArrayTest, SortedByTitleIgnoresCaseIsStableAndLeavesTheArrayAlone) {
  // Titles equal but for case keep their array order, however many there are.
  const char* cycle[] = {"y", "X", "Y", "x"};
  std::vector<std::string> array_order, x_first, y_after;
  for (int i = 0; i < 64; ++i) {
    std::string title = std::string(cycle[(i * 7) % 4]) + std::to_string(i);
    properties.add_property(titled(cycle[(i * 7) % 4], std::to_string(i)));
    array_order.push_back(title);
    (std::tolower(title[0]) == 'x' ? x_first : y_after).push_back(title);
  }
  x_first.insert(x_first.end(), y_after.begin(), y_after.end());
  kapPropertycoPrfIterator sorted = properties.sorted_by_title();
  EXPECT_EQ(titles(properties.iterator()), array_order);
  // The sorted sequence holds its own references: it survives a clear.
  properties.clear();
  EXPECT_EQ(titles(sorted), x_first);
}

TEST_F(kapPropertyPtrArrayTest, ClearEmptiesTheEntriesButKeepsTheirCount) {
  kapPropertycoPrf first = titled("a");
  properties.add_property(first);
  properties.add_property(titled("b"));
  EXPECT_EQ(first.use_count(), 2);
  properties.clear();
  EXPECT_EQ(first.use_count(), 1);
  EXPECT_EQ(properties.num_properties(), 2);
  size_t items_before = document.num_items();
  EXPECT_TRUE(properties.create_item(item).invalid());
  EXPECT_EQ(document.num_items(), items_before);
  // Later additions go after the emptied entries.
  properties.add_property(titled("c"));
  EXPECT_EQ(titles(properties.iterator()), (std::vector<std::string>{"<empty>", "<empty>", "c"}));
}

TEST_F(kapPropertyPtrArrayTest, CreateItemNamesPropertiesByTheirPositionInTheArray) {
  kapPropertycoPrf first = titled("colour");
  first->set_type(utString("text"));
  first->set_value(utString("red"));
  properties.add_property(first);
  properties.add_property(kapPropertycoPrf());
  properties.add_property(kapPropertycoPrf(new SilentProperty(context)));
  properties.add_property(titled("mass"));

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
  kapPropertyPtrArray silent(context);
  silent.add_property(kapPropertycoPrf(new SilentProperty(context)));
  EXPECT_TRUE(silent.create_item(item).invalid());
}

TEST_F(kapPropertyPtrArrayTest, TypedPropertiesPassTheirOwnValue) {
  kapIntProperty count(context);
  count.set_title(utString("count"));
  count.set_value(utString("ignored text"));
  count.set_int_value(7);
  annPropertyannPtr made = count.create_item(utString("N_property2"));
  ASSERT_NE(annIntProperty::sto_dynamic_cast(made.pointer()), nullptr);
  EXPECT_EQ(annIntProperty::sto_dynamic_cast(made.pointer())->int_value(), 7);
  EXPECT_STREQ(made->value().c_str(), "");

  kapFormula formula(context);
  formula.set_formula(utString("w*h"));
  formula.set_value(utString("6"));
  made = formula.create_item(utString("F"));
  ASSERT_NE(annFormula::sto_dynamic_cast(made.pointer()), nullptr);
  EXPECT_STREQ(annFormula::sto_dynamic_cast(made.pointer())->formula().c_str(), "w*h");
  EXPECT_STREQ(made->value().c_str(), "6");

  // Without a document nothing is made.
  EXPECT_TRUE(kapProperty(vorabsContext()).create_item(utString("X")).invalid());
}
