// The transport over a fake output: what is queued, when, at what speed, and
// what is heard. The test sound runs at 1000 frames a second, so a frame is a
// millisecond, and each sample holds its own frame number.
#include "editor/media/sound_transport.h"

#include <gtest/gtest.h>

#include <numeric>

namespace korvix::test {
namespace {

// An output that keeps what it was given until the test "plays" it.
struct FakeSink final : AudioSink {
  void put(std::span<const float> samples) override {
    if (deaf) return;
    queue.insert(queue.end(), samples.begin(), samples.end());
    pieces.push_back(samples.size() / channels);
  }
  uint64_t queued_bytes() const override { return queue.size() * sizeof(float); }
  void clear() override {
    queue.clear();
    ++clears;
  }
  void set_ratio(float value) override { ratio = value; }
  void flush() override { flushed_at.push_back(queue.size() / channels); }

  // The device takes `frames` frames.
  void hear(size_t frames) { queue.erase(queue.begin(), queue.begin() + std::min(queue.size(), frames * channels)); }
  // The frame numbers queued, from channel 0.
  std::vector<int> queued_frames() const {
    std::vector<int> out;
    for (size_t i = 0; i < queue.size(); i += channels) out.push_back(static_cast<int>(queue[i]));
    return out;
  }

  size_t channels = 1;
  bool deaf = false;  // takes nothing
  std::vector<float> queue;
  std::vector<size_t> pieces;
  int clears = 0;
  float ratio = 0;
  std::vector<size_t> flushed_at;  // frames queued at each flush
};

DecodedSound numbered(uint64_t frames, int channels = 1, int rate = 1000) {
  std::vector<float> samples;
  for (uint64_t j = 0; j < frames; ++j) samples.insert(samples.end(), channels, static_cast<float>(j));
  return make_decoded_sound(std::move(samples), channels, rate);
}

// Frames first .. end (not included) of each span in turn.
std::vector<int> spans(std::initializer_list<std::pair<int, int>> list) {
  std::vector<int> out;
  for (auto [first, end] : list) {
    for (int frame = first; frame < end; ++frame) out.push_back(frame);
  }
  return out;
}

TEST(SoundTransport, KeepsAFewHundredthsQueuedIn40MsPiecesAtEverySpeedAndNoMoreThanTheOutputTakes) {
  const DecodedSound sound = numbered(10000);
  const struct {
    float speed;
    std::vector<size_t> pieces;
  } speeds[] = {
      {0.5f, {40, 40, 40}},          // as at normal speed
      {1.5f, {40, 40, 40, 40, 20}},  // 0.12 s × 1.5
      {2.0f, {40, 40, 40, 40, 40, 40}},
  };
  for (const auto& s : speeds) {
    FakeSink sink;
    SoundTransport transport;
    transport.start(sound, sink, 500, s.speed, std::nullopt);
    EXPECT_TRUE(transport.playing());
    EXPECT_EQ(sink.ratio, s.speed);
    EXPECT_EQ(sink.pieces, s.pieces) << s.speed;
    size_t ahead = std::accumulate(s.pieces.begin(), s.pieces.end(), size_t{0});
    EXPECT_EQ(sink.queued_frames(), spans({{500, 500 + static_cast<int>(ahead)}})) << s.speed;
    EXPECT_DOUBLE_EQ(transport.heard_ms(sound, sink, std::nullopt), 500) << "nothing heard yet";

    // 50 ms later: that much heard, and topped up from where feeding was.
    sink.hear(50);
    sink.pieces.clear();
    EXPECT_DOUBLE_EQ(transport.heard_ms(sound, sink, std::nullopt), 550);
    EXPECT_TRUE(transport.feed(sound, sink, s.speed, std::nullopt));
    EXPECT_EQ(sink.pieces, (std::vector<size_t>{40, 10})) << s.speed;
    EXPECT_EQ(sink.queued_frames(), spans({{550, 550 + static_cast<int>(ahead)}})) << s.speed;

    // Another speed applies at once: twice as much ahead at twice the speed.
    transport.feed(sound, sink, 2.0f, std::nullopt);
    EXPECT_EQ(sink.ratio, 2.0f);
    EXPECT_EQ(sink.queued_frames().size(), 240u) << s.speed;
  }

  // An output that takes nothing (a lost device) can't keep the feeding loop going.
  FakeSink deaf;
  deaf.deaf = true;
  SoundTransport stuck;
  stuck.start(sound, deaf, 0, 1.0f, FrameSpan{0, 100});
  EXPECT_EQ(stuck.position_frames(), 20u) << "120 frames' worth fed, around the loop";
}

TEST(SoundTransport, PlaysToTheEndOnceAndThenStops) {
  const DecodedSound sound = numbered(300, 2);
  FakeSink sink;
  sink.channels = 2;
  SoundTransport transport;
  transport.start(sound, sink, 0, 1.0f, std::nullopt);
  std::vector<int> heard;
  for (int frame = 0; frame < 20 && transport.playing(); ++frame) {
    std::vector<int> queued = sink.queued_frames();
    heard.insert(heard.end(), queued.begin(), queued.begin() + std::min<size_t>(queued.size(), 30));
    sink.hear(30);
    transport.feed(sound, sink, 1.0f, std::nullopt);
  }
  EXPECT_FALSE(transport.playing());
  EXPECT_EQ(heard, spans({{0, 300}})) << "every frame once, in order, nothing after the end";
  EXPECT_EQ(sink.flushed_at, (std::vector<size_t>{120})) << "flushed once, right after the last frame went in";
  EXPECT_EQ(transport.position_frames(), 300u);
  EXPECT_DOUBLE_EQ(transport.heard_ms(sound, sink, std::nullopt), 300);
}

TEST(SoundTransport, ALoopRepeatsItsLineSeamlesslyAndCountsBackAcrossTheWrap) {
  const DecodedSound sound = numbered(1000);
  const FrameSpan line{200, 300};
  FakeSink sink;
  SoundTransport transport;
  transport.start(sound, sink, 250, 1.0f, line);
  EXPECT_EQ(sink.queued_frames(), spans({{250, 300}, {200, 270}}));
  EXPECT_DOUBLE_EQ(transport.heard_ms(sound, sink, line), 250);
  sink.hear(60);  // 250 .. 299, then 200 .. 209
  EXPECT_DOUBLE_EQ(transport.heard_ms(sound, sink, line), 210);
  transport.feed(sound, sink, 1.0f, line);
  EXPECT_EQ(sink.queued_frames(), spans({{210, 300}, {200, 230}})) << "each piece stops at the loop's end";
  sink.hear(90);
  EXPECT_DOUBLE_EQ(transport.heard_ms(sound, sink, line), 200);
  transport.feed(sound, sink, 1.0f, line);
  EXPECT_EQ(sink.queued_frames(), spans({{200, 300}, {200, 220}}));
  EXPECT_DOUBLE_EQ(transport.heard_ms(sound, sink, line), 200);

  // A loop shorter than what is queued wraps more than once inside the queue.
  const FrameSpan short_line{100, 160};
  FakeSink small;
  SoundTransport again;
  again.start(sound, small, 100, 1.0f, short_line);
  EXPECT_EQ(small.queued_frames(), spans({{100, 160}, {100, 160}}));
  EXPECT_DOUBLE_EQ(again.heard_ms(sound, small, short_line), 100);
  small.hear(70);
  EXPECT_DOUBLE_EQ(again.heard_ms(sound, small, short_line), 110);

  // Turned on while playing outside the line, the next piece comes from its start.
  FakeSink outside;
  SoundTransport late;
  late.start(sound, outside, 600, 1.0f, std::nullopt);
  outside.hear(120);
  late.feed(sound, outside, 1.0f, line);
  EXPECT_EQ(outside.queued_frames(), spans({{200, 300}, {200, 220}}));
}

TEST(SoundTransport, TimesPastTheSoundAndWrongLinesNeverReadPastIt) {
  const DecodedSound sound = numbered(1000);  // the timeline reaches at least to 1250 ms for a line ending at 1000
  struct Case {
    const char* what;
    double start_ms, end_ms;
    std::optional<FrameSpan> loop;
  };
  const Case cases[] = {
      {"a line inside", 100, 400, FrameSpan{100, 400}},
      {"a line over the end is cut there", 900, 1500, FrameSpan{900, 1000}},
      {"a line wholly past the end has nothing to loop", 1200, 1500, std::nullopt},
      {"a wrong line, ending before it starts", 500, 300, std::nullopt},
      {"50 ms is too short to loop", 100, 150, std::nullopt},
      {"51 ms loops", 100, 151, FrameSpan{100, 151}},
      {"a line ending near the top of the range", 990, 4294967295.0, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(loop_span(sound, c.start_ms, c.end_ms), c.loop) << c.what;

  EXPECT_EQ(frame_at_ms(sound, -20), 0u);
  EXPECT_EQ(frame_at_ms(sound, 1250), 1000u);
  EXPECT_TRUE(scrub_samples(sound, 1250).empty()) << "a scrub past the end plays nothing";
  EXPECT_EQ(scrub_samples(sound, 990).size(), 10u);

  FakeSink sink;
  SoundTransport transport;
  transport.start(sound, sink, 1250, 1.0f, std::nullopt);
  EXPECT_TRUE(sink.queue.empty());
  EXPECT_FALSE(transport.feed(sound, sink, 1.0f, std::nullopt)) << "nothing to play: done at once";
}

TEST(SoundTransport, PlayStartsFromTheStartAtTheEndAndInsideALoopedLine) {
  const DecodedSound sound = numbered(2000);
  const FrameSpan line{500, 800};
  const struct {
    double playhead;
    std::optional<FrameSpan> loop;
    double start;
  } cases[] = {
      {1000, std::nullopt, 1000}, {1969, std::nullopt, 1969}, {1970, std::nullopt, 0},
      {5000, std::nullopt, 0},    {100, line, 500},           {600, line, 600},
      {769, line, 769},           {770, line, 500},           {1990, line, 500},
  };
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(play_start_ms(sound, c.playhead, c.loop), c.start) << c.playhead;
}

TEST(SoundTransport, AScrubIs85MsFadedInAndOutOver5Ms) {
  DecodedSound ones = make_decoded_sound(std::vector<float>(2 * 1000, 1.0f), 2, 1000);
  std::vector<float> scrub = scrub_samples(ones, 100);
  ASSERT_EQ(scrub.size(), 2u * 85);
  const std::vector<float> fade_in = {0, 0, 0.2f, 0.2f, 0.4f, 0.4f, 0.6f, 0.6f, 0.8f, 0.8f, 1, 1};
  EXPECT_EQ(std::vector<float>(scrub.begin(), scrub.begin() + 12), fade_in);
  EXPECT_EQ(std::vector<float>(scrub.rbegin(), scrub.rbegin() + 12), fade_in);
  // Near the end fewer frames, and fades of half of them at most.
  std::vector<float> last = scrub_samples(ones, 994);
  const std::vector<float> short_fades = {0,        0,        1 / 3.0f, 1 / 3.0f, 2 / 3.0f, 2 / 3.0f,
                                          2 / 3.0f, 2 / 3.0f, 1 / 3.0f, 1 / 3.0f, 0,        0};
  ASSERT_EQ(last.size(), short_fades.size());
  for (size_t i = 0; i < last.size(); ++i) EXPECT_FLOAT_EQ(last[i], short_fades[i]) << i;

  // Played at normal speed over whatever was queued; playing stays off.
  FakeSink sink;
  sink.channels = 2;
  SoundTransport transport;
  transport.start(ones, sink, 0, 0.5f, std::nullopt);
  transport.scrub(ones, sink, 100);
  EXPECT_FALSE(transport.playing());
  EXPECT_EQ(sink.ratio, 1.0f);
  EXPECT_EQ(sink.queue, scrub);
  EXPECT_EQ(sink.clears, 2) << "by the start and by the scrub";
  EXPECT_EQ(sink.flushed_at, (std::vector<size_t>{85})) << "all of the scrub plays now";
}

}  // namespace
}  // namespace korvix::test
