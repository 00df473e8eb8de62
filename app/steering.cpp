#include "app/steering.h"

#include <algorithm>

#include "platform/keys.h"
#include "platform/pointer.h"

namespace kalup::steering {

void steerPointer()
{
    using seam::Key;
    // Every tap counts, also two of them inside one slow frame.
    const int across = keys::strikes(Key::Right) - keys::strikes(Key::Left);
    const int down = keys::strikes(Key::Down) - keys::strikes(Key::Up);
    if (across == 0 && down == 0)
        return;
    // The hovered cell is the one nearest the cursor's tip, wherever the
    // mouse left the pointer: the step starts from there.
    const board::CellPos hovered = board::cellUnderPointer(pointer::mouseX, pointer::mouseY);
    const int col = std::clamp(hovered.col + across, 0, board::COLS - 1);
    const int row = std::clamp(hovered.row + down, 0, board::ROWS - 1);
    pointer::placePointer(pointerXOf(col), pointerYOf(row));
}

} // namespace kalup::steering
