#include "overlays/frm_player.h"

#include "shared/layouts.h"
#include "shared/pictures.h"
#include "shared/window_place.h"

namespace vantrel {

frmPlayer::frmPlayer(modQTC& shared) : Form(shared.toolkit(), layouts::kPlayer, pictures::Get), shared_(shared) {
    imgMark.onClick = [this] { imgMark.SetPicture(imgMark.HasPicture() ? nullptr : picMark.picture()); };
}

void frmPlayer::Form_Load() {
    shared_.bPlayerOpen = kTrue;
    modQTC::MakeLayered(*this);
    PlaceFromRecord(*this, SettingsFile(shared_.platform().ExecutableDir()), SettingsRecord::PlayerWindow,
                    shared_.platform().desktop());
    PlayCursor = 0;
    imgMark.SetPicture(picMark.picture());
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
        tmrShow.SetEnabled(true);
    }
}

}  // namespace vantrel
