#pragma once
// What a search and a plunder draw and yield, the same for the player's
// queued task and for a computer ruler's officer.

// A search finds something when rand() % 150 falls below the searcher's
// intelligence.
constexpr int kSearchDraw = 150;
// A free officer found joins, and an unclaimed item is found, when
// rand() % 110 falls below the searcher's intelligence.
constexpr int kWinDraw = 110;
// Money and food finds: rand() % (2 x intelligence) + 10.
constexpr int kFindBase = 10;
// A new officer's loyalty: rand() % 30 + 70.
constexpr int kJoinLoyaltyBase = 70;
constexpr int kJoinLoyaltySpread = 30;
// A plunder brings food and money per point of intelligence + force.
constexpr int kPlunderFood = 5;
constexpr int kPlunderMoney = 2;
