#include <QApplication>
#include <QStyleFactory>

#include "support/ScriptedPrompter.h"

#include <gtest/gtest.h>

namespace {

// No test may leave a real message box waiting for a user who is not there: a prompt
// that no test scripted fails the test that raised it and is answered No or Cancel.
class UnexpectedPrompts : public ::testing::EmptyTestEventListener {
    void OnTestStart(const ::testing::TestInfo&) override { m_prompter = std::make_unique<tarvix::test::ScriptedPrompter>(); }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        if (!m_prompter->asked.isEmpty() || !m_prompter->errors.isEmpty() || !m_prompter->informations.isEmpty())
            ADD_FAILURE() << "unexpected prompts: "
                          << (m_prompter->asked + m_prompter->errors + m_prompter->informations).join(" | ").toStdString();
        m_prompter.reset();
    }
    std::unique_ptr<tarvix::test::ScriptedPrompter> m_prompter;
};

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    ::testing::InitGoogleTest(&argc, argv);
    ::testing::UnitTest::GetInstance()->listeners().Append(new UnexpectedPrompts);
    return RUN_ALL_TESTS();
}
