#include "app/game_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/places.h"

namespace kalup::game_files {

namespace {

records::RecordFile kept;

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

// The record among the player's own data files.
void keepRecordInUserFolder()
{
    userRecordFolder = places::userFolder(places::UserBase::Data);
    kept.path = userRecordFolder->empty() ? "" : *userRecordFolder + "/" + records::RECORD_FILE;
}

} // namespace

records::RecordFile& recordFile() { return kept; }

bool findGameFiles()
{
    userRecordFolder.reset();
    if (places::holdsGameData(".")) {
        kept.path = records::RECORD_FILE;
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

void saveRecord()
{
    std::string whyNot;
    if (userRecordFolder && userRecordFolder->empty())
        reportUnsaved("no home folder is known (HOME is not set)");
    else if (userRecordFolder && !places::makeUserFolder(*userRecordFolder))
        reportUnsaved(*userRecordFolder + ": " + std::strerror(errno));
    else if (!records::saveRecords(kept, whyNot))
        reportUnsaved(whyNot);
}

} // namespace kalup::game_files
