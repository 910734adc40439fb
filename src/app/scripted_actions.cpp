#include "app/scripted_actions.h"

namespace korvix {

std::vector<MenuAction> parse_actions(std::string_view text) {
  struct Token {
    std::string_view name;
    MenuAction action;
  };
  static constexpr Token tokens[] = {
      {"up", MenuAction::up},       {"down", MenuAction::down},     {"left", MenuAction::left},
      {"right", MenuAction::right}, {"accept", MenuAction::accept},
  };
  std::vector<MenuAction> actions;
  size_t start = 0;
  for (;;) {
    size_t comma = text.find(',', start);
    std::string_view token = text.substr(start, comma == std::string_view::npos ? std::string_view::npos : comma - start);
    for (const Token& known : tokens)
      if (token == known.name) actions.push_back(known.action);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  return actions;
}

std::optional<MenuAction> ScriptPlayer::due(uint64_t frame) {
  if (frame == 0 || frame % 10 != 0 || finished()) return std::nullopt;
  return actions_[next_++];
}

}  // namespace korvix
