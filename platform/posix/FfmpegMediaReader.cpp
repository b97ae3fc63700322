#include "platform/posix/FfmpegMediaReader.h"

#include "platform/AudioThread.h"

#if ZARNEL_HAVE_FFMPEG

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libavutil/mathematics.h>
#include <libswresample/swresample.h>
}

#include <algorithm>
#include <cerrno>
#include <limits>
#include <string>

namespace zarnel {

namespace {

constexpr int64_t kUnitsPerSecond = 10000000;  // 100-ns units
constexpr AVRational kUnitTimeBase{1, int(kUnitsPerSecond)};
constexpr AVRational kMicroTimeBase{1, AV_TIME_BASE};
// Below this probe score FFmpeg is guessing the format (random bytes can pass
// for MPEG audio); such files are refused rather than decoded as noise.
constexpr int kMinProbeScore = AVPROBE_SCORE_RETRY;
constexpr int32_t kMaxChannels = 2;
// First step back when a seek lands past its target; a step shorter than the
// container's seek granularity would find the same packet again.
constexpr int64_t kSeekBackStep = kUnitsPerSecond / 4;
constexpr int32_t kBytesPerSample = 2;

}  // namespace

FfmpegMediaReader::FfmpegMediaReader() {
  // FFmpeg reports every damaged packet on stderr; the reader reports by result.
  av_log_set_level(AV_LOG_QUIET);
  packet_ = av_packet_alloc();
  frame_ = av_frame_alloc();
}

FfmpegMediaReader::~FfmpegMediaReader() {
  close();
  av_frame_free(&frame_);
  av_packet_free(&packet_);
}

bool FfmpegMediaReader::open(const char* path) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  close();
  if (!path || !packet_ || !frame_ || !openContainer(path)) return false;
  findOutputs();
  if (outputCount_ == 0 || !activate(outputs_[0])) {
    close();
    return false;
  }
  return true;
}

bool FfmpegMediaReader::openContainer(const char* path) {
  // The "file:" prefix keeps a path holding ':' from being read as a URL, and
  // the whitelist keeps a hostile playlist format from reaching the network.
  const std::string url = std::string("file:") + path;
  AVDictionary* options = nullptr;
  av_dict_set(&options, "protocol_whitelist", "file", 0);
  const int rc = avformat_open_input(&format_, url.c_str(), nullptr, &options);
  av_dict_free(&options);
  if (rc < 0) return false;
  format_->flags |= AVFMT_FLAG_DISCARD_CORRUPT;
  if (format_->probe_score < kMinProbeScore || avformat_find_stream_info(format_, nullptr) < 0) {
    avformat_close_input(&format_);
    return false;
  }
  return true;
}

void FfmpegMediaReader::findOutputs() {
  outputCount_ = 0;
  for (unsigned i = 0; i < format_->nb_streams && outputCount_ < kMaxOutputs; ++i) {
    const AVCodecParameters* par = format_->streams[i]->codecpar;
    if (par->codec_type != AVMEDIA_TYPE_AUDIO || !avcodec_find_decoder(par->codec_id)) continue;
    if (par->sample_rate <= 0 || par->ch_layout.nb_channels <= 0) continue;
    outputs_[outputCount_++] =
        Output{int32_t(i), par->sample_rate, std::min(par->ch_layout.nb_channels, kMaxChannels)};
  }
}

void FfmpegMediaReader::close() {
  releaseDecoder();
  avformat_close_input(&format_);
  outputCount_ = 0;
  seekTarget_ = -1;
  rangeEnd_ = -1;
  if (packet_) av_packet_unref(packet_);
  if (frame_) av_frame_unref(frame_);
}

