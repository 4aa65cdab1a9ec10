#include "base/palettes.h"

#include <QColor>

namespace qel::palettes {

namespace {

struct Roles {
    QColor window, windowText, base, alternateBase, text, button, buttonText, highlight, highlightedText,
        link, disabledText;
};

QPalette paletteOf(const Roles &r)
{
    QPalette p;
    p.setColor(QPalette::Window, r.window);
    p.setColor(QPalette::WindowText, r.windowText);
    p.setColor(QPalette::Base, r.base);
    p.setColor(QPalette::AlternateBase, r.alternateBase);
    p.setColor(QPalette::ToolTipBase, r.base);
    p.setColor(QPalette::ToolTipText, r.text);
    p.setColor(QPalette::PlaceholderText, r.disabledText);
    p.setColor(QPalette::Text, r.text);
    p.setColor(QPalette::Button, r.button);
    p.setColor(QPalette::ButtonText, r.buttonText);
    p.setColor(QPalette::BrightText, Qt::red);
    p.setColor(QPalette::Link, r.link);
    p.setColor(QPalette::Highlight, r.highlight);
    p.setColor(QPalette::HighlightedText, r.highlightedText);
    // Fusion draws its frames and bevels from these.
    p.setColor(QPalette::Light, r.button.lighter(150));
    p.setColor(QPalette::Midlight, r.button.lighter(125));
    p.setColor(QPalette::Mid, r.button.darker(130));
    p.setColor(QPalette::Dark, r.button.darker(170));
    p.setColor(QPalette::Shadow, Qt::black);
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, r.disabledText);
    return p;
}

} // namespace

QPalette dark()
{
    return paletteOf({QColor(53, 53, 53), QColor(230, 230, 230), QColor(35, 35, 35), QColor(45, 45, 45),
                      QColor(230, 230, 230), QColor(60, 60, 60), QColor(230, 230, 230), QColor(42, 130, 218),
                      Qt::white, QColor(100, 170, 250), QColor(128, 128, 128)});
}

QPalette highContrast()
{
    return paletteOf({Qt::black, Qt::white, Qt::black, QColor(20, 20, 20), Qt::white, Qt::black, Qt::white,
                      QColor(255, 255, 0), Qt::black, QColor(0, 255, 255), QColor(160, 160, 160)});
}

} // namespace qel::palettes
