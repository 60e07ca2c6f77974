#include "app/overlay.h"

#include <cstdio>
#include <string>
#include <vector>

#include "app/screen_mode.h"
#include "campaign/game.h"
#include "platform/surface.h"
#include "platform/text.h"
#include "shell/draw.h"
#include "shell/globals.h"
#include "shell/report_log.h"
#include "strategy/map_globals.h"

namespace {

constexpr int kLeft = 30;
constexpr int kTop = 30;
constexpr int kRight = 770;
constexpr int kBottom = 570;
constexpr int kTextLeft = kLeft + 15;
constexpr int kFont = 22;
constexpr int kTitleFont = 30;
constexpr int kLineStep = 26;
constexpr int kLineBytes = 58;  // fixed pitch: a GBK byte is about 12 pixels wide at this height
constexpr int kLogRows = 19;

OverlayKind open = OverlayKind::None;
Surface behind;  // the back buffer as the screen behind left it
int logScroll = 0;

// ---- what the keys do on the screen behind ----

struct KeyHelp {
  const char* screen;
  const char* confirm;
  const char* back;
  const char* space;
  const char* home;
  const char* upDown;
  const char* leftRight;
};

constexpr const char* kNothing = "（此处无作用）";

// The battle's keys as Fight::KeyDown takes them in each of its modes.
KeyHelp BattleHelp(BattleMode mode) {
  constexpr const char* kUnitOrGround = "查看光标处的部队或地形";
  constexpr const char* kSituation = "查看双方部队一览";
  switch (mode) {
    case BattleMode::kEndPending:
      return {"战斗结束", "结束战斗", "结束战斗", "结束战斗", "结束战斗", "结束战斗", "结束战斗"};
    case BattleMode::kInformation:
      return {"战斗：情报", "返回战场", "返回战场", "返回战场", "返回战场", "返回战场", "返回战场"};
    case BattleMode::kSkillMenu:
      return {"技能菜单", "施展所选技能", "返回行动菜单", kNothing, kNothing, "选择技能", kNothing};
    case BattleMode::kSettings:
      return {"战斗设置", "选定并保存所选设置", "关闭，设置不变", kNothing, kNothing, "选择设置", kNothing};
    case BattleMode::kActionMenu:
      return {"行动菜单", "执行所选行动", "关闭菜单，部队回到原处", kNothing, kNothing, "选择行动", kNothing};
    case BattleMode::kDayMenu:
      return {"战斗菜单", "执行所选项", "关闭菜单", kNothing, kNothing, "选择结束本日、撤退或设置", kNothing};
    case BattleMode::kSituation:
      return {"战斗：部队一览",  kNothing, "返回战场", kNothing, kNothing, "翻看其余部队（多于五支时）",
              "换看另一方的部队"};
    case BattleMode::kAttackTarget:
      return {"战斗：选择攻击目标", "攻击光标处的敌军", "返回行动菜单", kUnitOrGround,
              kSituation,           "移动光标",         "移动光标"};
    case BattleMode::kSkillTarget:
      return {"战斗：选择技能目标",
              "对光标处的部队施展技能",
              "返回行动菜单",
              kUnitOrGround,
              kSituation,
              "移动光标",
              "移动光标"};
    case BattleMode::kMove:
      return {"战斗：选择移动的格子",
              "移到光标处，打开行动菜单",
              "取消，另选部队",
              kUnitOrGround,
              kSituation,
              "移动光标",
              "移动光标"};
    case BattleMode::kMap: break;
  }
  return {"战斗",
          "选择光标处的本方部队，再选其移动的格子",
          "打开战斗菜单（结束本日、撤退、设置）",
          kUnitOrGround,
          kSituation,
          "移动光标",
          "移动光标"};
}

KeyHelp MapHelp(MapMode mode) {
  switch (mode) {
    case MapMode::kDefencePick:
      return {"选择守城武将", "选入所选武将", "结束选择并开战", kNothing, kNothing, "选择武将", "翻看武将的其他属性"};
    case MapMode::kSuccessionPick:
      return {"另立新君", "立所选武将为君主", kNothing, kNothing, kNothing, "选择武将", "翻看武将的其他属性"};
    case MapMode::kSaveScreen: return {"存档", "存入所选存档", "返回地图", kNothing, kNothing, "选择存档", kNothing};
    case MapMode::kAmountDialog:
      return {"数量对话框", "确定数量", "返回上一步", kNothing, kNothing, "增减所选位的数字（买卖时选择）", "选择位数"};
    case MapMode::kItemList:
      return {"道具列表", "选定所选道具", "返回", kNothing, kNothing, "选择道具（▲▼表示还有更多）", "翻看其他栏"};
    case MapMode::kNoticeBeforeList:
    case MapMode::kSecondPick:
    case MapMode::kOfficerList:
      return {"武将列表",
              "由所选武将执行命令",
              "返回地图",
              kNothing,
              kNothing,
              "选择武将（▲▼表示还有更多）",
              "翻看武将的其他属性栏"};
    case MapMode::kInteriorMenu:
    case MapMode::kDiplomacyMenu:
    case MapMode::kArmamentMenu:
    case MapMode::kSystemMenu:
    case MapMode::kCityMenu:
      return {"菜单", "执行所选命令", "关闭菜单", kNothing, kNothing, "选择命令（▲▼表示还有更多）", kNothing};
    case MapMode::kCityInformation: return {"城市情报", "返回地图", "返回地图", kNothing, kNothing, "翻页", kNothing};
    case MapMode::kTargetChoice:
      return {"选择目标城池", "选定光标处的城池", "取消选择", kNothing, "显示城市连接图", "移动光标", "移动光标"};
    default: break;
  }
  return {"地图",
          "打开光标处本方城池的命令菜单",
          "打开系统菜单（结束本月、存档、退出）",
          kNothing,
          "显示城市连接图",
          "移动光标",
          "移动光标"};
}

KeyHelp ScreenHelp() {
  ScreenMode mode = CurrentMode(TheGame());
  switch (mode.screen) {
    case Screen::kLoadScreen:
      return {"读取存档", "读取所选存档", "返回标题", kNothing, kNothing, "选择存档（第四行是每月的自动存档）",
              kNothing};
    case Screen::kAbout: return {"制作人员", "返回标题", "返回标题", "返回标题", "返回标题", "返回标题", "返回标题"};
    case Screen::kTitle: return {"标题", "选择所选项", "退出游戏", kNothing, kNothing, "选择菜单项", kNothing};
    case Screen::kScenarioChoice: return {"选择剧本", "确定剧本", "返回标题", kNothing, kNothing, "选择剧本", kNothing};
    case Screen::kRulerChoice:
      return {"选择君主", "以所选君主开始", "返回标题", kNothing, kNothing, "选择君主，右边是其势力", kNothing};
    case Screen::kCampaign: break;
  }
  return mode.InBattle() ? BattleHelp(mode.battle) : MapHelp(mode.map);
}

std::string KeyLabel(int code) {
  switch (code) {
    case 13: return "回车";
    case 27: return "Esc";
    case 32: return "空格";
    case 36: return "Home";
    case 37: return "←";
    case 38: return "↑";
    case 39: return "→";
    case 40: return "↓";
    case 9: return "Tab";
    default: break;
  }
  char text[16];
  if ((code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z')) {
    std::snprintf(text, sizeof text, "%c", code);
  } else if (code >= 112 && code <= 135) {
    std::snprintf(text, sizeof text, "F%d", code - 111);
  } else {
    std::snprintf(text, sizeof text, "键%d", code);
  }
  return text;
}

// Cuts a GBK text into lines of at most `bytes` bytes, never inside a character.
std::vector<std::string> Wrap(const std::string& text, int bytes) {
  std::vector<std::string> out;
  std::string line;
  for (size_t i = 0; i < text.size();) {
    size_t n = static_cast<unsigned char>(text[i]) >= 0x81 && i + 1 < text.size() ? 2 : 1;
    if (static_cast<int>(line.size() + n) > bytes) {
      out.push_back(line);
      line = "    ";
    }
    line.append(text, i, n);
    i += n;
  }
  if (!line.empty()) out.push_back(line);
  return out;
}

void Line(const std::string& text, int& y, int font = kFont) {
  DrawTextIn(*backDC, text.c_str(), kTextLeft, y, kFontHei, font, kBlack);
  y += font == kFont ? kLineStep : font + 8;
}

std::string Pad(const std::string& s, size_t bytes) {
  std::string out = s;
  if (out.size() < bytes) out.append(bytes - out.size(), ' ');
  return out;
}

// The title with a hint at the right end of its line; a title too long to
// leave room for the hint is set in the body's size rather than run past the panel.
void Title(const std::string& title, const char* hint, int& y) {
  int hintWidth = MeasureText(hint, FontSpec{kFontHei, kFont, kFontWeightHeavy});
  int hintX = kRight - 15 - hintWidth;
  int font = kTitleFont;
  if (kTextLeft + MeasureText(title.c_str(), FontSpec{kFontHei, font, kFontWeightHeavy}) > hintX - 10) font = kFont;
  DrawTextIn(*backDC, title.c_str(), kTextLeft, y, kFontHei, font, kBlack);
  DrawTextIn(*backDC, hint, hintX, y + font - kFont, kFontHei, kFont, kBlack);
  y += font + 8;
}

void KeyLine(const std::string& keys, const char* role, const char* what, int& y) {
  for (const std::string& l : Wrap(Pad(keys, 9) + Pad(role, 7) + what, kLineBytes)) Line(l, y);
}

void Panel() { DrawPanelRect(*backDC, kLeft, kTop, kRight, kBottom); }

void ScrollMark(bool up, int x, int y) {
  for (int i = 0; i < 8; ++i) {
    int w = up ? i : 7 - i;
    backDC->FillRect(x - w, y + i, x + w + 1, y + i + 1, kBlack);
  }
}

void DrawHelp() {
  KeyHelp h = ScreenHelp();
  Panel();
  int y = kTop + 12;
  Title(std::string("帮助 —— ") + h.screen, "（按任意键关闭）", y);
  KeyLine(KeyLabel(keyReturn), "确认", h.confirm, y);
  KeyLine(KeyLabel(keyEsc), "返回", h.back, y);
  KeyLine(KeyLabel(keySpace), "情报", h.space, y);
  KeyLine(KeyLabel(keyHome), "总览", h.home, y);
  KeyLine(KeyLabel(keyUp) + " " + KeyLabel(keyDown), "上下", h.upDown, y);
  KeyLine(KeyLabel(keyLeft) + " " + KeyLabel(keyRight), "左右", h.leftRight, y);
  y += 6;
  KeyLine("Tab", "固定", "地图上设置或取消高攻击概率", y);
  KeyLine("F12", "固定", "保存窗口截图", y);
  KeyLine("F1", "固定", "打开本帮助（任何画面）", y);
  KeyLine("F2", "固定", "地图上打开报告记录（近十二个月的月末报告）", y);
  y += 6;
  for (const char* text : {"一个月：在地图上对本方城池下令（回车打开命令菜单），再从系统菜单结束本月；月末收税收粮，"
                           "电脑君主行动，任务回报，随后交战。",
                           "一场战争：命令出征后在月末开战；战斗中逐一移动本方部队、攻击或用技，结束本日后敌军行动，"
                           "至多三十日，全歼敌军或攻占城池即胜。",
                           "八个键可用 kestrelmoor-config（窗口配置程序）在游戏关闭时更改。"}) {
    for (const std::string& l : Wrap(text, kLineBytes)) Line(l, y);
  }
}

std::vector<std::string> LogLines() {
  std::vector<std::string> lines;
  const std::vector<ReportEntry>& entries = ReportLogEntries();
  for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
    char date[32];
    std::snprintf(date, sizeof date, "%d年%d月", it->year, it->month);
    std::string head = date;
    if (!it->city.empty()) head += " " + it->city;
    if (!it->officer.empty()) head += " " + it->officer;
    for (const std::string& l : Wrap(head + "：" + it->text, kLineBytes)) lines.push_back(l);
  }
  return lines;
}

void DrawLog() {
  std::vector<std::string> lines = LogLines();
  int maxScroll = static_cast<int>(lines.size()) - kLogRows;
  if (maxScroll < 0) maxScroll = 0;
  if (logScroll > maxScroll) logScroll = maxScroll;
  if (logScroll < 0) logScroll = 0;
  Panel();
  int y = kTop + 12;
  Line("报告记录 —— 上下键翻阅，左右键翻页，其他键关闭", y, kTitleFont);
  if (lines.empty()) Line("（尚无报告：结束一个月后，月末的报告都记在这里）", y);
  for (int i = 0; i < kLogRows && logScroll + i < static_cast<int>(lines.size()); ++i) Line(lines[logScroll + i], y);
  if (logScroll > 0) ScrollMark(true, kRight - 20, kTop + 50);
  if (logScroll < maxScroll) ScrollMark(false, kRight - 20, kBottom - 22);
}

void Redraw() {
  *backDC = behind;
  if (open == OverlayKind::Help) DrawHelp();
  if (open == OverlayKind::ReportLog) DrawLog();
  CopyBackToWindow();
}

void Open(OverlayKind kind) {
  behind = *backDC;
  open = kind;
  logScroll = 0;
  Redraw();
}

void Close() {
  *backDC = behind;
  behind = Surface();
  open = OverlayKind::None;
  CopyBackToWindow();
}

bool CampaignOnPlainMap() {
  ScreenMode mode = CurrentMode(TheGame());
  return mode.InCampaign() && mode.map == MapMode::kMap;
}

}  // namespace

OverlayKind OpenOverlay() { return open; }

int ReportLogScroll() { return logScroll; }

bool OverlayKeyDown(int key) {
  if (backDC == nullptr) return key == kHelpKey || key == kReportLogKey;
  if (open == OverlayKind::ReportLog) {
    int step = key == keyUp ? -1 : key == keyDown ? 1 : key == keyLeft ? -kLogRows : key == keyRight ? kLogRows : 0;
    if (step != 0) {
      logScroll += step;
      Redraw();
    } else {
      Close();
    }
    return true;
  }
  if (open == OverlayKind::Help) {
    Close();
    return true;
  }
  if (key == kHelpKey) {
    Open(OverlayKind::Help);
    return true;
  }
  if (key == kReportLogKey) {
    if (CampaignOnPlainMap()) Open(OverlayKind::ReportLog);
    return true;
  }
  return false;
}
