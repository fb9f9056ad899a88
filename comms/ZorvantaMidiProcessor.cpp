#include "ZorvantaMidiProcessor.h"

#include "SysexVocabulary.h"

#include "CMemFile.h"
#include "MIDIbase.h"
#include "MIDIfile.h"
#include "MIDIwin.h"
#include "MessageBoxHook.h"
#include "Nibble.h"
#include "NullMidiDev.h"
#include "ProfileStore.h"
#include "TickCount.h"
#include "TransportCall.h"

#include <QElapsedTimer>
#include <QThread>
#include <QTimer>
#include <algorithm>

#include <cstring>
#include <new>

ZorvantaMidiProcessor* thisProcessor = nullptr;

namespace {
constexpr int kDayMs = 24 * 60 * 60 * 1000;
constexpr int kIdOk = 1024;
} // namespace

unsigned int CommsMask()
{
    return 1u << commMidi;
}

void GetZmidiDllVersion(CString& version)
{
    version = "?.??";
}

void do_delay(unsigned long milliseconds)
{
    if (milliseconds > 10000)
        milliseconds = 10000;
    // Blocks as a wait must, but sleeps in short steps instead of spinning a core.
    QElapsedTimer clock;
    clock.start();
    for (qint64 left = static_cast<qint64>(milliseconds); left > 0;
         left = static_cast<qint64>(milliseconds) - clock.elapsed())
        QThread::msleep(static_cast<unsigned long>(std::min<qint64>(left, 5)));
}

ZorvantaMidiProcessor::ZorvantaMidiProcessor()
{
    thisProcessor = this;
    commType_ = static_cast<comm_type>(GetProfileInt("Zorvanta Drivers", "CommName", commNone));
    midiId_ = static_cast<signed char>(GetProfileInt("Zorvanta Drivers", "MIDI ID", 1) & 0xFF);
    ChooseComms(commType_);
    std::memset(handlerEnabled_, 1, sizeof handlerEnabled_);
    disconnectTime_ = GetProfileInt("Zorvanta Drivers", "DisconnectTime", 0);
    if (disconnectTime_)
        AutoDisconnect(1, disconnectTime_);
}

ZorvantaMidiProcessor::~ZorvantaMidiProcessor()
{
    ShutDown();
    timer_.reset();
    disconnectTimer_ = 0;
    if (transport_) {
        transport_->DetachAll();
        transport_.reset();
    }
    retired_.clear();
    buffer_.reset();
    clock_.reset();
    WriteProfileInt("Zorvanta Drivers", "CommName", commType_);
}

void ZorvantaMidiProcessor::ShutDown()
{
    if (thisProcessor == this)
        thisProcessor = nullptr;
}

void ZorvantaMidiProcessor::ChooseComms(comm_type type, CDialog*)
{
    const unsigned mask = CommsMask();
    if (type < 0 || type > 31 || !(mask & (1u << type))) {
        for (int t = 0; t < 32; ++t)
            if (mask & (1u << t)) {
                type = static_cast<comm_type>(t);
                break;
            }
    }
    if (type != commNone && type != commMidi && type != commFile)
        return;
    // The old transport goes first, so that its ports are closed before the
    // new one connects.
    retireTransport();
    std::unique_ptr<MIDIbase> next;
    switch (type) {
    case commNone:
        next = std::make_unique<NullMidiDev>(this);
        break;
    case commMidi:
        next = std::make_unique<MIDIwin>();
        break;
    case commFile:
        next = std::make_unique<MIDIfile>();
        break;
    default:
        return;
    }
    InstallTransport(std::move(next), type);
}

void ZorvantaMidiProcessor::InstallTransport(std::unique_ptr<MIDIbase> transport, comm_type type)
{
    if (!transport)
        return;
    retireTransport();
    transport_ = std::move(transport);
    commType_ = type;
    transport_->SetLinkLostHandler([this](MIDIbase* from, MIDIbase::LinkLoss why) {
        if (from == transport_.get())
            OnLinkLost(why);
    });
}

void ZorvantaMidiProcessor::retireTransport()
{
    if (!transport_)
        return;
    transport_->Close();
    if (transportDepth_ > 0)
        retired_.push_back(std::move(transport_));
    else
        transport_.reset();
}

// --- sending

int ZorvantaMidiProcessor::SysxShort(char id, char command, char manufacturer, char family,
    const void* data, int length, QObject* replyWindow)
{
    TransportCall call(transportDepth_, retired_);
    return transport_->SysxShort(id, command, manufacturer, family, data, length, replyWindow);
}

int ZorvantaMidiProcessor::SysxCommand(
    unsigned char command, const void* data, int length, QObject* replyWindow)
{
    if (!thisProcessor)
        return 0;
    const int err = SysxShort(static_cast<char>(midiId_), static_cast<char>(command),
        sysex::manufacturer, sysex::family, data, length, replyWindow);
    SaveTicks();
    return err;
}

