// Tests of the drawing, view, environment, light and background translators.
#include "vorabsBackgroundTranslator.h"
#include "vorabsDrawingTranslator.h"
#include "vorabsEnvironmentTranslator.h"
#include "vorabsInterface.h"
#include "vorabsLibSink.h"
#include "vorabsLightTranslator.h"
#include "vorabsOutputOstreamTester.h"
#include "vorabsTestLibInputEx.h"
#include "vorabsViewTranslator.h"

#include "Named.h"
#include "RecordingSink.h"
#include "TestHelpers.h"

#include "ann/annPresentation.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// Routes sub-objects back through the reader, as a host does, and keeps the
// progress it is told of.
class RoutingReceiver : public vorabsInterface {
public:
  RoutingReceiver(vorabsLibSource& reader, vorabsLibSink& sink, bool process_views)
      : vorabsInterface(0), reader_(reader), sink_(sink) {
    if (process_views)
      mark(own_attributes(), vorabsPROCESSVIEWS);
  }
  void increment_progress(int count) override { progress.push_back(count); }
  vorabsTranslationStatus send_sub_object(const vorabsAttributeSet& attributes) override {
    ++sub_objects;
    return reader_.send_to(attributes, *this, sink_);
  }
  void prepare_for_new_geometry() override {}
  int converting_annotation() const override { return 0; }
  int translation_cancelled() const override { return 0; }

  std::vector<int> progress;
  int sub_objects = 0;

private:
  vorabsLibSource& reader_;
  vorabsLibSink& sink_;
};

class TestLight : public vorabsLightTranslator {
public:
  TestLight(const vorabsContext& context, const char* name, vorabsStatus outcome = vorabsSTATUS_OK)
      : vorabsLightTranslator(context), name_(name), outcome_(outcome) {}

protected:
  vorabsTranslationStatus create_light(annLightannPtr& light) override {
    if (outcome_ == vorabsSTATUS_OK)
      light = annLight::make_annLight(context().document(), utString("distant"), name_);
    return outcome_;
  }

private:
  utString name_;
  vorabsStatus outcome_;
};

class TestBackground : public vorabsBackgroundTranslator {
public:
  TestBackground(const vorabsContext& context, const char* name)
      : vorabsBackgroundTranslator(context), name_(name) {}

protected:
  vorabsTranslationStatus create_background(annBackgroundannPtr& background) override {
    background = annBackground::make_annBackground(context().document(), 1, 1, 1, name_);
    return vorabsSTATUS_OK;
  }

private:
  utString name_;
};

using Drawing = Named<vorabsDrawingTranslator>;
using View = Named<vorabsViewTranslator>;
using Environment = Named<vorabsEnvironmentTranslator>;

class PresentationTest : public ::testing::Test {
protected:
  PresentationTest() : reader(nullptr) {
    context.set_document(&document);
    reader.set_error(&error);
    reader.set_output(&output);
  }
  // Walks every registered translator; the statuses in order.
  std::vector<vorabsStatus> walk(bool process_views = true) {
    RoutingReceiver host(reader, sink, process_views);
    std::vector<vorabsStatus> statuses;
    vorabsAttributeSet inherited;
    while (++reader)
      statuses.push_back(reader.send_to(inherited, host, sink).status());
    last_progress = host.progress;
    last_sub_objects = host.sub_objects;
    return statuses;
  }
  std::shared_ptr<vorabsEnvironmentTranslator> environment_with(const char* name,
                                                                std::vector<const char*> lights) {
    auto environment = std::make_shared<Environment>(name, context);
    for (const char* light : lights)
      environment->add_translator(
          vorabsTranslatorcoPrf(std::make_shared<TestLight>(context, light)));
    return environment;
  }

  annDocument document;
  vorabsContext context;
  vorabsOutputOstreamTester output, error;
  vorabsTestLibInputEx reader;
  ItemSink sink;
  std::vector<int> last_progress;
  int last_sub_objects = 0;
};

} // namespace

TEST_F(PresentationTest, DrawingsSetPaperOnlyWhenGivenAndTakeTheirLastEnvironment) {
  auto a3 = std::make_shared<Drawing>("sheet1", context);
  a3->set_paper_size(420, 297);
  a3->set_paper_name(utString("A3"));
  a3->add_translator(vorabsTranslatorcoPrf(environment_with("env", {"sun"})));
  auto unsized = std::make_shared<Drawing>("sheet2", context);
  unsized->set_paper_size(0, 297);
  unsized->add_translator(vorabsTranslatorcoPrf(environment_with("first", {"a"})));
  unsized->add_translator(vorabsTranslatorcoPrf(environment_with("second", {"b"})));
  // A view becomes a sub-presentation; its environment stays in the view.
  auto with_view = std::make_shared<Drawing>("sheet3", context);
  auto view = std::make_shared<View>("iso", giBox3(), giXform3(giXformIdentity), context);
  view->add_translator(vorabsTranslatorcoPrf(environment_with("e", {"l"})));
  with_view->add_translator(vorabsTranslatorcoPrf(view));
  for (const auto& drawing : {a3, unsized, with_view})
    reader.add_translator(vorabsTranslatorcoPrf(drawing));

  EXPECT_EQ(walk(), std::vector<vorabsStatus>(3, vorabsSTATUS_OK));
  ASSERT_EQ(document.model()->num_presentations(), 3u);
  const annPresentation& first = *document.model()->presentation(0);
  EXPECT_STREQ(first.name().c_str(), "sheet1");
  EXPECT_EQ(first.paper_width(), 420);
  EXPECT_EQ(first.paper_height(), 297);
  EXPECT_STREQ(first.paper_name().c_str(), "A3");
  EXPECT_FALSE(first.default_style().invalid());
  EXPECT_STREQ(first.environment()->name().c_str(), "env");
  const annPresentation& second = *document.model()->presentation(1);
  EXPECT_EQ(second.paper_width(), 0); // one side was not above 0: no size set
  EXPECT_EQ(second.paper_height(), 0);
  EXPECT_TRUE(second.paper_name().empty());
  EXPECT_STREQ(second.environment()->name().c_str(), "second");
  const annPresentation& third = *document.model()->presentation(2);
  ASSERT_EQ(third.num_presentations(), 1u);
  EXPECT_EQ(third.presentation(0).pointer(), view->get_view().pointer());
  EXPECT_TRUE(third.environment().invalid());
  EXPECT_EQ(error.number_of_strings(), 0);
}

