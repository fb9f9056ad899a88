#pragma once
// Path splitting and building with '/' as the only folder separator.
#include "CString.h"

// Splits path into drive (always empty), dir (the folder without a trailing '/', "." when
// the path has none), fname (the name without its last extension) and ext (the last
// extension without its '.'). Each output buffer (may be null) holds up to 255 characters
// and its zero; longer components are cut.
void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);

// Writes "%s%s/%s.%s" (drive, dir, fname, ext) into out, which must hold _MAX_PATH bytes;
// the '/' and the '.' are always inserted. Longer results are cut at _MAX_PATH - 1.
void _makepath(char* out, const char* drive, const char* dir, const char* fname, const char* ext);

// The same split without length limits, for code that keeps whole paths.
void splitPathText(const CString& path, CString& dir, CString& fname, CString& ext);

// Replaces the last '.' by '_' and keeps only what follows the last '\\'.
CString FilePart(const char* s);

// The components of one path, split at construction.
class SplitPath {
public:
    explicit SplitPath(const char* path);
    // Rebuilds the path with _makepath into out (_MAX_PATH bytes).
    void MakePath(char* out) const;
    CString MakePath() const;

    char drive[_MAX_DRIVE] = {};
    char dir[_MAX_DIR] = {};
    char fname[_MAX_FNAME] = {};
    char ext[_MAX_EXT] = {};
};
