#include "view/period_line.h"

#include "ledger/visits.h"
#include "view/amount_text.h"

namespace {
std::u16string count_text(int32_t count)
{
    const std::string digits = std::to_string(count);
    return std::u16string(digits.begin(), digits.end());
}

std::u16string figure_text(int64_t amount, bool in_man)
{
    char16_t text[signed_amount_text_size];
    (in_man ? format_man_amount : format_signed_amount)(amount, text);
    return text;
}
}  // namespace

PeriodFigures period_figures(const LedgerYear& value, int month)
{
    PeriodFigures figures = {month == 0 ? year_summary(value) : month_summary(value, month - 1), false, {false, 0}};
    int64_t minutes = 0, timed_balance = 0;
    for (const Visit& visit : value.visits) {
        // As the analysis counts them: only on a day shown as played.
        if ((month != 0 && visit.month != month) || value.amounts[visit.month - 1][visit.day - 1] == 0) continue;
        figures.has_visits = true;
        if (visit_minutes(visit) < 0) continue;
        minutes += visit_minutes(visit);
        timed_balance += visit_balance(visit);
    }
    if (minutes > 0) figures.hourly = Rate{true, rounded_ratio(timed_balance * 60, minutes)};
    return figures;
}

std::u16string period_line_text(const PeriodFigures& figures, bool year, bool in_man)
{
    const ResultSummary& summary = figures.summary;
    std::u16string line = (year ? u"今年 " : u"今月 ") + figure_text(summary.sum, in_man) + u"　" +
                          count_text(summary.wins) + u"勝" + count_text(summary.losses) + u"敗" +
                          count_text(summary.draws) + u"分";
    if (figures.has_visits)
        line += u"　時給 " + (figures.hourly.known ? figure_text(figures.hourly.value, in_man) : u"－");
    return line;
}
