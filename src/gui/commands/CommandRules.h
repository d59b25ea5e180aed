#pragma once
// When a command is enabled and when its item is ticked, as pure functions
// of a snapshot of the document: the window refreshes its actions from them,
// and tests check them without a window.

#include "core/document/VorlanDoc.h"
#include "core/model/Settings.h"

namespace plicora {

/// What the rules look at, taken from the document in one go.
struct CommandState {
  bool model = false;        ///< a model is loaded
  bool development = false;  ///< ... and it carries a development
  int developmentEditMode = 0;
  int edgeSpecifyMode = 0;
  bool edgeOnly = false;
  bool showPageNumbers = false;
  bool partsListShown = false;  ///< the window's part list is open (the frame fills it in)
  bool showProgress = false;
  bool pickedPartBuilt = false;  ///< the part Part Built acts on is marked built
  const Settings* settings = nullptr;
};

CommandState CommandStateOf(const CVorlanDoc& doc);

enum class EnableRule {
  Always,
  Model,                    ///< a model is loaded
  Development,              ///< the model carries a development
  ModelWithoutDevelopment,  ///< a model without development (edge marking)
  Never,                    ///< shown for completeness, never available here
};

/// What the tick of an item shows; `None` for items that are never ticked.
struct TickRule {
  enum class Kind {
    None,
    Setting,
    PageNumbers,
    EdgeOnly,
    DevelopmentMode,
    EdgeSpecifyMode,
    PartsList,
    ShowProgress,
    PartBuilt
  };
  Kind kind = Kind::None;
  bool Settings::*flag = nullptr;  ///< Kind::Setting
  int mode = 0;                    ///< the two mode kinds

  static constexpr TickRule Flag(bool Settings::*f) { return {Kind::Setting, f, 0}; }
  static constexpr TickRule Of(Kind k, int m = 0) { return {k, nullptr, m}; }
};

bool IsEnabledIn(EnableRule rule, const CommandState& state);
/// Whether the item is ticked; false for rules of kind None.
bool IsTickedIn(const TickRule& rule, const CommandState& state);

}  // namespace plicora
