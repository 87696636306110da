#include "audio_io.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace sfx {

namespace {

struct File_Closer {
  void operator()(FILE* f) const { if (f) fclose(f); }
};
using File = std::unique_ptr<FILE, File_Closer>;

int16_t To_Pcm(float x) {
  float v = std::round(std::clamp(x, -1.0f, 1.0f) * 32767.0f);
  return static_cast<int16_t>(v);
}

void Put_Le(std::vector<unsigned char>& out, uint32_t v, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<unsigned char>(v >> (8 * i)));
}

bool Write_Page(FILE* f, const ogg_page& page) {
  return fwrite(page.header, 1, page.header_len, f) == static_cast<size_t>(page.header_len) &&
         fwrite(page.body, 1, page.body_len, f) == static_cast<size_t>(page.body_len);
}

}  // namespace

bool Write_Wav(const std::string& path, const Stereo& s) {
  const uint32_t data_bytes = static_cast<uint32_t>(s.frames() * 4);
  std::vector<unsigned char> out;
  out.reserve(44 + data_bytes);
  out.insert(out.end(), {'R', 'I', 'F', 'F'});
  Put_Le(out, 36 + data_bytes, 4);
  out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
  Put_Le(out, 16, 4);
  Put_Le(out, 1, 2);              // PCM
  Put_Le(out, 2, 2);              // channels
  Put_Le(out, kRate, 4);
  Put_Le(out, kRate * 4, 4);      // bytes per second
  Put_Le(out, 4, 2);              // block align
  Put_Le(out, 16, 2);             // bits per sample
  out.insert(out.end(), {'d', 'a', 't', 'a'});
  Put_Le(out, data_bytes, 4);
  for (size_t i = 0; i < s.frames(); ++i) {
    Put_Le(out, static_cast<uint16_t>(To_Pcm(s.l[i])), 2);
    Put_Le(out, static_cast<uint16_t>(To_Pcm(s.r[i])), 2);
  }
  File f(fopen(path.c_str(), "wb"));
  if (!f) return false;
  return fwrite(out.data(), 1, out.size(), f.get()) == out.size();
}

bool Write_Ogg(const std::string& path, const Stereo& s, float quality, const std::string& title,
               int serial) {
  File f(fopen(path.c_str(), "wb"));
  if (!f) return false;

  vorbis_info vi;
  vorbis_info_init(&vi);
  if (vorbis_encode_init_vbr(&vi, 2, kRate, quality) != 0) {
    vorbis_info_clear(&vi);
    return false;
  }
  vorbis_comment vc;
  vorbis_comment_init(&vc);
  vorbis_comment_add_tag(&vc, "TITLE", title.c_str());
  vorbis_comment_add_tag(&vc, "ARTIST", "VantoRello sound generator");

  vorbis_dsp_state vd;
  vorbis_block vb;
  vorbis_analysis_init(&vd, &vi);
  vorbis_block_init(&vd, &vb);
  ogg_stream_state os;
  ogg_stream_init(&os, serial);

  bool ok = true;
  ogg_packet header, header_comm, header_code;
  vorbis_analysis_headerout(&vd, &vc, &header, &header_comm, &header_code);
  ogg_stream_packetin(&os, &header);
  ogg_stream_packetin(&os, &header_comm);
  ogg_stream_packetin(&os, &header_code);
  ogg_page page;
  while (ogg_stream_flush(&os, &page) != 0) ok = ok && Write_Page(f.get(), page);

  const size_t chunk = 1024;
  size_t pos = 0;
  bool eos = false;
  while (!eos) {
    size_t n = std::min(chunk, s.frames() - pos);
    if (n == 0) {
      vorbis_analysis_wrote(&vd, 0);
    } else {
      float** buffer = vorbis_analysis_buffer(&vd, static_cast<int>(n));
      std::copy(s.l.begin() + pos, s.l.begin() + pos + n, buffer[0]);
      std::copy(s.r.begin() + pos, s.r.begin() + pos + n, buffer[1]);
      vorbis_analysis_wrote(&vd, static_cast<int>(n));
      pos += n;
    }
    while (vorbis_analysis_blockout(&vd, &vb) == 1) {
      vorbis_analysis(&vb, nullptr);
      vorbis_bitrate_addblock(&vb);
      ogg_packet packet;
      while (vorbis_bitrate_flushpacket(&vd, &packet) == 1) {
        ogg_stream_packetin(&os, &packet);
        while (ogg_stream_pageout(&os, &page) != 0) {
          ok = ok && Write_Page(f.get(), page);
          if (ogg_page_eos(&page)) eos = true;
        }
      }
    }
    if (n == 0 && !eos) {
      // Everything is flushed once the end-of-stream page is out.
      while (ogg_stream_flush(&os, &page) != 0) {
        ok = ok && Write_Page(f.get(), page);
        if (ogg_page_eos(&page)) eos = true;
      }
      eos = true;
    }
  }

  ogg_stream_clear(&os);
  vorbis_block_clear(&vb);
  vorbis_dsp_clear(&vd);
  vorbis_comment_clear(&vc);
  vorbis_info_clear(&vi);
  return ok;
}

}  // namespace sfx
