// The year dialog's figures: the all-years total over 48 year files
// (1990-2037) and the twelve month totals, as select_month computes them,
// when the dialog opens (every file read) and at a month switch.
#include <windows.h>

#include <cstdio>
#include <string>

#include "ledger/results.h"
#include "ledger/year_ledger.h"
#include "platform/win32_text.h"
#include "settings/program_folder.h"

int main(int argc, char** argv)
{
    int rounds = argc > 1 ? std::atoi(argv[1]) : 200;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = std::wstring(temp) + L"ravo-ledger-bench\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    char utf8[path_capacity];
    wide_to_utf8((folder + L"Ravo.exe").c_str(), utf8, sizeof utf8);
    set_program_path(utf8);
    for (int year = 1990; year <= 2037; ++year) {
        for (int m = 0; m < 12; ++m)
            for (int d = 0; d < 31; d += 2) ledger_amounts()[m][d] = (d % 3 ? 1200 : -800) + year;
        save_year(year);
    }
    load_year(2037);

    int64_t check = 0;
    auto figures = [&](bool opening) {
        if (opening) forget_year_summaries();
        check += all_years_summary(2037).sum;
        for (int k = 0; k < 12; ++k) check += month_summary(k).sum;
    };
    auto best_ms = [&](bool opening) {
        LARGE_INTEGER frequency, start, end;
        QueryPerformanceFrequency(&frequency);
        double best = 1e300;
        for (int batch = 0; batch < 5; ++batch) {
            QueryPerformanceCounter(&start);
            for (int i = 0; i < rounds; ++i) figures(opening);
            QueryPerformanceCounter(&end);
            double ms = (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart / rounds;
            if (ms < best) best = ms;
        }
        return best;
    };
    double opening = best_ms(true);
    double switching = best_ms(false);
    std::printf("year dialog figures over 48 year files: opening %.3f ms, month switch %.3f ms   [%lld]\n", opening,
                switching, static_cast<long long>(check % 1000));
    return 0;
}
