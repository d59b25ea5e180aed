#include "core/document/VorlanDoc.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdio>

#include "core/development/DevelopmentGeometry.h"
#include "core/document/UpdateHints.h"
#include "core/model/FaceRegions.h"
#include "core/model/MeshTopology.h"
#include "core/model/UsableNumbers.h"
#include "core/model/WorkFileReader.h"
#include "core/platform/ContentKey.h"
#include "core/platform/FileName.h"
#include "core/platform/MessageSink.h"
#include "core/view3d/OpenedPositions.h"

namespace plicora {
namespace {

bool CanOpenForReading(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::fclose(file);
  return true;
}

std::string TooManySurfacesText(int faces) {
  char text[256];
  std::snprintf(text, sizeof text,
                "Too many surfaces (# of surface: %d).\nIt may take very long time to create development.\n"
                "In the paper craft model, the number of surfaces should be less than 500.",
                faces);
  return text;
}

/// The share of an open that reading the file takes; deriving the
/// development from the model, in kDeriveSteps ticks, takes the rest.
constexpr double kReadShare = 0.8;
constexpr int kDeriveSteps = 4;

constexpr double kLargestDevelopmentCm = 500.0;  // scaling up stops at 5 metres
constexpr double kSmallestDevelopmentCm = 1.0;

}  // namespace

bool HasWorkFileExtension(const std::string& path) {
  return LowerCaseExtension(path) == ".plc";
}

CVorlanDoc::CVorlanDoc(Settings& settings) : settings_(settings) {}
CVorlanDoc::~CVorlanDoc() = default;

/// A file read and derived aside from the document, made current only when
/// the whole open succeeded.
struct CVorlanDoc::OpenedFile {
  std::unique_ptr<Model> model;
  Settings settings;
  PageLayout pages;
  int joinNumbers = 0;
  bool fontsReplaced = false;
};

OpenOutcome CVorlanDoc::OpenWorkFile(const OpenRequest& request) {
  OpenOutcome outcome;
  if (onBeforeOpen) onBeforeOpen();
  if (!CheckPath(request.path, outcome)) return outcome;
  // The info block overwrites the settings as it is read: it is read into a
  // copy, so that the panes, which may repaint while a large file is read,
  // and a file that is not opened, leave the current settings as they are.
  OpenedFile opened;
  opened.settings = settings_;
  opened.model = ReadModel(request, opened.settings, outcome);
  if (!opened.model) return outcome;
  if (!Derive(request, opened)) {
    outcome.status = OpenStatus::Stopped;
    return outcome;
  }
  MakeCurrent(opened, request);
  if (onOpened) onOpened(request.path);
  // The panes learn of the new model before any message box lets them paint.
  UpdateAllViews(HINT_FILE_OPENED);
  TellAboutOpened(request, opened.fontsReplaced);
  outcome.status = OpenStatus::Opened;
  return outcome;
}

bool CVorlanDoc::CheckPath(const std::string& path, OpenOutcome& outcome) const {
  if (!CanOpenForReading(path)) {
    ShowMessage(AboutFile("Cannot open file", path), MessageKind::Error);
    outcome.status = OpenStatus::CannotOpen;
    return false;
  }
  if (!HasWorkFileExtension(path)) {
    ShowMessage(AboutFile("Cannot load file of specified type", path), MessageKind::Error);
    outcome.status = OpenStatus::WrongType;
    return false;
  }
  return true;
}

std::unique_ptr<Model> CVorlanDoc::ReadModel(const OpenRequest& request, Settings& read, OpenOutcome& outcome) const {
  auto model = std::make_unique<Model>(read.colors[kColorMaterial]);
  read.scaleProduct = 0.0;
  WorkShareTick readTick;
  if (request.progress) readTick = [&request](double done) { return request.progress(kReadShare * done); };
  const int limit = request.maxTextureSize > 0 ? request.maxTextureSize : read.maxTextureSize;
  outcome.readResult = ReadWorkFile(request.path, *model, read, limit, &readTick);
  if (outcome.readResult == kReadStopped) {
    outcome.status = OpenStatus::Stopped;
    return nullptr;
  }
  // A file whose numbers cannot be drawn (inf, nan, 1e300 from damage) is
  // not opened: nothing sound could be shown, printed or exported from it.
  const bool usable = outcome.readResult == kReadOk && HasUsableNumbers(*model, read);
  if (usable && (!request.afterRead || request.afterRead(read, *model))) return model;
  if (outcome.readResult == kReadRefused) {
    outcome.status = OpenStatus::Refused;
  } else if (!usable) {
    ShowMessage(AboutFile("Failed to load specified file", request.path), MessageKind::Error);
    outcome.status = OpenStatus::ReadFailed;
  } else {
    outcome.status = OpenStatus::Rejected;
  }
  outcome.unopened = std::move(model);
  return nullptr;
}

bool CVorlanDoc::Derive(const OpenRequest& request, OpenedFile& opened) {
  // Each step is short next to the reading; the tick comes between steps.
  int step = 0;
  const auto goOn = [&request, &step] {
    return !request.progress || request.progress(kReadShare + (1.0 - kReadShare) * ++step / kDeriveSteps);
  };
  Model& model = *opened.model;
  model.path = request.path;
  MeasureModel(model);
  opened.fontsReplaced = request.fontAvailable && ReplaceMissingFonts(model, request.fontAvailable);
  if (!goOn()) return false;
  if (model.hasDevelopment) {
    ComputeOpenedPositions(model);
    if (!goOn()) return false;
    ComputeDevelopmentBounds(model);
    UpdatePageGrid(&model, opened.settings, opened.pages);
    if (!goOn()) return false;
    opened.joinNumbers = AssignJoinNumbers(model);
  }
  return goOn();
}

void CVorlanDoc::MakeCurrent(OpenedFile& opened, const OpenRequest& request) {
  settings_ = opened.settings;
  model_ = std::move(opened.model);
  title_ = std::string(FileNameOf(request.path));
  shell_ = ViewShellState{};
  joinHighlight_ = JoinHighlight{};
  selectedPart_ = -1;
  ForgetParts();
  shell_.hasDevelopment = model_->hasDevelopment;
  showPageNumbers = false;
  pages_ = opened.pages;
  joinNumbers_ = opened.joinNumbers;
  LoadBuildProgress();
  modified_ = false;
}

void CVorlanDoc::LoadBuildProgress() {
  // Only a window keeps progress: batch commands never read the file twice.
  contentKey_ = progressStore_.enabled() ? ContentKeyOfFile(model_->path).value_or(std::string()) : std::string();
  built_ = progressStore_.Load(contentKey_, model_->parts.size());
}

bool CVorlanDoc::SetPartBuilt(int part, bool built) {
  if (!model_ || part < 0 || static_cast<std::size_t>(part) >= built_.size()) return false;
  char& flag = built_[static_cast<std::size_t>(part)];
  if ((flag != 0) == built) return true;
  flag = built ? 1 : 0;
  std::string error;
  if (!progressStore_.Save(contentKey_, built_, &error) && !progressFailureShown_) {
    progressFailureShown_ = true;
    ShowMessage("Cannot keep the build progress in " + progressStore_.folder() + ":\n" + error +
                    "\nThe parts marked built are remembered until the file is closed.",
                MessageKind::Warning);
  }
  UpdateAllViews(HINT_PROGRESS_CHANGED);
  return true;
}

bool CVorlanDoc::IsPartBuilt(int part) const {
  return part >= 0 && static_cast<std::size_t>(part) < built_.size() && built_[static_cast<std::size_t>(part)];
}

int CVorlanDoc::BuiltCount() const {
  return static_cast<int>(std::count_if(built_.begin(), built_.end(), [](char b) { return b != 0; }));
}

std::vector<char> CVorlanDoc::PartsFadedInModelPane() const {
  std::vector<char> faded = built_;
  if (showProgress)
    for (char& f : faded) f = f ? 0 : 1;
  return faded;
}

int CVorlanDoc::PickedPart() const {
  if (!model_) return -1;
  if (selectedPart_ >= 0) return selectedPart_;
  for (std::size_t p = 0; p < model_->parts.size(); ++p)
    for (const Face* face : model_->parts[p].faces)
      if (face->marked) return static_cast<int>(p);
  return -1;
}

void CVorlanDoc::TellAboutOpened(const OpenRequest& request, bool fontsReplaced) const {
  if (fontsReplaced)
    ShowMessage(AboutFile("Some fonts specified in the file do not exist in the system.\n"
                          "These fonts will be replaced with the default font.",
                          request.path),
                MessageKind::Warning);
  if (request.interactive && !shell_.hasDevelopment) {
    ShowMessage(AboutFile(kNoDevelopmentMessage, request.path), MessageKind::Warning);
    // The warning names 500 surfaces while it is given above 1000: both as
    // the program has always had them.
    if (model_->totalFaces > kTooManySurfaces)
      ShowMessage(TooManySurfacesText(model_->totalFaces), MessageKind::Information);
  }
}

bool ReplaceMissingFonts(Model& model, const std::function<bool(const std::string&)>& fontAvailable) {
  bool replaced = false;
  for (TextLabel& label : model.texts) {
    if (fontAvailable(label.fontName)) continue;
    label.fontName = kMsGothicFaceName;
    replaced = true;
  }
  return replaced;
}

void CVorlanDoc::RecomputeLayout() {
  ComputeDevelopmentBounds(*model_);
  UpdatePageGrid(model_.get(), settings_, pages_);
  ForgetParts();
  modified_ = true;
}

bool CVorlanDoc::ScaleDevelopment(double factor) {
  if (!model_ || !shell_.hasDevelopment) return false;
  const double product = settings_.scaleProduct * factor;
  const double candidate = product / model_->modelScale;
  if (factor > 1.0 && candidate * model_->devHeight > kLargestDevelopmentCm) return false;
  if (factor < 1.0 && candidate * model_->devHeight < kSmallestDevelopmentCm) return false;
  settings_.scaleProduct = product;
  model_->devScale = candidate;
  RecomputeLayout();
  UpdateAllViews(factor > 1.0 ? HINT_SCALE_UP : HINT_SCALE_DOWN);
  return true;
}

void CVorlanDoc::MirrorDevelopment() {
  if (!model_ || !shell_.hasDevelopment) return;
  plicora::MirrorDevelopment(*model_);
  RecomputeLayout();
  UpdateAllViews(HINT_MIRROR);
}

void CVorlanDoc::PagesChanged() {
  UpdatePageGrid(model_.get(), settings_, pages_);
  ForgetParts();
  UpdateAllViews(HINT_PAGES_CHANGED);
}

void CVorlanDoc::CancelDevelopmentMode() {
  // Without a mode and marks nothing changes: the panes keep their pictures
  // (a large model's take seconds to draw again).
  const bool marked = model_ && AnyFaceMarked(*model_);
  if (shell_.developmentEditMode == 0 && !marked) return;
  if (marked) ClearFaceMarks(*model_);
  shell_.developmentEditMode = 0;
  UpdateAllViews(HINT_NONE);
}

bool CVorlanDoc::HighlightJoin(int number) {
  if (!model_ || !shell_.hasDevelopment || !FindJoinEnds(*model_, settings_, number)) return false;
  joinHighlight_ = JoinHighlight{number, 0};
  UpdateAllViews(HINT_JOIN_END_SHOWN);
  return true;
}

void CVorlanDoc::ShowOtherJoinEnd() {
  if (!joinHighlight_.active()) return;
  joinHighlight_.shownEnd = 1 - joinHighlight_.shownEnd;
  UpdateAllViews(HINT_JOIN_END_SHOWN);
}

void CVorlanDoc::HighlightFaceJoins(const Face* face) {
  if (!face) {
    ClearJoinHighlight();
    return;
  }
  joinHighlight_ = JoinHighlight{};
  joinHighlight_.face = face;
  UpdateAllViews(HINT_FACE_JOINS_SHOWN);
}

void CVorlanDoc::ClearJoinHighlight() {
  if (!joinHighlight_.any()) return;
  joinHighlight_ = JoinHighlight{};
  UpdateAllViews(HINT_NONE);
}

std::optional<std::array<JoinEnd, 2>> CVorlanDoc::HighlightedJoinEnds() const {
  if (!joinHighlight_.active() || !model_) return std::nullopt;
  return FindJoinEnds(*model_, settings_, joinHighlight_.number);
}

std::vector<const HalfEdge*> CVorlanDoc::HighlightedSides() const {
  if (joinHighlight_.face) return NumberedSidesOf(*joinHighlight_.face);
  std::vector<const HalfEdge*> sides;
  if (const auto ends = HighlightedJoinEnds())
    for (const JoinEnd& end : *ends)
      if (end.side) sides.push_back(end.side);
  return sides;
}

void CVorlanDoc::SelectPart(int part) {
  const bool known = model_ && shell_.hasDevelopment && part >= 0 && part < static_cast<int>(model_->parts.size());
  selectedPart_ = known ? part : -1;
  UpdateAllViews(HINT_PART_SELECTED);
}

void CVorlanDoc::ForgetParts() {
  partSummaries_.reset();
  buildOrder_.reset();
}

const std::vector<PartSummary>& CVorlanDoc::PartSummaries() {
  if (!partSummaries_) {
    partSummaries_.emplace();
    if (model_ && shell_.hasDevelopment) *partSummaries_ = SummarizeParts(*model_, settings_);
  }
  return *partSummaries_;
}

const std::vector<int>& CVorlanDoc::PartBuildOrder() {
  if (!buildOrder_) buildOrder_ = BuildOrder(PartSummaries());
  return *buildOrder_;
}

void CVorlanDoc::CloseDocument() {
  model_.reset();
  joinHighlight_ = JoinHighlight{};
  selectedPart_ = -1;
  ForgetParts();
  shell_ = ViewShellState{};
  pages_ = PageLayout{};
  joinNumbers_ = 0;
  contentKey_.clear();
  built_.clear();
  title_.clear();
  modified_ = false;
}

int CVorlanDoc::AddView(std::function<void(int hint)> onUpdate) {
  views_.push_back(View{nextViewId_, std::move(onUpdate)});
  return nextViewId_++;
}

void CVorlanDoc::RemoveView(int id) {
  views_.erase(std::remove_if(views_.begin(), views_.end(), [id](const View& v) { return v.id == id; }), views_.end());
}

void CVorlanDoc::UpdateAllViews(int hint) {
  // A view may add or remove views while it reacts: walk a copy.
  const std::vector<View> views = views_;
  for (const View& view : views)
    if (view.onUpdate) view.onUpdate(hint);
}

}  // namespace plicora
