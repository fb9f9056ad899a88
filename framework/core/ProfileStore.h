#pragma once

#include "CString.h"
#include "FrameworkTypes.h"

class QSettings;

// The process-wide settings store behind every profile call and persistent
// variable. The application object registers its store at start-up and clears
// it before deleting it; with no store registered, reads give their defaults
// and writes store nothing.
void SetProfileStore(QSettings* store);
QSettings* GetProfileStore();

// The store key of (section, entry): "/section/entry", so each section is a
// bracketed group of the ini file and each entry a key in it.
QString ProfileKey(const char* section, const char* entry);

// The stored value as a string, or `def` when absent (or when there is no store).
CString GetProfileString(const char* section, const char* entry, const char* def = nullptr);
// Stores `value`; a null `value` removes the entry. TRUE when the store took it.
BOOL WriteProfileString(const char* section, const char* entry, const char* value);
// The stored value as an integer, or `def` when absent; a value that is not a
// number reads as 0.
int GetProfileInt(const char* section, const char* entry, int def);
// Stores the integer. TRUE when the store took it.
BOOL WriteProfileInt(const char* section, const char* entry, int value);
