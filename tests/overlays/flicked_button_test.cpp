// A button pressed, its pressed look shown by a hover tick, then flicked off and
// released outside before the next tick: in every window the pressed look goes and
// the face comes back, and the next press lands on the button again.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "overlay_fixture.h"

namespace vantrel {
namespace {

using namespace vantrel::testing;

constexpr int kLongestHoverTick = 100;

class FlickedButtonTest : public OverlayFixture {};

TEST_F(FlickedButtonTest, AReleaseOutsideHidesThePressedLookAndTheNextPressLands) {
    struct Case {
        std::string name;
        std::function<SkinnedForm&()> window;
        base::Point centre;  // window pixels
        std::function<ui::PictureCell&()> pressedLook;
        std::function<ui::PictureCell*()> face;  // none for a button drawn on the background
        std::int16_t pressed;
    };
    const Case cases[] = {
        {"main button 2", [&]() -> SkinnedForm& { return main(); }, {50, 472},
         [&]() -> ui::PictureCell& { return main().imgMouseDown(2); }, [] { return nullptr; }, 2},
        {"main close", [&]() -> SkinnedForm& { return main(); }, {117, 7},
         [&]() -> ui::PictureCell& { return main().imgMouseDown(5); }, [] { return nullptr; }, 5},
        {"detail order", [&]() -> SkinnedForm& { return detail(); }, {430, 40},
         [&]() -> ui::PictureCell& { return detail().imgDown(1); }, [&] { return &detail().imgButton(1); }, 1},
        {"detail close", [&]() -> SkinnedForm& { return detail(); }, {436, 6},
         [&]() -> ui::PictureCell& { return detail().imgClose(1); }, [] { return nullptr; }, frmDetail::kCloseHeld},
        {"player step back", [&]() -> SkinnedForm& { return player(); }, {318, 63},
         [&]() -> ui::PictureCell& { return player().imgMouseDown(3); }, [&] { return &player().imgButton(3); }, 3},
        {"player close", [&]() -> SkinnedForm& { return player(); }, {436, 6},
         [&]() -> ui::PictureCell& { return player().imgMouseDown(8); }, [] { return nullptr; }, 8},
    };
    for (const Case& c : cases) {
        SkinnedForm& window = c.window();
        const base::Point centre = At(window, c.centre.x, c.centre.y);
        Hover(window, centre, kLongestHoverTick);
        platform.PressMouse(centre);
        platform.AdvanceBy(kLongestHoverTick);
        ASSERT_TRUE(c.pressedLook().visible()) << c.name;

        platform.MoveMouse(At(window, c.centre.x, 300));
        platform.ReleaseMouse(At(window, c.centre.x, 300));
        EXPECT_FALSE(c.pressedLook().visible()) << c.name;
        if (ui::PictureCell* face = c.face()) {
            EXPECT_TRUE(face->visible()) << c.name;
        }
        EXPECT_TRUE(window.loaded()) << c.name;

        Hover(window, centre, kLongestHoverTick);
        platform.PressMouse(centre);
        EXPECT_EQ(window.nPressed, c.pressed) << c.name << ": the next press must land on the button";
        platform.MoveMouse(At(window, c.centre.x, 300));
        platform.ReleaseMouse(At(window, c.centre.x, 300));
    }
}

TEST_F(FlickedButtonTest, APlayerAreaShowsAtMostItsTwentySlots) {
    // A row read as 22 cards: 20 ranks fill the columns, and the count says 22.
    Record(0, {std::vector<int>(20, 9)});
    shared().PlayHistory(0, 21) = 22;
    player().Play();
    platform.AdvanceBy(1000);
    for (int slot = 1; slot <= 60; ++slot)
        EXPECT_EQ(player().imgEmit(slot).HasPicture(), slot <= 20) << "slot " << slot;
}

}  // namespace
}  // namespace vantrel
