#include <gtest/gtest.h>

#include <Rect.h>

TEST(Rect, EdgesAreInclusive)
{
	BRect rect(0, 0, 550, 285);
	EXPECT_EQ(rect.Width(), 550);
	EXPECT_EQ(rect.IntegerWidth(), 550);
	EXPECT_EQ(rect.IntegerHeight(), 285);
	EXPECT_TRUE(rect.Contains(BPoint(550, 285)));
	EXPECT_FALSE(rect.Contains(BPoint(550.5f, 0)));
	EXPECT_TRUE(BRect(0, 0, 0, 0).IsValid());
	EXPECT_FALSE(BRect().IsValid());
	EXPECT_EQ(BRect(0, 0, 10.2f, 1).IntegerWidth(), 11);
}

TEST(Rect, IntersectionAndUnion)
{
	BRect a(0, 0, 10, 10), b(5, 5, 20, 20), c(11, 0, 12, 1);
	EXPECT_TRUE(a.Intersects(b));
	EXPECT_TRUE(a.Intersects(BRect(10, 10, 11, 11)));
	EXPECT_FALSE(a.Intersects(c));
	EXPECT_EQ(a & b, BRect(5, 5, 10, 10));
	EXPECT_EQ(a | c, BRect(0, 0, 12, 10));
	EXPECT_FALSE((a & c).IsValid());
	EXPECT_TRUE(a.Contains(BRect(1, 1, 10, 10)));
	EXPECT_FALSE(a.Contains(b));
}

TEST(Rect, MovingAndInsetting)
{
	BRect rect(10, 20, 30, 40);
	rect.OffsetBy(5, -5);
	EXPECT_EQ(rect, BRect(15, 15, 35, 35));
	rect.OffsetTo(BPoint(0, 0));
	EXPECT_EQ(rect, BRect(0, 0, 20, 20));
	rect.InsetBy(2, 3);
	EXPECT_EQ(rect, BRect(2, 3, 18, 17));
	EXPECT_EQ(rect.InsetByCopy(-2, -3), BRect(0, 0, 20, 20));
	EXPECT_EQ(rect.OffsetToCopy(100, 100).RightBottom(), BPoint(116, 114));
	BPoint p(50, -4);
	p.ConstrainTo(rect);
	EXPECT_EQ(p, BPoint(18, 3));
}
