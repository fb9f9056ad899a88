#pragma once
// A panel description that records every region handed to it, for tests.

#include "EmfDescriptor.h"

#include <string>
#include <vector>

struct DescCall {
    std::string what;
    CRect r;
    void* context;
};

class RecordingDesc : public EmfDescriptor {
public:
    std::vector<DescCall> calls;
    int deleteAllCalls = 0;
    double outlineScale = 0; // scale set by OUTLINE, 0 = leave it

    void DeleteAll() override
    {
        ++deleteAllCalls;
        calls.clear();
    }
    void WheelProcess(const CRect& r, void* c) override { calls.push_back({ "WHEEL", r, c }); }
    void LedProcess(const CRect& r, void* c) override { calls.push_back({ "LED", r, c }); }
    void ScreenProcess(const CRect& r, void* c) override { calls.push_back({ "SCREEN", r, c }); }
    void ButtonProcess(const CRect& r, void* c) override { calls.push_back({ "BUTTON", r, c }); }
    void OutlineProcess(const CRect& r, void* c) override
    {
        calls.push_back({ "OUTLINE", r, c });
        if (outlineScale != 0)
            scale = outlineScale;
    }
};

// Writes text (which may hold zero bytes) to a fresh file and returns its path.
std::string writeTempFile(const std::string& name, const std::string& text);
