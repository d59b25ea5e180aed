#include "gui/commands/CommandTable.h"

#include <array>
#include <cctype>

#include "gui/commands/CommandIds.h"

namespace plicora {
namespace {

constexpr CommandRow kRows[] = {
    {ID_FILE_OPEN, "&Open...", "Ctrl+O", "Open a work file\nOpen", "document-open", EnableRule::Always, {}},
    {ID_PAGE_PRINT_SETTINGS,
     "P&age and Print Settings...",
     "",
     "Change the paper, margins and print settings\nPage and Print Settings",
     "",
     EnableRule::Always,
     {}},
    {ID_FILE_PRINT,
     "&Print...",
     "Ctrl+P",
     "Print the development\nPrint",
     "document-print",
     EnableRule::Development,
     {}},
    {ID_FILE_PRINT_PREVIEW,
     "Print Pre&view",
     "",
     "Show the printed pages\nPrint Preview",
     "document-print-preview",
     EnableRule::Development,
     {}},
    {ID_FILE_PRINT_SETUP,
     "Printe&r Setup...",
     "",
     "Change the printer and printing options\nPrinter Setup",
     "",
     EnableRule::Always,
     {}},
    {ID_SAVE_DEVELOPMENT,
     "&Save Development...",
     "",
     "Save the development as BMP, EPS, EMF, SVG, PDF or PNG\nSave Development",
     "document-save-as",
     EnableRule::Development,
     {}},
    {ID_APP_EXIT, "E&xit", "", "Quit the application\nExit", "application-exit", EnableRule::Always, {}},
    {ID_ENHANCE_CUT_EDGE, "&Emphasize Cut Point", "",
     "Open the model a little where the pattern is cut\nEmphasize Cut Point", "", EnableRule::Model,
     TickRule::Flag(&Settings::bEnhanceCutEdgeOpen)},
    {ID_SET_TEXTURE,
     "Set &Texture...",
     "",
     "Set a texture image for the model\nSet Texture",
     "",
     EnableRule::Model,
     {}},
    {ID_RESET_VIEW, "Re&set View", "", "Reset view\nReset View", "view-refresh", EnableRule::Model, {}},
    {ID_FIT_MODEL,
     "&Fit Model",
     "",
     "Show the whole model, centred in the 3D pane (F in the pane)\nFit Model",
     "zoom-fit-best",
     EnableRule::Model,
     {}},
    {ID_HIDE_SURFACE, "&Hide Surface", "", "Draw the edges only\nHide Surface", "", EnableRule::Model,
     TickRule::Of(TickRule::Kind::EdgeOnly)},
    {ID_REVERSE_SURFACE,
     "&Reverse Surface Direction",
     "",
     "Turn every surface to face the other way\nReverse Surface Direction",
     "",
     EnableRule::ModelWithoutDevelopment,
     {}},
    {ID_RESET_EDGE_ATTRIBUTE,
     "Reset Edge &Attribute",
     "",
     "Clear the cut and keep marks of every edge\nReset Edge Attribute",
     "",
     EnableRule::ModelWithoutDevelopment,
     {}},
    {ID_SHOW_OBJECT_LIST,
     "Show Object &List...",
     "",
     "Choose the objects to unfold\nShow Object List",
     "",
     EnableRule::ModelWithoutDevelopment,
     {}},
    {ID_CHECK_CORRESPONDING_SURFACE, "Chec&k Corresponding Surface", "",
     "Check corresponding surfaces in development and 3D model\nCheck Corresponding Surfaces", "",
     EnableRule::Development, TickRule::Of(TickRule::Kind::DevelopmentMode, kCheckCorrespondingSurfaceMode)},
    {ID_FIND_JOIN_NUMBER,
     "Find &Join Number...",
     "Ctrl+G",
     "Highlight both edges that carry a join number and show where they are\nFind Join Number",
     "edit-find",
     EnableRule::Development,
     {}},
    {ID_FIND_PARTNER, "Find P&artner", "", "Click a numbered edge to highlight both ends of its join\nFind Partner", "",
     EnableRule::Development, TickRule::Of(TickRule::Kind::DevelopmentMode, kFindPartnerMode)},
    {ID_NEXT_JOIN_END,
     "Ne&xt Join End",
     "F3",
     "Move the view to the other end of the highlighted join\nNext Join End",
     "",
     EnableRule::Development,
     {}},
    {ID_PREVIOUS_JOIN_END,
     "Pre&vious Join End",
     "Shift+F3",
     "Move the view back to the other end of the highlighted join\nPrevious Join End",
     "",
     EnableRule::Development,
     {}},
    {ID_SHOW_JOIN_NUMBER, "Show Edge Join &Number", "", "Show the numbers of edges to be joined\nShow Edge Join Number",
     "", EnableRule::Development, TickRule::Flag(&Settings::bDrawNumber)},
    {ID_SHOW_PAGE_NUMBER, "Show &Page Number to Verify", "",
     "Show the print order of the pages\nShow Page Number to Verify", "", EnableRule::Development,
     TickRule::Of(TickRule::Kind::PageNumbers)},
    {ID_SMOOTH_LINE, "&Smooth Line", "", "Draw the development with smooth lines\nSmooth Line", "",
     EnableRule::Development, TickRule::Flag(&Settings::bLineSmooth)},
    {ID_ZOOM_IN, "Zoom &In", "", "Enlarge the development\nZoom In", "zoom-in", EnableRule::Development, {}},
    {ID_ZOOM_OUT, "Zoom &Out", "", "Reduce the development\nZoom Out", "zoom-out", EnableRule::Development, {}},
    {ID_SHOW_ENTIRE,
     "Show &Entire",
     "",
     "Show the whole paper\nShow Entire",
     "zoom-fit-best",
     EnableRule::Development,
     {}},
    {ID_COPY_DEVELOPMENT_BMP,
     "&Copy Development to Clipboard(BMP Format)",
     "",
     "Copy the development to the clipboard as a picture\nCopy Development (BMP Format)",
     "edit-copy",
     EnableRule::Development,
     {}},
    {ID_COPY_DEVELOPMENT_EMF,
     "Copy Development (EMF Forma&t)",
     "",
     "Copy the development to the clipboard as a metafile\nCopy Development (EMF Format)",
     "edit-copy",
     EnableRule::Development,
     {}},
    {ID_SHOW_FLAP, "Show &Flap", "", "Show the glue flaps\nShow Flap", "", EnableRule::Development,
     TickRule::Flag(&Settings::bDrawFlap)},
    {ID_SCALE_UP,
     "Scale &Up Development",
     "",
     "Enlarge the development on the paper by 10 percent\nScale Up Development",
     "",
     EnableRule::Development,
     {}},
    {ID_SCALE_DOWN,
     "Scale &Down Development",
     "",
     "Reduce the development on the paper by 10 percent\nScale Down Development",
     "",
     EnableRule::Development,
     {}},
    {ID_MIRROR_DEVELOPMENT,
     "Mi&rror Development",
     "",
     "Mirror the development left to right\nMirror Development",
     "object-flip-horizontal",
     EnableRule::Development,
     {}},
    {ID_RECALCULATE_LAYOUT,
     "Recalculate Parts &Layout",
     "",
     "Laying out parts is not part of this viewer\nRecalculate Parts Layout",
     "",
     EnableRule::Never,
     {}},
    {ID_ERASE_EDGE, "&Erase Edge", "", "Erase edge\nErase Edge", "", EnableRule::Development,
     TickRule::Of(TickRule::Kind::DevelopmentMode, 1)},
    {ID_UNDO_ERASE_EDGE, "&Undo Erase Edge", "", "Undo erase edge\nUndo Erase Edge", "", EnableRule::Development,
     TickRule::Of(TickRule::Kind::DevelopmentMode, 2)},
    {ID_EDIT_FLAP, "Edit &Flap", "", "Edit flaps\nEdit Flap", "", EnableRule::Development,
     TickRule::Of(TickRule::Kind::DevelopmentMode, 3)},
    {ID_ROTATE_PART, "&Rotate Part", "", "Rotate a part\nRotate Part", "", EnableRule::Development,
     TickRule::Of(TickRule::Kind::DevelopmentMode, 4)},
    {ID_MOVE_PART, "&Move Part", "", "Move a part\nMove Part", "", EnableRule::Development,
     TickRule::Of(TickRule::Kind::DevelopmentMode, 5)},
    {ID_JOIN_SURFACE, "&Join Surface", "", "Join surfaces\nJoin Surface", "", EnableRule::Development,
     TickRule::Of(TickRule::Kind::DevelopmentMode, 6)},
    {ID_CUT_PART, "&Cut Part", "", "Cut a part\nCut Part", "", EnableRule::Development,
     TickRule::Of(TickRule::Kind::DevelopmentMode, 7)},
    {ID_INPUT_TEXT, "&Input Text", "", "Input text\nInput Text", "", EnableRule::Development,
     TickRule::Of(TickRule::Kind::DevelopmentMode, 8)},
    {ID_USE_MATERIAL, "&Use Color and Texture for Surface Draw", "",
     "Draw surfaces with their colours and textures\nUse Color and Texture", "", EnableRule::Model,
     TickRule::Flag(&Settings::bUseMaterial)},
    {ID_SHOW_TEXTURE, "Show Te&xture", "", "Draw surfaces with their colours and textures\nShow Texture", "",
     EnableRule::Always, TickRule::Flag(&Settings::bUseMaterial),
     "the same switch as Use Color and Texture for Surface Draw, which the View menu offers"},
    {ID_DEVELOPMENT_INFO,
     "Development &Info...",
     "",
     "Show information about the development\nDevelopment Info",
     "dialog-information",
     EnableRule::Model,
     {}},
    {ID_MODEL_INFO, "&Model Info...", "", "Show information about the model\nModel Info", "", EnableRule::Model, {}},
    {ID_SPLIT_WINDOW,
     "S&plit Window",
     "",
     "Show the 3D model and the development side by side\nSplit Window",
     "",
     EnableRule::Always,
     {}},
    {ID_SHOW_ONLY_DEVELOPMENT,
     "Show &Only Development Window",
     "",
     "Show only the development\nShow Only Development Window",
     "",
     EnableRule::Always,
     {}},
    {ID_OTHER_CONFIGURATIONS,
     "&Other Configurations...",
     "",
     "Change the display and texture settings\nOther Configurations",
     "",
     EnableRule::Always,
     {}},
    {ID_LINE_TYPE_CONFIGURATION,
     "&Line Type Configuration...",
     "",
     "Change the line types\nLine Type Configuration",
     "",
     EnableRule::Always,
     {}},
    {ID_FLAP_CONFIGURATION,
     "&Flap Configuration...",
     "",
     "Change the flaps\nFlap Configuration",
     "",
     EnableRule::Always,
     {}},
    {ID_JOIN_NUMBER_CONFIGURATION,
     "&Join Number Configuration...",
     "",
     "Change the edge join numbers\nJoin Number Configuration",
     "",
     EnableRule::Model,
     {}},
    {ID_COLOR_CONFIGURATION,
     "&Color Configuration...",
     "",
     "Change the colours\nColor Configuration",
     "",
     EnableRule::Always,
     {}},
    {ID_RESET_TO_DEFAULT,
     "&Reset to Default",
     "",
     "Reset all settings to their initial values\nReset to Default",
     "",
     EnableRule::Always,
     {}},
    {ID_HELP_CONTENTS, "&Contents...", "F1", "Show the user guide\nHelp", "help-contents", EnableRule::Always, {}},
    {ID_OPENGL_INFO,
     "Open&GL Info...",
     "",
     "Show information about OpenGL\nOpenGL Information",
     "",
     EnableRule::Always,
     {}},
    {ID_HOMEPAGE,
     "Plicora Designer's &Homepage...",
     "",
     "Open the homepage in the web browser\nHomepage",
     "",
     EnableRule::Always,
     {}},
    {ID_APP_ABOUT, "&About...", "", "Show the program's version\nAbout", "help-about", EnableRule::Always, {}},
    {ID_SPECIFY_CUT_EDGE, "Specify &Cut Edge", "", "Click edges to mark them to be cut\nSpecify Cut Edge", "",
     EnableRule::ModelWithoutDevelopment, TickRule::Of(TickRule::Kind::EdgeSpecifyMode, kSpecifyCutEdgeMode)},
    {ID_SPECIFY_KEEP_EDGE, "Specify the edge that should &not be cut if possible", "",
     "Click edges to mark them to be kept if possible\nSpecify Edge Not to Cut", "",
     EnableRule::ModelWithoutDevelopment, TickRule::Of(TickRule::Kind::EdgeSpecifyMode, kSpecifyKeepEdgeMode)},
};

constexpr LayoutItem kFileMenu[] = {
    {ID_FILE_OPEN},        {}, {ID_PAGE_PRINT_SETTINGS}, {},           {ID_FILE_PRINT}, {ID_FILE_PRINT_PREVIEW},
    {ID_FILE_PRINT_SETUP}, {}, {ID_SAVE_DEVELOPMENT},    {ID_APP_EXIT}};
constexpr LayoutItem kModelMenu[] = {
    {ID_ENHANCE_CUT_EDGE}, {ID_SET_TEXTURE},     {ID_RESET_VIEW},           {ID_FIT_MODEL},       {},
    {ID_HIDE_SURFACE},     {ID_REVERSE_SURFACE}, {ID_RESET_EDGE_ATTRIBUTE}, {ID_SHOW_OBJECT_LIST}};
constexpr LayoutItem kDevelopmentMenu[] = {{ID_CHECK_CORRESPONDING_SURFACE},
                                           {ID_SHOW_JOIN_NUMBER},
                                           {ID_SHOW_PAGE_NUMBER},
                                           {ID_SMOOTH_LINE},
                                           {},
                                           {ID_ZOOM_IN},
                                           {ID_ZOOM_OUT},
                                           {ID_SHOW_ENTIRE},
                                           {},
                                           {ID_COPY_DEVELOPMENT_BMP},
                                           {ID_COPY_DEVELOPMENT_EMF},
                                           {},
                                           {ID_SHOW_FLAP},
                                           {ID_SCALE_UP},
                                           {ID_SCALE_DOWN},
                                           {ID_MIRROR_DEVELOPMENT},
                                           {ID_RECALCULATE_LAYOUT},
                                           {},
                                           {ID_FIND_JOIN_NUMBER},
                                           {ID_FIND_PARTNER},
                                           {ID_NEXT_JOIN_END},
                                           {ID_PREVIOUS_JOIN_END}};
// The editing modes only switch the pane's mode (the viewer edits nothing),
// but they stay reachable and show which mode is on.
constexpr LayoutItem kEditingModeMenu[] = {{ID_ERASE_EDGE}, {ID_UNDO_ERASE_EDGE}, {ID_EDIT_FLAP}, {ID_ROTATE_PART},
                                           {ID_MOVE_PART},  {ID_JOIN_SURFACE},    {ID_CUT_PART},  {ID_INPUT_TEXT}};
constexpr LayoutItem kViewMenu[] = {{ID_USE_MATERIAL}, {ID_DEVELOPMENT_INFO},     {ID_MODEL_INFO}, {},
                                    {ID_SPLIT_WINDOW}, {ID_SHOW_ONLY_DEVELOPMENT}};
constexpr LayoutItem kConfigurationMenu[] = {{ID_PAGE_PRINT_SETTINGS, "&Page and Print Settings..."},
                                             {ID_OTHER_CONFIGURATIONS},
                                             {ID_LINE_TYPE_CONFIGURATION},
                                             {ID_FLAP_CONFIGURATION},
                                             {ID_JOIN_NUMBER_CONFIGURATION},
                                             {ID_COLOR_CONFIGURATION},
                                             {},
                                             {ID_RESET_TO_DEFAULT}};
constexpr LayoutItem kHelpMenu[] = {{ID_HELP_CONTENTS}, {}, {ID_OPENGL_INFO}, {ID_HOMEPAGE}, {ID_APP_ABOUT}};

constexpr MenuLayout kMenus[] = {
    {"&File", kFileMenu},
    {"3D&ModelWindow", kModelMenu},
    {"D&evelopedViewWindow", kDevelopmentMenu},
    {"D&evelopedViewWindow/Editing &Mode", kEditingModeMenu},
    {"&View", kViewMenu},
    {"&Configuration", kConfigurationMenu},
    {"&Help", kHelpMenu},
};

constexpr LayoutItem kToolBar1[] = {
    {ID_FILE_OPEN},       {}, {ID_SPLIT_WINDOW}, {ID_SHOW_ONLY_DEVELOPMENT}, {}, {ID_RESET_VIEW}, {ID_FIT_MODEL},
    {ID_ENHANCE_CUT_EDGE}};
constexpr LayoutItem kToolBar2[] = {{ID_ZOOM_IN},
                                    {ID_ZOOM_OUT},
                                    {ID_SHOW_ENTIRE},
                                    {},
                                    {ID_SHOW_JOIN_NUMBER},
                                    {ID_USE_MATERIAL},
                                    {ID_SHOW_PAGE_NUMBER},
                                    {ID_SMOOTH_LINE},
                                    {},
                                    {ID_CHECK_CORRESPONDING_SURFACE},
                                    {ID_DEVELOPMENT_INFO},
                                    {},
                                    {ID_FILE_PRINT}};
constexpr LayoutItem kModelPanePopup[] = {{ID_SPECIFY_CUT_EDGE}, {ID_SPECIFY_KEEP_EDGE}};

}  // namespace

std::span<const CommandRow> CommandRows() {
  return kRows;
}

const CommandRow* FindCommandRow(int id) {
  for (const CommandRow& row : kRows)
    if (row.id == id) return &row;
  return nullptr;
}

std::span<const MenuLayout> MenuLayouts() {
  return kMenus;
}
std::span<const LayoutItem> ToolBar1Layout() {
  return kToolBar1;
}
std::span<const LayoutItem> ToolBar2Layout() {
  return kToolBar2;
}
std::span<const LayoutItem> ModelPanePopupLayout() {
  return kModelPanePopup;
}

std::string PromptStatus(const CommandRow& row) {
  const std::string prompt = row.prompt;
  return prompt.substr(0, prompt.find('\n'));
}

std::string PromptTooltip(const CommandRow& row) {
  const std::string prompt = row.prompt;
  const auto br = prompt.find('\n');
  return br == std::string::npos ? prompt : prompt.substr(br + 1);
}

char MnemonicOf(const char* text) {
  for (const char* c = text; *c; ++c) {
    if (*c != '&') continue;
    if (c[1] == '&') {
      ++c;  // "&&" is a literal ampersand
      continue;
    }
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c[1])));
  }
  return 0;
}

}  // namespace plicora
