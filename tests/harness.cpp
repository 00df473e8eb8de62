#include "tests/harness.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <ranges>
#include <stdexcept>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "app/game_files.h"
#include "app/shell.h"
#include "app/toggles.h"
#include "data/language.h"
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

void assign(const char* name, const char* value)
{
    if (value)
        setenv(name, value, 1);
    else
        unsetenv(name);
}

// Every test starts from a fresh scripted seam and empty logs.
class FreshInput : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override
    {
        scripted = ScriptedBackend{};
        kalup::seam::install(&scripted);
        // Read once with every key up: no key of an earlier test is held.
        kalup::keys::readKeys();
        // Bursts of an earlier test would draw over this one's pictures.
        kalup::fx::releaseEmitters();
        // Results of an earlier test's games would be saved by this one's.
        kalup::game_files::bestsFile().bests = {};
        kalup::game_files::bestsFile().unsaved = {};
        kalup::sound::playObserver = [](kalup::audio::Handle sample) { plays.push_back(sample); };
        kalup::dialog::setMessageSink([](const char* text) { message = text; });
        plays.clear();
        message.clear();
    }
};
} // namespace

ScriptedBackend& input() { return scripted; }

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
    kalup::sound::loadSoundBank();
    kalup::sound::startMusic();
    soundOpen = true;
}

std::vector<kalup::audio::Handle>& soundLog() { return plays; }

int timesPlayed(kalup::audio::Handle sample) { return int(std::ranges::count(plays, sample)); }

std::string& lastMessage() { return message; }

void frames(int count)
{
    for (int i = 0; i < count; ++i)
        ASSERT_TRUE(kalup::shell::runFrame());
}

void tap(kalup::seam::Key key)
{
    scripted.press(key);
    frames(1);
    scripted.release(key);
    frames(1);
}

void FromTheMenu::SetUp()
{
    needResources();
    environment.set("XDG_CONFIG_HOME", config().c_str());
    kalup::shell::screens().backToMenu();
    kalup::shell::loop().quitRequested = false;
    kalup::shell::loop().lastFrameTime = 0.0;
    scripted.time = 1.0;
    scripted.cursorX = 400;
    scripted.cursorY = 100;
}

void FromTheMenu::TearDown()
{
    scripted.releaseAll();
    scripted.focus = true;
    scripted.closeBox = false;
    kalup::shell::loop().quitRequested = false;
    kalup::shell::screens().backToMenu();
    frames(1);
    EXPECT_FALSE(kalup::shell::screens().paused());
    kalup::toggles::settings().muted = false;
    kalup::audio::setMuted(false);
}

TempFolder::TempFolder()
{
    char pattern[] = "/tmp/kalup-test-XXXXXX";
    dir = mkdtemp(pattern);
}

TempFolder::~TempFolder() { std::filesystem::remove_all(dir); }

void TempFolder::write(const std::string& name, const std::string& bytes) const
{
    std::ofstream(dir + "/" + name, std::ios::binary) << bytes;
}

std::string TempFolder::read(const std::string& name) const { return readFile(dir + "/" + name); }

TempWorkDir::TempWorkDir() : previous(std::filesystem::current_path().string())
{
    std::filesystem::current_path(path());
}

TempWorkDir::~TempWorkDir() { std::filesystem::current_path(previous); }

Environment::~Environment()
{
    for (const auto& [name, value] : std::views::reverse(saved))
        assign(name.c_str(), value ? value->c_str() : nullptr);
}

void Environment::set(const char* name, const char* value)
{
    const char* old = std::getenv(name);
    saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    assign(name, value);
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

unsigned modeOf(const std::string& path)
{
    struct stat status {};
    stat(path.c_str(), &status);
    return status.st_mode & 07777;
}

} // namespace harness

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new harness::FreshInput);
    const int result = RUN_ALL_TESTS();
    // What the tests opened goes as it does in the game, so the leak checker
    // of the sanitizer build finds nothing of ours.
    kalup::sound::freeSoundBank();
    kalup::fx::releaseEmitters();
    return result;
}
