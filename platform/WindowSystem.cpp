#include "platform/WindowSystem.h"

namespace zarnel {

intptr_t WindowSystem::dispatch(const Message& message) {
  MessageHandler* handler = message.window ? message.window->handler() : nullptr;
  return handler ? handler->handle(message) : 0;
}

}  // namespace zarnel
