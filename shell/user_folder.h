#pragma once
// Where an installed game keeps each player's own files. A build-tree run (Res/
// beside the binary, or in the working directory) is left exactly as it is. An
// installed game (data in ../share/kestrelmoor/Res next to the binary's folder)
// runs in a per-user folder whose Res/ links every read-only entry into the
// installed data, while startup.ini, Save, Log and Log/Err are the player's own,
// so several players on one machine never share saves or settings.
#include <string>

// The installed data folder (".../share/kestrelmoor/Res") for a binary living in
// `exeDir`, or empty when the binary is not installed (a build-tree run).
std::string InstalledDataFor(const std::string& exeDir);

// $XDG_DATA_HOME/kestrelmoor, else $HOME/.local/share/kestrelmoor; empty when
// neither variable names a folder.
std::string UserFolderRoot();

// Makes `userRoot`/Res from the installed data: links for every read-only entry
// (renewed on every start, so an upgraded package brings its new data), and the
// player's own Save, Log, Log/Err and startup.ini (copied from the defaults only
// when missing, never overwritten). False when the folder cannot be made.
bool PrepareUserFolder(const std::string& installedRes, const std::string& userRoot);

// Called first thing in main: for an installed binary prepares the per-user
// folder and makes it the working directory. Returns false (with a message on
// standard error) only when an installed game cannot get a folder to run in.
bool EnterUserFolder();

// Makes a relative path given on the command line absolute from the folder the
// program was started in, so it still names the same file after EnterUserFolder
// has changed the working directory. Empty and "-" (standard input) stay as they are.
void AnchorToStartFolder(std::string& path);
