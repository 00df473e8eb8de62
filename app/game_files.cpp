#include "app/game_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "data/settings.h"
#include "platform/dialog.h"
#include "platform/file_bytes.h"
#include "platform/places.h"
#include "platform/seam.h"

namespace kalup::game_files {

namespace {

records::RecordFile kept;
bests_file::BestsFile keptBests;

// The player's folder that holds the record, when the record is kept there
// ("" when no home folder is known); none when it is kept beside the assets.
std::optional<std::string> userRecordFolder;

std::string notFoundMessage(const std::vector<std::string>& lookedAt)
{
    std::string text = "Kalup cannot find its data folder, the folder that holds images, fonts, sounds, music "
                       "and english.xml. It looked in:\n\n";
    for (const std::string& place : lookedAt)
        text += "    " + place + "\n";
    return text + "\nStart Kalup from that folder, or install it again.";
}

void reportUnsaved(const std::string& reason)
{
    std::fprintf(stderr, "kalup: the record was not saved: %s\n", reason.c_str());
}

void reportBestsUnsaved(const std::string& reason)
{
    std::fprintf(stderr, "kalup: the best results were not saved: %s\n", reason.c_str());
}

bool anyUnsavedBests()
{
    for (const game::Table& table : keptBests.unsaved.tables)
        if (!table.empty())
            return true;
    return false;
}

// The bests are kept in the record's folder.
void placeBestsBesideRecord()
{
    if (kept.path.empty()) {
        keptBests.path.clear();
        return;
    }
    const std::string::size_type slash = kept.path.rfind('/');
    keptBests.path = slash == std::string::npos ? bests_file::BESTS_FILE
                                                : kept.path.substr(0, slash + 1) + bests_file::BESTS_FILE;
}

// The record among the player's own data files.
void keepRecordInUserFolder()
{
    userRecordFolder = places::userFolder(places::UserBase::Data);
    kept.path = userRecordFolder->empty() ? "" : *userRecordFolder + "/" + records::RECORD_FILE;
    placeBestsBesideRecord();
}

} // namespace

records::RecordFile& recordFile() { return kept; }

bests_file::BestsFile& bestsFile() { return keptBests; }

bool findGameFiles()
{
    userRecordFolder.reset();
    if (places::holdsGameData(".")) {
        kept.path = records::RECORD_FILE;
        placeBestsBesideRecord();
        // A copy of the game the player cannot write to (unpacked by another
        // user, on a read-only medium) keeps the record as an installed one does.
        if (!places::canWriteIn("."))
            keepRecordInUserFolder();
        return true;
    }
    std::vector<std::string> lookedAt = {places::workingFolder()};
    for (const std::string& folder : places::dataFolderCandidates()) {
        lookedAt.push_back(folder);
        if (!places::holdsGameData(folder) || !places::enterFolder(folder))
            continue;
        keepRecordInUserFolder();
        return true;
    }
    dialog::messageBox(notFoundMessage(lookedAt).c_str());
    return false;
}

bool firstStartEver()
{
    // Anything at the path counts, even what cannot be read: this player has played.
    const auto nothingAt = [](const std::string& path) {
        std::error_code error;
        return !path.empty() && !std::filesystem::exists(std::filesystem::symlink_status(path, error));
    };
    const std::string config = places::userFolder(places::UserBase::Config);
    return nothingAt(kept.path) && (config.empty() || nothingAt(config + "/" + settings::SETTINGS_FILE));
}

void loadBests()
{
    if (keptBests.path.empty()) {
        bests_file::loadBests(keptBests, seam::wallClockSeconds());
        return;
    }
    // A damaged file is put aside under the lock, so never one that another
    // copy of the game has just saved. Without the lock (a folder the player
    // cannot write) nothing can be put aside anyway.
    const file_bytes::TurnLock lock(records::lockPath(kept.path));
    bests_file::loadBests(keptBests, seam::wallClockSeconds());
}

void saveRecord()
{
    const bool bestsDue = anyUnsavedBests() && !keptBests.keepUnread;
    // A record that could not be read was reported at the start and is left as it is.
    if (kept.keepUnread && !bestsDue)
        return;
    std::string whyNot;
    if (userRecordFolder && userRecordFolder->empty())
        whyNot = "no home folder is known (HOME is not set)";
    else if (kept.path.empty())
        whyNot = "there is no place for it";
    else if (userRecordFolder && !places::makeUserFolder(*userRecordFolder))
        whyNot = *userRecordFolder + ": " + std::strerror(errno);
    if (!whyNot.empty()) {
        reportUnsaved(whyNot);
        if (bestsDue)
            reportBestsUnsaved(whyNot);
        return;
    }
    // The record and the bests are saved in one turn on the record's lock.
    const file_bytes::TurnLock lock(records::lockPath(kept.path));
    if (!lock.held()) {
        whyNot = records::lockPath(kept.path) + ": " + lock.reason;
        // A record that could not be read was reported at the start.
        if (!kept.keepUnread)
            reportUnsaved(whyNot);
        if (bestsDue)
            reportBestsUnsaved(whyNot);
        return;
    }
    if (!records::saveRecordsHoldingLock(kept, whyNot))
        reportUnsaved(whyNot);
    if (bestsDue && !bests_file::saveBests(keptBests, seam::wallClockSeconds(), whyNot))
        reportBestsUnsaved(whyNot);
}

} // namespace kalup::game_files
