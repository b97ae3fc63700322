#include "skin/Skin.h"

namespace zarnel {

namespace {

template <typename List, typename F>
void forEach(List& list, F&& f) {
  for (auto& widget : list) f(*widget);
}

}  // namespace

void Skin::bind(const WidgetContext* context) {
  auto connect = [context](Widget& w) { w.bind(context); };
  forEach(buttons, connect);
  forEach(sliders, connect);
  forEach(textZones, connect);
  forEach(dropZones, connect);
  forEach(beatLamps, connect);
  forEach(scratchZones, connect);
  if (rhythm) rhythm->bind(context);
  if (browser) browser->bind(context);
}

void Skin::drawAll() {
  auto paint = [](Widget& w) { w.draw(); };
  if (browser) browser->draw();  // first: widgets placed over it stay on top
  forEach(buttons, paint);
  forEach(sliders, paint);
  forEach(textZones, paint);
  forEach(beatLamps, paint);
}

size_t Skin::widgetCount() const {
  return buttons.size() + sliders.size() + textZones.size() + dropZones.size() + beatLamps.size() +
         scratchZones.size() + (rhythm ? 1 : 0) + (browser ? 1 : 0);
}

}  // namespace zarnel
