#pragma once
// Writers for the two file formats of the sound tree.
#include <string>

#include "dsp.h"

namespace sfx {

// 16-bit PCM, stereo, 44100 Hz RIFF/WAVE. Returns false when the file cannot be written.
bool Write_Wav(const std::string& path, const Stereo& s);

// Ogg Vorbis (libvorbisenc, VBR at `quality` from -0.1 to 1.0), stereo, 44100 Hz.
// `serial` fixes the Ogg stream serial number so that equal input gives equal bytes.
bool Write_Ogg(const std::string& path, const Stereo& s, float quality, const std::string& title,
               int serial);

}  // namespace sfx
