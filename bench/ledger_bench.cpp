// The figures behind the two ledger windows over 48 year files
// (1990-2037), each with about a thousand visits, best of five batches:
// - the year dialog: the all-years total and the twelve month totals, as
//   select_month computes them, when it opens (every file read) and at a
//   month switch;
// - the balance analysis window: opening on the shown year (its figures and
//   a paint of its chart), the figures of all years (every file read, once
//   the window is painted), then the redraws: choosing all years or another
//   year, and a resize (a paint of the chart at another size); the
//   longest of the steps in which the window makes all years; and its
//   opening paint, which is to stay within 1.5 times the year dialog's
//   opening.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "analysis/analysis.h"
#include "analysis/days_behind.h"
#include "ledger/results.h"
#include "ledger/year_ledger.h"
#include "platform/win32_text.h"
#include "settings/program_folder.h"
#include "view/analysis_chart.h"
#include "view/offscreen.h"

namespace {

// Six visits on each played day, their balances the day's amount.
void add_visits(LedgerYear& value, int month, int day)
{
    const char* const categories[] = {"パチンコ", "スロット", "競馬"};
    const char* const places[] = {"ABCホール", "ＡＢＣホール", "XYZ会館", "駅前パーラー", "東京競馬場", "ｴｷﾏｴ"};
    const char* const games[] = {"海物語", "ジャグラー", "北斗の拳", "", "牙狼"};
    std::vector<Visit> visits;
    for (int i = 0; i < 6; ++i) {
        const int k = month * 31 + day + i;
        visits.push_back(Visit{month, day, categories[k % 3], places[k % 6], games[k % 5], 10000 + 1000 * (k % 7),
                               9000 + 1500 * (k % 5), 600 + 60 * i, 650 + 60 * i, ""});
    }
    set_day_visits(value, month, day, visits);
}

// Memos as people write them: a handful of places, now and then a new one.
void write_years()
{
    const char* const places[] = {"ABC hall new", "ABC hall", "XYZ kaikan", "station parlor", "horse tokyo"};
    LedgerYear value;
    for (int year = 1990; year <= 2037; ++year) {
        clear_ledger_year(value, year);
        for (int m = 0; m < 12; ++m)
            for (int d = 0; d < 31; ++d) {
                bool played = d % 2 == 0;
                value.amounts[m][d] = played ? (d % 3 ? 1200 : -800) + year : 0;
                char* memo = value.memos[m][d];
                memo[0] = 0;
                if (played && d % 7 == 0)
                    std::snprintf(memo, memo_size, "shop%d", year * 12 + m);
                else if (played)
                    std::snprintf(memo, memo_size, "%s", places[(m + d) % 5]);
                if (played && d < 28) add_visits(value, m + 1, d + 1);  // a real day of every month
            }
        save_ledger_year(value);
    }
}

// Milliseconds per round, the best of five batches.
double best_ms(int rounds, const std::function<void()>& work)
{
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    double best = 1e300;
    for (int batch = 0; batch < 5; ++batch) {
        QueryPerformanceCounter(&start);
        for (int i = 0; i < rounds; ++i) work();
        QueryPerformanceCounter(&end);
        double ms = (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart / rounds;
        if (ms < best) best = ms;
    }
    return best;
}

}  // namespace

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::atoi(argv[1]) : 50;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"ravo-ledger-bench\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    char utf8[path_capacity];
    wide_to_utf8((folder + L"Ravo.exe").c_str(), utf8, sizeof utf8);
    set_program_path(utf8);
    write_years();
    LedgerYear shown;
    read_ledger_year(2037, shown);

    int64_t check = 0;
    auto year_dialog = [&](bool opening) {
        if (opening) forget_year_summaries();
        check += all_years_summary(2037).sum;
        for (int k = 0; k < 12; ++k) check += month_summary(shown, k).sum;
    };
    double opening = best_ms(rounds, [&] { year_dialog(true); });
    double switching = best_ms(rounds, [&] { year_dialog(false); });
    std::printf("year dialog figures over 48 year files: opening %.3f ms, month switch %.3f ms   [%lld]\n", opening,
                switching, static_cast<long long>(check % 1000));

    // The chart at the window's opening size and larger, as at 96 DPI.
    Offscreen canvas;
    make_offscreen(1400, 900, canvas);
    const RECT opening_size = {0, 0, 500, 320}, larger_size = {0, 0, 1400, 900};
    const ChartColors colors = {RGB(255, 255, 0), RGB(255, 224, 224), 0};
    BalanceAnalysis year, all;
    auto paint = [&](const BalanceAnalysis& analysis, const RECT& size) {
        draw_chart(canvas.dc, size, analysis, colors, 96);
        check += analysis.totals.results.sum;
    };
    double year_opening = best_ms(rounds, [&] {
        analyse_period(2037, year);
        paint(year, opening_size);
    });
    double all_years = best_ms(rounds, [&] { analyse_period(all_years_period, all); });
    double to_all_years = best_ms(rounds, [&] { paint(all, opening_size); });
    double to_other_year = best_ms(rounds, [&] {
        analyse_period(2036, year);
        paint(year, opening_size);
    });
    double resize = best_ms(rounds, [&] { paint(all, larger_size); });
    double all_opening = best_ms(rounds, [&] {
        analyse_period(all_years_period, all);
        paint(all, opening_size);
    });
    // The window makes all years a year at a time: its longest wait.
    double longest_step = 1e300;
    for (int batch = 0; batch < 5; ++batch) {
        double longest = 0;
        AllYearsWork* work = begin_all_years(all);
        for (bool more = true; more;) {
            const double step = best_ms(1, [&] { more = step_all_years(work); });
            if (step > longest) longest = step;
        }
        drop_all_years(work);
        if (longest < longest_step) longest_step = longest;
    }
    free_offscreen(canvas);
    std::printf("analysis window: opening on the shown year %.3f ms (figures and chart); all years' figures %.3f ms, "
                "%zu memo rows, made a year at a time once the window is painted, the longest step %.3f ms   [%lld]\n",
                year_opening, all_years, all.tags.size(), longest_step, static_cast<long long>(check % 1000));
    std::printf("analysis window redraws: to all years %.3f ms, to another year %.3f ms, resize to 1400x900 %.3f ms "
                "(a frame is 16.7 ms)\n",
                to_all_years, to_other_year, resize);
    // A search of every year's memos and visits, as it runs for each
    // character typed.
    size_t found = 0;
    double search = best_ms(rounds / 5 + 1, [&] { found = days_behind(all, text_choice("牙狼")).size(); });
    double save = best_ms(rounds / 5 + 1, [&] {
        LedgerYear value;
        read_ledger_year(2037, value);
        value.amounts[0][0] ^= 1;
        save_ledger_year(value);
    });
    std::printf("search of 48 years' memos and visits: %.3f ms, %zu days found; a save of a year with its visits "
                "(read again and merged first) %.3f ms\n",
                search, found, save);
    std::printf("with %d visits a year, the analysis window paints on opening after %.3f ms, %.2f times the year "
                "dialog's opening %.3f ms (to stay within 1.5); all years with their tables and chart take %.3f ms "
                "(%.2f times), made after it paints\n",
                all.visits.totals.visits / 48, year_opening, year_opening / opening, opening, all_opening,
                all_opening / opening);
    return 0;
}
