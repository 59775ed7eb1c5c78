#include "view/day_colors.h"

ColorRef day_color(const DayKind& kind, const OptionsRecord& options)
{
    if (is_red_day(kind)) return options.sunday_color;
    return kind.kind == kind_saturday ? options.saturday_color : options.weekday_color;
}

ColorRef weekday_header_color(int column, const OptionsRecord& options)
{
    if (column == kind_sunday) return options.sunday_color;
    return column == kind_saturday ? options.saturday_color : options.weekday_color;
}
