#pragma once
// The run log: one line per method call in a file per day, Res/Log/YYYYMMDD.log.
// Level 1 general, 2 error, 3 test; 5 moves a leftover day file into Res/Log/Err
// and then writes as level 1. A normal exit deletes the day file.
void Log(int level, const char* name, const char* text, int number);
void DeleteTodayLog();
// The end of the process's run: a run that ended normally (it deleted its day
// file) leaves no day file, even when lines were logged after the deletion.
void EndRunLog();
// Closes the file the log keeps open (tests that move the log folder call it).
void CloseRunLog();
