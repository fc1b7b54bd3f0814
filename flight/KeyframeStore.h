#pragma once
// The numbered keyframe files "~kf%04d.dat" of one keyframe folder, numbered 0, 1, 2, ... without gaps.

#include <string>

struct SceneBlock;

// "<folder>/~kf%04d.dat".
std::string KeyframePath(const std::string& folder, int number);

// The number of keyframe files: the first number whose file cannot be opened.
int CountKeyframes(const std::string& folder);

// Reads keyframe `number` into `block`. False, with `block` untouched, when the file does not open or
// is refused (a count outside 1..127, fewer bytes than its heads).
bool ReadKeyframeFile(const std::string& folder, int number, SceneBlock& block);

// Reads the keyframe file at `path` into `block`; as ReadKeyframeFile.
bool ReadKeyframeAt(const std::string& path, SceneBlock& block);

// Writes `block` as keyframe `number` through a safe save; false when it could not be written (an
// earlier file of that number is then kept).
bool WriteKeyframeFile(const std::string& folder, int number, const SceneBlock& block);

// Deletes every file of the folder named "~kf" + four decimal digits + ".dat" (exactly 11 characters;
// others such as "~kf12a4.dat" or "~kf00001.dat" stay), and before each the mesh snapshots its model
// heads (1 .. count-1) name. Only files whose name begins with "~CM" are deleted as snapshots, so a
// damaged keyframe cannot make this delete another file. Errors are ignored.
void DeleteKeyframeFiles(const std::string& folder);
