// The faces as the game's sheets hold them: no two officers of a scenario look
// alike, the famous keep the looks the data gives them, and headgear follows rank.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>

#include "tests/resgen/world_test_util.h"
#include "tools/resgen/portraits/portraits.h"
#include "tools/resgen/common/tables.h"

namespace {

class PreparedFaces : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static ScratchDir res("faces_res");
    ResgenPaths paths{SourceData(), res.path.string()};
    ASSERT_TRUE(PrepareResFolders(paths));
    ASSERT_TRUE(GeneratePeopleTables(paths));
    ASSERT_TRUE(PreparePortraitTables(SourceData(), res.path.string(), tables, present));
  }
  static const PortraitSubject* Find(int s, const std::string& name) {
    for (const PortraitSubject& p : tables[s].subjects)
      if (p.name == name) return &p;
    return nullptr;
  }
  static PortraitTable tables[4];
  static bool present[4];
};
PortraitTable PreparedFaces::tables[4];
bool PreparedFaces::present[4];

TEST_F(PreparedFaces, NoTwoOfficersOfAScenarioShareAFace) {
  for (int s = 0; s < 4; ++s) {
    ASSERT_TRUE(present[s]);
    std::vector<const PortraitSubject*> men;
    std::vector<std::vector<float>> sigs;
    for (const PortraitSubject& p : tables[s].subjects)
      if (!p.name.empty()) {
        men.push_back(&p);
        sigs.push_back(PortraitSignature(p));
      }
    float least = 1e9f;
    std::string pair;
    for (size_t i = 0; i < sigs.size(); ++i)
      for (size_t j = i + 1; j < sigs.size(); ++j) {
        float d = PortraitDistance(sigs[i], sigs[j]);
        EXPECT_GE(d, kDistinctFaces) << "scenario " << s << ": " << men[i]->name << " and " << men[j]->name;
        if (d < least) {
          least = d;
          pair = men[i]->name + "/" + men[j]->name;
        }
      }
    std::printf("scenario %d: %zu faces, closest pair %s at %.2f\n", s, sigs.size(), pair.c_str(), least);
  }
}

TEST_F(PreparedFaces, AManKeepsHisFaceFromScenarioToScenario) {
  std::map<std::string, int> variant;
  for (int s = 0; s < 4; ++s)
    for (const PortraitSubject& p : tables[s].subjects) {
      if (p.name.empty()) continue;
      auto it = variant.emplace(p.name, p.variant).first;
      EXPECT_EQ(it->second, p.variant) << p.name << " in scenario " << s;
    }
  // The famous carry what the data gives them, whatever their record says.
  const PortraitSubject* guan = Find(2, "关羽");
  ASSERT_NE(guan, nullptr);
  EXPECT_TRUE(guan->look.tuned);
  EXPECT_EQ(HeadgearOf(*guan), Headgear::Kerchief);
  EXPECT_EQ(HeadgearOf(*Find(0, "吕布")), Headgear::Pheasant);
}

TEST_F(PreparedFaces, OnlyAnEmperorWearsTheCrown) {
  for (int s = 0; s < 4; ++s)
    for (const PortraitSubject& p : tables[s].subjects) {
      if (p.name.empty()) continue;
      bool emperor = s == 3 && (p.name == "曹丕" || p.name == "刘禅");
      EXPECT_EQ(HeadgearOf(p) == Headgear::Crown, emperor) << p.name << " in scenario " << s;
      if (p.role == PortraitRole::Ruler && !emperor) {
        Headgear h = HeadgearOf(p);
        EXPECT_TRUE(h == Headgear::LordCap || h == Headgear::OfficialCap || h == Headgear::Southern) << p.name;
      }
    }
  EXPECT_EQ(HeadgearOf(*Find(3, "孙权")), Headgear::LordCap);  // crowned only in 229
  EXPECT_EQ(HeadgearOf(*Find(3, "孟获")), Headgear::Southern);
  // 吕布 rules in 198: a lord's cap, not his pheasant crown.
  EXPECT_EQ(HeadgearOf(*Find(1, "吕布")), Headgear::LordCap);
  // A crowned man who rules nothing is no emperor.
  PortraitSubject pi = *Find(3, "曹丕");
  pi.role = PortraitRole::Strategist;
  EXPECT_NE(HeadgearOf(pi), Headgear::Crown);
}

TEST(PortraitLooks, UnknownWordsAreNamed) {
  ScratchDir data("faces_data");
  std::ofstream(data / "portraits.tsv")
      << "name\tcrowned\tskin\tface\teyes\tbrows\tbeard\tbeardColor\tears\theadgear\t"
         "hat\trobe\tarmour\tprop\tmark\n"
         "关羽\t-\tred\tlong\tphoenix\tsilkworm\tlong\tblack\tsmall\tkerchief\tgreen\t"
         "green\tnone\tblade\tnone\n"
         "张飞\t-\tdark\tround\tround\tbristle\ttiger\tblack\tsmall\tcrownn\tblack\t"
         "black\tiron\tspear\tnone\n";
  QuietErrors quiet;
  std::vector<std::pair<std::string, PortraitLook>> looks;
  EXPECT_FALSE(LoadPortraitLooks(data.path.string(), looks));
  EXPECT_TRUE(quiet.Mentions("张飞: \"tiger\" is not a beard")) << quiet.All();
  EXPECT_TRUE(quiet.Mentions("\"crownn\" is not a headgear")) << quiet.All();
  ASSERT_EQ(looks.size(), 2u);
  EXPECT_EQ(looks[0].second.headgear, Headgear::Kerchief);
}

}  // namespace
