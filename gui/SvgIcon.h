#pragma once
// Toolbar pictures from the program's SVG set (":/icons/NAME.svg").
#include <QIcon>
#include <QString>

namespace vornix::gui {

// Makes ":/icons/" available; svgIcon does it itself.
void loadIcons();

// The picture NAME, drawn at the sizes a button asks for (16 and 32 pixels).
QIcon svgIcon(const QString& name);

} // namespace vornix::gui
