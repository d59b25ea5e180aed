// The configuration and information dialogs driven through their commands:
// what their boxes refuse, OK against Cancel, the enabling rules, colour
// buttons, the flap question and Reset to Default. The values behind the
// dialogs are checked without widgets in ConfigurationValuesTest.

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest/QTest>
#include <sstream>

#include "DialogTestSupport.h"
#include "core/document/SettingsStore.h"
#include "core/document/UpdateHints.h"
#include "gui/app/ColorButton.h"
#include "gui/app/FlapConfigurationDialog.h"
#include "gui/app/InformationDialogs.h"
#include "gui/commands/CommandIds.h"

namespace plicora {
namespace {

using test::Child;
using test::DialogHarness;

/// Every value a dialog may write, as text.
std::string Snapshot(const Settings& s) {
  std::ostringstream out;
  for (const ProfileKey& key : ProfileKeys())
    out << key.name << '=' << (key.flag ? s.*(key.flag) : s.*(key.number)) << ' ';
  for (ColorRef c : s.colors) out << c << ' ';
  out << s.iCutLineType << s.iYamaLineType << s.iTaniLineType << ' ' << s.lineWidthIndex << ' ' << s.bCullEdge << ' '
      << s.iAngleEps << ' ' << s.bDrawFlap << ' ' << s.flapWidth << ' ' << s.bDrawNumber << ' ' << s.printoutLineWidth
      << ' ' << s.printPpi << ' ' << s.textureLimitSize;
  return out.str();
}

void SetText(QDialog* dialog, const char* box, const char* text) {
  Child<QLineEdit>(dialog, box)->setText(text);
}
void Tick(QDialog* dialog, const char* box, bool on) {
  Child<QCheckBox>(dialog, box)->setChecked(on);
}
void Choose(QDialog* dialog, const char* list, int index) {
  Child<QComboBox>(dialog, list)->setCurrentIndex(index);
}

TEST(ConfigurationDialogsTest, IntegerBoxesRefuseTextAndValuesOutOfRange) {
  struct Case {
    int command;
    const char* box;
    const char* text;
    const char* message;  ///< null: accepted
  };
  const Case cases[] = {
      {ID_OTHER_CONFIGURATIONS, "joinNumberFontSize", "abc", "Please enter an integer."},
      {ID_OTHER_CONFIGURATIONS, "joinNumberFontSize", "0", "Please enter an integer between 1 and 100."},
      {ID_OTHER_CONFIGURATIONS, "joinNumberFontSize", "101", "Please enter an integer between 1 and 100."},
      {ID_OTHER_CONFIGURATIONS, "joinNumberFontSize", "100", nullptr},
      {ID_JOIN_NUMBER_CONFIGURATION, "joinNumberFontSize", "12.5", "Please enter an integer."},
      {ID_JOIN_NUMBER_CONFIGURATION, "joinNumberFontSize", "0", "Please enter an integer between 1 and 100."},
      {ID_JOIN_NUMBER_CONFIGURATION, "joinNumberFontSize", "1", nullptr},
      {ID_LINE_TYPE_CONFIGURATION, "nearSurfaceAngle", "89", "Please enter an integer between 90 and 180."},
      {ID_LINE_TYPE_CONFIGURATION, "nearSurfaceAngle", "181", "Please enter an integer between 90 and 180."},
      {ID_LINE_TYPE_CONFIGURATION, "nearSurfaceAngle", "90", nullptr},
      {ID_FLAP_CONFIGURATION, "flapWidth", "", "Please enter an integer."},
      {ID_FLAP_CONFIGURATION, "flapWidth", "51", "Please enter an integer between 1 and 50."},
      {ID_FLAP_CONFIGURATION, "flapWidth", "50", nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.box) + " = \"" + c.text + "\"");
    DialogHarness h;
    ASSERT_TRUE(h.Open("cube.plc"));
    const std::string before = Snapshot(h.settings);
    h.RunWithDialog(c.command, [&](QDialog* dialog) {
      QLineEdit* box = Child<QLineEdit>(dialog, c.box);
      box->setText(c.text);
      dialog->accept();
      if (!c.message) {
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_TRUE(h.sink.messages.empty());
        return;
      }
      EXPECT_TRUE(dialog->isVisible());
      EXPECT_EQ(h.sink.messages, std::vector<std::string>{c.message});
      EXPECT_EQ(box->selectedText(), box->text());
    });
    if (c.message) {
      EXPECT_EQ(Snapshot(h.settings), before);
      EXPECT_TRUE(h.hints.empty());
    }
  }
}

TEST(ConfigurationDialogsTest, OkStoresTheValuesAndRedrawsCancelKeepsThem) {
  struct Case {
    const char* name;
    int command;
    std::function<void(Settings&)> prepare;
    std::function<void(QDialog*)> change;
    std::function<void(const Settings&)> check;
    int hint;
  };
  const Case cases[] = {
      {"other configurations", ID_OTHER_CONFIGURATIONS, nullptr,
       [](QDialog* d) {
         Tick(d, "reverseJoinNumbers", true);
         SetText(d, "joinNumberFontSize", "20");
         Tick(d, "reverseZoom", true);
         Tick(d, "simpleDisplay", true);
         Tick(d, "omitMaterial", true);
         Choose(d, "lineWidth", 0);
         Tick(d, "limitTexture", true);
         Choose(d, "textureLimit", 1);
         Tick(d, "whitishToWhite", false);
       },
       [](const Settings& s) {
         EXPECT_TRUE(s.bEdgeIdReverse);
         EXPECT_EQ(s.iEdgeNumberFontSize, 20);
         EXPECT_TRUE(s.bZoomWheelInvert);
         EXPECT_FALSE(s.bRenderAllGL);
         EXPECT_TRUE(s.bOmitMaterialWhenModelRotate);
         EXPECT_EQ(s.printoutLineWidth, 0.25);
         EXPECT_TRUE(s.bLimitTextureSize);
         EXPECT_EQ(s.textureLimitSize, 128);
         EXPECT_FALSE(s.bSlideColorToWhite);
       },
       HINT_NONE},
      {"smooth texture changed", ID_OTHER_CONFIGURATIONS, nullptr, [](QDialog* d) { Tick(d, "smoothTexture", false); },
       [](const Settings& s) { EXPECT_FALSE(s.bTextureSmooth); }, HINT_TEXTURE_FILTER_CHANGED},
      {"line width the list does not offer", ID_OTHER_CONFIGURATIONS, [](Settings& s) { s.lineWidthIndex = 6; },
       [](QDialog* d) { EXPECT_EQ(Child<QComboBox>(d, "lineWidth")->currentIndex(), -1); },
       [](const Settings& s) { EXPECT_EQ(s.lineWidthIndex, 6); }, HINT_NONE},
      {"page and print", ID_PAGE_PRINT_SETTINGS, nullptr,
       [](QDialog* d) {
         Tick(d, "printPageNumber", true);
         Tick(d, "printAlignmentMarks", true);
         Tick(d, "omitEmptyPages", false);
         Tick(d, "printRaster", true);
         Choose(d, "rasterResolution", 3);
       },
       [](const Settings& s) {
         EXPECT_TRUE(s.bPrintPageNumber && s.bPrintTombo && s.bPrintRaster);
         EXPECT_FALSE(s.bPrintOmitPage);
         EXPECT_EQ(s.printPpi, 200);
       },
       HINT_NONE},
      {"line types", ID_LINE_TYPE_CONFIGURATION, nullptr,
       [](QDialog* d) {
         Choose(d, "cutLine", 1);
         Choose(d, "convexFoldLine", 3);
         Choose(d, "concaveFoldLine", 0);
         Choose(d, "lineWidth", 7);
         Tick(d, "hideNearSurface", false);
         SetText(d, "nearSurfaceAngle", "120");
       },
       [](const Settings& s) {
         EXPECT_EQ(s.iCutLineType, 1);
         EXPECT_EQ(s.iYamaLineType, 3);
         EXPECT_EQ(s.iTaniLineType, 0);
         EXPECT_EQ(s.printoutLineWidth, 5.0);
         EXPECT_FALSE(s.bCullEdge);
         EXPECT_EQ(s.iAngleEps, 120);
       },
       HINT_NONE},
      {"join numbers", ID_JOIN_NUMBER_CONFIGURATION, nullptr,
       [](QDialog* d) {
         Tick(d, "showJoinNumber", true);
         Tick(d, "reverseJoinNumbers", true);
         SetText(d, "joinNumberFontSize", "12");
       },
       [](const Settings& s) {
         EXPECT_TRUE(s.bDrawNumber && s.bEdgeIdReverse);
         EXPECT_EQ(s.iEdgeNumberFontSize, 12);
       },
       HINT_NONE},
  };
  for (const Case& c : cases) {
    for (const bool ok : {true, false}) {
      SCOPED_TRACE(std::string(c.name) + (ok ? " OK" : " Cancel"));
      DialogHarness h;
      ASSERT_TRUE(h.Open("cube.plc"));
      if (c.prepare) c.prepare(h.settings);
      const std::string before = Snapshot(h.settings);
      h.RunWithDialog(c.command, [&](QDialog* dialog) {
        c.change(dialog);
        ok ? dialog->accept() : dialog->reject();
      });
      if (ok) {
        c.check(h.settings);
        EXPECT_EQ(h.hints, std::vector<int>{c.hint});
      } else {
        EXPECT_EQ(Snapshot(h.settings), before);
        EXPECT_TRUE(h.hints.empty());
      }
    }
  }
}

TEST(ConfigurationDialogsTest, TickingEnablesTheNextControlAtOnce) {
  struct Case {
    int command;
    bool Settings::*flag;
    const char* checkBox;
    const char* dependent;
  };
  const Case cases[] = {
      {ID_OTHER_CONFIGURATIONS, &Settings::bLimitTextureSize, "limitTexture", "textureLimit"},
      {ID_LINE_TYPE_CONFIGURATION, &Settings::bCullEdge, "hideNearSurface", "nearSurfaceAngle"},
  };
  for (const Case& c : cases) {
    for (const bool initially : {false, true}) {
      SCOPED_TRACE(std::string(c.checkBox) + (initially ? " on" : " off"));
      DialogHarness h;
      h.settings.*(c.flag) = initially;
      h.RunWithDialog(c.command, [&](QDialog* dialog) {
        QCheckBox* box = Child<QCheckBox>(dialog, c.checkBox);
        QWidget* dependent = Child<QWidget>(dialog, c.dependent);
        EXPECT_EQ(dependent->isEnabled(), initially);
        box->click();
        EXPECT_EQ(dependent->isEnabled(), !initially);
        box->click();
        EXPECT_EQ(dependent->isEnabled(), initially);
      });
    }
  }
}

TEST(ConfigurationDialogsTest, ColourButtonsEditTheDialogAndOnlyOkSetsTheTable) {
  const ColorRef modelColor = MakeColorRef(1, 2, 3);
  const auto modelDiffuse = [](const DialogHarness& h) { return h.doc.model()->defaultMaterial.diffuse; };
  for (const bool ok : {false, true}) {
    SCOPED_TRACE(ok ? "OK" : "Cancel");
    DialogHarness h;
    ASSERT_TRUE(h.Open("cube.plc"));
    // The background colour chosen through the colour chooser.
    h.RunWithDialog(ID_OTHER_CONFIGURATIONS, [&](QDialog* dialog) {
      test::OnNextModal([](QWidget* chooser) {
        auto* colors = qobject_cast<QColorDialog*>(chooser);
        ASSERT_NE(colors, nullptr);
        colors->setCurrentColor(QColor(10, 20, 30));
        colors->accept();
      });
      auto* background = Child<CColorButton>(dialog, "backgroundColor");
      QTest::mouseClick(background, Qt::LeftButton);
      EXPECT_EQ(background->color(), MakeColorRef(10, 20, 30));
      EXPECT_EQ(h.settings.colors, kDefaultColors);
      ok ? dialog->accept() : dialog->reject();
    });
    std::array<ColorRef, kColorSlotCount> expected = kDefaultColors;
    if (ok) expected[kColorBackground] = MakeColorRef(10, 20, 30);
    EXPECT_EQ(h.settings.colors, expected);
    EXPECT_EQ(h.hints, ok ? std::vector<int>{HINT_NONE} : std::vector<int>{});

    // Color Configuration: a button shows its new colour; "Reset to Default"
    // puts back all eight colours and the buttons; the table and the model's
    // colour 0 follow on OK only.
    h.hints.clear();
    SetColor(h.settings, kColorMaterial, modelColor, h.doc.model());
    const std::array<ColorRef, kColorSlotCount> before = h.settings.colors;
    h.RunWithDialog(ID_COLOR_CONFIGURATION, [&](QDialog* dialog) {
      auto* convex = Child<CColorButton>(dialog, "convexColor");
      auto* concave = Child<CColorButton>(dialog, "concaveColor");
      convex->ShowColor(MakeColorRef(0, 128, 0));
      QTest::mouseClick(Child<QPushButton>(dialog, "resetColors"), Qt::LeftButton);
      EXPECT_EQ(convex->color(), kDefaultColors[kColorConvexFold]);
      concave->ShowColor(MakeColorRef(0, 0, 128));
      EXPECT_EQ(h.settings.colors, before);
      EXPECT_EQ(modelDiffuse(h), Material::FromColor(modelColor).diffuse);
      ok ? dialog->accept() : dialog->reject();
    });
    expected = kDefaultColors;
    expected[kColorConcaveFold] = MakeColorRef(0, 0, 128);
    EXPECT_EQ(h.settings.colors, ok ? expected : before);
    EXPECT_EQ(modelDiffuse(h), Material::FromColor(ok ? kDefaultColors[kColorMaterial] : modelColor).diffuse);
    EXPECT_EQ(h.hints, ok ? std::vector<int>{HINT_NONE} : std::vector<int>{});
  }
}

TEST(ConfigurationDialogsTest, ChangedFlapWidthAsksBeforeChangingEveryFlap) {
  struct Case {
    const char* file;  ///< null: no model
    const char* width;
    std::deque<bool> answers;
    bool asked;
    bool applied;
    double edgeWidth;  ///< width of the model's flaps afterwards
  };
  const Case cases[] = {
      {"cube.plc", "8", {true}, true, true, 0.8}, {"cube.plc", "8", {false}, true, false, 0.5},
      {"cube.plc", "5", {}, false, true, 0.5},    {"no_development_marked_edges.plc", "8", {}, false, true, 0.5},
      {nullptr, "8", {}, false, true, 0.0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.file ? c.file : "no model") + " width " + c.width);
    DialogHarness h;
    if (c.file) {
      ASSERT_TRUE(h.Open(c.file));
    }
    h.sink.answers = c.answers;
    ASSERT_TRUE(h.settings.bDrawFlap);
    ASSERT_EQ(h.settings.flapWidth, 0.5);
    h.RunWithDialog(ID_FLAP_CONFIGURATION, [&](QDialog* dialog) {
      EXPECT_EQ(Child<QLineEdit>(dialog, "flapWidth")->text(), "5");
      Tick(dialog, "showFlap", false);
      SetText(dialog, "flapWidth", c.width);
      dialog->accept();
    });
    EXPECT_EQ(h.sink.questions,
              c.asked ? std::vector<std::string>{kChangeAllFlapsQuestion} : std::vector<std::string>{});
    EXPECT_EQ(h.settings.bDrawFlap, !c.applied);
    EXPECT_DOUBLE_EQ(h.settings.flapWidth, c.applied ? std::atoi(c.width) * 0.1 : 0.5);
    EXPECT_EQ(h.hints.size(), c.applied ? 1u : 0u);
    if (Model* model = h.doc.model(); model && !model->parts.empty()) {
      for (const Face* face : model->parts.front().faces)
        for (const HalfEdge* corner : face->ring) EXPECT_DOUBLE_EQ(corner->flapWidth, c.edgeWidth);
    }
  }
}

