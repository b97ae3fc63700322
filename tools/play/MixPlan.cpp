#include "tools/play/MixPlan.h"

#include <algorithm>
#include <cstdio>

namespace zarnel::tools {

MixPlan::MixPlan(const PlatformServices& services) {
  DeskLinks links;
  links.services = services;
  links.poster = &watcher_;
  desks_[0] = std::make_unique<Desk>(0, links);
  desks_[1] = std::make_unique<Desk>(1, links);
}

bool MixPlan::load(const std::vector<std::string>& files, std::string& error) {
  tracks_ = std::min<size_t>(files.size(), 2);
  for (size_t d = 0; d < tracks_; ++d) {
    if (!desks_[d]->load(files[d].c_str(), "", files[d].c_str(), nullptr)) {
      error = loadFailure(*desks_[d], files[d]);
      return false;
    }
  }
  return true;
}

std::string MixPlan::loadFailure(const Desk& desk, const std::string& path) {
  if (desk.openFailure() == OpenFailure::kNone) return "cannot open " + path;
  return "cannot open " + path + ": " + openFailureText(desk.openFailure());
}

int64_t MixPlan::frameBound() const {
  int64_t seconds = 0;
  for (size_t d = 0; d < tracks_; ++d) seconds += std::max(0, desks_[d]->length());
  return (kBoundFactor * seconds + kBoundMarginSeconds) * kFramesPerSecond;
}

bool MixPlan::over(int32_t d) const {
  if (watcher_.ended[d]) return true;
  // A desk can also stop past its end without the message (a failed read).
  return !desks_[d]->playing() && desks_[d]->position() < 0;
}

void MixPlan::start() {
  mixer_.setCrossfader(0);
  desks_[0]->play();
}

void MixPlan::step() {
  if (tracks_ < 2) return;
  Desk& first = *desks_[0];
  if (!secondStarted_) {
    // Desk 2 also comes in when desk 1 is over early: a track too short or
    // too damaged ever to reach two thirds.
    if (first.position() < 2.0f / 3.0f && !over(0)) return;
    desks_[1]->play();
    secondStarted_ = true;
    fadeFrom_ = std::max(first.position(), 0.0f);
  }
  float p = first.position() < 0 ? 1.0f : (first.position() - fadeFrom_) / (1.0f - fadeFrom_);
  mixer_.setCrossfader(int32_t(4096 * std::clamp(p, 0.0f, 1.0f)));
}

bool MixPlan::finished() const { return over(0) && (tracks_ < 2 || (secondStarted_ && over(1))); }

void MixPlan::printStatus(double seconds) const {
  std::fprintf(stderr, "\r%6.1f s  desk 1 %5.1f%%  desk 2 %5.1f%%  crossfader %4d  pitch %d/%d ",
               seconds, 100.0 * std::max(0.0f, desks_[0]->position()),
               100.0 * std::max(0.0f, desks_[1]->position()), mixer_.crossfader(), desks_[0]->pitch(),
               desks_[1]->pitch());
}

}  // namespace zarnel::tools
