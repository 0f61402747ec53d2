// Tests of the GD&T translators: where each child's item goes (associated
// geometry, attached annotation, member, reference block), the values set
// on each kind, and the kind word of messages.
#include "vorabsGdtDatumRefTranslator.h"
#include "vorabsGdtDatumTargetTranslator.h"
#include "vorabsGdtDatumTranslator.h"
#include "vorabsGdtGeometricToleranceBaseTranslator.h"
#include "vorabsGdtGeometricToleranceTranslator.h"
#include "vorabsGdtRoughnessTranslator.h"
#include "vorabsGdtToleranceFrameTranslator.h"
#include "vorabsGdtToleranceTranslator.h"

#include "DimGdtScene.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

const giXform3 identity(giXformIdentity);

// Adds to a datum or geometric-tolerance translator: "assoc" as associated
// geometry, "note" as attached annotation, "line" as a plain child and
// "both" in both sets; then translates it and answers where the items went.
template <class Translator, class Made>
std::string routed(DimGdtScene& scene, const std::shared_ptr<Translator>& gdt) {
  vorabsTranslatorcoPrf both = scene.point("both");
  gdt->add_associated_geometry_translator(scene.point("assoc"));
  gdt->add_attached_annotation_translator(scene.point("note"));
  gdt->add_translator(scene.point("line"));
  gdt->add_attached_annotation_translator(both);
  gdt->add_associated_geometry_translator(both);
  EXPECT_EQ(scene.run(vorabsTranslatorcoPrf(gdt)), vorabsSTATUS_OK);
  const Made* made = Made::sto_dynamic_cast(gdt->group().pointer());
  if (!made)
    return "no item";
  return "associated " + DimGdtScene::names(made->associated_geometry()) + "; attached " +
         DimGdtScene::names(made->attached_annotation()) + "; members " +
         DimGdtScene::names(made->get_group_geometry());
}

// The details printed by the item a translator made with one plain child,
// and the kind word its empty twin writes.
struct Made {
  std::string details;
  std::string empty_message;
};
using Factory = std::function<vorabsTranslatorcoPrf(const vorabsContext&)>;

// Makes Named<T>("G", args..., identity, context).
template <class T, class... Args> Factory named_g(Args... args) {
  return [=](const vorabsContext& context) {
    return vorabsTranslatorcoPrf(new Named<T>("G", args..., identity, context));
  };
}

Made made_by(const Factory& make) {
  Made result;
  DimGdtScene scene;
  vorabsTranslatorcoPrf translator = make(scene.context);
  static_cast<vorabsCompoundTranslator*>(translator.get())->add_translator(scene.point("line"));
  EXPECT_EQ(scene.run(translator), vorabsSTATUS_OK);
  result.details = DimGdtScene::own_details(*translator->last_annotation_item());
  DimGdtScene empty;
  empty.run(make(empty.context));
  result.empty_message = empty.output.texts().empty() ? "" : empty.output.texts()[0];
  return result;
}

intcoSet modifiers(std::initializer_list<int> values) {
  intcoSet set;
  for (int value : values)
    set.add(value);
  return set;
}

} // namespace

TEST(vorabsGdtTranslatorTest, DatumAndGeometricTolerancesSortChildItemsByTheChildInHand) {
  const std::string expected = "associated assoc both both; attached note; members line";
  DimGdtScene datum_scene;
  auto datum = std::make_shared<Named<vorabsGdtDatumTranslator>>("A", utString("A"), identity,
                                                                 datum_scene.context);
  EXPECT_EQ((routed<vorabsGdtDatumTranslator, gdtDatum>(datum_scene, datum)), expected);
  EXPECT_EQ(DimGdtScene::own_details(*datum->group()),
            " label \"A\" attached \"note\" associated \"assoc\" \"both\" \"both\"");

  DimGdtScene frame_scene;
  auto frame = std::make_shared<Named<vorabsGdtGeometricToleranceTranslator>>("F", identity,
                                                                              frame_scene.context);
  EXPECT_EQ(
      (routed<vorabsGdtGeometricToleranceTranslator, gdtGeometricTolerance>(frame_scene, frame)),
      expected);
  DimGdtScene base_scene;
  auto base = std::make_shared<Named<vorabsGdtGeometricToleranceBaseTranslator>>(
      "F", identity, base_scene.context);
  EXPECT_EQ((routed<vorabsGdtGeometricToleranceBaseTranslator, gdtGeometricToleranceBase>(
                base_scene, base)),
            expected);
}

