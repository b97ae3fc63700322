#include "mixer/RecorderStatusText.h"

#include <cstdio>
#include <cstring>
#include <span>

namespace zarnel {

namespace {

// One value for a format text.
struct FormatValue {
  enum Kind { kText, kInt, kReal } kind;
  std::string_view text = {};
  long long integer = 0;
  double real = 0;
};

bool isFlag(char c) { return c != '\0' && std::strchr("-+ 0", c) != nullptr; }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Reads at most two digits from at: wider fields would only pad the panel.
void skipDigits(std::string_view format, size_t& at) {
  for (int n = 0; n < 2 && at < format.size() && isDigit(format[at]); ++n) ++at;
}

// Return: the kind a conversion character takes, or -1 for one not taken.
int conversionKind(char c) {
  if (c == 's') return FormatValue::kText;
  if (c == 'i' || c == 'd') return FormatValue::kInt;
  if (c == 'f') return FormatValue::kReal;
  return -1;
}

// Formats one number with the flags, width and precision of directive (which
// holds no length modifier and no conversion).
void appendNumber(std::string& out, std::string directive, const FormatValue& value) {
  char buf[512];  // two-digit widths and precisions keep any double inside
  if (value.kind == FormatValue::kInt) {
    directive += "lld";
    std::snprintf(buf, sizeof buf, directive.c_str(), value.integer);
  } else {
    directive += "f";
    std::snprintf(buf, sizeof buf, directive.c_str(), value.real);
  }
  out += buf;
}

std::string formatChecked(std::string_view format, std::span<const FormatValue> values) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    size_t at = i + 1;
    while (at < format.size() && isFlag(format[at])) ++at;
    skipDigits(format, at);
    if (at < format.size() && format[at] == '.') {
      ++at;
      skipDigits(format, at);
    }
    const std::string_view directive = format.substr(i, at - i);
    const int kind = at < format.size() ? conversionKind(format[at]) : -1;
    const bool matches = kind >= 0 && next < values.size() && values[next].kind == kind;
    if (kind >= 0 && next < values.size()) ++next;  // a mismatch still uses up its value
    if (!matches) {
      out += format.substr(i, at < format.size() ? at - i + 1 : at - i);
    } else if (kind == FormatValue::kText) {
      out += values[next - 1].text;
    } else {
      appendNumber(out, std::string(directive), values[next - 1]);
    }
    i = at < format.size() ? at : format.size();
  }
  return out;
}

void addTime(FormatValue* at, int64_t frames) {
  const RecordedTime t = recordedTime(frames);
  at[0] = {FormatValue::kInt, {}, t.hours};
  at[1] = {FormatValue::kInt, {}, t.minutes};
  at[2] = {FormatValue::kInt, {}, t.seconds};
}

std::string recordingText(std::string_view format, const RecorderStatus& s) {
  FormatValue values[9];
  values[0] = {FormatValue::kText, s.fileName};
  addTime(values + 1, s.fileFrames);
  values[4] = {FormatValue::kReal, {}, 0, recordedMegabytes(s.fileFrames)};
  addTime(values + 5, s.totalFrames);
  values[8] = {FormatValue::kReal, {}, 0, recordedMegabytes(s.totalFrames)};
  return formatChecked(format, values);
}

std::string broadcastText(const RecorderStatus& status, const RecorderTexts& texts) {
  switch (status.phase) {
    case RecorderPhase::kNoFile:
      return formatChecked(texts.broadcastError, {});
    case RecorderPhase::kArmed:
      return formatChecked(texts.broadcastWaiting, {});
    case RecorderPhase::kRecording:
    case RecorderPhase::kWriteFailed: {  // nothing fails once a plug-in is fed
      FormatValue time[3];
      addTime(time, status.totalFrames);
      return formatChecked(texts.broadcasting, time);
    }
    case RecorderPhase::kStopped:
      break;
  }
  return {};
}

}  // namespace

RecordedTime recordedTime(int64_t frames) {
  if (frames < 0) frames = 0;
  return {int(frames / 158760000), int(frames / 2646000 % 60), int(frames / 44100 % 60)};
}

double recordedMegabytes(int64_t frames) { return double(frames) * 4 / 1048576; }

std::string recorderStatusText(const RecorderStatus& status, const RecorderTexts& texts) {
  if (status.mode == RecorderMode::kBroadcast) return broadcastText(status, texts);
  switch (status.phase) {
    case RecorderPhase::kNoFile:
      return formatChecked(texts.noFile, {});
    case RecorderPhase::kArmed: {
      const FormatValue name[] = {{FormatValue::kText, status.fileName}};
      return formatChecked(texts.waiting, name);
    }
    case RecorderPhase::kRecording:
      return recordingText(texts.recording, status);
    case RecorderPhase::kWriteFailed:
      return recordingText(texts.writeFailed, status);
    case RecorderPhase::kStopped:
      break;
  }
  return {};
}

}  // namespace zarnel
