// A folder the program cannot write to (unzipped under Program Files, a
// copy without rights) loses every setting and entry: it is told at once
// rather than at the first entry that cannot be saved.
#include "app/folder_check.h"

#include <string>

#include "dialogs/error_box.h"
#include "platform/win32_text.h"
#include "settings/program_folder.h"

namespace {
const wchar_t write_check_name[] = L"Ravo-write-check.tmp";

// A check file a crash left behind is taken over, not mistaken for a
// folder that refuses new files; it goes when closed, whatever happens.
bool takes_new_files(const std::wstring& folder)
{
    HANDLE file = CreateFileW((folder + write_check_name).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// Where Windows put what an older 32-bit copy wrote here without rights:
// %LOCALAPPDATA%\VirtualStore\<the folder's path without the drive>.
std::wstring virtual_store_of(const std::wstring& folder)
{
    wchar_t local[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"LOCALAPPDATA", local, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || folder.size() < 3 || folder[1] != L':') return std::wstring();
    return std::wstring(local) + L"\\VirtualStore" + folder.substr(2);
}

bool holds_program_files(const std::wstring& folder)
{
    if (GetFileAttributesW((folder + L"Option.bin").c_str()) != INVALID_FILE_ATTRIBUTES) return true;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"*.dat").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    return true;
}
}  // namespace

void check_program_folder(HWND window)
{
    const std::wstring folder = utf8_to_wide(program_folder());
    if (folder.empty() || takes_new_files(folder)) return;
    std::wstring text = L"このフォルダには書き込めません。\n\n" + folder +
                        L"\n\nこのままでは設定や勝ち負けの記録を保存できません。"
                        L"Tovrel を終了して、フォルダごと書き込みできるフォルダへ移してください。";
    const std::wstring store = virtual_store_of(folder);
    if (!store.empty() && holds_program_files(store))
        text += L"\n\nこれまでの設定や記録は次のフォルダにあります。いっしょに移してください。\n\n" + store;
    tell_error(window, text, MB_OK | MB_ICONWARNING);
}
