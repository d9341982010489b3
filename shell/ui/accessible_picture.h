#pragma once

namespace tavik {

// Lets assistive technology see pressable pictures as what they are: push
// buttons, or radio buttons for options that come in pairs, that can be
// pressed. Safe to call more than once.
void installAccessiblePictures();

} // namespace tavik
