// The routing preset reader, fed arbitrary preset files.
//
// Input: the file's bytes.
//
// Besides what the sanitizers catch, each run checks that
//  - the lines read are bounded, and put back together with their line feeds
//    give the file again when none was cut,
//  - a cut line is never taken for a record,
//  - every value and (moderate) gain line that reads writes back to a line
//    that reads as the same record, and a CR at its end changes nothing,
//  - a line made printable holds no control character.
#include "FuzzSupport.h"

#include "PresetFile.h"

#include <cmath>
#include <string>

namespace {

void checkRecord(const std::string& line, const PresetFile::Record& r)
{
    using R = PresetFile::Record;
    if (r.kind == R::valueLine || r.kind == R::gainLine) {
        FUZZ_CHECK(r.key >= 0 && r.key <= 0xFFFFFFFFL, "key beyond 32 bits: " + line);
        PresetFile out;
        if (r.kind == R::valueLine)
            out.AddValue(r.key, r.value);
        else if (std::fabs(r.gain) < 1e6f)
            out.AddGain(r.key, r.gain);
        else
            return;
        const std::string& text = out.Text();
        FUZZ_CHECK(text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0,
            "written line does not end in CR LF");
        const R back = PresetFile::Parse(text.substr(0, text.size() - 1));
        FUZZ_CHECK(back.kind == r.kind, "written line reads as another kind: " + text);
        FUZZ_CHECK(back.key == r.key, "key changes on writing: " + text);
        if (r.kind == R::valueLine)
            FUZZ_CHECK(back.value == r.value, "value changes on writing: " + text);
        else
            FUZZ_CHECK(std::fabs(back.gain - r.gain) <= 0.05f + std::fabs(r.gain) * 1e-6f,
                "gain changes on writing: " + text);
    }
    if (line.size() < size_t(PresetFile::maxLineLength)) {
        const R withCr = PresetFile::Parse(line + "\r");
        FUZZ_CHECK(withCr.kind == r.kind && withCr.key == r.key && withCr.value == r.value
                && (withCr.gain == r.gain || (std::isnan(withCr.gain) && std::isnan(r.gain))),
            "a CR at the end changes the record: " + line);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::quietStartUp();
    const std::string path = fuzz::scratchPath("preset.rut");
    FUZZ_CHECK(fuzz::writeFile(path, data, size), "cannot write the scratch file");

    PresetFile in;
    FUZZ_CHECK(in.Open(CString(path.c_str())) == TRUE, "an existing preset did not open");
    std::string line;
    bool tooLong = false;
    bool anyCut = false;
    std::string joined;
    int lines = 0;
    while (in.ReadLine(line, tooLong)) {
        FUZZ_CHECK(line.size() <= size_t(PresetFile::maxLineLength), "line past its bound");
        FUZZ_CHECK(++lines <= int(size), "more lines than bytes");
        anyCut = anyCut || tooLong;
        joined += line;
        joined += '\n';
        const PresetFile::Record r = PresetFile::Parse(line, tooLong);
        if (tooLong)
            FUZZ_CHECK(r.kind == PresetFile::Record::badLine, "a cut line taken for a record");
        checkRecord(line, r);
        const std::string shown = static_cast<const char*>(PresetFile::Printable(line));
        for (char c : shown)
            FUZZ_CHECK(static_cast<unsigned char>(c) >= 32 || c == '\t', "control character shown");
        PresetFile::IsValidName(line.c_str());
    }
    in.Close();
    if (!anyCut) {
        const std::string file(reinterpret_cast<const char*>(data), size);
        FUZZ_CHECK(joined == file || joined == file + "\n", "lines do not give the file back");
    }
    return 0;
}
