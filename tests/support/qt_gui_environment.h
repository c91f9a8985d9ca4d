#pragma once
// A QGuiApplication for every test of a test program (offscreen unless the
// environment names another platform). A test folder registers it once:
//   [[maybe_unused]] auto* const kQt = ::testing::AddGlobalTestEnvironment(new QtGuiEnvironment("name"));
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <memory>

class QtGuiEnvironment : public ::testing::Environment {
public:
    explicit QtGuiEnvironment(const char* programName) : m_name(programName) {}
    void SetUp() override
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char* argv[] = {const_cast<char*>(m_name), nullptr};
        m_app = std::make_unique<QGuiApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    const char* m_name;
    std::unique_ptr<QGuiApplication> m_app;
};