int ZorvantaMidiProcessor::SysxBinaryCommand(unsigned char command, const void* data, int length,
    QObject* replyWindow, signed char withLength)
{
    if (length < 0 || (!data && length > 0))
        length = 0;
    std::unique_ptr<unsigned char[]> work(
        new (std::nothrow) unsigned char[2 * static_cast<size_t>(length) + 26]);
    if (!work)
        return commsNoMemory;
    const int n
        = Nibbleize(static_cast<const unsigned char*>(data), length, work.get(), withLength);
    const int err = SysxCommand(command, work.get(), n, replyWindow);
    SaveTicks();
    ErrorDialog(err);
    return err;
}

int ZorvantaMidiProcessor::SendRaw(const void* data, int length, QObject* replyWindow)
{
    SaveTicks();
    TransportCall call(transportDepth_, retired_);
    return transport_->SendRaw(data, length, replyWindow);
}

int ZorvantaMidiProcessor::SendIdentityRequest(QObject* replyWindow)
{
    static const unsigned char request[6] = { 0xF0, 0x7E, 0x7F, 0x06, 0x01, 0xF7 };
    return SendRaw(request, sizeof request, replyWindow);
}

int ZorvantaMidiProcessor::Nibbleize(
    const unsigned char* data, int length, unsigned char* out, signed char withLength)
{
    return nibbleizeBlock(data, length, out, withLength);
}

void ZorvantaMidiProcessor::ErrorDialog(int code)
{
    if (!code || !thisProcessor)
        return;
    transport_->ErrorDialog(code);
}

std::uint32_t ZorvantaMidiProcessor::SaveTicks()
{
    lastActivity_ = static_cast<std::uint32_t>(GetTickCount());
    piecesSinceTicks_ = 0;
    return lastActivity_;
}

void ZorvantaMidiProcessor::EnableDefaultHandler(int command, int flag)
{
    if (command < 0 || command > 127)
        return;
    handlerEnabled_[command] = static_cast<unsigned char>(flag);
}

// --- connection management

int ZorvantaMidiProcessor::Open(signed char force)
{
    TransportCall call(transportDepth_, retired_);
    return transport_->Open(force);
}

int ZorvantaMidiProcessor::Close()
{
    TransportCall call(transportDepth_, retired_);
    return transport_->Close();
}

int ZorvantaMidiProcessor::Connected()
{
    return transport_->IsOpen();
}

void ZorvantaMidiProcessor::ReInit()
{
    if (!transport_->IsOpen())
        return;
    Close();
    Open(1);
}

comm_type ZorvantaMidiProcessor::ConfigComms(bool* accepted)
{
    const comm_type before = commType_;
    int result = kIdOk + 1;
    if (commsHooks().runConfigSheet)
        result = commsHooks().runConfigSheet(*this);
    // Showing a page may already have switched the transport.
    if (result != kIdOk)
        ChooseComms(before);
    if (accepted)
        *accepted = result == kIdOk;
    return commType_;
}

int ZorvantaMidiProcessor::AutoDisconnect(signed char on, int milliseconds)
{
    const bool running = disconnectTimer_ != 0;
    if ((on != 0) == running) {
        disconnectTime_ = running ? milliseconds : 0;
    } else if (on) {
        timer_ = std::make_unique<QTimer>();
        QObject::connect(
            timer_.get(), &QTimer::timeout, [] { DisconnectTimerProc(nullptr, 0, 0, 0); });
        timer_->start(1000);
        disconnectTimer_ = timer_->timerId() > 0 ? timer_->timerId() : 1;
        SaveTicks();
        disconnectTime_ = milliseconds;
    } else {
        timer_.reset();
        disconnectTimer_ = 0;
        disconnectTime_ = 0;
    }
    if (milliseconds)
        WriteProfileInt("Zorvanta Drivers", "DisconnectTime", disconnectTime_);
    return 1;
}

void ZorvantaMidiProcessor::DisconnectTimerProc(QObject*, unsigned, unsigned, unsigned long)
{
    ZorvantaMidiProcessor* p = thisProcessor;
    if (!p || !p->transport_ || !p->transport_->IsOpen())
        return;
    // The tick count restarts at midnight; an interval across it is still
    // measured forward.
    long elapsed = static_cast<long>(GetTickCount()) - static_cast<long>(p->lastActivity_);
    if (elapsed < 0)
        elapsed += kDayMs;
    if (elapsed <= p->disconnectTime_)
        return;
    if (!p->transport_->Busy())
        p->Disconnect();
    else
        p->SaveTicks();
}

void ZorvantaMidiProcessor::Disconnect()
{
    QElapsedTimer waited;
    waited.start();
    while (transport_->Busy() && waited.elapsed() < 5000)
        QThread::msleep(10);
    if (transport_->Busy())
        FrameworkMessageBox(nullptr, QStringLiteral("System is busy - cannot disconnect"),
            QStringLiteral("Comms Error"), MB_OK | MB_ICONWARNING);
    else
        Close();
    clock_.reset();
}
