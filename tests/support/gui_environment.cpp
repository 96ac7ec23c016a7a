// Fonts need a running application; gtest_main owns main(), so a global environment makes one.
#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {

struct GuiEnvironment : testing::Environment {
    void SetUp() override {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        app = new QGuiApplication(argc, argv);
    }
    void TearDown() override { delete app; }

    int argc = 1;
    char name[6] = "tests";
    char* argv[2] = {name, nullptr};
    QGuiApplication* app = nullptr;
};

[[maybe_unused]] const auto* const kGui = testing::AddGlobalTestEnvironment(new GuiEnvironment);

}  // namespace
