#pragma once
// Every data file the game opens by name: tables (".kdt"), lists (".kss"), the
// settings, the save slots and the log folders. Kept beside the picture
// manifest so that one grep for a file name finds the one place that spells it.
// A scenario s carries the number s + 1 in its file names.
#include "rules/world.h"

// ---- per scenario --------------------------------------------------------
constexpr const char* kCityTables[kScenarioCount] = {"Res\\City\\city1.kdt", "Res\\City\\city2.kdt",
                                                     "Res\\City\\city3.kdt", "Res\\City\\city4.kdt"};
constexpr const char* kCityOwnerTables[kScenarioCount] = {"Res\\City\\setowner1.kdt", "Res\\City\\setowner2.kdt",
                                                          "Res\\City\\setowner3.kdt", "Res\\City\\setowner4.kdt"};
constexpr const char* kHeroTables[kScenarioCount] = {"Res\\Hero\\hero1.kdt", "Res\\Hero\\hero2.kdt",
                                                     "Res\\Hero\\hero3.kdt", "Res\\Hero\\hero4.kdt"};
constexpr const char* kHeroNameLists[kScenarioCount] = {"Res\\Hero\\heroname1.kss", "Res\\Hero\\heroname2.kss",
                                                        "Res\\Hero\\heroname3.kss", "Res\\Hero\\heroname4.kss"};
constexpr const char* kGoodTables[kScenarioCount] = {"Res\\Good\\goods1.kdt", "Res\\Good\\goods2.kdt",
                                                     "Res\\Good\\goods3.kdt", "Res\\Good\\goods4.kdt"};
constexpr const char* kCityFactionTables[kScenarioCount] = {"Res\\citytowho1.kdt", "Res\\citytowho2.kdt",
                                                            "Res\\citytowho3.kdt", "Res\\citytowho4.kdt"};
constexpr const char* kHeroFactionTables[kScenarioCount] = {"Res\\Hero\\herotowho1.kdt", "Res\\Hero\\herotowho2.kdt",
                                                            "Res\\Hero\\herotowho3.kdt", "Res\\Hero\\herotowho4.kdt"};
constexpr const char* kArrowSetTables[kScenarioCount] = {"Res\\arrowset1.kdt", "Res\\arrowset2.kdt",
                                                         "Res\\arrowset3.kdt", "Res\\arrowset4.kdt"};
// The rulers a scenario offers, as the ruler-choice screen lists them. A menu
// keeps its list's name as given, and the state dumps (and the long-run
// hashes made from them) show it, so the menu lists keep the doubled slash
// they have always been spelt with.
constexpr const char* kRulerLists[kScenarioCount] = {"Res//1dznq_em.kss", "Res//2ccjq_em.kss", "Res//3cbzz_em.kss",
                                                     "Res//4sgdl_em.kss"};

// ---- the map -------------------------------------------------------------
constexpr const char* kCityPositionTable = "Res\\City\\postion.kdt";
constexpr const char* kAdjacencyTable = "Res\\arrive.kdt";
constexpr const char* kFactionMarkTable = "Res\\who.kdt";  // pairs (x, y) of the faction map's city marks
constexpr const char* kCityNameByCell = "Res\\cityname.kss";
constexpr const char* kCityNameByNumber = "Res\\citynamebylist.kss";
constexpr const char* kGoodNames = "Res\\goods.kss";
// Spelt as the ruler lists above, for the same reason.
constexpr const char* kSystemMenuList = "Res//escape.kss";
constexpr const char* kCityMenuList = "Res//citymu.kss";
constexpr const char* kInteriorMenuList = "Res//neizhen.kss";
constexpr const char* kDiplomacyMenuList = "Res//waijiao.kss";
constexpr const char* kArmamentMenuList = "Res//junbei.kss";

// ---- the battle ----------------------------------------------------------
constexpr int kBattleMapFiles = 7;
constexpr const char* kBattleMapTables[kBattleMapFiles] = {"Res\\Fight\\fightmap00.kdt", "Res\\Fight\\fightmap01.kdt",
                                                           "Res\\Fight\\fightmap02.kdt", "Res\\Fight\\fightmap03.kdt",
                                                           "Res\\Fight\\fightmap04.kdt", "Res\\Fight\\fightmap05.kdt",
                                                           "Res\\Fight\\fightmap06.kdt"};
constexpr const char* kSkillTable = "Res\\Fight\\skill.kdt";
constexpr const char* kSkillNames = "Res\\skill.kss";
// The skill menu is a list the battle writes for itself before it opens it.
constexpr const char* kSkillMenuFile = "Res\\tmp.ktp";
constexpr const char* kBattleEscMenuList = "Res\\fightesc.kss";
constexpr const char* kBattleShowMenuList = "Res\\fightshow.kss";
constexpr const char* kBattleSpeedMenuList = "Res\\fightspeed.kss";
constexpr const char* kBattleActionMenuList = "Res\\fightfight.kss";

// ---- what the game writes ------------------------------------------------
constexpr const char* kStartupIni = "Res\\startup.ini";
constexpr int kSaveSlotFiles = 4;  // three slots the player picks, then the autosave
constexpr const char* kSaveSlotPaths[kSaveSlotFiles] = {"Res\\Save\\save0.ksv", "Res\\Save\\save1.ksv",
                                                        "Res\\Save\\save2.ksv", "Res\\Save\\autosave.ksv"};
// Formats of the run log's day file (year, month, day) and of a kept copy
// (the moment as text, then a number when that name is taken).
constexpr const char* kDayLogFormat = "Res\\Log\\%d%02d%02d.log";
constexpr const char* kKeptLogFormat = "Res\\Log\\Err\\%s.log";
constexpr const char* kKeptLogNumberedFormat = "Res\\Log\\Err\\%s-%d.log";
