#pragma once
#include <QString>
#include <memory>

class QSettings;

// Where a program's settings live. The editor opens its store here, and the
// simulated device writes the editor's MIDI settings through the same calls, so
// both always mean the same file.

// "<app>.ini" in the folder "<app>" of the support data folder of `app`.
QString iniFilePath(const QString& app);
// TRUE when the toolkit can save an ini file at `path`: the file is (or can be
// created as) a writable file and its folder takes new files, because the
// toolkit replaces the file through a temporary file beside it. A missing file is
// created empty; a missing folder is never created.
bool iniFileWritable(const QString& path);
// The store of `app`: its ini file when that can be written, else the platform's
// native store under the organisation "Zorvanta".
std::unique_ptr<QSettings> openSettingsStore(const QString& app);
// Writes pending changes; when the store cannot write them, says so on standard
// error, naming the file. TRUE when everything was written.
bool syncSettingsStore(QSettings& store);
