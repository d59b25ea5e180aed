// The command table: every command reachable from a menu, toolbar or popup
// (or saying why not), mnemonics a keyboard can use, and the enable and tick
// rules seen from document states.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "gui/commands/CommandIds.h"
#include "gui/commands/CommandTable.h"

namespace plicora {
namespace {

std::string TextOf(const LayoutItem& item) {
  if (item.text) return item.text;
  const CommandRow* row = FindCommandRow(item.id);
  return row ? row->menu : "";
}

TEST(CommandTableTest, EveryMenuGivesEachItemAMnemonicOfItsOwn) {
  // A menu's items, and the titles of its submenus, by menu title.
  std::map<std::string, std::vector<std::string>> texts;
  for (const MenuLayout& layout : MenuLayouts()) {
    const std::string title = layout.title;
    const auto slash = title.rfind('/');
    texts[slash == std::string::npos ? "" : title.substr(0, slash)].push_back(
        slash == std::string::npos ? title : title.substr(slash + 1));
    for (const LayoutItem& item : layout.items)
      if (item.id) texts[title].push_back(TextOf(item));
  }
  for (const LayoutItem& item : ModelPanePopupLayout()) texts["popup"].push_back(TextOf(item));
  for (const auto& [menu, items] : texts) {
    std::map<char, std::string> taken;
    for (const std::string& text : items) {
      const char key = MnemonicOf(text.c_str());
      EXPECT_NE(key, 0) << "no mnemonic: \"" << text << "\" in menu \"" << menu << "\"";
      if (!key) continue;
      const auto [it, fresh] = taken.emplace(key, text);
      EXPECT_TRUE(fresh) << "\"" << text << "\" and \"" << it->second << "\" share " << key << " in \"" << menu << "\"";
    }
  }
  EXPECT_EQ(MnemonicOf("Copy && Paste &Special"), 'S');
  EXPECT_EQ(MnemonicOf("Smooth Line"), 0);
}

TEST(CommandTableTest, EveryCommandIsReachedOrSaysWhyNot) {
  std::set<int> reached;
  auto collect = [&](std::span<const LayoutItem> items) {
    for (const LayoutItem& item : items) {
      if (!item.id) continue;
      EXPECT_NE(FindCommandRow(item.id), nullptr) << "a layout names command " << item.id << " without a row";
      reached.insert(item.id);
    }
  };
  for (const MenuLayout& layout : MenuLayouts()) collect(layout.items);
  collect(ToolBar1Layout());
  collect(ToolBar2Layout());
  collect(ModelPanePopupLayout());
  std::set<int> ids;
  for (const CommandRow& row : CommandRows()) {
    EXPECT_TRUE(ids.insert(row.id).second) << "two rows for command " << row.id;
    EXPECT_NE(*row.menu, '\0') << "command " << row.id << " has no text";
    const bool says = *row.unreached != '\0';
    EXPECT_NE(reached.count(row.id) > 0, says) << "command " << row.id << " \"" << row.menu << "\"";
  }
}

TEST(CommandTableTest, RulesFollowTheDocumentState) {
  Settings settings;
  settings.bDrawNumber = true;
  CommandState none, developed, undeveloped;
  developed.model = developed.development = true;
  undeveloped.model = true;
  for (CommandState* s : {&none, &developed, &undeveloped}) s->settings = &settings;
  struct Case {
    EnableRule rule;
    bool none, developed, undeveloped;
  };
  for (const Case& c :
       {Case{EnableRule::Always, true, true, true}, Case{EnableRule::Model, false, true, true},
        Case{EnableRule::Development, false, true, false},
        Case{EnableRule::ModelWithoutDevelopment, false, false, true}, Case{EnableRule::Never, false, false, false}}) {
    EXPECT_EQ(IsEnabledIn(c.rule, none), c.none);
    EXPECT_EQ(IsEnabledIn(c.rule, developed), c.developed);
    EXPECT_EQ(IsEnabledIn(c.rule, undeveloped), c.undeveloped);
  }
  // Ticks read the state they name and nothing else.
  developed.developmentEditMode = kCheckCorrespondingSurfaceMode;
  EXPECT_TRUE(IsTickedIn(FindCommandRow(ID_SHOW_JOIN_NUMBER)->tick, developed));
  EXPECT_FALSE(IsTickedIn(FindCommandRow(ID_SMOOTH_LINE)->tick, developed));
  EXPECT_TRUE(IsTickedIn(FindCommandRow(ID_CHECK_CORRESPONDING_SURFACE)->tick, developed));
  EXPECT_FALSE(IsTickedIn(FindCommandRow(ID_EDIT_FLAP)->tick, developed));
  EXPECT_FALSE(IsTickedIn(FindCommandRow(ID_ZOOM_IN)->tick, developed));
  undeveloped.edgeSpecifyMode = kSpecifyKeepEdgeMode;
  EXPECT_TRUE(IsTickedIn(FindCommandRow(ID_SPECIFY_KEEP_EDGE)->tick, undeveloped));
  EXPECT_FALSE(IsTickedIn(FindCommandRow(ID_SPECIFY_CUT_EDGE)->tick, undeveloped));
}

}  // namespace
}  // namespace plicora
