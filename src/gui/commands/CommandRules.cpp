#include "gui/commands/CommandRules.h"

namespace plicora {

CommandState CommandStateOf(const CVorlanDoc& doc) {
  CommandState state;
  state.model = doc.hasModel();
  state.development = state.model && doc.hasDevelopment();
  state.developmentEditMode = doc.shell().developmentEditMode;
  state.edgeSpecifyMode = doc.shell().edgeSpecifyMode;
  state.edgeOnly = doc.shell().edgeOnly;
  state.showPageNumbers = doc.showPageNumbers;
  state.showProgress = doc.showProgress;
  state.pickedPartBuilt = doc.IsPartBuilt(doc.PickedPart());
  state.settings = &doc.settings();
  return state;
}

bool IsEnabledIn(EnableRule rule, const CommandState& state) {
  switch (rule) {
    case EnableRule::Always:
      return true;
    case EnableRule::Model:
      return state.model;
    case EnableRule::Development:
      return state.development;
    case EnableRule::ModelWithoutDevelopment:
      return state.model && !state.development;
    case EnableRule::Never:
      return false;
  }
  return false;
}

bool IsTickedIn(const TickRule& rule, const CommandState& state) {
  using Kind = TickRule::Kind;
  switch (rule.kind) {
    case Kind::None:
      return false;
    case Kind::Setting:
      return state.settings && rule.flag && state.settings->*rule.flag;
    case Kind::PageNumbers:
      return state.showPageNumbers;
    case Kind::EdgeOnly:
      return state.edgeOnly;
    case Kind::DevelopmentMode:
      return state.developmentEditMode == rule.mode;
    case Kind::EdgeSpecifyMode:
      return state.edgeSpecifyMode == rule.mode;
    case Kind::PartsList:
      return state.partsListShown;
    case Kind::ShowProgress:
      return state.showProgress;
    case Kind::PartBuilt:
      return state.pickedPartBuilt;
  }
  return false;
}

}  // namespace plicora