TEST_F(PresentationTest, EnvironmentGathersLightsAndBackgroundAndIsNoStructure) {
  auto environment = environment_with("studio", {"key", "fill"});
  environment->add_translator(
      vorabsTranslatorcoPrf(std::make_shared<TestBackground>(context, "white")));
  vorabsAttributeSet attributes;
  environment->attributes(attributes);
  EXPECT_FALSE(attributes.member(vorabsSTRUCTURE));
  EXPECT_TRUE(attributes.member(vorabsPARENTITEM));
  reader.add_translator(vorabsTranslatorcoPrf(environment));

  EXPECT_EQ(walk(), std::vector<vorabsStatus>{vorabsSTATUS_OK});
  annEnvironment* made = annEnvironment::sto_dynamic_cast(sink.calls.back().item.pointer());
  ASSERT_NE(made, nullptr);
  ASSERT_EQ(made->num_lights(), 2u);
  EXPECT_STREQ(made->light(0)->name().c_str(), "key");
  EXPECT_STREQ(made->light(1)->name().c_str(), "fill");
  ASSERT_FALSE(made->background().invalid());
  EXPECT_STREQ(made->background()->name().c_str(), "white");
}

TEST_F(PresentationTest, ViewIsSkippedWithAMessageUnlessTheHostAsksForViews) {
  auto view = std::make_shared<View>("front", giBox3(), giXform3(giXformIdentity), context);
  view->add_translator(vorabsTranslatorcoPrf(environment_with("inner", {"x", "y"})));
  reader.add_translator(vorabsTranslatorcoPrf(view));

  EXPECT_EQ(walk(false), std::vector<vorabsStatus>{vorabsSTATUS_IGNORED});
  EXPECT_EQ(last_sub_objects, 0);
  EXPECT_EQ(last_progress, std::vector<int>{3}); // the environment and its two lights
  ASSERT_EQ(output.number_of_strings(), 1);
  EXPECT_STREQ(output.get_string(0).c_str(),
               "Ignoring view due to vorOptProcessViews being set to False.\n");
  EXPECT_TRUE(view->get_view().invalid());
}

TEST_F(PresentationTest, ViewPlacementPicksTheKindOfTransformItem) {
  auto placed = std::make_shared<View>("top", giBox3(), translation(0, 0, 10), context);
  auto stretched = std::make_shared<View>("side", giBox3(), diagonal(2, 1, 1), context);
  for (auto& view : {placed, stretched}) {
    view->add_translator(vorabsTranslatorcoPrf(environment_with("e", {"l"})));
    reader.add_translator(vorabsTranslatorcoPrf(view));
  }
  walk();
  ASSERT_FALSE(placed->get_view().invalid());
  const annNamedItemPtr& spt = placed->get_view()->transform();
  ASSERT_NE(annSPT::sto_dynamic_cast(spt.pointer()), nullptr);
  EXPECT_STREQ(spt->name().c_str(), "top");
  EXPECT_TRUE(
      equal(annSPT::sto_dynamic_cast(spt.pointer())->xform(), translation(0, 0, 10), 1e-12));
  EXPECT_FALSE(placed->get_view()->default_style().invalid());
  ASSERT_FALSE(stretched->get_view().invalid());
  const annNamedItemPtr& general = stretched->get_view()->transform();
  ASSERT_NE(annGeneralTransform::sto_dynamic_cast(general.pointer()), nullptr);
  EXPECT_STREQ(general->name().c_str(), "side");
}

TEST_F(PresentationTest, LightFailureStopsBeforeTheSink) {
  reader.add_translator(
      vorabsTranslatorcoPrf(std::make_shared<TestLight>(context, "broken", vorabsSTATUS_FAILED)));
  reader.add_translator(vorabsTranslatorcoPrf(std::make_shared<TestLight>(context, "ok")));
  EXPECT_EQ(walk(), (std::vector<vorabsStatus>{vorabsSTATUS_FAILED, vorabsSTATUS_OK}));
  ASSERT_EQ(sink.calls.size(), 1u);
  EXPECT_STREQ(sink.calls[0].item.name().c_str(), "ok");
}
