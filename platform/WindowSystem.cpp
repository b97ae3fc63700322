#include "platform/WindowSystem.h"

namespace zarnel {

void Window::presentRects(const WindowRect*, int32_t count) {
  if (count > 0) present();
}

intptr_t WindowSystem::dispatch(const Message& message) {
  MessageHandler* handler = message.window ? message.window->handler() : nullptr;
  return handler ? handler->handle(message) : 0;
}

}  // namespace zarnel
