#include "gui/commands/CommandTexts.h"

#include <array>

#include "gui/commands/CommandIds.h"

namespace plicora {
namespace {

constexpr std::array kTexts = {
    CommandText{ID_FILE_OPEN, "&Open...", "Ctrl+O", "Open a work file\nOpen"},
    CommandText{ID_PAGE_PRINT_SETTINGS, "P&age and Print Settings...", "",
                "Change the paper, margins and print settings\nPage and Print Settings"},
    CommandText{ID_FILE_PRINT, "&Print...", "Ctrl+P", "Print the development\nPrint"},
    CommandText{ID_FILE_PRINT_PREVIEW, "Print Pre&view", "", "Show the printed pages\nPrint Preview"},
    CommandText{ID_FILE_PRINT_SETUP, "Printe&r Setup...", "", "Change the printer and printing options\nPrinter Setup"},
    CommandText{ID_SAVE_DEVELOPMENT, "&Save Development...", "",
                "Save the development as BMP, EPS, EMF, SVG, PDF or PNG\nSave Development"},
    CommandText{ID_APP_EXIT, "E&xit", "", "Quit the application\nExit"},
    CommandText{ID_ENHANCE_CUT_EDGE, "&Emphasize Cut Point", "",
                "Open the model a little where the pattern is cut\nEmphasize Cut Point"},
    CommandText{ID_SET_TEXTURE, "Set &Texture...", "", "Set a texture image for the model\nSet Texture"},
    CommandText{ID_RESET_VIEW, "Re&set View", "", "Reset view\nReset View"},
    CommandText{ID_CHECK_CORRESPONDING_SURFACE, "Chec&k Corresponding Surface", "",
                "Check corresponding surfaces in development and 3D model\nCheck Corresponding Surfaces"},
    CommandText{ID_SHOW_JOIN_NUMBER, "Show Edge Join &Number", "",
                "Show the numbers of edges to be joined\nShow Edge Join Number"},
    CommandText{ID_SHOW_PAGE_NUMBER, "Show &Page Number to Verify", "",
                "Show the print order of the pages\nShow Page Number to Verify"},
    CommandText{ID_SMOOTH_LINE, "Smooth Line", "", "Draw the development with smooth lines\nSmooth Line"},
    CommandText{ID_ZOOM_IN, "Zoom &In", "", "Enlarge the development\nZoom In"},
    CommandText{ID_ZOOM_OUT, "Zoom &Out", "", "Reduce the development\nZoom Out"},
    CommandText{ID_SHOW_ENTIRE, "Show &Entire", "", "Show the whole paper\nShow Entire"},
    CommandText{ID_COPY_DEVELOPMENT_BMP, "&Copy Development to Clipboard(BMP Format)", "",
                "Copy the development to the clipboard as a picture\nCopy Development (BMP Format)"},
    CommandText{ID_COPY_DEVELOPMENT_EMF, "Copy Development (E&MF Format)", "",
                "Copy the development to the clipboard as a metafile\nCopy Development (EMF Format)"},
    CommandText{ID_USE_MATERIAL, "&Use Color and Texture for Surface Draw", "",
                "Draw surfaces with their colours and textures\nUse Color and Texture"},
    CommandText{ID_DEVELOPMENT_INFO, "Development &Info...", "",
                "Show information about the development\nDevelopment Info"},
    CommandText{ID_MODEL_INFO, "&Model Info...", "", "Show information about the model\nModel Info"},
    CommandText{ID_SPLIT_WINDOW, "S&plit Window", "",
                "Show the 3D model and the development side by side\nSplit Window"},
    CommandText{ID_SHOW_ONLY_DEVELOPMENT, "Show &Only Development Window", "",
                "Show only the development\nShow Only Development Window"},
    CommandText{ID_OTHER_CONFIGURATIONS, "&Other Configurations...", "",
                "Change the display and texture settings\nOther Configurations"},
    CommandText{ID_LINE_TYPE_CONFIGURATION, "&Line Type Configuration...", "",
                "Change the line types\nLine Type Configuration"},
    CommandText{ID_FLAP_CONFIGURATION, "&Flap Configuration...", "", "Change the flaps\nFlap Configuration"},
    CommandText{ID_JOIN_NUMBER_CONFIGURATION, "&Join Number Configuration...", "",
                "Change the edge join numbers\nJoin Number Configuration"},
    CommandText{ID_COLOR_CONFIGURATION, "&Color Configuration...", "", "Change the colours\nColor Configuration"},
    CommandText{ID_RESET_TO_DEFAULT, "&Reset to Default", "",
                "Reset all settings to their initial values\nReset to Default"},
    CommandText{ID_HELP_CONTENTS, "&Contents...", "F1", "Show the user guide\nHelp"},
    CommandText{ID_OPENGL_INFO, "Open&GL Info...", "", "Show information about OpenGL\nOpenGL Information"},
    CommandText{ID_APP_ABOUT, "&About...", "", "Show the program's version\nAbout"},
    CommandText{ID_HOMEPAGE, "Plicora Designer's &Homepage...", "", "Open the homepage in the web browser\nHomepage"},
    CommandText{ID_SPECIFY_CUT_EDGE, "Specify &Cut Edge", "", "Click edges to mark them to be cut\nSpecify Cut Edge"},
    CommandText{ID_SPECIFY_KEEP_EDGE, "Specify the edge that should &not be cut if possible", "",
                "Click edges to mark them to be kept if possible\nSpecify Edge Not to Cut"},
    CommandText{ID_SHOW_FLAP, "Show &Flap", "", "Show the glue flaps\nShow Flap"},
    CommandText{ID_SHOW_OBJECT_LIST, "Show Object &List...", "", "Choose the objects to unfold\nShow Object List"},
    CommandText{ID_RECALCULATE_LAYOUT, "Recalculate Parts &Layout", "",
                "Laying out parts is not part of this viewer\nRecalculate Parts Layout"},
    CommandText{ID_SCALE_UP, "Scale &Up Development", "",
                "Enlarge the development on the paper by 10 percent\nScale Up Development"},
    CommandText{ID_SCALE_DOWN, "Scale &Down Development", "",
                "Reduce the development on the paper by 10 percent\nScale Down Development"},
    CommandText{ID_MIRROR_DEVELOPMENT, "&Mirror Development", "",
                "Mirror the development left to right\nMirror Development"},
    CommandText{ID_REVERSE_SURFACE, "&Reverse Surface Direction", "",
                "Turn every surface to face the other way\nReverse Surface Direction"},
    CommandText{ID_SHOW_TEXTURE, "Show Te&xture", "", "Draw surfaces with their colours and textures\nShow Texture"},
    CommandText{ID_HIDE_SURFACE, "&Hide Surface", "", "Draw the edges only\nHide Surface"},
    CommandText{ID_RESET_EDGE_ATTRIBUTE, "Reset Edge &Attribute", "",
                "Clear the cut and keep marks of every edge\nReset Edge Attribute"},
    CommandText{ID_ERASE_EDGE, "Erase Edge", "", "Erase edge\nErase Edge"},
    CommandText{ID_UNDO_ERASE_EDGE, "Undo Erase Edge", "", "Undo erase edge\nUndo Erase Edge"},
    CommandText{ID_EDIT_FLAP, "Edit Flap", "", "Edit flaps\nEdit Flap"},
    CommandText{ID_ROTATE_PART, "Rotate Part", "", "Rotate a part\nRotate Part"},
    CommandText{ID_MOVE_PART, "Move Part", "", "Move a part\nMove Part"},
    CommandText{ID_JOIN_SURFACE, "Join Surface", "", "Join surfaces\nJoin Surface"},
    CommandText{ID_CUT_PART, "Cut Part", "", "Cut a part\nCut Part"},
    CommandText{ID_INPUT_TEXT, "Input Text", "", "Input text\nInput Text"},
};

}  // namespace

const CommandText* FindCommandText(int id) {
  for (const CommandText& text : kTexts)
    if (text.id == id) return &text;
  return nullptr;
}

std::string PromptStatus(const CommandText& text) {
  const std::string prompt = text.prompt;
  return prompt.substr(0, prompt.find('\n'));
}

std::string PromptTooltip(const CommandText& text) {
  const std::string prompt = text.prompt;
  const auto br = prompt.find('\n');
  return br == std::string::npos ? prompt : prompt.substr(br + 1);
}

}  // namespace plicora
