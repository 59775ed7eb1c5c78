// A test that runs Ravo.exe from a fresh program folder of its own.
#pragma once
#include <gtest/gtest.h>

#include <string>

#include "e2e/harness.h"
#include "support/option_bytes.h"

namespace e2e {

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override { folder = new_program_folder(); }
    void TearDown() override
    {
        kill_program(program);
        remove_folder(folder);
    }

    // Starts the program (with Option.bin when given) and waits until its
    // window exists and is idle.
    void launch(const char* fake_time = nullptr)
    {
        ASSERT_TRUE(start_program(program, folder, fake_time));
        ASSERT_TRUE(attach_window(program)) << "no Zured window";
        ASSERT_TRUE(settle(program.window));
    }
    void launch(const option_bytes::Bytes& options, const char* fake_time = nullptr)
    {
        write_options(options);
        launch(fake_time);
    }

    void write_options(const option_bytes::Bytes& bytes)
    {
        ASSERT_TRUE(write_file(file_in(folder, L"Option.bin"), bytes));
    }
    option_bytes::Bytes saved_options() { return read_file(file_in(folder, L"Option.bin")); }

    // Posts a menu command, as choosing it does, and waits until handled.
    void command(WORD id)
    {
        PostMessageW(program.window, WM_COMMAND, id, 0);
        settle(program.window);
    }
    // Posts mouse input at a client point and waits until handled.
    void mouse(UINT message, long x, long y)
    {
        PostMessageW(program.window, message, message == WM_LBUTTONDBLCLK ? MK_LBUTTON : 0, MAKELPARAM(x, y));
        settle(program.window);
    }

    RECT window_rect()
    {
        RECT rect;
        GetWindowRect(program.window, &rect);
        return rect;
    }

    std::wstring folder;
    Program program;
};

}  // namespace e2e
