// Key scripts replayed to the device.
#include "ZorvantaMidiProcessor.h"

#include "KeyScript.h"
#include "MessageBoxHook.h"
#include "SysexVocabulary.h"

#include <strings.h>

#include <cstdio>
#include <cstring>

namespace {

bool isWord(const std::vector<std::string>& fields, size_t i, const char* word)
{
    return fields.size() > i && strcasecmp(fields[i].c_str(), word) == 0;
}

} // namespace

void ZorvantaMidiProcessor::RunKeyScript(CFile& script, int pause)
{
    KeyScriptReader reader(script);
    std::vector<std::string> fields;
    while (thisProcessor && reader.Next(fields)) {
        if (isWord(fields, 0, "SEND")) {
            // A SEND without its key and value has nothing to set.
            if (fields.size() < 3)
                continue;
            // Both fields come from a line of at most 255 characters.
            char text[KeyScriptReader::kMaxLine + 8];
            std::snprintf(text, sizeof text, "0x%s %s", fields[1].c_str(), fields[2].c_str());
            if (pause < 0) {
                // Yes sends, No skips this line, Cancel ends the script.
                const int answer = FrameworkMessageBox(nullptr, textToQString(text),
                    QStringLiteral("Send this one ?"), MB_YESNOCANCEL | MB_ICONQUESTION);
                if (answer == IDNO)
                    continue;
                if (answer != IDYES)
                    return;
            }
            const int err
                = SysxCommand(sysex::setValue, text, static_cast<int>(std::strlen(text)), nullptr);
            if (err) {
                // The rest of the script would fail the same way, unseen.
                ErrorDialog(err);
                return;
            }
            if (pause > 0)
                keyScriptDelay(static_cast<unsigned long>(pause));
        } else if (isWord(fields, 0, "WAIT")) {
            const double seconds = fields.size() > 1 ? keyScriptSeconds(fields[1]) : 0.0;
            if (isWord(fields, 2, "ALL"))
                pause = seconds < 0 ? -1 : static_cast<int>(keyScriptWait(seconds));
            else if (const unsigned long ms = keyScriptWait(seconds))
                keyScriptDelay(ms);
        } else if (isWord(fields, 0, "MSG")) {
            FrameworkMessageBox(nullptr, textToQString(fields.size() > 1 ? fields[1].c_str() : ""),
                QStringLiteral("Message"), MB_OK | MB_ICONQUESTION);
        }
    }
}
