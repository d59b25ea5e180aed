#include "gui/app/BuildCommands.h"

#include <QInputDialog>
#include <algorithm>
#include <climits>

#include "core/development/JoinEnds.h"
#include "core/development/PartGraph.h"
#include "core/document/BuildOrderStep.h"
#include "core/document/UpdateHints.h"
#include "core/platform/MessageSink.h"
#include "gui/commands/CommandIds.h"

namespace plicora {

void ShowJoinStatus(const FrameServices& services) {
  const CVorlanDoc& doc = *services.doc;
  const auto ends = doc.HighlightedJoinEnds();
  if (!ends || !services.showStatus) return;
  services.showStatus(QString::fromStdString(
      JoinEndsStatusText(doc.joinHighlight().number, *ends, *doc.model(), doc.settings(), doc.pages())));
}

void ShowFaceJoinsStatus(const FrameServices& services) {
  const JoinHighlight& highlight = services.doc->joinHighlight();
  if (highlight.face && services.showStatus)
    services.showStatus(QString::fromStdString(FaceJoinsStatusText(*highlight.face)));
}

void ShowPartStatus(const FrameServices& services) {
  CVorlanDoc& doc = *services.doc;
  const int part = doc.SelectedPart();
  if (part < 0 || !services.showStatus) return;
  const std::vector<int>& order = doc.PartBuildOrder();
  const auto at = std::find(order.begin(), order.end(), part);
  if (at == order.end()) return;
  const auto position = static_cast<std::size_t>(at - order.begin());
  services.showStatus(QString::fromStdString(
      BuildStepStatusText(part, position, order.size(), JoinsToEarlierParts(*doc.model(), order, position))));
}

void StepThroughParts(const FrameServices& services, int step) {
  CVorlanDoc& doc = *services.doc;
  const std::vector<int>& order = doc.PartBuildOrder();
  const auto position = StepInBuildOrder(order, doc.SelectedPart(), step);
  if (!position) {
    if (services.showStatus) services.showStatus(QString::fromStdString(BuildOrderEndText(step, order.size())));
    return;
  }
  doc.SelectPart(order[*position]);
}

QString BuildProgressText(const CVorlanDoc& doc) {
  const int built = doc.BuiltCount();
  if (built == 0) return {};
  return QStringLiteral("%1 of %2 parts built").arg(built).arg(doc.builtParts().size());
}

namespace {

void AskForJoinNumber(const FrameServices& services) {
  const CVorlanDoc& doc = *services.doc;
  const int current = doc.joinHighlight().active() ? doc.joinHighlight().number : 1;
  bool ok = false;
  const int number = QInputDialog::getInt(services.window, QStringLiteral("Find Join Number"),
                                          QStringLiteral("Join number (1 to %1):").arg(doc.joinNumbers()), current, 1,
                                          INT_MAX, 1, &ok);
  if (ok) FindJoinNumber(services, number);
}

// Part Built: flips the mark of the part of the face last picked.
void TogglePartBuilt(const FrameServices& services) {
  CVorlanDoc& doc = *services.doc;
  const int part = doc.PickedPart();
  if (part < 0) {
    if (services.showStatus)
      services.showStatus(QStringLiteral("Pick a face of the part first (Check Corresponding Surface)"));
    return;
  }
  const bool built = !doc.IsPartBuilt(part);
  doc.SetPartBuilt(part, built);
  if (services.showStatus)
    services.showStatus(QStringLiteral("Part %1 marked %2").arg(part).arg(built ? "built" : "not built"));
}

void ToggleShowProgress(const FrameServices& services) {
  services.doc->showProgress = !services.doc->showProgress;
  services.doc->UpdateAllViews(HINT_PROGRESS_CHANGED);
}

void ShowOtherEnd(const FrameServices& services) {
  if (!services.doc->joinHighlight().active()) return;
  services.doc->ShowOtherJoinEnd();
}

}  // namespace

bool FindJoinNumber(const FrameServices& services, int number) {
  if (!services.doc->HighlightJoin(number)) {
    ShowMessage(JoinNumberRangeText(number, services.doc->joinNumbers()), MessageKind::Warning);
    return false;
  }
  return true;
}

void RegisterBuildCommands(CommandRegistry& registry, const FrameServices& services) {
  registry.Add(ID_FIND_JOIN_NUMBER, [&services] { AskForJoinNumber(services); });
  registry.Add(ID_NEXT_JOIN_END, [&services] { ShowOtherEnd(services); });
  registry.Add(ID_PREVIOUS_JOIN_END, [&services] { ShowOtherEnd(services); });
  registry.Add(ID_NEXT_PART, [&services] { StepThroughParts(services, +1); });
  registry.Add(ID_PREVIOUS_PART, [&services] { StepThroughParts(services, -1); });
  registry.Add(ID_PART_BUILT, [&services] { TogglePartBuilt(services); });
  registry.Add(ID_SHOW_PROGRESS, [&services] { ToggleShowProgress(services); });
}

}  // namespace plicora
