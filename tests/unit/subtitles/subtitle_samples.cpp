#include "subtitles/subtitle_samples.h"

#include "subtitles/subtitle_file.h"

namespace korvix {

std::string sample_subtitle_file() {
  return std::string(
             "korvix-subtitles 2\n"
             "# Made by korvix-subtitles 1.4 with the small English model\n"
             "# Game build 0.9.2\n") +
         std::string(subtitle_lines_comment) +
         "clip speech+edited 2350 41200 3:00ab12cd34ef5678 vo/act1/harbor_017\n"
         "names Captain Ulm|Mara||||||||\n"
         "0 1180 s1 Lines, everyone! The tide won't wait.\n"
         "1180 2350 s2 Aye \xe2\x80\x94 but the nets are still wet.\n"
         "clip story+edited 5000 800 1:ffffffffffffffff scene 12\n"
         "names |||||||||S\xc3\xa9verine\n"
         "0 2400 s1 Long ago, the coast was a single kingdom.\n"
         "2400 2300 s10 Ends before it starts, and the format carries it.\n"
         "clip video 61000 0 file:movies/intro.bik,17:0123456789abcdef,18:fedcba9876543210 movies/intro.bik\n"
         "0 3000 s3 We sail at dawn.\n"
         "2900 6000 s4 Runs into the one before.\n"
         "clip speech 900 12000 4:0000000000000001 vo/act2/gull\n"
         "0 900 s10 Ten!\n"
         "100 800 s5 s11 stays in the words\n"
         "200 700 s6 s6\n"
         "300 600 s7  two blanks in front\n"
         "400 500 s8 eight\n"
         "450 480 s9 nine\n"
         "clip speech 1500 0 file: loose take 3\n"
         "0 1500 s1 A clip that the maker gave no key.\n";
}

std::string generated_subtitle_file(uint32_t lines, uint32_t sounds, uint32_t movies, uint32_t corrected) {
  std::vector<SubtitleClip> clips(sounds + movies);
  for (uint32_t i = 0; i < clips.size(); ++i) {
    SubtitleClip& clip = clips[i];
    clip.kind = i >= sounds ? ClipKind::video : (i % 3 == 2 ? ClipKind::story : ClipKind::speech);
    clip.edited = i < corrected;
    clip.length_ms = 3000 + 17 * i;
    clip.bytes = 44100 * 2 * 3;
    clip.keys = {{i + 1, 0x9e3779b97f4a7c15ull * (i + 1)}};
    clip.source = "vo/scene_" + std::to_string(i / 8) + "/line_" + std::to_string(i);
    if (i % 4 == 0) clip.names[0] = "Speaker " + std::to_string(i % 10);
  }
  for (uint32_t n = 0; n < lines && !clips.empty(); ++n) {
    SubtitleClip& clip = clips[n % clips.size()];
    uint32_t start = static_cast<uint32_t>(clip.lines.size()) * 1800;
    clip.lines.push_back({start, start + 1700, "Line " + std::to_string(n) + " of the generated words, long enough.",
                          static_cast<int32_t>(n % 4)});
  }
  return write_subtitles(clips, "# generated\n");
}

}  // namespace korvix
