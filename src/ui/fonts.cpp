#include "ui/fonts.h"

namespace velloran::ui {

UniqueFont createFont(const FontDescription& font) {
    if (!font.face) {
        return {};
    }
    // A negative height asks for the character height, leading excluded.
    return UniqueFont(CreateFontA(-font.height, 0, 0, 0, font.weight, FALSE, FALSE, FALSE,
                                  DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, font.face));
}

HFONT defaultGuiFont() {
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

}  // namespace velloran::ui
