#include "strategy/task_record.h"

void TaskRecord::Dump(JsonWriter& out) const {
  const int fields[10] = {unused, city, officer, taskType, value1, value2, value3, value4, value5, taskRemoved};
  out.BeginArray();
  for (int v : fields) out.Int(v);
  out.EndArray();
}

WarOrder ReadWarOrder(const TaskRecord* r) {
  WarOrder o;
  o.fromCityNo = r[0].city;
  o.attackerRulerId = r[0].officer;
  o.taskType = r[0].taskType;
  o.targetCityNo = r[0].value1;
  o.foodCarried = r[0].value2;
  o.partySize = r[0].value3;
  o.leadOfficerId = r[0].value4;
  o.warKind = r[0].value5;
  o.taskRemoved = r[0].taskRemoved;
  const int party[kPartyExtraOfficers] = {r[1].value1, r[1].value2, r[1].value3, r[1].value4, r[1].value5,
                                          r[2].value1, r[2].value2, r[2].value3, r[2].value4};
  for (int i = 0; i < kPartyExtraOfficers; ++i) o.partyOfficers[i] = party[i];
  o.attackOnPlayer = r[2].value5;
  return o;
}

void WriteWarOrder(TaskRecord* r, const WarOrder& o) {
  for (int i = 0; i < kWarOrderRecords; ++i) r[i].Reset();
  r[0].city = o.fromCityNo;
  r[0].officer = o.attackerRulerId;
  r[0].taskType = o.taskType;
  r[0].value1 = o.targetCityNo;
  r[0].value2 = o.foodCarried;
  r[0].value3 = o.partySize;
  r[0].value4 = o.leadOfficerId;
  r[0].value5 = o.warKind;
  r[0].taskRemoved = o.taskRemoved;
  int* ext[kPartyExtraOfficers] = {&r[1].value1, &r[1].value2, &r[1].value3, &r[1].value4, &r[1].value5,
                                   &r[2].value1, &r[2].value2, &r[2].value3, &r[2].value4};
  for (int i = 0; i < kPartyExtraOfficers; ++i) *ext[i] = o.partyOfficers[i];
  r[2].value5 = o.attackOnPlayer;
  r[1].taskType = 0;
  r[2].taskType = 0;
  r[1].taskRemoved = 0;
  r[2].taskRemoved = 0;
}
