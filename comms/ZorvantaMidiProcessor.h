#pragma once
#include "CommProcessor.h"
#include "CommsHooks.h"
#include "CommsTypes.h"

#include <cstdint>
#include <memory>
#include <vector>

class CFile;
class CMemFile;
class MIDIbase;
class MidiMsg;
class QObject;
class QTimer;

// The device-protocol object: frames requests as system-exclusive messages,
// hands them to the current transport, reassembles what the transport
// receives and dispatches each whole message by its command byte.
class ZorvantaMidiProcessor : public CommProcessor {
public:
    ZorvantaMidiProcessor();
    ~ZorvantaMidiProcessor() override;

    // --- overridable operations
    void ReInit() override;
    void ChooseComms(comm_type type, CDialog* page = nullptr) override;
    MIDIbase* GetDriver() override { return transport_.get(); }
    virtual void ProcessTextMessage(int command, const char* text, QObject* window);
    virtual void OnPrognumsDump(int count, const prognums_buffer* pairs, QObject* window);
    virtual void MessageEnd(int command, int length, QObject* window);
    virtual int ShortMessage(unsigned char status, unsigned char data1, unsigned char data2);
    virtual int ProcessIdentityMessage(char* text, QObject* window);
    virtual void StandardNonRealTimeCommand(unsigned char* body, int length, QObject* window);
    virtual void UnknownCommand(char* message, int length);
    virtual int ProcessBinaryFile(int command, int length, QObject* window);
    virtual int Open(signed char force);
    virtual int Close();
    // The transport's link ended by itself (the MIDI service stopped, the
    // device's ports went); the transport is closed already.
    virtual void OnLinkLost(int why) { (void)why; }

    // --- sending (framing)
    int SysxCommand(unsigned char command, const void* data, int length, QObject* replyWindow);
    int SysxShort(char id, char command, char manufacturer, char family, const void* data,
        int length, QObject* replyWindow);
    int SysxBinaryCommand(unsigned char command, const void* data, int length, QObject* replyWindow,
        signed char withLength);
    int SendRaw(const void* data, int length, QObject* replyWindow);
    int SendIdentityRequest(QObject* replyWindow);

    // --- dumps, raw system-exclusive files and key scripts
    // Asks for a binary dump file, checks it and sends it as a dump of this kind.
    void SendDump(int kind);
    // Asks for a file and sends its bytes unchanged: 0 when sent or cancelled,
    // -1 when the file cannot be opened or read, -2 when memory is short,
    // otherwise the transport's code.
    int SendRaw(QObject* replyWindow);
    // Runs a script of SEND, WAIT and MSG lines; pause is the wait after each
    // SEND in milliseconds (0 none, negative: ask before each SEND).
    void RunKeyScript(CFile& script, int pause);
    static int Nibbleize(
        const unsigned char* data, int length, unsigned char* out, signed char withLength);
    void ErrorDialog(int code);
    std::uint32_t SaveTicks();
    void EnableDefaultHandler(int command, int flag);
    void EnableClock(signed char on) { clockEnabled_ = on != 0; }

    // --- receiving
    // Takes ownership of the message. Returns 1 when a message began in this
    // piece and has not ended, 0 otherwise, 2 when the transport is closed,
    // 3 on re-entry.
    int ProcessMidiMsg(MidiMsg* message, QObject* window);

    // --- key/value requests
    int SetKeyValue(long key, int value, QObject* window);
    int SetKeyValue(long key, float value, QObject* window);
    int GetKeyValue(long key, QObject* window);
    int GetObjectInfo(long key, int index, QObject* window);
    int SendKeypress(long keyCode, QObject* window);
    int SendWheel(int wheel, long delta, QObject* window);
    int SendProgramChange(int channel, int program);
    int SendController(int channel, int controller, int value);
    int Connected();

    // --- connection management
    // Runs the configuration sheet; `accepted` tells whether it ended with OK.
    comm_type ConfigComms(bool* accepted = nullptr);
    int AutoDisconnect(signed char on, int milliseconds);
    int AutoDisconnectActive() const { return disconnectTimer_ != 0; }
    void Disconnect();
    static void DisconnectTimerProc(QObject*, unsigned, unsigned, unsigned long);
    void ShutDown();

    comm_type CommType() const { return commType_; }
    signed char MidiId() const { return midiId_; }
    int DisconnectTime() const { return disconnectTime_; }
    // Installs a transport made elsewhere (device stand-ins, tools, tests).
    void InstallTransport(std::unique_ptr<MIDIbase> transport, comm_type type);

    // Incoming messages longer than this are dropped with an error text.
    void SetAssemblyLimit(long bytes) { assemblyLimit_ = bytes; }

protected:
    // The message being assembled; positioned at the first payload byte while
    // MessageEnd and ProcessBinaryFile run. Null between messages.
    CMemFile* AssemblyBuffer() const { return buffer_.get(); }
    // A device error report (command 13).
    virtual void OnSysexcError(const char* text);

private:
    void appendToBuffer(const unsigned char* bytes, int count);
    void finishMessage(QObject* window);
    void dropMessage(const char* why);
    std::vector<char> readPayload(int length);
    void retireTransport();

    unsigned char handlerEnabled_[128];
    signed char midiId_ = 1;
    comm_type commType_ = commNone;
    std::unique_ptr<MIDIbase> transport_;
    int disconnectTime_ = 0;
    std::uint32_t lastActivity_ = 0;
    int disconnectTimer_ = 0;
    bool clockEnabled_ = false;
    std::unique_ptr<CommsClock> clock_;
    std::unique_ptr<CMemFile> buffer_;
    int busy_ = 0;

    std::unique_ptr<QTimer> timer_;
    bool discarding_ = false; // skipping the rest of a message that was dropped
    long assemblyLimit_ = kMaxAssembly;
    int piecesSinceTicks_ = 0; // received pieces since the activity time was read
    static constexpr int kPiecesPerTickRefresh = 8;
    int transportDepth_ = 0; // calls into the transport on this thread's stack
    std::vector<std::unique_ptr<MIDIbase>> retired_; // replaced while in use
};

// The one live protocol object, or null.
extern ZorvantaMidiProcessor* thisProcessor;

// Returns the set of comm types offered, bit n for type n: MIDI only.
unsigned int CommsMask();
// Version text of the MIDI driver layer.
void GetZmidiDllVersion(CString& version);
// Busy wait of the given time, at most 10 seconds.
void do_delay(unsigned long milliseconds);
