#pragma once
#include <string>

// Strict readers of the fields of a request text: each skips leading blanks,
// reads one field and fails on anything that is not that field. AtEnd accepts
// only trailing blanks, so "10010081 3x" is refused rather than read as 3.
bool readHexKey(const char*& p, long& key);
bool readInt(const char*& p, long& value);
bool readNumber(const char*& p, double& value);
bool atEnd(const char* p);
