// A test that runs Ravo.exe from a fresh program folder of its own.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "e2e/harness.h"
#include "support/option_bytes.h"

namespace e2e {

// A day's amount in the bytes of a year's amounts file.
inline void put_amount(Bytes& amounts, int month, int day, int32_t value)
{
    size_t at = 4 * ((month - 1) * 31 + day - 1);
    for (int i = 0; i < 4; ++i) amounts[at + i] = static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i));
}

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

    // Runs the probe DLL on the program's thread: what 1 reads the open
    // popup menu into menu-probe.txt, what 2 the visible day tooltip into
    // tooltip-probe.txt, beside the exe.
    void probe(WPARAM what)
    {
        HMODULE library = LoadLibraryW((own_folder() + L"menu_probe.dll").c_str());
        auto hook = reinterpret_cast<HOOKPROC>(reinterpret_cast<void (*)()>(GetProcAddress(library, "probe_hook")));
        HHOOK handle =
            SetWindowsHookExW(WH_CALLWNDPROC, hook, library, GetWindowThreadProcessId(program.window, nullptr));
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(program.window, RegisterWindowMessageW(L"RavoMenuProbe"), what, 0, SMTO_NORMAL, 5000,
                            &ignored);
        UnhookWindowsHookEx(handle);
    }

    // Rests the pointer on a client point (of the calendar unless told)
    // and reads the tooltip shown.
    std::wstring tooltip_at(long x, long y, HWND window = nullptr)
    {
        POINT point = {x, y};
        ClientToScreen(window ? window : program.window, &point);
        SetCursorPos(point.x + 3, point.y + 3);
        SetCursorPos(point.x, point.y);
        std::wstring file = file_in(folder, L"tooltip-probe.txt");
        for (int waited = 0; waited < 3000; waited += 250) {
            Sleep(250);
            DeleteFileW(file.c_str());
            probe(2);
            Bytes text = read_file(file);
            if (!text.empty()) return wide_from_utf8(std::string(text.begin(), text.end()));
        }
        return L"<none>";
    }

    // A dialog or message box of the program by its caption, once it is
    // shown (it exists before its controls are filled).
    HWND wait_for_dialog(const wchar_t* caption, int timeout_ms = 5000)
    {
        for (int waited = 0; waited <= timeout_ms; waited += 20) {
            HWND dialog = FindWindowW(L"#32770", caption);
            if (dialog && IsWindowVisible(dialog)) {
                settle(dialog);
                return dialog;
            }
            Sleep(20);
        }
        return nullptr;
    }
    // A message box's text by its caption, then closed with OK.
    std::wstring box_text(const wchar_t* caption)
    {
        HWND box = wait_for_dialog(caption);
        if (!box) return L"<no box>";
        std::wstring text = control_text(box, 65535);
        press(box, IDOK);
        return text;
    }
    static std::wstring control_text(HWND dialog, int id)
    {
        wchar_t text[512] = L"";
        GetDlgItemTextW(dialog, id, text, 512);
        return text;
    }
    // Clicks a button the way BM_CLICK does; posted, so a message box it
    // opens cannot block the test.
    void press(HWND dialog, int id)
    {
        PostMessageW(GetDlgItem(dialog, id), BM_CLICK, 0, 0);
        settle(program.window);
    }

    // The program's control with the keyboard focus.
    HWND focus()
    {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        GetGUIThreadInfo(GetWindowThreadProcessId(program.window, nullptr), &info);
        return info.hwndFocus;
    }
    // Typing at the focused control: characters as the keyboard hands them
    // on (WM_CHAR), then keys (WM_KEYDOWN). Sharing the program's input
    // state, a Ctrl held here is held there. The keys go to `to` when
    // given (a window without the focus yet).
    void type(const std::wstring& characters, std::initializer_list<WPARAM> keys = {}, bool with_ctrl = false,
              HWND to = nullptr)
    {
        // One at a time: a completing field answers each.
        for (wchar_t character : characters) PostMessageW(focus(), WM_CHAR, character, 1), settle(program.window);
        const DWORD thread = GetWindowThreadProcessId(program.window, nullptr);
        AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
        BYTE state[256];
        GetKeyboardState(state);
        state[VK_CONTROL] = with_ctrl ? 0x80 : 0;
        SetKeyboardState(state);
        for (WPARAM key : keys) PostMessageW(to ? to : focus(), WM_KEYDOWN, key, 1), settle(program.window);
        state[VK_CONTROL] = 0;
        SetKeyboardState(state);
        AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
    }

    // Waits until a window is the foreground one. Activation reaches the
    // test's own windows through their messages, so they are handled.
    static bool wait_for_foreground(HWND window)
    {
        for (int waited = 0; waited < 3000; waited += 20) {
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            if (GetForegroundWindow() == window) return true;
            Sleep(20);
        }
        return false;
    }

    // The program's focused control, as its thread sees it.
    // The rows of the visible lists of the analysis, the days list and
    // the visits window: "id|cell|cell...".
    std::vector<std::wstring> list_rows()
    {
        DeleteFileW(file_in(folder, L"lists-probe.txt").c_str());
        probe(7);
        Bytes bytes = read_file(file_in(folder, L"lists-probe.txt"));
        std::wstring text = wide_from_utf8(std::string(bytes.begin(), bytes.end()));
        std::vector<std::wstring> rows;
        for (size_t start = 0, end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
            rows.push_back(text.substr(start, end - start));
        return rows;
    }

    SIZE client_size()
    {
        RECT client;
        GetClientRect(program.window, &client);
        return SIZE{client.right, client.bottom};
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