bool FfmpegMediaReader::activate(const Output& output) {
  if (active_ == &output) return true;
  releaseDecoder();
  const AVStream* stream = format_->streams[output.streamIndex];
  const AVCodec* codec = avcodec_find_decoder(stream->codecpar->codec_id);
  decoder_ = avcodec_alloc_context3(codec);
  if (!decoder_ || avcodec_parameters_to_context(decoder_, stream->codecpar) < 0) {
    releaseDecoder();
    return false;
  }
  decoder_->pkt_timebase = stream->time_base;
  if (avcodec_open2(decoder_, codec, nullptr) < 0) {
    releaseDecoder();
    return false;
  }
  // Packets of the other streams are never decoded; let the demuxer skip them.
  for (unsigned i = 0; i < format_->nb_streams; ++i)
    format_->streams[i]->discard = int32_t(i) == output.streamIndex ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
  active_ = &output;
  clock_.restart(0, output.rate);
  return true;
}

void FfmpegMediaReader::releaseDecoder() {
  avcodec_free_context(&decoder_);
  swr_free(&converter_);
  converterFormat_ = -1;
  active_ = nullptr;
  draining_ = false;
  frameReady_ = false;
}

int32_t FfmpegMediaReader::outputCount() { return outputCount_; }

bool FfmpegMediaReader::outputFormat(int32_t output, MediaOutputFormat& format) {
  if (output < 0 || output >= outputCount_) return false;
  format.audio = true;
  format.pcm = true;
  format.waveFormatEx = true;
  format.rate = outputs_[output].rate;
  format.channels = outputs_[output].channels;
  format.bits = 8 * kBytesPerSample;
  return true;
}

int32_t FfmpegMediaReader::streamOfOutput(int32_t output) {
  if (output < 0 || output >= outputCount_) return 0;
  return outputs_[output].streamIndex + 1;
}

const FfmpegMediaReader::Output* FfmpegMediaReader::outputOfStream(int32_t stream) const {
  for (int32_t i = 0; i < outputCount_; ++i)
    if (outputs_[i].streamIndex + 1 == stream) return &outputs_[i];
  return nullptr;
}

bool FfmpegMediaReader::duration(uint64_t& value) {
  if (!format_) return false;
  if (format_->duration != AV_NOPTS_VALUE && format_->duration >= 0) {
    value = uint64_t(av_rescale_q(format_->duration, kMicroTimeBase, kUnitTimeBase));
    return true;
  }
  const AVStream* stream = active_ ? format_->streams[active_->streamIndex] : nullptr;
  if (!stream || stream->duration == AV_NOPTS_VALUE || stream->duration < 0) return false;
  value = uint64_t(av_rescale_q(stream->duration, stream->time_base, kUnitTimeBase));
  return true;
}

bool FfmpegMediaReader::fileSize(uint64_t& value) {
  if (!format_ || !format_->pb) return false;
  const int64_t size = avio_size(format_->pb);
  if (size < 0) return false;
  value = uint64_t(size);
  return true;
}

MediaResult FfmpegMediaReader::nextSample(int32_t stream, MediaSample& sample) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  const Output* output = format_ ? outputOfStream(stream) : nullptr;
  if (!output || !activate(*output)) return MediaResult::error;
  int32_t failures = 0;
  while (failures < kMaxConsecutiveErrors) {
    const MediaResult decoded = frameReady_ ? MediaResult::ok : decodeNext();
    frameReady_ = false;
    if (decoded == MediaResult::noMoreSamples) return decoded;
    const FrameUse use = decoded == MediaResult::ok ? takeFrame(sample) : FrameUse::fail;
    if (use == FrameUse::fail) {
      ++failures;
      continue;
    }
    failures = 0;
    if (use == FrameUse::skip) continue;
    if (rangeEnd_ >= 0 && sample.time >= rangeEnd_) return MediaResult::noMoreSamples;
    return MediaResult::ok;
  }
  return MediaResult::error;
}

MediaResult FfmpegMediaReader::decodeNext() {
  for (;;) {
    const int rc = avcodec_receive_frame(decoder_, frame_);
    if (rc == 0) return MediaResult::ok;
    if (rc == AVERROR_EOF) return MediaResult::noMoreSamples;
    if (rc != AVERROR(EAGAIN)) return MediaResult::error;
    const MediaResult fed = feedDecoder();
    if (fed != MediaResult::ok) return fed;
  }
}

