// The reports of the month's tasks: the answer panel with the officer who
// speaks, or a one-line box for the great events.
#include <cstdio>

#include "campaign/scenario_files.h"
#include "platform/random.h"
#include "rules/pictures.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/report_log.h"
#include "shell/run_log.h"
#include "strategy/game_map.h"
#include "strategy/search_rule.h"

namespace {

constexpr int kReportFont = 40;
constexpr int kLineX = 300;
constexpr int kLineY[3] = {300, 370, 440};
constexpr const char* kBlank = "              ";

// The report type of a ruler's submission to another (the computer rulers' diplomacy).
constexpr int kReportSubmission = 11;

using Lines = const char* [3];

const Lines kJoined[4] = {{"某愿效死忠。", kBlank, nullptr},
                          {"在下不才，蒙明", "公不弃，愿效犬", "马之劳。      "},
                          {"某虽不才，愿为", "主公效劳。    ", kBlank},
                          {"请主公期待我的", "表现吧。      ", kBlank}};
const Lines kRefused[4] = {{"只凭你我交情，", "不足以讨论天下", "大事，请回吧。"},
                           {"什么鸡鸣狗盗之", "徒，也想让我为", "你效力？      "},
                           {"某的能力还不足", "以担当重任，足", "下另请高明吧。"},
                           {"比在下高明之士", "众多，明公何必", "舍良才择朽木？"}};
const Lines kNothingFound = {"什么也没找到…", "…            ", nullptr};
const Lines kHeardOfSage = {"听说城中有位贤", "者，可惜臣未能", "访到。"};
const Lines kPersuaded[3] = {{"我决不会辜负主", "公对我的期望！", nullptr},
                             {"请期待我日后的", "表现！        ", nullptr},
                             {"臣定鞠躬尽瘁，", "以报答主公之恩", "！            "}};
const Lines kStubborn[3] = {{"哼！我岂是贪生", "怕死之徒！    ", nullptr},
                            {"你还是少费唇舌", "，我是不会背信", "弃义的！      "},
                            {"就凭你要我归降", "，笑话！      ", nullptr}};
const Lines kDelivered = {"物资运送完毕。", nullptr, nullptr};
const Lines kRobbed = {"途中遇到山贼，", "所输送物质被抢", "劫一空！      "};
const Lines kSubmits[4] = {{"事到如今，也只", "好降了……    ", nullptr},
                           {"此乃天命，请明", "公善待我的部属", "和百姓。      "},
                           {"为了避免生灵涂", "炭，降也是无可", "奈何……      "},
                           {"我乃竭诚投降，", "请明公勿疑！  ", nullptr}};
const Lines kDefies[4] = {{"此事不必再说，", "战场上分高低！", nullptr},
                          {"你快回去备好兵", "马，我到战场上", "再答复你。    "},
                          {"笑话，该投降的", "是你们吧！    ", nullptr},
                          {"大胆！竟敢小看", "我，滚回去洗好", "脖子！        "}};

void PaintLine(const char* text, int x, int y) { PaintText(text, x, y, kReportFont); }

// Lines a report leaves out are painted blank.
void PaintLines(const Lines& lines) {
  for (int i = 0; i < 3; ++i) PaintLine(lines[i] != nullptr ? lines[i] : kBlank, kLineX, kLineY[i]);
}

void PaintNumber(int value, int x, int y) {
  char text[16];
  snprintf(text, sizeof text, "%d", value);
  PaintLine(text, x, y);
}

void PaintPanel() {
  if (colorMode == 1) {
    PaintBmp(0, PicPath(Pic::kAnswerPanel), 20, 200);
  } else {
    DrawFrameRect(*backDC, 20, 250, 780, 500);
  }
}

// The first ten bytes of an officer's name line, as the reports quote names.
void ShortName(int scenario, int officer, char* out) { CopyListLine(HeroNameList(scenario), officer, out, kNameBytes); }

}  // namespace

void GameMap::ShowItAfter(int type, int result, int value, int officer) {
  Log(1, "GameMap::ShowItAfter", "开始", 0);
  char name[kNameBytes + 1] = {};
  if (type == kTaskIncite) {
    ShortName(scenario, officer, name);
    ShowMessage2Narrow(name, " 被策反成为君主", 50, 300, 12, 1, 1000);
    return;
  }
  if (type == kReportSubmission) {
    char receiving[kNameBytes + 1] = {};
    ShortName(scenario, result, name);
    ShortName(scenario, value, receiving);
    ShowMessage3(" 势力归降 ", name, receiving, 50, 300, 12, 1, 1000);
    return;
  }
  if (officer < 0 || officer >= kHeroCount) return;
  // The speaker's portrait and name under his lines, held for a moment.
  auto present = [this](int speaker) {
    ShowPortraitAndName(speaker);
    ReportSubject(Hero(speaker).cityNo - 1);
    CopyBackToWindow();
    Wait(500);
  };
  Show(0);
  PaintPanel();
  switch (type) {
    case kTaskSearch:
      switch (result) {
        case kSearchOfficer: {
          int found = value >= 0 ? value : -value - 1;
          ShortName(scenario, found, name);
          PaintLines({"城中找到 ", nullptr, nullptr});
          PaintLine(name, 500, kLineY[0]);
          present(officer);
          // Then the found officer answers for himself, under his own portrait.
          foundOfficerShown = 1;
          Show(0);
          PaintPanel();
          PaintLines(value >= 0 ? kJoined[Rand() % 4] : kRefused[Rand() % 4]);
          officer = found;
          break;
        }
        case kSearchItem: {
          char item[kNameBytes + 1] = {};
          CopyListLine(kGoodNames, goodList.goods[value >= 0 && value < kGoodCount ? value : 0].goodId - 1, item,
                       kNameBytes);
          PaintLines({"城中找到 ", nullptr, nullptr});
          PaintLine(item, 500, kLineY[0]);
          break;
        }
        case kSearchMoney:
        case kSearchFood:
          PaintLines({result == kSearchMoney ? "城中找到金钱 " : "城中找到粮食 ", nullptr, nullptr});
          PaintNumber(value, 550, kLineY[0]);
          break;
        case kSearchHeardOfSage: PaintLines(kHeardOfSage); break;
        default: PaintLines(kNothingFound); break;
      }
      break;
    case kTaskPersuade: PaintLines(result == 1 ? kPersuaded[Rand() % 3] : kStubborn[Rand() % 3]); break;
    case kTaskTransport: PaintLines(result == 1 ? kDelivered : kRobbed); break;
    case kTaskSubmit: PaintLines(result == 1 ? kSubmits[Rand() % 4] : kDefies[Rand() % 4]); break;
    case kTaskPlunder:
      PaintLines({"掠得金钱      ", "；夺得粮食    ", "。            "});
      PaintNumber(result, 480, kLineY[0]);
      PaintNumber(value, 510, kLineY[1]);
      break;
    default: break;
  }
  present(officer);
  foundOfficerShown = 0;
  Show(0);
}
