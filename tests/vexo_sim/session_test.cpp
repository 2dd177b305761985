// vexo-sim's session: naming seeds, scripts of actions, the JSON report and the picture.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>

#include "mesh/mesh_generators.h"
#include "tests/scratch_folder.h"
#include "vexo_sim/json_report.h"
#include "vexo_sim/named_indices.h"
#include "vexo_sim/session.h"

namespace {

class SessionTest : public ::testing::Test {
 protected:
  SessionTest() : session_(out_, errors_, false) {}
  void SetUp() override {
    ASSERT_EQ(session_.load_plugin(ADJSURF_PATH), "");
    session_.host().add_object(standin::quad_grid("floor", 3, 2));
    session_.host().add_object(standin::quad_grid("wall", 2, 2));
  }
  std::string script(const std::string& text) {
    standin::TextLines lines(text, "script");
    return session_.run_script(lines, "s.txt");
  }
  std::string report() {
    std::ostringstream json;
    standin::write_json_report(json, session_.host());
    return json.str();
  }

  std::ostringstream out_;
  std::ostringstream errors_;
  standin::Session session_;
};

TEST_F(SessionTest, SeedsAreNamedByObjectNameOrIndexWithRanges) {
  standin::NamedIndices named;
  EXPECT_EQ(
      parse_named_indices(session_.host(), "wall:0,2-3", standin::IndexKind::kSurfaces, named), "");
  EXPECT_EQ(named.object, 1u);
  EXPECT_EQ(named.indices, (std::vector<std::uint32_t>{0, 2, 3}));
  EXPECT_EQ(parse_named_indices(session_.host(), "0:5", standin::IndexKind::kSurfaces, named), "");
  EXPECT_EQ(parse_named_indices(session_.host(), "0:6", standin::IndexKind::kSurfaces, named),
            "surface 6 is out of range (object 'floor' has 6)");
  EXPECT_EQ(parse_named_indices(session_.host(), "roof:1", standin::IndexKind::kSurfaces, named),
            "unknown object 'roof' (the model has 2 objects)");
  EXPECT_EQ(parse_named_indices(session_.host(), "wall:3-1", standin::IndexKind::kSurfaces, named),
            "'3-1' is not an index or a range FIRST-LAST");
  EXPECT_EQ(parse_named_indices(session_.host(), "wall", standin::IndexKind::kSurfaces, named),
            "'wall' is not OBJECT:SURFACES");
  EXPECT_EQ(parse_named_indices(session_.host(), "wall:8", standin::IndexKind::kVertices, named),
            "");
  EXPECT_EQ(session_.set_mode("edgewise"),
            "unknown select mode 'edgewise' (surface, vertex or a number)");
}

TEST_F(SessionTest, ScriptRunsUndoesAndRunsAgain) {
  // A new command clears what could be redone, so the last line fails.
  EXPECT_EQ(script("# try it twice\nselect floor:0\nmenu\nundo\nshow\nmode vertex\n"
                   "command vexo kwtadjsurf_go\nredo\n"),
            "s.txt:8: nothing to redo");
  EXPECT_NE(out_.str().find("message:   Selected 6 surfaces"), std::string::npos);
  EXPECT_NE(out_.str().find("Undo select connected surfaces"), std::string::npos);
  EXPECT_NE(out_.str().find("floor: 1 of 6 surfaces selected (0)"), std::string::npos);
  EXPECT_EQ(session_.host().selection().undo_steps().size(), 1u);
}

// Undo after a model was added gives back the selection of the objects there were, and leaves the
// new one in place with nothing selected: the picture, the command and redo then see every object.
TEST_F(SessionTest, UndoAfterAddingAnObjectKeepsIt) {
  const std::string picture = testmodels::scratch_folder() + "/after_undo.svg";
  EXPECT_EQ(script("select floor:0\nmenu\n"), "");
  session_.host().add_object(standin::quad_grid("shed", 2, 1));
  EXPECT_EQ(script("undo\npicture " + picture + "\nselect shed:1\nmenu\nundo\nredo\nshow\n"), "");
  // Undo went back to the seed floor:0; with shed:1 the command took both objects.
  EXPECT_NE(out_.str().find("  selected:  8 surfaces\n"), std::string::npos) << out_.str();
  EXPECT_NE(out_.str().find("floor: 6 of 6 surfaces selected (0-5)\n"
                            "  wall: 0 of 4 surfaces selected (none)\n"
                            "  shed: 2 of 2 surfaces selected (0-1)\n"),
            std::string::npos)
      << out_.str();
}

TEST_F(SessionTest, ScriptErrorsNameTheLine) {
  EXPECT_EQ(script("select floor:0\n\nfly away\n"),
            "s.txt:3: unknown action 'fly' (load, select, select-vertices, clear, mode, menu, "
            "command, undo, redo, show, picture)");
  EXPECT_EQ(script("select floor:9\n"),
            "s.txt:1: surface 9 is out of range (object 'floor' has 6)");
  EXPECT_EQ(script("menu Nothing Here\n"), "s.txt:1: the Tools menu has no item 'Nothing Here'");
  EXPECT_EQ(script("load /no/such/file.obj\n"),
            "s.txt:1: /no/such/file.obj: cannot open the file: No such file or directory");
}

TEST_F(SessionTest, JsonReportListsSelectionMessagesDialogsAndUndo) {
  EXPECT_EQ(script("menu\nselect-vertices wall:4\nselect wall:1\nmenu\n"), "");
  EXPECT_EQ(report(),
            "{\"objects\":[{\"name\":\"floor\",\"surfaces\":6,\"selected\":[],"
            "\"selected_vertices\":[]},{\"name\":\"wall\",\"surfaces\":4,\"selected\":"
            "[0,1,2,3],\"selected_vertices\":[4]}],\"messages\":[\"Selected 4 surfaces\"],"
            "\"dialogs\":[\"adjsurfaces : Nothing selected\"],\"undo\":[\"select connected "
            "surfaces\"],\"select_mode\":2}\n");
}

// Object names come from model files: quotes, backslashes, control characters and bytes that
// are not UTF-8 must still give one valid JSON string each.
TEST_F(SessionTest, JsonReportEscapesOddObjectNames) {
  session_.host().add_object(standin::quad_grid("say \"hi\"\\now\t\x01", 1, 1));
  session_.host().add_object(standin::quad_grid("caf\xc3\xa9 \xff\xfe", 1, 1));
  const std::string json = report();
  EXPECT_NE(json.find(R"({"name":"say \"hi\"\\now\t\u0001","surfaces":1,)"), std::string::npos)
      << json;
  // Valid UTF-8 passes as it is; each byte that is not becomes U+FFFD.
  EXPECT_NE(json.find("{\"name\":\"caf\xc3\xa9 \xef\xbf\xbd\xef\xbf\xbd\",\"surfaces\":1,"),
            std::string::npos)
      << json;
}

TEST_F(SessionTest, PictureMarksSelectionAndThinsLargeModels) {
  const std::string picture = testmodels::scratch_folder() + "/picture.svg";
  EXPECT_EQ(script("select floor:2\nmenu\npicture " + picture + " top\n"), "");
  std::ifstream small(picture);
  const std::string svg((std::istreambuf_iterator<char>(small)), std::istreambuf_iterator<char>());
  EXPECT_EQ(svg.rfind("<svg", 0), 0u);
  EXPECT_NE(svg.find("<polygon class=\"d\""), std::string::npos);  // the seed
  EXPECT_NE(svg.find("<polygon class=\"s\""), std::string::npos);  // selected
  EXPECT_NE(svg.find("<polygon class=\"p\""), std::string::npos);  // the wall, unselected
  EXPECT_EQ(session_.picture(picture, "sideways"),
            "unknown view 'sideways' (front, back, top, side or iso)");

  session_.host().add_object(standin::quad_grid("big", 400, 300));
  EXPECT_EQ(session_.picture(picture, "iso"), "");
  // Every selected surface stays; the others are thinned evenly.
  EXPECT_EQ(errors_.str(),
            "picture: 120010 surfaces, 60008 drawn: all selected and 1 in 2 of the others\n");
  std::ifstream large(picture);
  const std::string thinned((std::istreambuf_iterator<char>(large)),
                            std::istreambuf_iterator<char>());
  std::size_t highlighted = 0;
  for (const char* look : {"<polygon class=\"s\"", "<polygon class=\"d\""}) {
    for (auto at = thinned.find(look); at != std::string::npos; at = thinned.find(look, at + 1)) {
      ++highlighted;
    }
  }
  EXPECT_EQ(highlighted, 6u);
}

// A model standing up along Y, drawn from the front: upright with Y up, flat with Z up. The
// picture is at least as wide as its caption, however narrow the model.
TEST_F(SessionTest, PicturesStandTheModelOnItsUpAxisAndFitTheirCaption) {
  standin::Mesh tower;
  tower.name = "tower";
  for (std::uint32_t y = 0; y <= 10; ++y) {
    tower.add_vertex(0, y, 0);
    tower.add_vertex(1, y, 0);
  }
  for (std::uint32_t y = 0; y < 10; ++y)
    tower.add_surface({2 * y, 2 * y + 1, 2 * y + 3, 2 * y + 2});
  session_.host().add_object(tower);
  const std::string picture = testmodels::scratch_folder() + "/tower.svg";
  // The viewBox's width and height.
  const auto size_of = [&picture]() {
    std::ifstream in(picture);
    const std::string svg((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    double width = 0;
    double height = 0;
    std::sscanf(svg.c_str() + svg.find("viewBox=\"0 0 ") + 13, "%lf %lf", &width, &height);
    const auto caption_start = svg.find("<text");
    const auto caption_end = svg.find("</text>");
    const std::size_t caption = caption_end - svg.find('>', caption_start) - 1;
    return std::make_tuple(width, height, caption, svg);
  };
  session_.set_up_axis(standin::UpAxis::kY);
  ASSERT_EQ(session_.picture(picture, "front"), "");
  const auto [upright_width, upright_height, caption, svg] = size_of();
  EXPECT_GT(upright_height, 900);
  EXPECT_GE(upright_width, 40 + 8.0 * static_cast<double>(caption));
  EXPECT_NE(svg.find("view front, Y up: seeds dark red"), std::string::npos);
  session_.set_up_axis(standin::UpAxis::kZ);
  ASSERT_EQ(session_.picture(picture, "front"), "");
  EXPECT_LT(std::get<1>(size_of()), 200);  // seen edge on: the tower lies in z = 0
}

}  // namespace
