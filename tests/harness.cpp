#include "tests/harness.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <unistd.h>

#include <gtest/gtest.h>

#include "data/language.h"
#include "data/records.h"
#include "data/sound.h"
#include "fx/emitters.h"
#include "platform/dialog.h"
#include "platform/display.h"
#include "platform/keys.h"
#include "render/draw.h"
#include "render/textures.h"

namespace harness {

namespace {
ScriptedBackend scripted;
std::vector<kalup::audio::Handle> plays;
std::string message;
bool displayOpen = false;
bool soundOpen = false;

void recordPlay(kalup::audio::Handle sample) { plays.push_back(sample); }
void recordMessage(const char* text) { message = text; }
} // namespace

double ScriptedBackend::waitUntil(double deadline)
{
    deadlines.push_back(deadline);
    if (time < deadline)
        time = deadline;
    return time;
}

void ScriptedBackend::releaseAll()
{
    for (bool& key : keys)
        key = false;
    button = false;
}

ScriptedBackend& input() { return scripted; }

void resetInput()
{
    scripted = ScriptedBackend{};
    kalup::seam::install(&scripted);
    kalup::keys::forgetKeys();
    kalup::sound::playObserver = recordPlay;
    kalup::dialog::setMessageSink(recordMessage);
    plays.clear();
    message.clear();
}

void needDisplay()
{
    if (displayOpen)
        return;
    if (!kalup::display::openHiddenDisplay())
        throw std::runtime_error("no display for the drawing tests (is Xvfb running?)");
    kalup::textures::initImageLibrary();
    kalup::textures::loadTextureTable();
    kalup::draw::createFonts();
    kalup::language::loadLanguage();
    displayOpen = true;
}

void needResources()
{
    needDisplay();
    if (soundOpen)
        return;
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    kalup::sound::initSoundBank();
    soundOpen = true;
}

std::vector<kalup::audio::Handle>& soundLog() { return plays; }

int timesPlayed(kalup::audio::Handle sample)
{
    int n = 0;
    for (auto played : plays)
        n += played == sample;
    return n;
}

std::string& lastMessage() { return message; }

TempWorkDir::TempWorkDir()
{
    previous = std::filesystem::current_path().string();
    char pattern[] = "/tmp/kalup-test-XXXXXX";
    dir = mkdtemp(pattern);
    std::filesystem::current_path(dir);
}

TempWorkDir::~TempWorkDir()
{
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(dir);
}

void TempWorkDir::write(const std::string& name, const std::string& bytes) const
{
    std::ofstream(dir + "/" + name, std::ios::binary) << bytes;
}

std::string TempWorkDir::read(const std::string& name) const
{
    std::ifstream in(dir + "/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

} // namespace harness

namespace {
// Every test starts from a fresh scripted seam and empty logs.
class FreshInput : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { harness::resetInput(); }
};
} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new FreshInput);
    const int result = RUN_ALL_TESTS();
    // What the tests opened goes as it does in the game, so the leak checker
    // of the sanitizer build finds nothing of ours.
    kalup::sound::freeSoundBank();
    kalup::fx::releaseEmitters();
    return result;
}
