// The harness itself: date-dependent cases rely on its fake clock.
#include <gtest/gtest.h>

#include <string>

#include "e2e/harness.h"

using namespace e2e;

TEST(Harness, FakeClockReachesTheStartedProgram)
{
    std::wstring folder = new_program_folder();
    ASSERT_TRUE(CopyFileW((own_folder() + L"ravo-tool.exe").c_str(), (folder + L"ravo-tool.exe").c_str(), FALSE));
    Program tool;
    ASSERT_TRUE(start_executable(tool, folder, L"ravo-tool.exe", L"now \"" + folder + L"now.txt\"", "2009-12-06 09:05:07"));
    // A program on the fake clock runs under a Unix parent whose handle
    // cannot be waited on: wait for its output instead.
    for (int waited = 0; waited < 15000 && !file_exists(folder + L"now.txt"); waited += 50) Sleep(50);
    Sleep(100);
    Bytes text = read_file(folder + L"now.txt");
    std::string now(text.begin(), text.end());
    // The clock runs on from the given time; allow for a slow start.
    EXPECT_EQ(now.substr(0, 17), "2009-12-06 09:05:") << now;
    remove_folder(folder);
}
