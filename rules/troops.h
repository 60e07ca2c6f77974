#pragma once
// The six troop types an officer's unit can be: 骑 步 弓 水 极 玄.

constexpr int kTroopTypes = 6;
enum TroopType { kCavalry = 0, kInfantry = 1, kArcher = 2, kNavy = 3, kHalberd = 4, kMystic = 5 };
