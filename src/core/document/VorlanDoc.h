#pragma once
// The document: the one loaded model and the shell state that belongs to it
// (development flag, edit modes, page layout, page-number switch, modified
// flag), the open path, and the update of every pane that shows it. The
// window and the batch commands open files through the same path, so both
// always see the same model.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/development/Pages.h"
#include "core/development/PartGraph.h"
#include "core/document/BuildProgressStore.h"
#include "core/document/JoinHighlight.h"
#include "core/model/Model.h"
#include "core/model/Settings.h"
#include "core/platform/WorkTick.h"
#include "core/view3d/ViewShellState.h"

namespace plicora {

/// How an open ended.
enum class OpenStatus {
  Opened,      ///< the file is the current model
  CannotOpen,  ///< "Cannot open file"
  WrongType,   ///< "Cannot load file of specified type"
  ReadFailed,  ///< "Failed to load specified file"
  Refused,     ///< the version check refused it (it showed its own message)
  Rejected,    ///< the afterRead step refused it (it reported why)
  Stopped,     ///< the progress tick asked to stop (nothing changed, no message)
};

/// What to open and the steps the caller adds.
struct OpenRequest {
  std::string path;
  /// Runs after the file was read and before anything is derived from it
  /// (the batch overrides). Returning false rejects the file.
  std::function<bool(Settings&, Model&)> afterRead;
  /// Whether a font face is installed or substituted by an installed face;
  /// without it every face counts as installed.
  std::function<bool(const std::string&)> fontAvailable;
  /// The window tells the user about a missing development and about a model
  /// too large to unfold; batch commands answer with their exit status.
  bool interactive = true;
  /// OpenGL's largest texture side for the textures the file holds; 0 takes
  /// the limit the settings know.
  int maxTextureSize = 0;
  /// Told the share of the open done (reading, then deriving the
  /// development) now and then; false stops the open, which then leaves the
  /// document as it was.
  WorkShareTick progress;
};

struct OpenOutcome {
  OpenStatus status = OpenStatus::CannotOpen;
  int readResult = -1;  ///< the reader's WorkFileResult, -1 when it did not run
  /// The model as far as it was read when it did not become current.
  std::unique_ptr<Model> unopened;
  bool ok() const { return status == OpenStatus::Opened; }
};

/// Faces above which a model without development draws a warning.
inline constexpr int kTooManySurfaces = 1000;

/// Scale Up and Scale Down Development multiply the paper scale by these.
inline constexpr double kScaleUpFactor = 1.1;
inline constexpr double kScaleDownFactor = 0.9090909090909091;

class CVorlanDoc {
 public:
  explicit CVorlanDoc(Settings& settings);
  ~CVorlanDoc();
  CVorlanDoc(const CVorlanDoc&) = delete;
  CVorlanDoc& operator=(const CVorlanDoc&) = delete;

  /// Opens a work file. The previous model and the settings stay as they
  /// were on any failure and when the progress tick stopped the open.
  OpenOutcome OpenWorkFile(const OpenRequest& request);
  /// Frees the model (closing the document).
  void CloseDocument();

  /// Scale Up / Scale Down Development: multiplies the scale product by
  /// `factor` unless the development would grow beyond 5 metres or shrink
  /// below 1 centimetre; when accepted, recomputes the bounds and the page
  /// grid, marks the document modified and sends HINT_SCALE_UP or
  /// HINT_SCALE_DOWN. False when refused or without a development.
  bool ScaleDevelopment(double factor);
  /// Mirror Development: mirrors left to right, recomputes the bounds and
  /// the page grid, marks the document modified and sends HINT_MIRROR.
  void MirrorDevelopment();
  /// After a change of the paper or the page settings: recomputes the page
  /// grid and sends HINT_PAGES_CHANGED (the development pane fits the sheets).
  void PagesChanged();
  /// Ends the development pane's mode (Check Corresponding Surface, the
  /// editing modes) and clears the marked faces; the panes redraw. Nothing
  /// happens when no mode is on and no face is marked.
  void CancelDevelopmentMode();

  /// Highlights both ends of a join number and sends HINT_JOIN_END_SHOWN
  /// (the first end is shown); false, with nothing changed, when the
  /// development has no such number.
  bool HighlightJoin(int number);
  /// Shows the other end of the highlighted join (F3 and Shift+F3 go back
  /// and forth between the two); nothing without a highlight.
  void ShowOtherJoinEnd();
  /// Highlights the numbered sides of `face` (Find Partner in the 3D pane)
  /// and sends HINT_FACE_JOINS_SHOWN; a null face clears the highlight.
  void HighlightFaceJoins(const Face* face);
  /// Removes the highlight of a join or a face; the panes redraw.
  void ClearJoinHighlight();
  const JoinHighlight& joinHighlight() const { return joinHighlight_; }
  /// Where the highlighted join's ends lie now (the development may have
  /// been scaled or mirrored since); nothing without a highlight.
  std::optional<std::array<JoinEnd, 2>> HighlightedJoinEnds() const;
  /// Every side the panes draw highlighted: both ends of the highlighted
  /// join, or the numbered sides of the highlighted face.
  std::vector<const HalfEdge*> HighlightedSides() const;