MediaResult FfmpegMediaReader::feedDecoder() {
  // A decoder that still asks for input after the flush packet has nothing more.
  if (draining_) return MediaResult::noMoreSamples;
  for (;;) {
    int rc = av_read_frame(format_, packet_);
    if (rc == AVERROR_EOF || (rc < 0 && avio_feof(format_->pb))) {
      draining_ = true;
      avcodec_send_packet(decoder_, nullptr);
      return MediaResult::ok;
    }
    if (rc < 0) return MediaResult::error;
    if (packet_->stream_index != active_->streamIndex) {
      av_packet_unref(packet_);
      continue;
    }
    rc = avcodec_send_packet(decoder_, packet_);
    av_packet_unref(packet_);
    return rc < 0 ? MediaResult::error : MediaResult::ok;
  }
}

FfmpegMediaReader::FrameUse FfmpegMediaReader::takeFrame(MediaSample& sample) {
  const int32_t frames = frame_->nb_samples;
  stampClock();
  FrameUse use = FrameUse::deliver;
  if (frames <= 0 || (seekTarget_ >= 0 && clock_.timeAfter(frames) <= seekTarget_)) {
    use = FrameUse::skip;
  } else if (frame_->sample_rate != active_->rate || !convertFrame(sample)) {
    use = FrameUse::fail;  // a rate change mid-stream would need resampling
  } else {
    sample.time = clock_.now();
    sample.duration = clock_.timeAfter(frames) - sample.time;
    trimToSeekTarget(sample, frames);
  }
  clock_.advance(frames);
  av_frame_unref(frame_);
  return use;
}

void FfmpegMediaReader::stampClock() {
  const int64_t pts = frame_->best_effort_timestamp;
  if (pts == AV_NOPTS_VALUE) return;
  const AVStream* stream = format_->streams[active_->streamIndex];
  const int64_t start = stream->start_time != AV_NOPTS_VALUE ? stream->start_time : 0;
  const int64_t time = av_rescale_q_rnd(pts - start, stream->time_base, kUnitTimeBase, AV_ROUND_DOWN);
  // Container times are coarse (ASF counts milliseconds): within one tick the
  // frame count is the truer time.
  const int64_t tick = av_rescale_q_rnd(1, stream->time_base, kUnitTimeBase, AV_ROUND_UP);
  clock_.stamp(time, tick);
}

bool FfmpegMediaReader::convertFrame(MediaSample& sample) {
  if (!configureConverter()) return false;
  const int32_t frames = frame_->nb_samples;
  const int32_t frameBytes = active_->channels * kBytesPerSample;
  const size_t bytes = size_t(frames) * size_t(frameBytes);
  if (pcm_.size() < bytes) pcm_.resize(bytes);
  uint8_t* out = pcm_.data();
  const int done = swr_convert(converter_, &out, frames,
                               const_cast<const uint8_t**>(frame_->extended_data), frames);
  if (done <= 0) return false;
  sample.bytes = pcm_.data();
  sample.size = done * frameBytes;
  return true;
}

bool FfmpegMediaReader::configureConverter() {
  const int32_t format = frame_->format;
  const int32_t channels = frame_->ch_layout.nb_channels;
  const int32_t rate = frame_->sample_rate;
  if (converter_ && format == converterFormat_ && rate == converterRate_ &&
      channels == converterChannels_)
    return true;
  swr_free(&converter_);
  converterFormat_ = -1;
  if (channels <= 0 || format < 0) return false;
  AVChannelLayout in{};
  AVChannelLayout out{};
  if (frame_->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || !av_channel_layout_check(&frame_->ch_layout))
    av_channel_layout_default(&in, channels);
  else if (av_channel_layout_copy(&in, &frame_->ch_layout) < 0)
    return false;
  av_channel_layout_default(&out, active_->channels);
  // Same rate in and out: only the sample format changes (and >2 channels mix to 2).
  int rc = swr_alloc_set_opts2(&converter_, &out, AV_SAMPLE_FMT_S16, rate, &in,
                               AVSampleFormat(format), rate, 0, nullptr);
  av_channel_layout_uninit(&in);
  av_channel_layout_uninit(&out);
  if (rc < 0 || swr_init(converter_) < 0) {
    swr_free(&converter_);
    return false;
  }
  converterFormat_ = format;
  converterRate_ = rate;
  converterChannels_ = channels;
  return true;
}

