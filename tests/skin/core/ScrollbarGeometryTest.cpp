// Where a skinned scroll bar's thumb and parts lie: the thumb kept between the arrows whatever
// the values, no thumb without a range, and the part under a point.
#include <gtest/gtest.h>

#include "ScrollbarGeometry.h"

namespace {

constexpr int Arrow = 16;
constexpr int Length = 200;  // a track of 168 pixels

}  // namespace

TEST(ScrollbarGeometry, AControlsThumbFollowsItsValuesAndNeverLeavesTheTrack) {
    TScrollThumb thumb = ControlThumb(Length, Arrow, 0, 100, 0, 0);
    EXPECT_TRUE(thumb.Shown);
    EXPECT_EQ(thumb.Start, Arrow) << "at the minimum, just below the arrow";
    EXPECT_EQ(thumb.Length(), Arrow) << "without a page, one arrow long";

    thumb = ControlThumb(Length, Arrow, 0, 100, 0, 100);
    EXPECT_EQ(thumb.End, Length - Arrow) << "at the maximum, kept above the lower arrow";
    thumb = ControlThumb(Length, Arrow, 0, 100, 0, 1000);
    EXPECT_EQ(thumb.End, Length - Arrow) << "a position past the maximum too";
    thumb = ControlThumb(Length, Arrow, 0, 100, 0, -50);
    EXPECT_EQ(thumb.Start, Arrow);

    thumb = ControlThumb(Length, Arrow, 0, 100, 51, 0);
    EXPECT_EQ(thumb.Length(), 84) << "a half page is half the track";
    thumb = ControlThumb(Length, Arrow, 10, 110, 51, 60);
    EXPECT_EQ(thumb.Start, 100) << "the position counts from the minimum";
}

TEST(ScrollbarGeometry, NothingToScrollOrNoRoomShowsNoThumb) {
    EXPECT_FALSE(ControlThumb(Length, Arrow, 5, 5, 0, 5).Shown) << "a range of 0";
    EXPECT_FALSE(ControlThumb(Length, Arrow, 10, 0, 0, 5).Shown) << "a negative range";
    EXPECT_FALSE(ControlThumb(Length, Arrow, -2147483647 - 1, 2147483647, 0, 0).Shown) << "a range past an int";
    EXPECT_FALSE(ControlThumb(Length, Arrow, 0, 10, 500, 0).Shown) << "a page larger than the range";
    EXPECT_FALSE(ControlThumb(30, Arrow, 0, 100, 0, 50).Shown) << "no room between the arrows";
    EXPECT_FALSE(ClampThumb(TScrollThumb{20, 10, true}, Length, Arrow).Shown) << "an inverted thumb";
}

TEST(ScrollbarGeometry, ADraggedThumbStaysBetweenTheArrows) {
    EXPECT_EQ(DraggedThumb(50, 40, 30, Length, Arrow).Start, 80);
    EXPECT_EQ(DraggedThumb(50, 40, -500, Length, Arrow).Start, Arrow);
    const TScrollThumb far = DraggedThumb(50, 40, 500, Length, Arrow);
    EXPECT_EQ(far.End, Length - Arrow);
    EXPECT_EQ(far.Length(), 40);
    EXPECT_FALSE(DraggedThumb(50, 190, 0, Length, Arrow).Shown) << "longer than the track";
}

TEST(ScrollbarGeometry, PartsLieInOrderAlongTheBar) {
    const TScrollThumb thumb{60, 100, true};
    EXPECT_EQ(ScrollPartAt(0, Length, Arrow, thumb), spFirstArrow);
    EXPECT_EQ(ScrollPartAt(Arrow, Length, Arrow, thumb), spPageBefore);
    EXPECT_EQ(ScrollPartAt(60, Length, Arrow, thumb), spThumb);
    EXPECT_EQ(ScrollPartAt(100, Length, Arrow, thumb), spPageAfter);
    EXPECT_EQ(ScrollPartAt(Length - Arrow, Length, Arrow, thumb), spSecondArrow);
    EXPECT_EQ(ScrollPartAt(Length + 5, Length, Arrow, thumb), spSecondArrow);
    EXPECT_EQ(ScrollPartAt(50, Length, Arrow, TScrollThumb{}), spPageAfter) << "no thumb: one page area";

    EXPECT_EQ(ArrowExtent(20, Arrow), 10) << "a bar shorter than two arrows halves them";
    EXPECT_EQ(ArrowExtent(Length, Arrow), Arrow);
    EXPECT_EQ(BarBreadth(17, Arrow), 17);
    EXPECT_EQ(BarBreadth(30, Arrow), Arrow) << "an image far off the system's size";
}

TEST(ScrollbarGeometry, MulDivRoundsToTheNearestAndSurvivesZero) {
    EXPECT_EQ(MulDivRounded(10, 1, 4), 3);
    EXPECT_EQ(MulDivRounded(10, 1, 3), 3);
    EXPECT_EQ(MulDivRounded(-10, 1, 4), -3);
    EXPECT_EQ(MulDivRounded(2000000000, 3, 4), 1500000000) << "no overflow in between";
    EXPECT_EQ(MulDivRounded(10, 1, 0), 0);
}

TEST(ScrollbarGeometry, ValuesAtTheEndsOfAnIntNeitherOverflowNorLeaveTheTrack) {
    constexpr int Most = 2147483647, Least = -2147483647 - 1;
    // A control's values as its properties give them.
    EXPECT_EQ(ControlThumb(Length, Arrow, 0, Most, Least, 0).Shown, false) << "a negative page";
    EXPECT_EQ(ControlThumb(Length, Arrow, 0, 100, Most, 0).Shown, false) << "a page past the range";
    TScrollThumb thumb = ControlThumb(Length, Arrow, Least, -1, 0, Most);
    EXPECT_EQ(thumb.End, Length - Arrow) << "a position far past the maximum";
    thumb = ControlThumb(Length, Arrow, -1, Most - 1, 0, Least);
    EXPECT_EQ(thumb.Start, Arrow) << "a position far before the minimum";
    EXPECT_FALSE(ControlThumb(Length, Most, 0, 100, 10, 50).Shown) << "arrows longer than any bar";
    EXPECT_FALSE(ControlThumb(Most, Least, 0, 100, 10, 50).Shown) << "a negative arrow";
    thumb = ControlThumb(Most, Arrow, 0, Most, Most, Most);
    EXPECT_TRUE(thumb.Shown);
    EXPECT_LE(thumb.End, Most - Arrow);

    // A thumb as the system reports it, and one dragged far off.
    EXPECT_FALSE(ClampThumb(TScrollThumb{Least, Most, true}, Length, Arrow).Shown) << "longer than the track";
    EXPECT_EQ((TScrollThumb{Least, Most, true}.Length()), Most);
    EXPECT_EQ(ClampThumb(TScrollThumb{Most - 10, Most, true}, Length, Arrow).End, Length - Arrow);
    EXPECT_EQ(DraggedThumb(Most, 40, Most, Length, Arrow).End, Length - Arrow);
    EXPECT_EQ(DraggedThumb(Least, 40, Least, Length, Arrow).Start, Arrow);

    EXPECT_EQ(ScrollPartAt(Most, Length, Least, TScrollThumb{}), spPageAfter) << "a negative arrow ends nowhere";
    EXPECT_EQ(ArrowExtent(Length, Most), Length / 2);
    EXPECT_EQ(BarBreadth(Least, Most), Most);
    EXPECT_EQ(MulDivRounded(Most, Most, 1), Most) << "held to an int";
    EXPECT_EQ(MulDivRounded(Least, Most, 1), Least);
}
