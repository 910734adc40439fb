#include "menu/page_layout.h"

namespace korvix {

PageLayout lay_out_page(const MenuLayout& layout, float banner_advance, int row_count, int selected, int first_shown,
                        const std::vector<StatusText>& texts, const MeasureText& measure) {
  PageLayout page;
  page.subtitle_top = layout.top + banner_advance;
  page.rows_top = page.subtitle_top + 2.0f * layout.small_size;
  int status_lines = status_lines_to_keep(texts, layout.content_width, measure);
  page.rows = shown_rows(row_count, selected, first_shown, rows_that_fit(layout, page.rows_top, status_lines));
  page.status_top = page.rows_top + static_cast<float>(page.rows.count) * layout.row_height + layout.status_gap;
  page.status_lines = place_status_lines(texts, page.status_top, layout.status_limit, layout.line_height,
                                         layout.content_width, measure);
  return page;
}

}  // namespace korvix
