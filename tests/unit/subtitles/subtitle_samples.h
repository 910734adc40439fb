// Subtitle files for the tests: a realistic one as the writer writes it, and
// generated ones of a chosen size.
#pragma once

#include <cstdint>
#include <string>

namespace korvix {

// Comments, names, edited clips, keys, file references, speakers 1 to 10 and a
// clip without keys, byte for byte as the writer writes them.
std::string sample_subtitle_file();

// A file of `lines` lines spread over `sounds` sound clips (speech and story)
// and `movies` movie clips, the first `corrected` clips marked as corrected.
std::string generated_subtitle_file(uint32_t lines, uint32_t sounds, uint32_t movies, uint32_t corrected);

}  // namespace korvix
