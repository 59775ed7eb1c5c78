#include "dialogs/year_csv.h"

#include <string>

#include "dialogs/error_box.h"
#include "dialogs/save_messages.h"
#include "ledger/csv_export.h"
#include "ledger/year_ledger.h"
#include "platform/win32_text.h"
#include "settings/program_folder.h"

namespace {
std::wstring csv_name(int year) { return L"CSV\\" + std::to_wstring(year) + L".csv"; }

// The first problems, a line each, and how many there were in all.
void tell_problems(HWND dialog, const CsvImport& parsed)
{
    std::wstring text = csv_name(parsed.year) + L" にまちがいがあるため、何も変えませんでした。\n\n";
    for (const ImportProblem& problem : parsed.problems) text += utf8_to_wide(problem.message.c_str()) + L"\n";
    if (parsed.problem_count > import_problems_kept)
        text += L"\nほかにもあり、全部で " + std::to_wstring(parsed.problem_count) + L" 件です。";
    tell_error(dialog, text);
}

// The year's CSV file, when it can be used; else what is wrong is told.
bool read_import(HWND dialog, int year, CsvImport* parsed)
{
    CsvFileStatus status = read_year_csv(year, parsed);
    if (status == csv_file_missing) {
        tell_error(dialog, csv_name(year) + L" が見つかりません。");
    } else if (status == csv_file_unreadable) {
        tell_error(dialog, L"CSVファイルを読み込めませんでした。\n\n" + utf8_to_wide(csv_path(year).c_str()) +
                               L"\n\nほかのプログラムが開いていないか確かめてください。");
    } else if (status == csv_file_too_large) {
        tell_error(dialog, csv_name(year) + L" は大きすぎるため読めません。読めるのは " +
                               std::to_wstring(csv_import_limit / 1024 / 1024) + L" MB までです。");
    } else if (!parsed->problems.empty()) {
        tell_problems(dialog, *parsed);
    }
    return status == csv_file_read && parsed->problems.empty();
}
}  // namespace

void export_year_csv(HWND dialog, int year)
{
    std::wstring question = std::to_wstring(year) + L"年の情報を" + utf8_to_wide(program_folder()) + L"CSV\\" +
                            std::to_wstring(year) + L".CSVに出力します。よろしいですか？";
    if (MessageBoxW(dialog, question.c_str(), L"CSV出力", MB_OKCANCEL) != IDOK) return;
    bool unreadable = false;
    if (export_csv(year, &unreadable)) return;
    if (unreadable) {
        tell_error(dialog, std::to_wstring(year) + L"年のファイルを読めませんでした。CSVファイルは作りませんでした。");
        return;
    }
    tell_csv_write_failure(dialog, utf8_to_wide(csv_path(year).c_str()));
}

void tell_import_outcome(HWND dialog, int year, const ImportOutcome& outcome)
{
    if (outcome.status == import_unreadable) {
        tell_year_unreadable(dialog, year, outcome.year_status, L"取り込めません。");
        return;
    }
    if (outcome.status == import_no_backup) {
        tell_error(dialog, L"バックアップを作成できなかったため、何も変えませんでした。\n\n" +
                               utf8_to_wide(outcome.backup.folder.c_str()) + L"\n" +
                               utf8_to_wide(backup_failure_reason(outcome.backup.status)));
        return;
    }
    if (outcome.status == import_not_saved) tell_save_failure(dialog, outcome.failure);
    tell_backup_failure_once(dialog);
    if (outcome.status != import_saved) return;
    std::wstring text = std::to_wstring(outcome.days_read) + L"日分を読み込みました。";
    if (outcome.memos_cut)
        text += L"\nメモ " + std::to_wstring(outcome.memos_cut) + L" 件を " + std::to_wstring(memo_max_bytes) +
                L" バイトに切りました。";
    MessageBoxW(dialog, text.c_str(), L"CSV入力", MB_OK);
}

bool ask_and_import_year_csv(HWND dialog, int year, ImportOutcome* outcome)
{
    CsvImport parsed;
    if (!read_import(dialog, year, &parsed)) return false;
    std::wstring question = std::to_wstring(year) + L"年の金額とメモを " + csv_name(year) + L" の内容（" +
                            std::to_wstring(parsed.days.size()) + L"日分）で置き換えます。よろしいですか？";
    if (int kept = memos_a_spreadsheet_changed(parsed))
        question += L"\n\n表計算ソフトが数や日付に変えたメモ " + std::to_wstring(kept) + L" 件は元のままにします。";
    if (MessageBoxW(dialog, question.c_str(), L"CSV入力", MB_OKCANCEL) != IDOK) return false;
    *outcome = apply_year_csv(parsed);
    return true;
}
