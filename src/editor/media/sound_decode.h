// Reading a clip's WAV file into float samples with its waveform overview.
#pragma once

#include <filesystem>
#include <string>

#include "editor/media/decoded_sound.h"

namespace korvix {

// Loads the WAV through SDL and converts it to 32-bit float samples of the
// same channel count and rate. A WAV without frames decodes to an empty sound;
// one whose data is cut short (half written) doesn't decode.
// On failure `error` is "Couldn't read the sound: ..." or "Couldn't convert
// the sound: ..." with SDL's reason. Safe on any thread while SDL is up.
bool decode_sound(const std::filesystem::path& wav, DecodedSound& sound, std::string& error);

}  // namespace korvix
