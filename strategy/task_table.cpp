// The month's queue of tasks and war orders. Records 1..254 are used; a task
// that does not fit is refused before it costs anything, so nothing is ever
// written past the table.
#include "shell/run_log.h"
#include "strategy/game_map.h"

void GameMap::ResetTasks() {
  Log(1, "GameMap::ResetTasks", "开始", 0);
  for (TaskRecord& t : taskTable) t.Reset();
  taskCount = 0;
}

int GameMap::FreeTaskRecords() const {
  int used = taskCount < 0 ? 0 : taskCount;
  return used >= kLastTaskRecord ? 0 : kLastTaskRecord - used;
}

int GameMap::QueueTask(int city, int officer, int type, int v1, int v2, int v3, int v4, int v5) {
  Log(1, "GameMap::QueueTask", "开始", 0);
  if (FreeTaskRecords() < 1) return -1;
  int index = (taskCount < 0 ? 0 : taskCount) + 1;
  TaskRecord& t = taskTable[index];
  t.Reset();
  t.city = city;
  t.officer = officer;
  t.taskType = type;
  t.value1 = v1;
  t.value2 = v2;
  t.value3 = v3;
  t.value4 = v4;
  t.value5 = v5;
  t.taskRemoved = 0;
  taskCount = index;
  return index;
}

int GameMap::QueueWarOrder(const WarOrder& order) {
  Log(1, "GameMap::QueueWarOrder", "开始", 0);
  if (FreeTaskRecords() < kWarOrderRecords) return -1;
  int index = (taskCount < 0 ? 0 : taskCount) + 1;
  WarOrder live = order;
  live.taskType = kTaskWar;
  live.taskRemoved = 0;
  WriteWarOrder(&taskTable[index], live);
  taskCount = index + kWarOrderRecords - 1;
  return index;
}
