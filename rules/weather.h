#pragma once
// A battle day's weather, 1..5: 晴 阴 风 雨 冰.

constexpr int kWeatherKinds = 5;
enum Weather { kWeatherClear = 1, kWeatherOvercast = 2, kWeatherWind = 3, kWeatherRain = 4, kWeatherIce = 5 };