void FfmpegMediaReader::trimToSeekTarget(MediaSample& sample, int64_t frames) {
  const int64_t target = seekTarget_;
  seekTarget_ = -1;
  if (target < 0) return;
  const int64_t skip = std::min(frames - 1, clock_.framesUntil(target));
  if (skip <= 0) return;
  const int32_t frameBytes = active_->channels * kBytesPerSample;
  sample.bytes += skip * frameBytes;
  sample.size -= int32_t(skip * frameBytes);
  sample.time = clock_.timeAfter(skip);
  sample.duration = clock_.timeAfter(frames) - sample.time;
}

bool FfmpegMediaReader::setRange(int64_t start, int64_t duration) {
  ZARNEL_NOT_ON_AUDIO_THREAD();
  if (!format_ || !active_ || start < 0 || duration < 0) return false;
  // A seek lands on a packet at or before the target, but a decoder may need
  // several packets before its first output; while that output starts past the
  // target, seek again from further back.
  int64_t back = 0;
  for (int32_t attempt = 0; attempt < kMaxSeekAttempts; ++attempt) {
    const int64_t from = std::max<int64_t>(0, start - back);
    if (!seekStream(from)) return false;
    avcodec_flush_buffers(decoder_);
    draining_ = false;
    clock_.restart(from, active_->rate);
    seekTarget_ = start;
    const int64_t landed = decodeFirstFrame();
    if (landed <= start || from == 0) break;
    back = std::max(2 * back, kSeekBackStep) + (landed - start);
  }
  const bool toEnd = duration == 0 || duration > std::numeric_limits<int64_t>::max() - start;
  rangeEnd_ = toEnd ? -1 : start + duration;
  return true;
}

bool FfmpegMediaReader::seekStream(int64_t time) {
  const AVStream* stream = format_->streams[active_->streamIndex];
  // Rounded down, so the packet found starts at or before the time.
  int64_t ts = av_rescale_q_rnd(time, kUnitTimeBase, stream->time_base, AV_ROUND_DOWN);
  if (stream->start_time != AV_NOPTS_VALUE) ts += stream->start_time;
  return av_seek_frame(format_, active_->streamIndex, ts, AVSEEK_FLAG_BACKWARD) >= 0;
}

int64_t FfmpegMediaReader::decodeFirstFrame() {
  frameReady_ = false;
  for (int32_t failures = 0; failures < kMaxConsecutiveErrors;) {
    const MediaResult decoded = decodeNext();
    if (decoded == MediaResult::noMoreSamples) return -1;
    if (decoded == MediaResult::error) {
      ++failures;
      continue;
    }
    stampClock();
    frameReady_ = true;
    return clock_.now();
  }
  return -1;
}

}  // namespace zarnel

#else  // Built without FFmpeg: no file opens, as when the reader library is missing.

namespace zarnel {

FfmpegMediaReader::FfmpegMediaReader() = default;
FfmpegMediaReader::~FfmpegMediaReader() = default;
bool FfmpegMediaReader::open(const char*) { return false; }
void FfmpegMediaReader::close() {}
int32_t FfmpegMediaReader::outputCount() { return 0; }
bool FfmpegMediaReader::outputFormat(int32_t, MediaOutputFormat&) { return false; }
int32_t FfmpegMediaReader::streamOfOutput(int32_t) { return 0; }
bool FfmpegMediaReader::duration(uint64_t&) { return false; }
bool FfmpegMediaReader::fileSize(uint64_t&) { return false; }
MediaResult FfmpegMediaReader::nextSample(int32_t, MediaSample&) { return MediaResult::error; }
bool FfmpegMediaReader::setRange(int64_t, int64_t) { return false; }

}  // namespace zarnel

#endif
