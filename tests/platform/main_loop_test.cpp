// The main loop's way out: an exception that escapes a handler ends the loop
// and goes to the program's handler (or on out of run() without one), and
// the display can be given back before the program's last box.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/application.h"
#include "platform/desktop.h"
#include "platform/form.h"
#include "platform/timer.h"

namespace tvz {
namespace {

class MainLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    ApplicationOptions options;
    options.headless = true;
    VideoInitError error;
    ASSERT_TRUE(app.init(options, &error)) << error.reason;
    createForm<Form>()->Show();
  }
  Application app;
};

TEST_F(MainLoop, AnExceptionFromAHandlerEndsTheLoopAndReachesTheProgram) {
  std::string seen;
  app.onException = [&](std::exception_ptr e) {
    try {
      std::rethrow_exception(e);
    } catch (const std::exception& x) {
      seen = x.what();
    }
  };
  Timer failing(1, [](Timer&) { throw std::out_of_range("cell 10 of 10"); });
  app.run();
  EXPECT_EQ(seen, "cell 10 of 10");
  EXPECT_TRUE(app.terminated());
  // The loop's own bookkeeping survived: a modal loop could still run its passes.
  app.processMessages();
}

TEST_F(MainLoop, WithoutAHandlerTheExceptionLeavesRun) {
  Timer failing(1, [](Timer&) { throw std::runtime_error("no handler"); });
  EXPECT_THROW(app.run(), std::runtime_error);
}

TEST_F(MainLoop, TheDisplayIsGivenBackAndTheScreenStillCaptures) {
  EXPECT_FALSE(app.displayReleased());
  app.releaseDisplay();
  EXPECT_TRUE(app.displayReleased());
  app.invalidate();
  app.redraw();  // nothing left to present to, and no harm done
  EXPECT_EQ(app.captureCanvas().width(), kScreenWidth);
}

TEST(ErrorBox, GoesToTheHandlerWhileOneIsSet) {
  std::vector<std::string> shown;
  ErrorBoxHandler previous = setErrorBoxHandler(
      [&](const std::string& caption, const std::string& text) { shown.push_back(caption + "|" + text); });
  showErrorBox("Trivenza", "Err : Unable to play sound\nLocn: 2010\n\n");
  setErrorBoxHandler(previous);
  EXPECT_EQ(shown, std::vector<std::string>{"Trivenza|Err : Unable to play sound\nLocn: 2010\n\n"});
}

}  // namespace
}  // namespace tvz
