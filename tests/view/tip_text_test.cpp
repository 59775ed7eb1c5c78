#include "view/tip_text.h"

#include <gtest/gtest.h>

TEST(TrayTip, DateHolidayAndTheMonthsBalanceInSixtyThreeCharacters)
{
    const DateRecord sunday = {2009, 12, 6, 0, 9, 5, 7, 2};
    const DateRecord emperors_birthday = {2009, 12, 23, 3, 0, 0, 0, 2};
    EXPECT_EQ(tray_tip_text(sunday, u"", {35200, 4, 2, 1}), u"2009/12/06(日)\n今月 +35,200 (4勝2敗1分)");
    EXPECT_EQ(tray_tip_text(emperors_birthday, u"天皇誕生日", {-1200, 1, 3, 0}),
              u"2009/12/23(水)\n天皇誕生日\n今月 -1,200 (1勝3敗0分)");
    EXPECT_EQ(tray_tip_text(sunday, u"", {}), u"2009/12/06(日)\n今月 0 (0勝0敗0分)");

    std::u16string tip = tray_tip_text(emperors_birthday, std::u16string(40, u'祝'), {1000000000000LL, 31, 0, 0});
    EXPECT_EQ(tip, u"2009/12/23(水)\n" + std::u16string(17, u'祝') + u"\n今月 +1,000,000,000,000 (31勝0敗0分)")
        << "the name is cut to the 63 characters";
    EXPECT_EQ(tray_tip_text(emperors_birthday, u"天皇誕生日", {}, 28), u"2009/12/23(水)\n今月 0 (0勝0敗0分)")
        << "no room even for a character of it: no name line";
}
