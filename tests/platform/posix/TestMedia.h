#pragma once
// Test media for the FFmpeg reader: a scratch folder, raw files, and Windows
// Media files written with FFmpeg's own encoder.

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <string>
#include <vector>

#if __has_include(<libavformat/avformat.h>)
#define ZARNEL_TEST_HAVE_FFMPEG 1
extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}
#endif

namespace zarnel::test {

// A folder of its own under the system's temp folder, removed with its content.
class ScratchDir {
 public:
  explicit ScratchDir(const std::string& name)
      : path_(std::filesystem::temp_directory_path() /
              ("zarnel_" + name + "_" + std::to_string(::getpid()))) {
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  std::string file(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

inline void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

inline std::vector<uint8_t> readBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// Tone of channel c: 440 Hz times (c + 1), so that crossed channels show.
inline float testTone(int32_t frame, int32_t channel, int32_t rate) {
  return 0.5f * float(std::sin(2.0 * std::numbers::pi * 440.0 * (channel + 1) * frame / rate));
}

#if ZARNEL_TEST_HAVE_FFMPEG

// Encodes frames of testTone as WMA version 2 in an ASF file.
// Return: false when the encoder or the muxer fails.
class WmaWriter {
 public:
  ~WmaWriter() {
    av_packet_free(&packet_);
    av_frame_free(&frame_);
    avcodec_free_context(&encoder_);
    if (muxer_) avio_closep(&muxer_->pb);
    avformat_free_context(muxer_);
  }

  bool write(const std::string& path, int32_t rate, int32_t channels, int32_t frames) {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_WMAV2);
    if (!codec || avformat_alloc_output_context2(&muxer_, nullptr, "asf", path.c_str()) < 0) return false;
    AVStream* stream = avformat_new_stream(muxer_, nullptr);
    encoder_ = avcodec_alloc_context3(codec);
    if (!stream || !encoder_) return false;
    encoder_->sample_fmt = AV_SAMPLE_FMT_FLTP;
    encoder_->sample_rate = rate;
    encoder_->bit_rate = 32000 * channels;
    encoder_->time_base = AVRational{1, rate};
    av_channel_layout_default(&encoder_->ch_layout, channels);
    if (avcodec_open2(encoder_, codec, nullptr) < 0 ||
        avcodec_parameters_from_context(stream->codecpar, encoder_) < 0)
      return false;
    stream->time_base = encoder_->time_base;
    if (avio_open(&muxer_->pb, path.c_str(), AVIO_FLAG_WRITE) < 0 ||
        avformat_write_header(muxer_, nullptr) < 0)
      return false;
    return encodeAll(stream, frames) && av_write_trailer(muxer_) == 0;
  }

 private:
  bool encodeAll(AVStream* stream, int32_t frames) {
    frame_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    if (!frame_ || !packet_) return false;
    frame_->format = encoder_->sample_fmt;
    frame_->nb_samples = encoder_->frame_size;
    av_channel_layout_copy(&frame_->ch_layout, &encoder_->ch_layout);
    if (av_frame_get_buffer(frame_, 0) < 0) return false;
    for (int32_t at = 0; at < frames; at += encoder_->frame_size) {
      if (av_frame_make_writable(frame_) < 0) return false;
      frame_->nb_samples = std::min(encoder_->frame_size, frames - at);
      for (int32_t c = 0; c < encoder_->ch_layout.nb_channels; ++c)
        for (int32_t i = 0; i < frame_->nb_samples; ++i)
          reinterpret_cast<float*>(frame_->data[c])[i] = testTone(at + i, c, encoder_->sample_rate);
      frame_->pts = at;
      if (avcodec_send_frame(encoder_, frame_) < 0 || !drain(stream)) return false;
    }
    return avcodec_send_frame(encoder_, nullptr) == 0 && drain(stream);
  }

  bool drain(AVStream* stream) {
    while (avcodec_receive_packet(encoder_, packet_) == 0) {
      av_packet_rescale_ts(packet_, encoder_->time_base, stream->time_base);
      packet_->stream_index = stream->index;
      if (av_interleaved_write_frame(muxer_, packet_) < 0) return false;
    }
    return true;
  }

  AVFormatContext* muxer_ = nullptr;
  AVCodecContext* encoder_ = nullptr;
  AVFrame* frame_ = nullptr;
  AVPacket* packet_ = nullptr;
};

#endif

}  // namespace zarnel::test
