// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopMail.h"

#include "DesktopSession.h"
#include "FakeEmailPortal.h"
#include "foundation/Clock.h"
#include "foundation/RunLoop.h"
#include "platform/DesktopPortal.h"
#include "support/TestEnvironment.h"

#include <cstdlib>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace florelle;
using namespace florelle::testing;

namespace {

// An xdg-email of the test's own on PATH: it writes its arguments, one a
// line, beside itself and ends with the status the test chose.
class DesktopMailTest : public ::testing::Test {
protected:
    void SetUp() override {
        oldPath_ = std::getenv("PATH");
        ::setenv("PATH", (bin_.path().string() + ":" + oldPath_).c_str(), 1);
    }
    void TearDown() override { ::setenv("PATH", oldPath_.c_str(), 1); }

    void standInExits(int status) {
        auto script = bin_.path() / "xdg-email";
        std::ofstream(script) << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\"; done > "
                              << arguments() << "\nexit " << status << "\n";
        ::chmod(script.c_str(), 0755);
    }
    std::filesystem::path arguments() const { return bin_.path() / "arguments"; }
    std::vector<std::string> recorded() const {
        std::ifstream in(arguments());
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }
    static DesktopMail::Outcome send(DesktopMail& mail, const DesktopMail::Message& message) {
        std::optional<DesktopMail::Outcome> outcome;
        mail.compose(message, [&](DesktopMail::Outcome done) { outcome = done; });
        RunLoop::current().runUntil([&] { return outcome.has_value(); },
                                    Clock::current()->now().addingSeconds(10));
        EXPECT_TRUE(outcome);
        return outcome.value_or(DesktopMail::Outcome::failed);
    }

    TempDirectory bin_;
    std::string oldPath_;
};

TEST_F(DesktopMailTest, XdgEmailGetsEveryFileAsAnArgumentOfItsOwn) {
    standInExits(0);
    // Names a shell would take apart or run.
    DesktopMail::Message message{"", "", {"/tmp/My cycle.pdf", "/tmp/it's $(rm -rf ~); `x`.pdf"}};
    EXPECT_EQ(DesktopMail::xdgEmailArguments(message),
              (std::vector<std::string>{"xdg-email", "--utf8", "--attach", "/tmp/My cycle.pdf",
                                        "--attach", "/tmp/it's $(rm -rf ~); `x`.pdf"}));
    DesktopMail mail(nullptr);
    EXPECT_EQ(send(mail, message), DesktopMail::Outcome::handedOver);
    EXPECT_EQ(recorded(), (std::vector<std::string>{"--utf8", "--attach", "/tmp/My cycle.pdf",
                                                    "--attach", "/tmp/it's $(rm -rf ~); `x`.pdf"}));

    message.subject = "Cycle";
    message.body = "For Dr. Weber";
    EXPECT_EQ(DesktopMail::xdgEmailArguments(message),
              (std::vector<std::string>{"xdg-email", "--utf8", "--subject", "Cycle", "--body",
                                        "For Dr. Weber", "--attach", "/tmp/My cycle.pdf",
                                        "--attach", "/tmp/it's $(rm -rf ~); `x`.pdf"}));
}

TEST_F(DesktopMailTest, WithoutAnEmailProgramTheOutcomeSaysSo) {
    struct Case {
        const char* name;
        std::optional<int> status; // none: no xdg-email at all
        DesktopMail::Outcome outcome;
    };
    const std::vector<Case> cases = {
        {"xdg-email found no mail program", 3, DesktopMail::Outcome::noMailProgram},
        {"the mail program would not start", 4, DesktopMail::Outcome::noMailProgram},
        {"xdg-email failed otherwise", 1, DesktopMail::Outcome::failed},
        {"no xdg-email", std::nullopt, DesktopMail::Outcome::noMailProgram},
    };
    DesktopMail mail(nullptr);
    for (const Case& test : cases) {
        SCOPED_TRACE(test.name);
        if (test.status) {
            standInExits(*test.status);
        } else {
            ::setenv("PATH", bin_.path().c_str(), 1);
            std::filesystem::remove(bin_.path() / "xdg-email");
        }
        EXPECT_EQ(send(mail, {"", "", {"/tmp/report.pdf"}}), test.outcome);
    }
}

TEST_F(DesktopMailTest, ABusWithoutThePortalFallsBackToXdgEmail) {
    PrivateSessionBus bus;
    if (bus.address().empty()) {
        GTEST_SKIP() << "dbus-daemon is not installed";
    }
    auto portal = DesktopPortal::connect(bus.address());
    ASSERT_TRUE(portal);
    EXPECT_EQ(portal->version("org.freedesktop.portal.Email"), 0u);
    standInExits(0);
    DesktopMail mail(portal);
    EXPECT_EQ(send(mail, {"", "", {"/tmp/report.pdf"}}), DesktopMail::Outcome::handedOver);
    EXPECT_EQ(recorded(), (std::vector<std::string>{"--utf8", "--attach", "/tmp/report.pdf"}));
}

TEST_F(DesktopMailTest, WhereThePortalRunsItGetsTheFilesAndItsAnswerIsTheOutcome) {
    PrivateSessionBus bus;
    if (bus.address().empty()) {
        GTEST_SKIP() << "dbus-daemon is not installed";
    }
    FakeEmailPortal service(bus.address());
    standInExits(0);
    std::ofstream(bin_.path() / "cycle.pdf") << "cycle report";
    std::ofstream(bin_.path() / "moods.pdf") << "moods report";
    DesktopMail::Message message{
        "Reports", "", {bin_.path() / "cycle.pdf", bin_.path() / "moods.pdf"}};
    struct Case {
        std::uint32_t answer;
        DesktopMail::Outcome outcome;
    };
    const std::vector<Case> cases = {{0, DesktopMail::Outcome::handedOver},
                                     {1, DesktopMail::Outcome::cancelled},
                                     {2, DesktopMail::Outcome::noMailProgram}};
    DesktopMail mail(DesktopPortal::connect(bus.address()));
    for (size_t index = 0; index < cases.size(); ++index) {
        SCOPED_TRACE(cases[index].answer);
        service.answerWith(cases[index].answer);
        EXPECT_EQ(send(mail, message), cases[index].outcome);
        auto calls = service.calls(index + 1);
        ASSERT_EQ(calls.size(), index + 1);
        EXPECT_EQ(calls.back().subject, "Reports");
        EXPECT_EQ(calls.back().attachments,
                  (std::vector<std::string>{"cycle report", "moods report"}));
    }
    // xdg-email was never asked.
    EXPECT_FALSE(std::filesystem::exists(arguments()));
}

} // namespace
