// Assembly speed of incoming system-exclusive data: a 1 MiB message fed in
// 256-byte pieces through ProcessMidiMsg, as the MIDI input delivers it.
#include "MIDIbase.h"
#include "RtMidiMsg.h"
#include "SysexVocabulary.h"
#include "ZorvantaMidiProcessor.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <vector>

namespace {

class OpenTransport : public MIDIbase {
public:
    int IsOpen() override { return 1; }
};

class CountingProcessor : public ZorvantaMidiProcessor {
public:
    void UnknownCommand(char*, int length) override { received += length; }
    long long received = 0;
};

void BM_AssembleOneMebibyteIn256BytePieces(benchmark::State& state)
{
    const std::size_t piece = static_cast<std::size_t>(state.range(0));
    std::vector<unsigned char> message(1 << 20);
    for (std::size_t i = 0; i < message.size(); ++i)
        message[i] = static_cast<unsigned char>(i & 0x7F);
    // Command 90 has no handler: the whole message goes to UnknownCommand.
    const unsigned char header[] = { 0xF0, sysex::manufacturer, sysex::family, 0x01, 90 };
    std::copy(std::begin(header), std::end(header), message.begin());
    message.back() = 0xF7;

    CountingProcessor p;
    p.InstallTransport(std::make_unique<OpenTransport>(), commMidi);
    for (auto _ : state) {
        for (std::size_t at = 0; at < message.size(); at += piece) {
            const std::size_t n = std::min(piece, message.size() - at);
            p.ProcessMidiMsg(new RtMidiMsg(message.data() + at, n), nullptr);
        }
    }
    if (p.received
        != static_cast<long long>(state.iterations()) * static_cast<long long>(message.size() - 5))
        state.SkipWithError("message not dispatched whole");
    state.SetBytesProcessed(
        static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(message.size()));
}
BENCHMARK(BM_AssembleOneMebibyteIn256BytePieces)
    ->Arg(256)
    ->Arg(4096)
    ->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
