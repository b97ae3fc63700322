#include "skin/TextZone.h"

#include <vector>

#include "app/FatalError.h"
#include "app/Localisation.h"
#include "skin/DrawSurface.h"
#include "skin/TextFormatter.h"
#include "skin/TextPainter.h"

namespace zarnel {

namespace {

// The desk status codes that have a message of their own.
constexpr int32_t kStatusDiscMissing = 152;
constexpr int32_t kStatusUnreadable = 153;
constexpr int32_t kStatusCannotOpen = 156;
constexpr int32_t kStatusEmptyDesk = 157;

}  // namespace

std::string statusText(int32_t status, const std::string& deskMessage) {
  // The "Errors" slots: 0 holds the start message of an empty desk.
  switch (status) {
    case kStatusDiscMissing:
      return deskMessage;
    case kStatusUnreadable:
      return std::string(localisation().errorText(kErrorBadMp3));
    case kStatusCannotOpen:
      return std::string(localisation().errorText(kErrorBadFile));
    case kStatusEmptyDesk:
      return std::string(localisation().errorText(kErrorNone));
    default:
      return {};
  }
}

bool TextZone::hitTest(int32_t x, int32_t y) { return second_ && visible() && inHitArea(x, y); }

void TextZone::draw() {
  drawBackground();
  if (visible() && surface() && textRenderer()) {
    TextPainter painter(*surface(), *textRenderer());
    if (!drawStatus(painter)) drawFormat(painter);
  }
  if (!onSongPos_) invalidate();
}

bool TextZone::drawStatus(TextPainter& painter) {
  const ZoneValues* values = zoneValues();
  if (!errorMessages_ || !values || (desk() != 0 && desk() != 1)) return false;
  const int32_t status = values->statusCode(desk());
  if (status == 0) return false;
  const std::string text = statusText(status, status == kStatusDiscMissing ? values->statusMessage(desk()) : "");
  painter.drawWrapped(first_.font, text, first_.colour, rect());
  return true;
}

void TextZone::drawFormat(TextPainter& painter) {
  const TextFormat& f = current();
  if (f.colour == kColourTransparent) return;
  const ZoneFields fields(zoneValues(), desk(), counterStart_);
  const SkinRect& r = rect();
  for (const TextRun& run : TextFormatter(fields).format(f.format)) {
    // From the pen to the zone's right and bottom edges.
    const SkinRect box{r.x + run.x, r.y + run.y, r.width - run.x, r.height - run.y};
    painter.drawLines(f.font, run.text, f.colour, f.align, box);
  }
}

void TextZone::mouseUp(int32_t, int32_t, int32_t) {
  showSecond_ = !showSecond_;
  if (resetCounter_) {
    if (std::optional<int64_t> t = now()) counterStart_ = *t;
  }
  draw();
}

void TextZone::bind(const WidgetContext* context) {
  Widget::bind(context);
  if (counterStarted_) return;
  if (std::optional<int64_t> t = now()) {
    counterStart_ = *t;
    counterStarted_ = true;
  }
}

std::optional<int64_t> TextZone::now() const {
  if (zoneValues()) return zoneValues()->tickCount();
  if (host()) return host()->nowMs();
  return std::nullopt;
}

}  // namespace zarnel