TEST(ConfigurationDialogsTest, ResetToDefaultAsksThenResetsAllButThreeSettings) {
  for (const bool confirm : {false, true}) {
    SCOPED_TRACE(confirm ? "OK" : "Cancel");
    DialogHarness h;
    ASSERT_TRUE(h.Open("sphere_multipage_a4.plc"));
    const PageLayout a4 = h.doc.pages();
    Settings& s = h.settings;
    s.bOmitMaterialWhenModelRotate = true;
    s.bRenderAllGL = false;
    s.bFirstStartUp = false;
    s.bPrintRaster = true;
    s.iPageType = 3;
    s.paperWidth = 42.0;
    s.paperHeight = 29.7;
    s.flapWidth = 1.0;
    SetColor(s, 0, MakeColorRef(1, 2, 3), h.doc.model());
    UpdatePageGrid(h.doc.model(), s, h.doc.pages());
    ASSERT_NE(h.doc.pages().columns * h.doc.pages().rows, a4.columns * a4.rows);
    const std::string before = Snapshot(s);
    h.sink.answers = {confirm};
    ASSERT_TRUE(h.registry.Run(ID_RESET_TO_DEFAULT, CommandStateOf(h.doc)));
    EXPECT_EQ(h.sink.questions, std::vector<std::string>{kResetSettingsQuestion});
    if (!confirm) {
      EXPECT_EQ(Snapshot(s), before);
      EXPECT_TRUE(h.hints.empty());
      continue;
    }
    EXPECT_TRUE(s.bOmitMaterialWhenModelRotate);
    EXPECT_FALSE(s.bRenderAllGL);
    EXPECT_FALSE(s.bFirstStartUp);
    EXPECT_FALSE(s.bPrintRaster);
    EXPECT_EQ(s.iPageType, 0);
    EXPECT_EQ(s.flapWidth, 0.5);
    EXPECT_EQ(s.colors, kDefaultColors);
    EXPECT_EQ(h.doc.model()->defaultMaterial.diffuse, Material::FromColor(kDefaultColors[0]).diffuse);
    EXPECT_EQ(h.doc.pages().columns, a4.columns);
    EXPECT_EQ(h.doc.pages().rows, a4.rows);
    EXPECT_EQ(h.hints, std::vector<int>{HINT_PAGES_CHANGED});
  }
}

