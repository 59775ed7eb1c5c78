#include "dialogs/save_messages.h"

#include <algorithm>
#include <string>

#include "dialogs/error_box.h"
#include "dialogs/figure_text.h"
#include "ledger/backup.h"
#include "platform/win32_text.h"

namespace {
const wchar_t changed_outside_caption[] = L"ほかのプログラムの変更";
// What is told once a run: a failed backup, and each year's unreadable
// visits file.
struct ToldThisRun {
    bool backup_failure;
    std::vector<int> unreadable_visits;
};
ToldThisRun told;

std::wstring file_name_wide(const std::string& path) { return utf8_to_wide(file_name_of(path).c_str()); }

// "2009m.dat、2009d.csv": the files a report names for a problem.
std::wstring names_with(const SaveReport& report, FileProblem problem)
{
    std::wstring names;
    for (const UnsavedFile& file : report.files)
        if (file.problem == problem) names += (names.empty() ? L"" : L"、") + file_name_wide(file.path);
    return names;
}

// What stopped the save, in the words the user can act on.
std::wstring why_not_saved(const SaveReport& report)
{
    const std::wstring held = names_with(report, file_held), read_only = names_with(report, file_read_only);
    if (!held.empty())
        return held + L" をほかのプログラムが開いているため保存できません。閉じてから、もう一度保存してください。\n\n";
    if (!read_only.empty())
        return read_only + L" は読み取り専用のため保存できません。ファイルのプロパティで読み取り専用を外してください。\n\n";
    return L"次の内容をファイルに保存できませんでした。\n\n";
}

std::wstring not_saved_text(const SaveReport& report)
{
    return why_not_saved(report) + utf8_to_wide(describe_save_failure(report).c_str());
}

// What happens to the change now.
std::wstring what_comes_next(const SaveReport& report)
{
    if (report.kept_in_memory)
        return L"\n入力した内容は覚えていて、次に保存するときや終了するときにもう一度書き込みます。";
    return L"\n入力した内容は保存の途中です。ファイルが閉じられたあと、この年を次に開くときか、次に起動したときに書き込みを終えます。";
}

std::wstring day_text(const DayEntry& day, size_t visits)
{
    std::wstring text = day.amount == 0 ? L"（なし）" : day.amount == -1 ? L"±0" : signed_sum_text(day.amount);
    if (day.memo[0]) text += L"　" + sjis_to_wide(day.memo);
    if (day.day_off == 1) text += L"　休日";
    if (visits) text += L"　明細 " + std::to_wstring(visits) + L" 件";
    return text;
}

bool ask_which_to_keep(const DayConflict& conflict, void* owner)
{
    wchar_t date[32];
    wsprintfW(date, L"%d/%d/%d", conflict.year, conflict.month, conflict.day);
    const std::wstring text = std::wstring(date) +
                              L" の記録は、開いたあとにほかのプログラムでも変えられています。\n\nファイルの内容: " +
                              day_text(conflict.theirs, conflict.their_visits) + L"\nこの入力: " +
                              day_text(conflict.mine, conflict.my_visits) +
                              L"\n\n［はい］この入力で保存します。\n［いいえ］ファイルの内容を残します。";
    return MessageBoxW(static_cast<HWND>(owner), text.c_str(), changed_outside_caption,
                       MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}
}  // namespace

void tell_save_failure(HWND owner, const SaveReport& report)
{
    tell_error(owner, not_saved_text(report) + what_comes_next(report));
}

void tell_restore_failure(HWND owner, const SaveReport& report)
{
    const wchar_t* next = report.record_waiting
                              ? L"\n戻す途中です。ファイルが閉じられたあと、この年を次に開くときか、次に起動したときに書き込みを終えます。"
                              : L"\nこの年のファイルは元のままです。";
    tell_error(owner, not_saved_text(report) + next);
}

void tell_restore_without_backup(HWND owner, const BackupResult& backup)
{
    tell_error(owner, L"今の内容のバックアップを作成できなかったため、戻しませんでした。\n\n" +
                          utf8_to_wide(backup.folder.c_str()) + L"\n" + utf8_to_wide(backup_failure_reason(backup.status)));
}

SaveChoices asking_choices(HWND owner) { return SaveChoices{ask_which_to_keep, owner}; }

void tell_changed_outside(HWND owner, int year, const SaveReport& report)
{
    if (report.changed_outside.empty()) return;
    std::wstring names;
    for (int part : report.changed_outside)
        names += (names.empty() ? L"" : L"、") + file_name_wide(ledger_part_path(year, part));
    const std::wstring text = names +
                              L" は、開いたあとにほかのプログラムで変えられていました。その変更は残し、ここで変えた日だけを書き込みました。";
    MessageBoxW(owner, text.c_str(), changed_outside_caption, MB_OK | MB_ICONINFORMATION);
}

void save_ledger_before_exit(HWND owner)
{
    SaveReport report;
    const SaveChoices choices = asking_choices(owner);
    while (!save_unsaved_years(&report, &choices)) {
        const std::wstring question =
            not_saved_text(report) + L"\n［再試行］でもう一度保存します。［キャンセル］で保存せずに終了します。";
        if (tell_error(owner, question, MB_RETRYCANCEL | MB_ICONERROR) == IDRETRY) continue;
        std::wstring lost =
            L"次の内容は保存されずに失われます。\n\n" + utf8_to_wide(describe_save_failure(report).c_str());
        if (report.record_waiting)
            lost += L"\nそれより前の保存は、ファイルが閉じられたあと、次に起動したときに書き込みを終えます。";
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
        names += (names.empty() ? L"" : L"、") + file_name_wide(ledger_part_path(year, part));
    }
    const std::wstring text = names + L" を読めないため、" + refused + L"\n\n" +
                              utf8_to_wide(describe_unreadable_parts(year, status).c_str()) +
                              L"\nほかのプログラムが開いていないか確かめてください。";
    tell_error(owner, text);
}

std::wstring visits_unreadable_text(int year, const std::vector<std::string>& problems, bool with_problems)
{
    const std::string path = ledger_part_path(year, part_visits);
    std::wstring text = L"\n\n" + utf8_to_wide(path.c_str()) + L"\n";
    if (with_problems)
        for (const std::string& problem : problems) text += utf8_to_wide(problem.c_str()) + L"\n";
    return file_name_wide(path) + L" を読めません。" + text;
}

bool tell_visits_unreadable_once(HWND owner, int year, const std::vector<std::string>& problems, const wchar_t* left_out)
{
    std::vector<int>& years = told.unreadable_visits;
    if (std::find(years.begin(), years.end(), year) != years.end()) return false;
    years.push_back(year);
    tell_error(owner, left_out + (L"\n\n" + visits_unreadable_text(year, problems, true)) +
                          L"\nファイルを直すか、ほかの場所へ移してください。",
               MB_OK | MB_ICONWARNING);
    return true;
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
    if (!take_backup_failure(&folder, &reason) || told.backup_failure) return;
    told.backup_failure = true;
    std::wstring text = L"バックアップを作成できませんでした。\n\n" + utf8_to_wide(folder.c_str()) + L"\n" +
                        utf8_to_wide(reason.c_str()) +
                        L"\n\n記録の保存はバックアップなしで続けます。この知らせは次に起動するまで出しません。";
    tell_error(owner, text);
}
