#pragma once
// The task table's record, and the war order that spans three of them.
#include "shell/json_writer.h"

constexpr int kTaskRecords = 255;
constexpr int kFirstTaskRecord = 1;  // record 0 is never filled
constexpr int kLastTaskRecord = 254;
constexpr int kWarOrderRecords = 3;
constexpr int kPartyExtraOfficers = 9;

// taskType values.
constexpr int kTaskSearch = 1;
constexpr int kTaskPersuade = 2;
constexpr int kTaskTransport = 3;
constexpr int kTaskWinOver = 5;
constexpr int kTaskIncite = 6;
constexpr int kTaskSubmit = 7;
constexpr int kTaskWar = 8;
constexpr int kTaskWarAwaitingDefence = 18;
constexpr int kTaskWarResolved = -8;
constexpr int kTaskPlunder = 9;

struct TaskRecord {
  int unused = 0;
  int city = 0;     // city index (or a 1-based city for tasks 6 and 8)
  int officer = 0;  // officer index
  int taskType = 0;
  int value1 = 0;  // fields 4..8, by type
  int value2 = 0;
  int value3 = 0;
  int value4 = 0;
  int value5 = 0;
  int taskRemoved = 1;

  void Reset() { *this = TaskRecord(); }
  void Dump(JsonWriter& out) const;  // as an array of its ten numbers
};

struct WarOrder {
  int fromCityNo = 0;
  int attackerRulerId = 0;
  int taskType = kTaskWar;
  int targetCityNo = 0;
  int foodCarried = 0;
  int partySize = 0;
  int leadOfficerId = 0;
  int warKind = 0;
  int taskRemoved = 0;
  int partyOfficers[kPartyExtraOfficers] = {-1, -1, -1, -1, -1, -1, -1, -1, -1};
  int attackOnPlayer = 0;
};

// warKind values.
constexpr int kWarAttackCity = -1;
constexpr int kWarOccupyEmpty = -2;

// Reads the order that starts at records[0] (records[1] and [2] are its extensions).
WarOrder ReadWarOrder(const TaskRecord* records);
void WriteWarOrder(TaskRecord* records, const WarOrder& order);
