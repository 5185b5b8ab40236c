// Finding a word in the guide: forward from the selection's end, backward
// from its start, round the ends, ignoring case, and never a place outside
// the text.
#include <gtest/gtest.h>

#include "app/studio/guide_find.h"

namespace {

const QString kText = QStringLiteral("Grid on. The grid snaps; GRID spacing.");
// Where "grid" starts in kText.
constexpr qsizetype kFirst = 0;
constexpr qsizetype kSecond = 13;
constexpr qsizetype kThird = 25;

VyGuideMatch Next(const QString& word, qsizetype start, qsizetype end) {
    return FindInGuide(kText, word, start, end, VyFindDirection::kNext);
}
VyGuideMatch Previous(const QString& word, qsizetype start, qsizetype end) {
    return FindInGuide(kText, word, start, end, VyFindDirection::kPrevious);
}

}  // namespace

TEST(GuideFind, NextWalksEveryPlaceIgnoringCaseThenGoesRound) {
    ASSERT_EQ(kText.mid(kSecond, 4), QStringLiteral("grid"));
    ASSERT_EQ(kText.mid(kThird, 4), QStringLiteral("GRID"));
    const QString word = QStringLiteral("grid");
    VyGuideMatch match = Next(word, 0, 0);
    EXPECT_EQ(match.position, kFirst);
    EXPECT_FALSE(match.wrapped);
    // Each step starts after the match selected last.
    match = Next(word, match.position, match.position + 4);
    EXPECT_EQ(match.position, kSecond);
    EXPECT_FALSE(match.wrapped);
    match = Next(word, match.position, match.position + 4);
    EXPECT_EQ(match.position, kThird);
    EXPECT_FALSE(match.wrapped);
    match = Next(word, match.position, match.position + 4);
    EXPECT_EQ(match.position, kFirst);
    EXPECT_TRUE(match.wrapped);
    // A caret inside a match finds the next one, not the one it is in.
    EXPECT_EQ(Next(word, 2, 2).position, kSecond);
}

TEST(GuideFind, PreviousWalksBackThenGoesRoundToTheLast) {
    const QString word = QStringLiteral("Grid");
    VyGuideMatch match = Previous(word, kThird, kThird + 4);
    EXPECT_EQ(match.position, kSecond);
    EXPECT_FALSE(match.wrapped);
    match = Previous(word, match.position, match.position + 4);
    EXPECT_EQ(match.position, kFirst);
    EXPECT_FALSE(match.wrapped);
    match = Previous(word, match.position, match.position + 4);
    EXPECT_EQ(match.position, kThird);
    EXPECT_TRUE(match.wrapped);
    // From the very end nothing needs to go round.
    match = Previous(word, kText.size(), kText.size());
    EXPECT_EQ(match.position, kThird);
    EXPECT_FALSE(match.wrapped);
}

TEST(GuideFind, ASingleMatchIsFoundAgainByGoingRound) {
    const QString word = QStringLiteral("snaps");
    const VyGuideMatch first = Next(word, 0, 0);
    ASSERT_TRUE(first.Found());
    const VyGuideMatch again = Next(word, first.position, first.position + word.size());
    EXPECT_EQ(again.position, first.position);
    EXPECT_TRUE(again.wrapped);
    const VyGuideMatch back = Previous(word, first.position, first.position + word.size());
    EXPECT_EQ(back.position, first.position);
    EXPECT_TRUE(back.wrapped);
}

TEST(GuideFind, NothingIsFoundWithoutTheWordAndOutOfRangeSelectionsAreClamped) {
    for (const VyFindDirection direction : {VyFindDirection::kNext, VyFindDirection::kPrevious}) {
        EXPECT_FALSE(FindInGuide(kText, QStringLiteral("canvas"), 0, 0, direction).Found());
        EXPECT_FALSE(FindInGuide(kText, QString(), 0, 0, direction).Found());
        EXPECT_FALSE(FindInGuide(QString(), QStringLiteral("grid"), 0, 0, direction).Found());
        EXPECT_FALSE(
            FindInGuide(QStringLiteral("gr"), QStringLiteral("grid"), 0, 2, direction).Found());
        EXPECT_FALSE(FindInGuide(kText, QStringLiteral("canvas"), 0, 0, direction).wrapped);
    }
    EXPECT_EQ(Next(QStringLiteral("grid"), -5, 1000).position, kFirst);
    EXPECT_TRUE(Next(QStringLiteral("grid"), -5, 1000).wrapped);
    EXPECT_EQ(Previous(QStringLiteral("grid"), 1000, 1000).position, kThird);
    EXPECT_EQ(Previous(QStringLiteral("grid"), -3, -1).position, kThird);
    // A selection whose end lies before its start searches from its start.
    EXPECT_EQ(Next(QStringLiteral("grid"), kSecond, 1).position, kSecond);
}

TEST(GuideFind, HangulIsFoundWhereItStands) {
    const QString text = QStringLiteral("그리드 설정. 그리드를 켜면");
    const QString word = QStringLiteral("그리드");
    EXPECT_EQ(FindInGuide(text, word, 0, 0, VyFindDirection::kNext).position, 0);
    EXPECT_EQ(FindInGuide(text, word, 0, 3, VyFindDirection::kNext).position, 8);
    EXPECT_EQ(FindInGuide(text, word, 8, 11, VyFindDirection::kPrevious).position, 0);
}
