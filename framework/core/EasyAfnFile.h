#pragma once
#include "AfnFile.h"

// Called for each file of an EasyAfnFile walk; non-zero stops the walk.
using EasyAfnCallback = int (*)(const CString& path, void* data);
// The same with the path as 8-bit text (names outside the 8-bit set arrive with '?').
using EasyAfnTextCallback = int (*)(const char* path, void* data);

// A directory walk run at construction, handing each file to a plain callback.
class EasyAfnFile : public AfnFile {
public:
    EasyAfnFile(const CString& pattern, EasyAfnCallback callback, void* data, BOOL recurse);
    EasyAfnFile(const CString& pattern, EasyAfnTextCallback callback, void* data, BOOL recurse);
    ~EasyAfnFile() override;

    // TRUE when the walk returned 0.
    BOOL OK() const { return m_result == 0; }
    int Result() const { return m_result; }

protected:
    int ProcessFile(const CString& path) override;

private:
    EasyAfnCallback m_callback = nullptr;
    EasyAfnTextCallback m_textCallback = nullptr;
    void* m_data;
    int m_result = 0;
};
