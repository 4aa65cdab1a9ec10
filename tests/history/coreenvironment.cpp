// Qt SQL loads its driver through the application, and the journal's thread sends its
// signals through the event loop: the tests run inside a QCoreApplication.

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <memory>

namespace {

class CoreEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "history_test";
        static char *argv[] = {name, nullptr};
        m_app = std::make_unique<QCoreApplication>(argc, argv);
    }
    void TearDown() override { m_app.reset(); }

private:
    std::unique_ptr<QCoreApplication> m_app;
};

const auto *const environment = ::testing::AddGlobalTestEnvironment(new CoreEnvironment);

} // namespace
