// KORVIX_LAUNCHER_ACTIONS: a scripted list of actions, one every 10 frames.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "app/menu_action.h"

namespace korvix {

// Tokens split at commas and compared exactly: "up", "down", "left", "right",
// "accept". Anything else, an empty token or one with a blank included, is skipped.
std::vector<MenuAction> parse_actions(std::string_view text);

class ScriptPlayer {
 public:
  explicit ScriptPlayer(std::vector<MenuAction> actions) : actions_(std::move(actions)) {}

  // The action due on this frame (every frame whose count is a multiple of 10).
  std::optional<MenuAction> due(uint64_t frame);

  size_t total() const { return actions_.size(); }
  bool finished() const { return next_ >= actions_.size(); }

 private:
  std::vector<MenuAction> actions_;
  size_t next_ = 0;
};

}  // namespace korvix
