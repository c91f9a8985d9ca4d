// A QGuiApplication for every test of this program.
#include "tests/support/qt_gui_environment.h"

namespace {
[[maybe_unused]] ::testing::Environment* const kQtEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtGuiEnvironment("test_oxa_keyboard"));
}  // namespace