  /// Selects a part (its index in file order; -1 for none, as is a part the
  /// development lacks) and sends HINT_PART_SELECTED. The panes tint its
  /// faces and the development pane moves to it.
  void SelectPart(int part);
  int SelectedPart() const { return selectedPart_; }
  /// Every part as the part list shows it, and the order to build them in;
  /// worked out when first asked for after an open or a change of the pages.
  const std::vector<PartSummary>& PartSummaries();
  const std::vector<int>& PartBuildOrder();

  /// Where the built parts are kept between sessions (the window gives the
  /// folder beside its profile; without one progress lasts while the file
  /// is open).
  void SetBuildProgressFolder(std::string folder) { progressStore_ = BuildProgressStore(std::move(folder)); }
  const BuildProgressStore& buildProgressStore() const { return progressStore_; }
  /// Marks a part (index in file order) built or not, keeps the progress and
  /// sends HINT_PROGRESS_CHANGED. False, with nothing changed, for a part the
  /// model lacks. A progress folder that cannot be written is reported once,
  /// and the marks still hold while the file is open.
  bool SetPartBuilt(int part, bool built);
  bool IsPartBuilt(int part) const;
  int BuiltCount() const;
  /// One flag per part of the model (empty without a model).
  const std::vector<char>& builtParts() const { return built_; }
  /// The parts the 3D pane draws faded, one flag per part: the built ones,
  /// or with Show Progress the ones not built yet.
  std::vector<char> PartsFadedInModelPane() const;
  /// The part Part Built acts on: the selected part, else the part of the
  /// face last picked (the faces Check Corresponding Surface marked); -1 when
  /// there is neither.
  int PickedPart() const;

  Model* model() const { return model_.get(); }
  bool hasModel() const { return model_ != nullptr; }
  bool hasDevelopment() const { return shell_.hasDevelopment; }
  Settings& settings() const { return settings_; }
  ViewShellState& shell() { return shell_; }
  const ViewShellState& shell() const { return shell_; }
  PageLayout& pages() { return pages_; }
  const PageLayout& pages() const { return pages_; }
  int joinNumbers() const { return joinNumbers_; }
  /// The file name shown in the title, empty without a model.
  const std::string& title() const { return title_; }

  bool IsModified() const { return modified_; }
  void SetModifiedFlag(bool modified = true) { modified_ = modified; }

  /// "Show Page Number to Verify" of the development pane.
  bool showPageNumbers = false;
  /// "Show Progress": the 3D pane draws the built parts solid and the others faded.
  bool showProgress = false;

  /// Panes register here; every update reaches each of them with its hint.
  int AddView(std::function<void(int hint)> onUpdate);
  void RemoveView(int id);
  void UpdateAllViews(int hint);

  /// Hooks of the window around an open: before the file is touched (hide the
  /// texture dialog), and after a successful open, before the views update
  /// (recent files, title, lists of dialogs).
  std::function<void()> onBeforeOpen;
  std::function<void(const std::string& path)> onOpened;

 private:
  // The steps of an open: the path, the reading and what is derived from the
  // model (both aside from the document, into an OpenedFile), the opened
  // file made current, and the messages about it.
  struct OpenedFile;
  bool CheckPath(const std::string& path, OpenOutcome& outcome) const;
  std::unique_ptr<Model> ReadModel(const OpenRequest& request, Settings& read, OpenOutcome& outcome) const;
  static bool Derive(const OpenRequest& request, OpenedFile& opened);
  void MakeCurrent(OpenedFile& opened, const OpenRequest& request);
  void TellAboutOpened(const OpenRequest& request, bool fontsReplaced) const;
  void RecomputeLayout();
  void LoadBuildProgress();

  Settings& settings_;
  std::unique_ptr<Model> model_;
  ViewShellState shell_;
  PageLayout pages_;
  int joinNumbers_ = 0;
  JoinHighlight joinHighlight_;
  int selectedPart_ = -1;
  /// The parts' summaries and build order, empty until asked for.
  std::optional<std::vector<PartSummary>> partSummaries_;
  std::optional<std::vector<int>> buildOrder_;
  void ForgetParts();
  BuildProgressStore progressStore_;
  std::string contentKey_;   ///< of the open work file, for its progress
  std::vector<char> built_;  ///< by part index
  bool progressFailureShown_ = false;
  std::string title_;
  bool modified_ = false;
  struct View {
    int id;
    std::function<void(int)> onUpdate;
  };
  std::vector<View> views_;
  int nextViewId_ = 1;
};

/// Gives every label whose font face is not available the replacement face;
/// true when one was replaced.
bool ReplaceMissingFonts(Model& model, const std::function<bool(const std::string&)>& fontAvailable);

/// Whether the path ends in ".plc" in any letter case.
bool HasWorkFileExtension(const std::string& path);

}  // namespace plicora
