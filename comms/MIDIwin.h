#pragma once
#include "JackWatch.h"
#include "MIDIbase.h"

#include <memory>
#include <string>
#include <vector>

class RtMidiIn;
class RtMidiOut;

// The transport over real MIDI ports, through the RtMidi library.
class MIDIwin : public MIDIbase {
public:
    MIDIwin();
    ~MIDIwin() override;

    int IsOpen() override { return open_ ? 1 : 0; }
    int ShortMessage(unsigned char status, unsigned char data1, unsigned char data2) override;
    int Send(int count, sendInfo* pieces) override;
    int Close() override;
    void ExplainErr(int code, CString& text) override;
    int Open(signed char force) override;
    int RxBufferSize() override { return rxBufferSize_; }

    // Longest single message the JACK interface passes on; longer system
    // exclusive messages go out as consecutive pieces of at most this size.
    static constexpr std::size_t kJackMessageLimit = 16379;

    const CString& InputName() const { return inName_; }
    const CString& OutputName() const { return outName_; }
    int InputPort() const { return inPort_; }
    int OutputPort() const { return outPort_; }

private:
    int fail(int type, const std::string& message);
    int sendBytes(const std::vector<unsigned char>& bytes);
    bool createLibraryObjects();
    void closePorts();
    bool serverGone() const { return watch_ && watch_->serverGone(); }
    void forgetDeadLink();
    void watchEvent(JackWatch::Event event);

    int rxBufferSize_ = 8192;
    CString errorText_;
    std::unique_ptr<RtMidiIn> in_;
    std::unique_ptr<RtMidiOut> out_;
    bool open_ = false;
    int outPort_ = -1;
    int inPort_ = -1;
    CString outName_;
    CString inName_;
    int libraryErrorType_ = 0; // set while no library object could be made
    bool inOpen_ = false;
    bool outOpen_ = false;
    // Present while the link is open over JACK.
    std::unique_ptr<JackWatch> watch_;
    std::string inPortFull_; // the connected ports as the library names them
    std::string outPortFull_;
};

// Input callback registered with the library; runs on the library's thread.
void mycallback(double timeStamp, std::vector<unsigned char>* bytes, void* transport);
