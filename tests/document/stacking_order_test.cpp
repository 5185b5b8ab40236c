#include "editor/document/stacking_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "tests/support/selectable_group.h"

namespace {

using Order = std::vector<int32_t>;

// The order a group takes after the actions, from objects stacked as order.
Order Applied(const Order& order, const std::vector<CVylEditAction>& moves) {
    CVylObjectGroup group;
    for (int32_t uid : order) {
        group.InsertOnTop(uid, MakeObject(uid, kObjBox, 1, 1, 5, 5));
    }
    for (const CVylEditAction& move : moves) {
        EXPECT_TRUE(move.ApplyTo(group));
    }
    return group.GetZOrderList();
}

size_t Inversions(const Order& order, const Order& target) {
    size_t count = 0;
    for (size_t i = 0; i < order.size(); ++i) {
        for (size_t j = i + 1; j < order.size(); ++j) {
            const auto at = [&](int32_t uid) {
                return std::find(target.begin(), target.end(), uid);
            };
            count += at(order[i]) > at(order[j]) ? 1 : 0;
        }
    }
    return count;
}

TEST(StackingOrder, UidsGoTogetherAboveTheRowTheyAreDroppedOn) {
    // Bottom first 1..5: the list shows 5 4 3 2 1.
    const Order order{1, 2, 3, 4, 5};
    EXPECT_EQ(OrderWithUidsAtRow(order, {1}, 0), (Order{2, 3, 4, 5, 1}));
    EXPECT_EQ(OrderWithUidsAtRow(order, {5}, 5), (Order{5, 1, 2, 3, 4}));
    EXPECT_EQ(OrderWithUidsAtRow(order, {5}, 99), (Order{5, 1, 2, 3, 4}));
    // Above row 3 (object 2): between 3 and 2, their own order kept.
    EXPECT_EQ(OrderWithUidsAtRow(order, {5, 4}, 3), (Order{1, 2, 4, 5, 3}));
    EXPECT_EQ(OrderWithUidsAtRow(order, {1, 5}, 2), (Order{2, 3, 1, 5, 4}));
    // Dropped on their own place: nothing moves.
    EXPECT_EQ(OrderWithUidsAtRow(order, {3}, 2), order);
    EXPECT_EQ(OrderWithUidsAtRow(order, {3}, 3), order);
    EXPECT_EQ(OrderWithUidsAtRow(order, {42}, 0), order) << "an unknown uid";
    EXPECT_EQ(OrderWithUidsAtRow(order, {}, 0), order);
    EXPECT_TRUE(OrderWithUidsAtRow({}, {1}, 0).empty());
}

TEST(StackingOrder, FrontAndBackKeepTheMovedObjectsOrder) {
    const Order order{1, 2, 3, 4, 5};
    EXPECT_EQ(OrderWithUidsOnTop(order, {2, 4}), (Order{1, 3, 5, 2, 4}));
    EXPECT_EQ(OrderWithUidsAtBottom(order, {2, 4}), (Order{2, 4, 1, 3, 5}));
    EXPECT_EQ(OrderWithUidsOnTop(order, {4, 5}), order);
    EXPECT_EQ(OrderWithUidsAtBottom(order, {1, 2}), order);
}

TEST(StackingOrder, MovesAreSwapsNamedAfterTheMovedObject) {
    const Order order{1, 2, 3, 4};
    const std::vector<CVylEditAction> front = StackingMoves(order, {1, 3, 4, 2}, {2});
    ASSERT_EQ(front.size(), 2u);
    for (const CVylEditAction& move : front) {
        EXPECT_EQ(move.kind, kActGoUp);
        EXPECT_EQ(move.Common().GetInt(kKeyObjUid, -1), 2);
    }
    const std::vector<CVylEditAction> back = StackingMoves(order, {4, 1, 2, 3}, {4});
    ASSERT_EQ(back.size(), 3u);
    for (const CVylEditAction& move : back) {
        EXPECT_EQ(move.kind, kActGoDown);
        EXPECT_EQ(move.Common().GetInt(kKeyObjUid, -1), 4);
    }
    EXPECT_EQ(Applied(order, back), (Order{4, 1, 2, 3}));
}

TEST(StackingOrder, NoMovesForTheSameOrderOrAnotherSetOfUids) {
    EXPECT_TRUE(StackingMoves({1, 2, 3}, {1, 2, 3}, {}).empty());
    EXPECT_TRUE(StackingMoves({1, 2, 3}, {3, 2}, {}).empty());
    EXPECT_TRUE(StackingMoves({1, 2, 3}, {3, 2, 4}, {}).empty());
    EXPECT_TRUE(StackingMoves({1, 2, 3}, {3, 2, 2}, {}).empty());
    EXPECT_TRUE(StackingMoves({}, {}, {}).empty());
    EXPECT_TRUE(IsReorderingOf({5, 1, 3}, {3, 5, 1}));
    EXPECT_FALSE(IsReorderingOf({5, 1, 3}, {3, 5, 5}));
}

// Random reorderings: the moves lead exactly to the target, one swap for
// each pair of objects the two orders disagree on.
TEST(StackingOrder, RandomReorderingsTakeTheFewestSwaps) {
    std::mt19937 random(20240611);
    for (int round = 0; round < 200; ++round) {
        Order order(1 + random() % 12);
        std::iota(order.begin(), order.end(), 1 + static_cast<int32_t>(random() % 5));
        std::shuffle(order.begin(), order.end(), random);
        VyUidSet movers;
        for (int32_t uid : order) {
            if (random() % 3 == 0) {
                movers.insert(uid);
            }
        }
        const size_t row = random() % (order.size() + 1);
        for (const Order& target :
             {OrderWithUidsAtRow(order, movers, row), OrderWithUidsOnTop(order, movers),
              OrderWithUidsAtBottom(order, movers), [&] {
                  Order shuffled = order;
                  std::shuffle(shuffled.begin(), shuffled.end(), random);
                  return shuffled;
              }()}) {
            const std::vector<CVylEditAction> moves = StackingMoves(order, target, movers);
            EXPECT_EQ(Applied(order, moves), target);
            EXPECT_EQ(moves.size(), Inversions(order, target));
        }
        // Moving a set: every swap names one of the set.
        const std::vector<CVylEditAction> moves =
            StackingMoves(order, OrderWithUidsAtRow(order, movers, row), movers);
        for (const CVylEditAction& move : moves) {
            EXPECT_EQ(movers.count(move.Common().GetInt(kKeyObjUid, -1)), 1u);
        }
    }
}

}  // namespace
