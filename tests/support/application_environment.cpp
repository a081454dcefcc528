// The QApplication of a widget test program, made before the first test and destroyed after
// the last while main still runs: exit handlers would tear Qt's input devices down after it.

#include <gtest/gtest.h>

#include <QApplication>

#include <array>
#include <memory>

namespace {

class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override { m_app = std::make_unique<QApplication>(m_argc, m_argv.data()); }
    void TearDown() override { m_app.reset(); }

private:
    char m_name[11] = "mqx-widget";
    int m_argc = 1;
    std::array<char*, 2> m_argv{m_name, nullptr};
    std::unique_ptr<QApplication> m_app;
};

// GoogleTest owns the environment once it is added.
[[maybe_unused]] const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace
