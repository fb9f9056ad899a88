#include "FuzzSupport.h"

#include "MessageBoxHook.h"

#include <QString>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fuzz {

namespace {

int boxes = 0;
std::vector<std::uint8_t> choices;
std::size_t nextChoice = 0;
std::vector<Box> shown;
std::string currentInput;

// Removes the scratch folder when the process ends normally.
struct ScratchFolder {
    std::string path;
    ~ScratchFolder()
    {
        if (!path.empty()) {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    }
};

ScratchFolder& scratch()
{
    static ScratchFolder folder;
    if (folder.path.empty()) {
        std::error_code ec;
        std::filesystem::path base = std::filesystem::temp_directory_path(ec);
        if (ec)
            base = "/tmp";
        std::string pattern = (base / "q7300-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()))
            folder.path = pattern;
        else
            folder.path = base.string();
    }
    return folder;
}

} // namespace

void quietStartUp()
{
    static bool done = false;
    if (done)
        return;
    done = true;
    setMessageBoxHandler(
        [](QObject*, const QString&, const QString& caption, UINT flags, const QString&) {
            ++boxes;
            const std::vector<int> buttons = messageBoxButtons(flags);
            std::size_t pick = 0;
            if (nextChoice < choices.size())
                pick = choices[nextChoice++] % buttons.size();
            if (shown.size() < 4096) // targets that never look keep only a bounded record
                shown.push_back({ caption.toStdString(), buttons[pick] });
            return buttons[pick];
        });
}

int messageBoxCount()
{
    return boxes;
}

void setBoxChoices(std::vector<std::uint8_t> next)
{
    choices = std::move(next);
    nextChoice = 0;
}

std::vector<Box> takeBoxes()
{
    std::vector<Box> taken;
    taken.swap(shown);
    return taken;
}

std::string scratchPath(const char* name)
{
    return scratch().path + "/" + name;
}

bool writeFile(const std::string& path, const std::uint8_t* data, std::size_t size)
{
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    const bool ok = (size == 0 || std::fwrite(data, 1, size, f) == size);
    return std::fclose(f) == 0 && ok;
}

void setCurrentInput(const std::string& name)
{
    currentInput = name;
}

void fail(const char* file, int line, const std::string& what)
{
    std::fprintf(stderr, "%s:%d: fuzz check failed%s%s: %s\n", file, line,
        currentInput.empty() ? "" : " on ", currentInput.c_str(), what.c_str());
    std::fflush(stderr);
    std::abort();
}

std::uint8_t Pieces::takeByte()
{
    return at_ < size_ ? data_[at_++] : 0;
}

bool Pieces::next(std::vector<std::uint8_t>& piece)
{
    piece.clear();
    if (at_ >= size_)
        return false;
    std::size_t n = data_[at_++];
    if (n > size_ - at_)
        n = size_ - at_;
    piece.assign(data_ + at_, data_ + at_ + n);
    at_ += n;
    return true;
}

std::vector<std::uint8_t> Pieces::rest() const
{
    return std::vector<std::uint8_t>(data_ + at_, data_ + size_);
}

} // namespace fuzz
