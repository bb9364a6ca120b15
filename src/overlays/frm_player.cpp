#include "overlays/frm_player.h"

#include <algorithm>

#include "shared/tiles.h"
#include "shared/window_place.h"

namespace vantrel {

frmPlayer::frmPlayer(modQTC& shared) : Form(shared.toolkit(), "VXPlayer", 460, 83), shared_(shared) {
    // Each seat area's cells stop advancing after the thirteenth.
    for (int i = 41; i <= 60; ++i) AddCell(imgEmit, i, {std::min(13 + 16 * (i - 41), 205), 23, 15, 20, true, nullptr, ""});
    for (int i = 21; i <= 40; ++i) AddCell(imgEmit, i, {std::min(240 + 16 * (i - 21), 432), 23, 15, 20, true, nullptr, ""});
    for (int i = 1; i <= 20; ++i) AddCell(imgEmit, i, {std::min(44 + 16 * (i - 1), 236), 54, 15, 20, true, nullptr, ""});
    AddCell(imgEmit, 0, {0, 56, 15, 20, true, nullptr, ""});
    for (int rank = 3; rank <= 17; ++rank) AddStore(picCards, rank, tiles::CardRank(rank));
    AddStore(picCards, modQTC::PassMark, tiles::PassTile());
    picMark = &AddStore("picMark", tiles::FollowTick());
    imgMark = &AddCell("imgMark", {402, 61, 14, 11, true, nullptr, ""});
    imgMark->onClick = [this] { imgMark->SetPicture(imgMark->HasPicture() ? nullptr : picMark->picture()); };
    tmrPOS = &AddTimer("tmrPOS", 50, false);
    tmrShow = &AddTimer("tmrShow", 500, false);
}

void frmPlayer::Form_Load() {
    shared_.bPlayerOpen = kTrue;
    modQTC::MakeLayered(*this);
    PlaceFromRecord(*this, SettingsFile(shared_.platform().ExecutableDir()), SettingsRecord::PlayerWindow,
                    shared_.platform().desktop());
    PlayCursor = 0;
    imgMark->SetPicture(picMark->picture());
    Play();
}

void frmPlayer::Form_QueryUnload() {
    SettingsFile(shared_.platform().ExecutableDir()).Write(SettingsRecord::PlayerWindow, RecordOf(*this));
    shared_.bPlayerOpen = kFalse;
}

void frmPlayer::InitPlayer() {
    Load();
    PlayCursor = 0;
    for (int i = 1; i <= 60; ++i) imgEmit(i).SetPicture(nullptr);
}

void frmPlayer::Play() {
    if (PlayCursor < MoveTable::kRows && shared_.PlayHistory(PlayCursor, 21) != 0) {
        PlayStart = shared_.FirstSeat;
        tmrShow->SetEnabled(true);
    }
}

}  // namespace vantrel
