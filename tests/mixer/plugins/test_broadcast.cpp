// A broadcast plug-in for the tests, built as a real shared library that
// knows nothing of the program: it declares the published DSP interface
// itself, as another maker's plug-in would. Its Init asks the host's window
// for the skin; its ModifySamples keeps the frames it is handed, then writes
// over them and returns garbage. Extra exports let a test read what it saw.
//
// Variants (compile definitions):
//   TEST_BROADCAST_OLD_EXPORT    exports only the older winampDSPGetHeader
//   TEST_BROADCAST_NULL_MODULE   the module getter returns null
//   TEST_BROADCAST_NO_EXPORT     exports no header getter

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

extern "C" {

struct DspModule {
  char* description;
  void* hwndParent;
  void* hDllInstance;
  void (*Config)(DspModule* self);
  int (*Init)(DspModule* self);
  int (*ModifySamples)(DspModule* self, short* samples, int frameCount, int bitsPerSample, int channels,
                       int sampleRate);
  void (*Quit)(DspModule* self);
  void* userData;
};

struct DspHeader {
  int version;
  char* description;
  DspModule* (*getModule)(int index);
  int (*sf)(int key);
};

// The host's window record on Linux (see the host's BroadcastPlugin.h).
struct DspHostWindow {
  intptr_t (*sendMessage)(DspHostWindow* self, uint32_t message, uintptr_t wparam, intptr_t lparam);
};

}  // extern "C"

namespace {

constexpr uint32_t kWmUser = 0x0400;
constexpr intptr_t kGetSkin = 201;

std::vector<short> received;  // every sample handed to ModifySamples, in order
std::string calls;            // one letter a call: I(nit), C(onfig), M(odifySamples), Q(uit)
std::string skinAnswer;       // the text at the address the get-skin query returned
std::string skinBuffer;       // what the query wrote into the buffer
intptr_t nullBufferAnswer = 0;
intptr_t otherQueryAnswer = 0;
void* instance = nullptr;
int lastFormat[3] = {};

char description[] = "Zarnel test broadcast plug-in";
char moduleDescription[] = "Test broadcast module";

void config(DspModule*) { calls += 'C'; }

int init(DspModule* self) {
  calls += 'I';
  instance = self->hDllInstance;
  auto* window = static_cast<DspHostWindow*>(self->hwndParent);
  char buffer[260];
  std::memset(buffer, 'x', sizeof buffer - 1);
  buffer[sizeof buffer - 1] = '\0';
  const intptr_t answer = window->sendMessage(window, kWmUser, reinterpret_cast<uintptr_t>(buffer), kGetSkin);
  skinAnswer = (answer == 0 || answer == -1) ? "<no address>" : reinterpret_cast<const char*>(answer);
  skinBuffer = buffer;
  nullBufferAnswer = window->sendMessage(window, kWmUser, 0, kGetSkin);
  otherQueryAnswer = window->sendMessage(window, kWmUser, 0, 202);
  return 0;
}

int modifySamples(DspModule*, short* samples, int frameCount, int bits, int channels, int rate) {
  calls += 'M';
  lastFormat[0] = bits;
  lastFormat[1] = channels;
  lastFormat[2] = rate;
  received.insert(received.end(), samples, samples + size_t(frameCount) * 2);
  // The interface leaves the buffer twice the frames' size: all of it is scribbled on.
  for (size_t i = 0; i < size_t(frameCount) * 4; ++i) samples[i] = short(0x5A5A ^ i);
  return -12345;
}

void quit(DspModule*) { calls += 'Q'; }

DspModule module = {moduleDescription, nullptr, nullptr, config, init, modifySamples, quit, nullptr};

#ifdef TEST_BROADCAST_NULL_MODULE
constexpr bool kNullModule = true;
#else
constexpr bool kNullModule = false;
#endif

DspModule* getModule(int index) { return index == 0 && !kNullModule ? &module : nullptr; }

DspHeader header = {0x20, description, getModule, nullptr};

}  // namespace

extern "C" {

#if defined(TEST_BROADCAST_NO_EXPORT)
__attribute__((visibility("default"))) DspHeader* notTheHeaderGetter() { return &header; }
#elif defined(TEST_BROADCAST_OLD_EXPORT)
__attribute__((visibility("default"))) DspHeader* winampDSPGetHeader() { return &header; }
#else
__attribute__((visibility("default"))) DspHeader* winampDSPGetHeader2() { return &header; }
#endif

// --- the test's window into the plug-in ---

// Forgets everything seen so far.
__attribute__((visibility("default"))) void testBroadcastReset() {
  received.clear();
  calls.clear();
  skinAnswer.clear();
  skinBuffer.clear();
  nullBufferAnswer = otherQueryAnswer = 0;
  instance = nullptr;
  std::memset(lastFormat, 0, sizeof lastFormat);
}
// Return: the frames received; *data: their samples.
__attribute__((visibility("default"))) int testBroadcastReceived(const short** data) {
  *data = received.data();
  return int(received.size() / 2);
}
// Return: the calls, one letter each, in order.
__attribute__((visibility("default"))) const char* testBroadcastCalls() { return calls.c_str(); }
__attribute__((visibility("default"))) const char* testBroadcastSkinAnswer() { return skinAnswer.c_str(); }
__attribute__((visibility("default"))) const char* testBroadcastSkinBuffer() { return skinBuffer.c_str(); }
// Return: the answers to the get-skin query without a buffer and to another query.
__attribute__((visibility("default"))) intptr_t testBroadcastNullBufferAnswer() { return nullBufferAnswer; }
__attribute__((visibility("default"))) intptr_t testBroadcastOtherQueryAnswer() { return otherQueryAnswer; }
__attribute__((visibility("default"))) void* testBroadcastInstance() { return instance; }
// Return: bits per sample, channels and rate of the last ModifySamples, in out[0..2].
__attribute__((visibility("default"))) void testBroadcastFormat(int* out) { std::memcpy(out, lastFormat, sizeof lastFormat); }
}
