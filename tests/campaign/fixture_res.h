#pragma once
// A small world written into a temporary "Res" tree (scenario 0), so the
// campaign code can be tested whatever state the real data are in. The test
// runs inside the temporary folder while the fixture lives.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "shell/globals.h"

class FixtureRes {
 public:
  FixtureRes() {
    char pattern[] = "/tmp/kestrel_campaign_XXXXXX";
    root_ = mkdtemp(pattern);
    oldDir_ = std::filesystem::current_path().string();
    for (const char* dir : {"Res", "Res/City", "Res/Hero", "Res/Good", "Res/Head", "Res/Fight"}) {
      std::filesystem::create_directories(root_ + "/" + dir);
    }
    std::filesystem::current_path(root_);
    backDC->Resize(800, 600, kWhite);
    WriteWorld();
  }
  ~FixtureRes() {
    std::filesystem::current_path(oldDir_);
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
  FixtureRes(const FixtureRes&) = delete;
  FixtureRes& operator=(const FixtureRes&) = delete;

  const std::string& Root() const { return root_; }
  const std::string& OldDir() const { return oldDir_; }

  void Write(const std::string& relative, const std::string& content) const {
    std::ofstream out(root_ + "/" + relative, std::ios::binary);
    out << content;
  }
  void Remove(const std::string& relative) const { std::filesystem::remove(root_ + "/" + relative); }

  // One 18-number city record (the table has no status column).
  static std::string City(int id, int owner, int governor, int farmingMax, int farming, int money, int food) {
    std::ostringstream s;
    s << id << ' ' << owner << ' ' << governor << ' ' << farmingMax << ' ' << farming << " 900 300 40 50 "
      << "50000.5 30000.25 " << money << ' ' << food << " 1000 1 2 3 4\n";
    return s.str();
  }
  // One 16-number officer record.
  static std::string Hero(int id, int owner, int level, int force, int intelligence, int loyalty, int character,
                          int item1, int item2, int cityNo) {
    std::ostringstream s;
    s << id << ' ' << owner << ' ' << level << ' ' << force << ' ' << intelligence << ' ' << loyalty << ' ' << character
      << " 10 50 1 500 " << item1 << ' ' << item2 << " 30 " << cityNo << " 0\n";
    return s.str();
  }
  static std::string Good(int id, int holder, int usage, int forceBonus, int intelligenceBonus, int movement, int troop,
                          int cityNo, int found) {
    std::ostringstream s;
    s << id << ' ' << holder << ' ' << usage << ' ' << forceBonus << ' ' << intelligenceBonus << ' ' << movement << ' '
      << troop << ' ' << cityNo << " 0 " << found << "\n";
    return s.str();
  }
  static std::string Lines(const std::string& prefix, int count) {
    std::string s;
    for (int i = 0; i < count; ++i) s += prefix + std::to_string(i) + "\n";
    return s;
  }

  // The cities: 0 and 1 the player's (ruler officer number 6), 2 another
  // ruler's (17), 3 without owner. Cells (2,1), (3,1), (4,1), (2,2).
  // Roads: 1-2, 2-3, 1-4 (1-based numbers).
  void WriteWorld() const {
    std::string positions = "2 1\n3 1\n4 1\n2 2\n";
    std::string owners = "2 1 0\n3 1 0\n4 1 0\n2 2 0\n";
    for (int i = 4; i < 50; ++i) {
      positions += "99 99\n";
      owners += "99 99 0\n";
    }
    Write("Res/City/postion.kdt", positions);
    Write("Res/City/setowner1.kdt", owners);
    std::string cities = City(0, 6, 6, 1000, 500, 2000, 5000) + City(1, 6, 0, 800, 100, 500, 3000) +
                         City(2, 17, 17, 900, 300, 1500, 3000) + City(3, 0, 0, 500, 100, 300, 1000);
    for (int i = 4; i < 50; ++i) cities += City(i, 0, 0, 100, 0, 0, 0);
    Write("Res/City/city1.kdt", cities);
    std::string cellNames;
    for (int cell = 0; cell < 97; ++cell) {
      const char* name = cell == 14 ? "洛阳" : cell == 15 ? "长安" : cell == 16 ? "许昌" : cell == 26 ? "邺" : "0";
      cellNames += std::string(name) + "\n";
    }
    Write("Res/cityname.kss", cellNames);
    Write("Res/citynamebylist.kss", "洛阳\n长安\n许昌\n邺\n" + Lines("城", 46));
    std::string heroes = Hero(0, 6, 5, 85, 75, 90, 2, 2, 0, 1) + Hero(1, 6, 3, 60, 85, 80, 1, 0, 0, 1) +
                         Hero(2, 6, 2, 50, 50, 70, 0, 0, 0, 1) + Hero(3, 317, 4, 75, 60, 50, 3, 0, 0, 1) +
                         Hero(4, 0, 1, 40, 90, 50, 1, 0, 0, 1) + Hero(5, 6, 10, 90, 80, 100, 4, 0, 0, 1) +
                         Hero(7, 17, 5, 70, 60, 80, 2, 0, 0, 3) + Hero(16, 17, 10, 85, 75, 100, 3, 0, 0, 3);
    Write("Res/Hero/hero1.kdt", heroes);
    Write("Res/Hero/heroname1.kss", Lines("将", 255));
    std::string goods;
    for (int i = 0; i < 50; ++i) {
      if (i == 1) goods += Good(1, 0, 0, 5, 0, 0, 0, 1, 1);
      else if (i == 2) goods += Good(2, 1, 0, 0, 5, 0, 0, 1, 1);
      else if (i == 23) goods += Good(23, 0, 0, 0, 0, 3, 0, 1, 1);
      else if (i == 31) goods += Good(31, 0, 1, 0, 0, 0, 4, 1, 1);
      else goods += Good(i, 0, 0, 0, 0, 0, 0, 0, 0);
    }
    Write("Res/Good/goods1.kdt", goods);
    Write("Res/goods.kss", Lines("宝", 50));
    std::string cityFactions = "2 0 1\n";
    std::string heroFactions = "4 0 1 2 5\n";
    std::string arrows = "192 115 0 0 2 1\n";
    for (int i = 1; i < 18; ++i) {
      cityFactions += i == 1 ? "1 2\n" : "0\n";
      heroFactions += i == 1 ? "2 7 16\n" : "0\n";
      arrows += "372 115 0 0 4 1\n";
    }
    Write("Res/citytowho1.kdt", cityFactions);
    Write("Res/Hero/herotowho1.kdt", heroFactions);
    Write("Res/arrowset1.kdt", arrows);
    Write("Res/arrive.kdt", "1 2\n2 1\n2 3\n3 2\n1 4\n4 1\n");
    std::string who;
    for (int i = 0; i < 255; ++i) who += std::to_string(i % 2 == 0 ? 320 + 10 * i : 200 + 5 * i) + " ";
    Write("Res/who.kdt", who);
    Write("Res/1dznq_em.kss", Lines("主", 18));
    Write("Res/4sgdl_em.kss", Lines("君", 5));
    Write("Res/escape.kss", "结束\n存档\n退出\n");
    Write("Res/citymu.kss", "内政\n外交\n军备\n情报\n");
    Write("Res/neizhen.kss", Lines("内", 14));
    Write("Res/waijiao.kss", Lines("外", 5));
    Write("Res/junbei.kss", Lines("军", 5));
  }

 private:
  std::string root_;
  std::string oldDir_;
};
