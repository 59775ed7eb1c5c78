#include "dialogs/save_messages.h"

#include <string>

#include "dialogs/error_box.h"
#include "ledger/backup.h"
#include "platform/win32_text.h"

namespace {
bool backup_failure_told;

// "次の内容を…" and the part and file of every file not written.
std::wstring not_saved_text(const SaveReport& failure)
{
    return L"次の内容をファイルに保存できませんでした。\n\n" + utf8_to_wide(describe_save_failure(failure).c_str());
}
}  // namespace

void tell_save_failure(HWND owner, const SaveReport& failure)
{
    std::wstring text = not_saved_text(failure) +
                        L"\n入力した内容は覚えていて、次に保存するときや終了するときにもう一度書き込みます。\n"
                        L"フォルダやファイルに書き込めるか確かめてください。";
    tell_error(owner, text);
}

void save_ledger_before_exit(HWND owner)
{
    SaveReport failure;
    while (!save_unsaved_years(&failure)) {
        const std::wstring question =
            not_saved_text(failure) + L"\n［再試行］でもう一度保存します。［キャンセル］で保存せずに終了します。";
        if (tell_error(owner, question, MB_RETRYCANCEL | MB_ICONERROR) == IDRETRY) continue;
        const std::wstring lost =
            L"次の内容は保存されずに失われます。\n\n" + utf8_to_wide(describe_save_failure(failure).c_str());
        tell_error(owner, lost, MB_OK | MB_ICONWARNING);
        discard_unsaved_changes();
        return;
    }
}

void tell_year_unreadable(HWND owner, int year, const YearStatus& status, const wchar_t* refused)
{
    std::wstring names;
    for (int part = 0; part < ledger_part_count; ++part) {
        if (status.parts[part] != part_unreadable) continue;
        const std::string path = ledger_part_path(year, part);
        names += (names.empty() ? L"" : L"、") + utf8_to_wide(path.substr(path.find_last_of("\\/") + 1).c_str());
    }
    const std::wstring text = names + L" を読めないため、" + refused + L"\n\n" +
                              utf8_to_wide(describe_unreadable_parts(year, status).c_str()) +
                              L"\nほかのプログラムが開いていないか確かめてください。";
    tell_error(owner, text);
}

void tell_csv_write_failure(HWND owner, const std::wstring& path)
{
    std::wstring text = L"CSVファイルを書き込めませんでした。\n\n" + path + L"\n\nフォルダやファイルに書き込めるか確かめてください。";
    tell_error(owner, text);
}

void tell_backup_failure_once(HWND owner)
{
    std::string folder, reason;
    // Taken even when already told, so an old failure is never told later.
    if (!take_backup_failure(&folder, &reason) || backup_failure_told) return;
    backup_failure_told = true;
    std::wstring text = L"バックアップを作成できませんでした。\n\n" + utf8_to_wide(folder.c_str()) + L"\n" +
                        utf8_to_wide(reason.c_str()) +
                        L"\n\n記録の保存はバックアップなしで続けます。この知らせは次に起動するまで出しません。";
    tell_error(owner, text);
}
