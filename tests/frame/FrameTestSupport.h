// Test fixture of the frame tests: a private work folder mapped as drive C:, a registry
// hive file of its own, copies of the built modules, and runs in a fresh process.
#pragma once

#include <afxstr.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

/// Shows texts in test failures as text (UTF-8).
void PrintTo(const CStringW& text, std::ostream* os);

namespace frametest {

/// Runs body in a freshly started copy of this test program (a death test in the
/// "threadsafe" style re-executes the program and runs only the current test): the
/// plug-in's process-wide state (installation data, the loaded pack, the host's command
/// stack) starts anew whatever ran before in this process. The test's code before the call
/// runs again in the child, so it must do the same thing each time.
void inFreshProcess(const std::function<void()>& body);

class FrameTest : public testing::Test {
protected:
    /// Creates an empty work folder for the test, maps drive C: to work()/C and points the
    /// registry at work()/registry.hive (read when the hive is first used).
    void SetUp() override;

    const std::filesystem::path& work() const { return work_; }
    /// The Unix folder of C:.
    std::filesystem::path driveC() const { return work_ / "C"; }

    /// Writes the hive file: the installation key with value Path (no value when null).
    void writeInstallKey(const wchar_t* path);
    /// Writes the hive file as given (the format of platform/Registry.h).
    void writeHive(const std::string& text);
    /// Makes this process read the hive file again (for tests that run in this process).
    void reloadHive();

    /// Copies the built Tavrix.zrx (under name) and, when withPack, TavrixLP.dll into folder.
    void copyModules(const std::filesystem::path& folder, bool withPack,
                     const std::string& name = "Tavrix.zrx");
    /// Creates a file (and its folders).
    void touch(const std::filesystem::path& file, const std::string& content = "x");

private:
    std::filesystem::path work_;
};

/// The built modules.
std::filesystem::path builtModule();
std::filesystem::path builtPack();

}  // namespace frametest
