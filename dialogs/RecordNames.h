#pragma once
// Record texts (8-bit, in the locale's encoding, at most 259 bytes) to and from window texts.

#include <QString>
#include <string>

// A record text as a window shows it.
QString WindowTextOf(const char* recordText);

// `text` in the locale's 8-bit encoding, cut after the last whole character that fits a record
// text (259 bytes), so that no character is split.
std::string RecordTextOf(const QString& text);
