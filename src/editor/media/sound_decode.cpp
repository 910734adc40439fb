#include "editor/media/sound_decode.h"

#include <SDL3/SDL.h>

#include <climits>
#include <vector>

#include "platform/paths.h"

namespace korvix {

bool decode_sound(const std::filesystem::path& wav, DecodedSound& sound, std::string& error) {
  // SDL reads a WAV cut short as a shorter sound; strict, a half-written file
  // is refused, and the fetch deletes it so the maker writes it again.
  SDL_SetHint(SDL_HINT_WAVE_TRUNCATION, "strict");
  SDL_AudioSpec spec{};
  Uint8* data = nullptr;
  Uint32 length = 0;
  if (!SDL_LoadWAV(to_utf8(wav).c_str(), &spec, &data, &length)) {
    error = std::string("Couldn't read the sound: ") + SDL_GetError();
    return false;
  }
  std::vector<float> samples;
  // SDL gives no buffer for a WAV without frames, and converting nothing fails.
  if (length > 0) {
    const SDL_AudioSpec floats{SDL_AUDIO_F32, spec.channels, spec.freq};
    Uint8* converted = nullptr;
    int converted_length = 0;
    bool ok = length <= INT_MAX &&
              SDL_ConvertAudioSamples(&spec, data, static_cast<int>(length), &floats, &converted, &converted_length);
    SDL_free(data);
    if (!ok) {
      error = std::string("Couldn't convert the sound: ") + (length > INT_MAX ? "it is too long" : SDL_GetError());
      return false;
    }
    const float* first = reinterpret_cast<const float*>(converted);
    samples.assign(first, first + converted_length / static_cast<int>(sizeof(float)));
    SDL_free(converted);
  } else {
    SDL_free(data);
  }
  sound = make_decoded_sound(std::move(samples), spec.channels, spec.freq);
  return true;
}

}  // namespace korvix
