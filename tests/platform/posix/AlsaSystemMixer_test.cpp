#include "platform/posix/AlsaSystemMixer.h"

#include <gtest/gtest.h>

#include <map>

namespace zarnel {
namespace {

// Cards and elements in memory; a card can be pulled out at any time.
class FakeControls : public MixerControls {
 public:
  struct State {
    std::map<std::string, std::map<std::string, ElementVolume>> cards;
    int32_t writes = 0;
  };
  explicit FakeControls(State& state) : state_(state) {}

  std::vector<std::string> cards() override {
    std::vector<std::string> names;
    for (const auto& card : state_.cards) names.push_back(card.first);
    return names;
  }
  bool read(const std::string& card, const std::string& element, ElementVolume& volume) override {
    const ElementVolume* found = find(card, element);
    if (found) volume = *found;
    return found != nullptr;
  }
  bool write(const std::string& card, const std::string& element,
             const std::vector<ChannelVolume>& values) override {
    ElementVolume* found = find(card, element);
    if (!found) return false;
    ++state_.writes;
    for (const ChannelVolume& value : values)
      for (ChannelVolume& channel : found->channels)
        if (channel.channel == value.channel) channel.value = value.value;
    return true;
  }

 private:
  ElementVolume* find(const std::string& card, const std::string& element) {
    auto c = state_.cards.find(card);
    if (c == state_.cards.end()) return nullptr;
    auto e = c->second.find(element);
    return e == c->second.end() ? nullptr : &e->second;
  }
  State& state_;
};

class AlsaSystemMixerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // Card one: stereo PCM, mono Master, and a control the mixer leaves alone.
    state_.cards["hw:One"]["PCM"] = {{{0, 120}, {1, 90}}, 255};
    state_.cards["hw:One"]["Master"] = {{{0, 40}}, 87};
    state_.cards["hw:One"]["Headphone"] = {{{0, 3}, {1, 4}}, 87};
    // Card two: no PCM element; Master with channels numbered 2 and 3.
    state_.cards["hw:Two"]["Master"] = {{{2, 10}, {3, 0}}, 31};
    original_ = volumes();
  }
  AlsaSystemMixer makeMixer() { return AlsaSystemMixer(std::make_unique<FakeControls>(state_)); }
  long volume(const char* card, const char* element, size_t channel) {
    return state_.cards[card][element].channels[channel].value;
  }
  // Return: every channel's value, in card and element order.
  std::vector<long> volumes() const {
    std::vector<long> values;
    for (const auto& [card, elements] : state_.cards)
      for (const auto& [element, volume] : elements)
        for (const ChannelVolume& channel : volume.channels) values.push_back(channel.value);
    return values;
  }

  FakeControls::State state_;
  std::vector<long> original_;
};

TEST_F(AlsaSystemMixerTest, RaiseSetsWaveAndMasterToFullAndRestorePutsThemBack) {
  AlsaSystemMixer mixer = makeMixer();
  mixer.raiseVolumes();
  EXPECT_EQ(volume("hw:One", "PCM", 0), 255);
  EXPECT_EQ(volume("hw:One", "PCM", 1), 255);
  EXPECT_EQ(volume("hw:One", "Master", 0), 87);
  EXPECT_EQ(volume("hw:One", "Headphone", 1), 4);
  EXPECT_EQ(volume("hw:Two", "Master", 0), 31);
  EXPECT_EQ(volume("hw:Two", "Master", 1), 31);
  mixer.restoreVolumes();
  EXPECT_EQ(volumes(), original_);
}

TEST_F(AlsaSystemMixerTest, RestoreIsSafeTwiceAndWithoutRaise) {
  AlsaSystemMixer mixer = makeMixer();
  mixer.restoreVolumes();
  EXPECT_EQ(state_.writes, 0);
  mixer.raiseVolumes();
  mixer.raiseVolumes();  // must not remember the raised values
  mixer.restoreVolumes();
  EXPECT_EQ(volumes(), original_);
  state_.cards["hw:One"]["PCM"].channels[0].value = 200;  // the user turns it up afterwards
  const int32_t writes = state_.writes;
  mixer.restoreVolumes();
  EXPECT_EQ(state_.writes, writes);
  EXPECT_EQ(volume("hw:One", "PCM", 0), 200);
}

TEST_F(AlsaSystemMixerTest, CardThatVanishedIsSkippedAndForgotten) {
  AlsaSystemMixer mixer = makeMixer();
  mixer.raiseVolumes();
  auto two = state_.cards.extract("hw:Two");
  mixer.restoreVolumes();
  EXPECT_EQ(volume("hw:One", "PCM", 1), 90);
  EXPECT_EQ(volume("hw:One", "Master", 0), 40);
  // Back again later: nothing of the old raise is replayed onto it.
  state_.cards.insert(std::move(two));
  const int32_t writes = state_.writes;
  mixer.restoreVolumes();
  EXPECT_EQ(state_.writes, writes);
  // A new raise remembers afresh.
  mixer.raiseVolumes();
  EXPECT_EQ(volume("hw:Two", "Master", 1), 31);
}

}  // namespace
}  // namespace zarnel
