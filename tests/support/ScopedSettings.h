#pragma once
#include "ProfileStore.h"
#include "TestEnv.h"

#include <QSettings>

// A fresh ini file as the process-wide settings store for one test.
class ScopedSettings {
public:
    ScopedSettings()
        : settings_(QString::fromStdString(TestEnv::freshDir("settings") + "/test.ini"),
            QSettings::IniFormat)
    {
        SetProfileStore(&settings_);
    }
    ~ScopedSettings() { SetProfileStore(nullptr); }
    QSettings& settings() { return settings_; }
    bool has(const char* section, const char* entry)
    {
        return settings_.contains(ProfileKey(section, entry));
    }

private:
    QSettings settings_;
};
