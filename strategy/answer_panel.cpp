// The officer's answer to an order: a panel with his portrait, name and words.
#include <cstdio>

#include "campaign/scenario_files.h"
#include "platform/random.h"
#include "rules/pictures.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/run_log.h"
#include "strategy/game_map.h"

namespace {

constexpr int kAnswerFont = 40;
constexpr int kLineX = 300;
constexpr int kLineY[3] = {300, 370, 440};
constexpr const char* kBlank = "              ";
constexpr const char* kSetOff = " 马上出发。   ";
constexpr const char* kChooseTarget = " 选择目标     ";

using Lines = const char* [3];

const Lines kSearch[3] = {{"此事便交给我，", "有利的消息我都", "会带回来。    "},
                          {"属下这就动身，", "主公就静待佳音吧", "。            "},
                          {"属下会留心各种", "消息，以期有所", "得。          "}};
const Lines kSearchRuler[3] = {{"我去城中访贤，", "各位费心留守了", "。            "},
                               {"好的人才，要亲", "自去找才行。", kBlank},
                               {"为了今后大业，", "城中看看也非坏", "事。            "}};
const Lines kLastWords[3] = {{"哈……，来吧，", "十八年后又是一", "条好汉！    "},
                             {"死，我岂会恐惧", "？            ", kBlank},
                             {"天命吾身踏黄泉", "，定起万军夺阴", "巢！          "}};
const Lines kThanks[3] = {{"我决不会辜负主", "公对我的期望！", kBlank},
                          {"请期待我日后的", "表现！        ", kBlank},
                          {"臣定鞠躬尽瘁，", "以报答主公之恩", "！            "}};
const Lines kGrudge[3] = {{"一片忠诚，竟遭", "此待遇……    ", kBlank},
                          {"长此以往，人心", "难留……      ", kBlank},
                          {"主公此举自有道", "理，我却无法理", "解……        "}};

void PaintLine(const char* text, int x, int y) { PaintText(text, x, y, kAnswerFont); }

void PaintLines(const Lines& lines) {
  for (int i = 0; i < 3; ++i) {
    if (lines[i] != nullptr) PaintLine(lines[i], kLineX, kLineY[i]);
  }
}

void PaintNumbers(const char* format, int first, int second, int x, int y) {
  char text[48];
  snprintf(text, sizeof text, format, first, second);
  PaintLine(text, x, y);
}

}  // namespace

void GameMap::ShowIt(int a, int b, int officer) {
  Log(1, "GameMap::ShowIt", "开始", 0);
  ShowAnswer(OrderOf(command), a, b, officer);
}

void GameMap::ShowAnswer(Order order, int a, int b, int officer) {
  if (officer < 0 || officer >= kHeroCount) return;
  // Gifts and reproaches are not spoken by a ruler to himself.
  if ((order == Order::kGiveItem || order == Order::kTakeItem) && Hero(officer).IsRuler()) return;
  Show(0);
  if (colorMode == 1) {
    PaintBmp(0, PicPath(Pic::kAnswerPanel), 20, 200);
  } else {
    DrawFrameRect(*backDC, 20, 250, 780, 500);
  }
  AnswerLines(order, a, b, officer);
  ShowPortraitAndName(officer);
  RequestRepaint();
}

void GameMap::AnswerLines(Order order, int a, int b, int officer) {
  bool departs = a == -1;
  switch (order) {
    case Order::kDevelopFarming:
    case Order::kDevelopCommerce:
      PaintLine(order == Order::kDevelopFarming ? " 农业开发度变为 " : " 商业开发度变为 ", kLineX, kLineY[0]);
      PaintNumbers("%d(+%d) 。", b, a, 330, kLineY[1]);
      break;
    case Order::kSearch: PaintLines(Hero(officer).IsRuler() ? kSearchRuler[Rand() % 3] : kSearch[Rand() % 3]); break;
    case Order::kPreventDisaster:
      PaintLine(" 城市状态正常，", kLineX, kLineY[0]);
      PaintLine("防灾变为      ", kLineX, kLineY[1]);
      PaintNumbers("%d(+%d", b, a, 500, kLineY[1]);
      PaintLine(") 。          ", kLineX, kLineY[2]);
      break;
    case Order::kWinPeople: {
      PaintLine(" 民忠变为    (+", kLineX, kLineY[0]);
      char text[32];
      snprintf(text, sizeof text, "%d", b);
      PaintLine(text, 500, kLineY[0]);
      snprintf(text, sizeof text, "%d)。", a);
      PaintLine(text, kLineX, kLineY[1]);
      break;
    }
    case Order::kPersuadeCaptive: {
      const Lines lines = {"凭我的三寸不烂", "之舌，定让他回", "心转意。"};
      PaintLines(lines);
      break;
    }
    case Order::kExecuteCaptive: PaintLines(kLastWords[Rand() % 3]); break;
    case Order::kGiveItem: PaintLines(kThanks[Rand() % 3]); break;
    case Order::kTakeItem: PaintLines(kGrudge[Rand() % 3]); break;
    case Order::kBanquet: {
      const Lines lines = {" 主公恩情，永 ", " 铭于心……   ", nullptr};
      PaintLines(lines);
      break;
    }
    case Order::kTransport:
    case Order::kMove:
    case Order::kScout:
    case Order::kWar: PaintLine(departs ? kSetOff : kChooseTarget, kLineX, kLineY[0]); break;
    case Order::kPlunder: {
      const Lines lines = {"我虽不愿如此，", "但也是不得已。", nullptr};
      PaintLines(lines);
      break;
    }
    default:
      if (departs) PaintLine(kSetOff, kLineX, kLineY[0]);
      break;
  }
}

void GameMap::ShowPortraitAndName(int officer) {
  int sheet = ValidScenario(scenario) ? scenario : 0;
  head.Init(PicPath(PortraitSheetPic(sheet)), officer);
  head.Show(100, 290);
  char name[kHeroNameBuffer] = {};
  CopyListLine(HeroNameList(scenario), officer, name, kHeroNameBuffer - 1);
  PaintLine(name, 120, 430);
}