TEST(vorabsGdtTranslatorTest, EachKindCarriesItsValuesAndNamesItselfInMessages) {
  const struct {
    Factory make;
    const char* details; // null: none of its own
    const char* kind;
  } kinds[] = {
      {named_g<vorabsGdtDatumTranslator>(utString("B")), " label \"B\"", "gdt_datum"},
      {named_g<vorabsGdtDatumTargetTranslator>(gdtDatumTargetSize(gdtDATUM_TARGET_RECTANGLE, 4, 2),
                                               utString("A1"), utString("A")),
       " label \"A1\" size rectangle 4 2 datum \"A\"", "gdt_datum_target"},
      {named_g<vorabsGdtDatumRefTranslator>(utString("C"), modifiers({3, 1}), utString("C")),
       " label \"C\" modifiers 1 3 datum \"C\"", "gdt_datum_ref"},
      {named_g<vorabsGdtToleranceTranslator>(0.05, modifiers({2})), " value 0.05 modifiers 2",
       "gdt_tolerance"},
      {named_g<vorabsGdtRoughnessTranslator>(gdtROUGHNESS_MATERIAL_REMOVAL_REQUIRED,
                                             gdtROUGHNESS_ALL_AROUND, gdtROUGHNESS_LAY_CROSSED),
       " obtention 1 apply to 1 lay 3", "gdt_roughness"},
      {named_g<vorabsGdtToleranceSpecTranslator>(), nullptr, "gdt_tolerance_spec"},
      {named_g<vorabsGdtGeometricToleranceBaseTranslator>(), nullptr, "geometric tolerance"},
  };
  for (const auto& k : kinds) {
    Made made = made_by(k.make);
    if (k.details) {
      EXPECT_EQ(made.details, k.details) << k.kind;
    }
    EXPECT_EQ(made.empty_message, "Ignoring empty " + std::string(k.kind) + " G.\n");
  }
}

TEST(vorabsGdtTranslatorTest, AnEmptyDatumNameIsNeverSet) {
  DimGdtScene scene;
  auto target = std::make_shared<Named<vorabsGdtDatumTargetTranslator>>(
      "T", gdtDatumTargetSize(), utString("A1"), utString(""), identity, scene.context);
  target->add_translator(scene.point("line"));
  ASSERT_EQ(scene.run(vorabsTranslatorcoPrf(target)), vorabsSTATUS_OK);
  EXPECT_TRUE(gdtDatumTarget::sto_dynamic_cast(target->group().pointer())->datum_name().is_null());

  DimGdtScene again;
  auto reference = std::make_shared<Named<vorabsGdtDatumRefTranslator>>(
      "R", utString("A"), intcoSet(), utString(""), identity, again.context);
  reference->add_translator(again.point("line"));
  ASSERT_EQ(again.run(vorabsTranslatorcoPrf(reference)), vorabsSTATUS_OK);
  EXPECT_TRUE(gdtDatumRef::sto_dynamic_cast(reference->group().pointer())->datum_name().is_null());
}

TEST(vorabsGdtTranslatorTest, ToleranceFrameTakesReferenceBlocksApartFromItsMembers) {
  DimGdtScene scene;
  auto block = std::make_shared<Named<vorabsGroupTranslator>>(
      "block 1", sto_class_gdtReferenceBlock(), identity, scene.context);
  block->add_translator(scene.point("ref A"));
  auto frame_translator =
      std::make_shared<Named<vorabsGdtToleranceSpecTranslator>>("S", identity, scene.context);
  frame_translator->add_translator(scene.point("frame"));
  frame_translator->add_translator(vorabsTranslatorcoPrf(block));
  ASSERT_EQ(scene.run(vorabsTranslatorcoPrf(frame_translator)), vorabsSTATUS_OK);

  const gdtToleranceSpec* made =
      gdtToleranceSpec::sto_dynamic_cast(frame_translator->group().pointer());
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(DimGdtScene::names(made->get_group_geometry()), "frame");
  ASSERT_EQ(made->reference_blocks().size(), 1u);
  EXPECT_EQ(made->reference_blocks()[0].name(), utString("block 1"));
  EXPECT_EQ(made->reference_blocks()[0].pointer(), block->group().pointer());
}
