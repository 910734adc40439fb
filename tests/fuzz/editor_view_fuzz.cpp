// editor.txt over any bytes: no crash; every value read is finite and within
// its range; and what is written once reads back and writes again the same.
#include <cmath>
#include <string>

#include "fuzz_support.h"
#include "editor/document/editor_view.h"

namespace {

void check_ranges(const korvix::EditorView& view) {
  for (const korvix::ViewField& field : korvix::view_fields()) {
    float value = view.*field.value;
    FUZZ_CHECK(std::isfinite(value) && value >= field.minimum && value <= field.maximum);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  korvix::EditorView view;
  korvix::parse_view(korvix::fuzz::as_text(data, size), view);
  check_ranges(view);

  std::string once = korvix::format_view(view);
  korvix::EditorView again{0.0f, 0.0f, 0.0f};
  korvix::parse_view(once, again);
  check_ranges(again);
  FUZZ_CHECK(korvix::format_view(again) == once);
  return 0;
}
