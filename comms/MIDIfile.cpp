#include "MIDIfile.h"

#include "CommsHooks.h"

MIDIfile::~MIDIfile()
{
    if (fileOpen_)
        file_.Close();
}

int MIDIfile::Send(int count, sendInfo* pieces)
{
    for (int i = 0; i < count; ++i) {
        const sendInfo& piece = pieces[i];
        if (!piece.data || piece.length <= 0)
            continue;
        if (piece.data[0] == 0xF0) {
            // Each message asks for its own file.
            if (fileOpen_) {
                file_.Close();
                fileOpen_ = false;
            }
            CString path;
            if (commsHooks().askSaveFileName)
                path = commsHooks().askSaveFileName(
                    "sysex.bin", "Binary Files (*.bin) | *.bin | All Files (*.*) | *.* ||");
            if (!path.IsEmpty())
                fileOpen_ = file_.Open(path, CFile::fmWrite, nullptr) != 0;
        }
        if (fileOpen_) {
            file_.Write(piece.data, piece.length);
            if (piece.data[piece.length - 1] == 0xF7) {
                file_.Close();
                fileOpen_ = false;
            }
        }
    }
    return 0;
}