TEST(ConfigurationDialogsTest, CommandsNeedingAModelAreDisabledWithout) {
  DialogHarness h;
  const std::pair<int, bool> withoutModel[] = {
      {ID_PAGE_PRINT_SETTINGS, true},
      {ID_DEVELOPMENT_INFO, false},
      {ID_OTHER_CONFIGURATIONS, true},
      {ID_RESET_TO_DEFAULT, true},
      {ID_SET_TEXTURE, false},
      {ID_MODEL_INFO, false},
      {ID_OPENGL_INFO, true},
      {ID_FLAP_CONFIGURATION, true},
      {ID_LINE_TYPE_CONFIGURATION, true},
      {ID_JOIN_NUMBER_CONFIGURATION, false},
      {ID_COLOR_CONFIGURATION, true},
  };
  for (const auto& [id, enabled] : withoutModel)
    EXPECT_EQ(h.registry.IsEnabled(id, CommandStateOf(h.doc)), enabled) << id;
  ASSERT_TRUE(h.Open("cube.plc"));
  for (const auto& [id, enabled] : withoutModel) EXPECT_TRUE(h.registry.IsEnabled(id, CommandStateOf(h.doc))) << id;
}

TEST(ConfigurationDialogsTest, InformationDialogsShowTheirFacts) {
  DialogHarness h;
  ASSERT_TRUE(h.Open("icosahedron_textured.plc"));
  const auto value = [](const std::vector<InfoRow>& rows, const char* label) {
    for (const InfoRow& row : rows)
      if (row.label == QLatin1String(label)) return row.value;
    return QStringLiteral("<missing>");
  };
  const auto model = ModelInfoRows(*h.doc.model());
  EXPECT_EQ(value(model, "Total Number of Surfaces"), "20");
  EXPECT_EQ(value(model, "Number of Materials"), "3");
  EXPECT_EQ(value(model, "Texture UV Info"), "Exist");
  EXPECT_EQ(value(model, "Number of Texture Images"), "2");
  ASSERT_TRUE(h.Open("cube.plc"));
  const auto cube = ModelInfoRows(*h.doc.model());
  EXPECT_EQ(value(cube, "Number of Materials"), "1");
  EXPECT_EQ(value(cube, "Texture UV Info"), "Does not exist");

  Settings s;
  s.iPageType = 5;
  s.iCutLineType = 1;
  s.iYamaLineType = 2;
  s.iTaniLineType = 7;
  const auto development = DevelopmentInfoRows(s, h.doc.model());
  EXPECT_EQ(value(development, "Paper size"), "B4 H [353x250]mm");
  EXPECT_EQ(value(development, "Cut Line"), "None");
  EXPECT_EQ(value(development, "Convex Fold Line"), "Dot 2 -- - -- - -- - -- ");
  EXPECT_EQ(value(development, "Concave Fold Line"), "");
  EXPECT_EQ(value(development, "Number of Faces"), "6");

  h.RunWithDialog(ID_OPENGL_INFO, [](QDialog* dialog) {
    EXPECT_EQ(Child<QLineEdit>(dialog, "Maximum Size of Texture Image")->text(), "4096 x 4096");
    EXPECT_EQ(Child<QLineEdit>(dialog, "OpenGL Renderer")->text(), "llvmpipe");
    dialog->accept();
  });
}

}  // namespace
}  // namespace plicora
