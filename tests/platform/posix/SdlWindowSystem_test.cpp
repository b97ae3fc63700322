#include "platform/posix/SdlWindowSystem.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>

namespace zarnel {
namespace {

struct NullHandler : MessageHandler {
  intptr_t handle(const Message&) override { return 0; }
};

// A termination signal becomes one kEndSession for the window with a
// procedure, and only once a window with a procedure exists.
TEST(SdlWindowSystem, ATerminationSignalArrivesAsTheSessionsEnd) {
  ::setenv("SDL_VIDEODRIVER", "dummy", 1);
  SdlWindowSystem windows;
  if (!windows.ready()) GTEST_SKIP() << "no SDL video driver";
  Message m;
  std::unique_ptr<Window> splash = windows.createWindow(WindowSpec{"ZARNELS", "", 0, 0, 40, 30});
  ASSERT_NE(splash, nullptr);
  ASSERT_EQ(std::raise(SIGTERM), 0);
  EXPECT_FALSE(windows.peekMessage(m, 20));  // nobody to close yet: it waits

  std::unique_ptr<Window> main = windows.createWindow(WindowSpec{"ZARNEL", "Zarnel", 0, 0, 80, 60});
  ASSERT_NE(main, nullptr);
  NullHandler handler;
  main->setHandler(&handler);
  ASSERT_TRUE(windows.peekMessage(m, 20));
  EXPECT_EQ(m.id, msg::kEndSession);
  EXPECT_EQ(m.wparam, 1);
  EXPECT_EQ(m.window, main.get());
  while (windows.peekMessage(m, 5)) EXPECT_NE(m.id, msg::kEndSession);  // delivered once
  ::unsetenv("SDL_VIDEODRIVER");
}

}  // namespace
}  // namespace zarnel
