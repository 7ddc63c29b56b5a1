#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryFile>

int main(int argc, char** argv) {
  // Test discovery runs without the test environment; windows stay off-screen either way.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
  // The off-screen platform's own screen is 800 x 600, too small for the
  // larger window sizes: the suites get a 1920 x 1080 desktop instead
  // (ZARNET_TEST_DPR sets its device pixel ratio).
  QTemporaryFile screens;
  if (qgetenv("QT_QPA_PLATFORM") == "offscreen" && screens.open()) {
    const QByteArray dpr = qEnvironmentVariableIsEmpty("ZARNET_TEST_DPR") ? "1" : qgetenv("ZARNET_TEST_DPR");
    screens.write(R"({"screens": [{"name": "desk", "x": 0, "y": 0, "width": 1920, "height": 1080,
                      "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": )" + dpr + "}]}");
    screens.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + screens.fileName().toUtf8());
  }
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
