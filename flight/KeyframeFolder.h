#pragma once
// Where this instance keeps its keyframes: a folder of its own, named after its process id, under
// the user's runtime directory ($XDG_RUNTIME_DIR/pexora-keyframes) or, without one, the user's cache
// directory ($XDG_CACHE_HOME or ~/.cache, then pexora/keyframes). Two running instances thus never
// delete each other's keyframes.

#include <sys/types.h>
#include <string>

// The folder that holds the per-instance keyframe folders; empty when the user has neither a runtime
// directory nor a home.
std::string KeyframeFolderBase();

// Creates (mode 0700) and returns "<base>/<pid>" after deleting the keyframes, their snapshots, any
// unfinished keyframe saves and the folders of instances that no longer run (numeric folder names of
// dead processes, also of those killed mid-save). Empty when the folder cannot be made; keyframes then
// simply cannot be stored.
std::string PrepareKeyframeFolder(const std::string& base, pid_t pid);

// True while process `pid` exists (also when it belongs to someone whom we may not signal).
bool ProcessIsAlive(pid_t pid);
