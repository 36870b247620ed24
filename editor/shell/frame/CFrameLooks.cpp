#include "editor/shell/frame/CFrameLooks.h"

#include <array>

#include "diagram/CommandId.h"

namespace {

constexpr std::array kLooks{
    CFrameLooks::Look{ToInt(CommandId::LookOffice2000), "Office 2000", 0xD4D0C8, 0xFFFFFF, 0xD4D0C8, 0x0A246A, 0x000000, false},
    CFrameLooks::Look{ToInt(CommandId::LookOfficeXP), "Office XP", 0xF7F6F3, 0xFFFFFF, 0xE8E6E1, 0x316AC5, 0x000000, false},
    CFrameLooks::Look{ToInt(CommandId::LookOffice2003), "Office 2003", 0xC3DAF9, 0xFFFFFF, 0xDDECFE, 0x3169C6, 0x000000, true},
    CFrameLooks::Look{ToInt(CommandId::LookWindowsXP), "Windows XP", 0xECE9D8, 0xFFFFFF, 0xF4F3EE, 0x316AC5, 0x000000, false},
    CFrameLooks::Look{ToInt(CommandId::LookVisualStudio2005), "Visual Studio 2005", 0xEEEDE5, 0xFFFFFF, 0xF5F4EE, 0x3399FF, 0x000000, true},
    CFrameLooks::Look{ToInt(CommandId::LookOffice2007Blue), "Office 2007 blue", 0xBFDBFF, 0xFFFFFF, 0xDCE9F8, 0xFFD86A, 0x15428B, true},
    CFrameLooks::Look{ToInt(CommandId::LookOffice2007Black), "Office 2007 black", 0x535353, 0x303030, 0x6E6E6E, 0xFFC44A, 0xFFFFFF, true},
    CFrameLooks::Look{ToInt(CommandId::LookOffice2007Silver), "Office 2007 silver", 0xD0D4DD, 0xFFFFFF, 0xE4E8EE, 0xFFD86A, 0x3B3B3B, true},
    CFrameLooks::Look{ToInt(CommandId::LookOffice2007Aqua), "Office 2007 aqua", 0xC4D4E3, 0xFFFFFF, 0xDAE6F1, 0xFFD86A, 0x1E395B, true},
};

QColor rgb(unsigned value) { return QColor::fromRgb(QRgb(0xFF000000u | value)); }
// Black on light colours, white on dark ones.
QColor textOn(unsigned value) { return qGray(QRgb(value)) > 128 ? QColor(Qt::black) : QColor(Qt::white); }
// Disabled text: halfway between the text and its background.
QColor halfway(const QColor& text, const QColor& background)
{
    return QColor((text.red() + background.red()) / 2, (text.green() + background.green()) / 2,
                  (text.blue() + background.blue()) / 2);
}

} // namespace

const CFrameLooks::Look* CFrameLooks::Find(int id)
{
    for (const Look& look : kLooks)
        if (look.id == id)
            return &look;
    return nullptr;
}

QPalette CFrameLooks::Palette(const Look& look)
{
    QPalette palette(rgb(look.button), rgb(look.window));
    palette.setColor(QPalette::Base, rgb(look.base));
    palette.setColor(QPalette::AlternateBase, rgb(look.window));
    palette.setColor(QPalette::Highlight, rgb(look.highlight));
    const QColor text = rgb(look.text);
    const QColor onBase = textOn(look.base);
    // Text colours go to the active and inactive groups only: the disabled group keeps a
    // colour halfway to the background, so that disabled items look disabled.
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        for (const QPalette::ColorRole role : {QPalette::WindowText, QPalette::ButtonText})
            palette.setColor(group, role, text);
        palette.setColor(group, QPalette::Text, onBase);
        palette.setColor(group, QPalette::HighlightedText, textOn(look.highlight));
    }
    palette.setColor(QPalette::Disabled, QPalette::WindowText, halfway(text, rgb(look.window)));
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, halfway(text, rgb(look.button)));
    palette.setColor(QPalette::Disabled, QPalette::Text, halfway(onBase, rgb(look.base)));
    return palette;
}
