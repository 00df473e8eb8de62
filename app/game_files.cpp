#include "app/game_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "data/records.h"
#include "platform/dialog.h"
#include "platform/places.h"

namespace kalup::game_files {

namespace {

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

} // namespace

bool findGameFiles()
{
    userRecordFolder.reset();
    if (places::holdsGameData("."))
        return true;
    std::vector<std::string> lookedAt = {places::workingFolder()};
    for (const std::string& folder : places::dataFolderCandidates()) {
        lookedAt.push_back(folder);
        if (!places::holdsGameData(folder) || !places::enterFolder(folder))
            continue;
        userRecordFolder = places::userFolder(places::UserBase::Data);
        records::recordPath = userRecordFolder->empty() ? "" : *userRecordFolder + "/" + records::RECORD_FILE;
        return true;
    }
    dialog::messageBox(notFoundMessage(lookedAt).c_str());
    return false;
}

void saveRecord()
{
    if (!userRecordFolder) {
        records::saveRecords();
        return;
    }
    if (userRecordFolder->empty())
        reportUnsaved("no home folder is known (HOME is not set)");
    else if (!places::makeUserFolder(*userRecordFolder))
        reportUnsaved(*userRecordFolder + ": " + std::strerror(errno));
    else if (!records::saveRecords())
        reportUnsaved(records::recordPath + ": " + std::strerror(errno));
}

} // namespace kalup::game_files
